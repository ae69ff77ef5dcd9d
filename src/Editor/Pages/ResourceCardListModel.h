#pragma once

#include "Components/ComponentSearchScope.h"

#include <QAbstractListModel>
#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

// What one card of a resource page shows; texts bounded for painting (PageDisplayText).
struct ResourceCard {
    QString name;
    // The first on the line below the name, the second on the line after it; any more end the
    // first line (a colour's hex, "Rgb ..." text, then alpha).
    QStringList infoTexts;
    std::optional<QColor> swatch; // colour cards only
};

// The item model behind the colours and text-styles grids: one row per card of the shown list.
// Subclasses hold the entries and their scope and search state; every change that alters the
// shown list resets the model, which is when a page refreshes its empty state.
class ResourceCardListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { NameRole = Qt::UserRole + 1, InfoTextsRole, SwatchRole };

    explicit ResourceCardListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The list header's search handler (the field's text and the chosen scope).
    void startSearch(const std::optional<std::string>& query, ComponentSearchScope scope);

    bool isEmpty() const { return cardCount() == 0; }
    ResourceCard cardAt(int row) const;

    virtual bool isSearchActive() const = 0;
    virtual ComponentSearchScope searchScope() const = 0;

protected:
    virtual int cardCount() const = 0;
    // The card of a row of the shown list, made once per update.
    virtual const ResourceCard& cardOfRow(int row) const = 0;
    virtual void applySearch(const std::optional<std::string>& query, ComponentSearchScope scope) = 0;
};
