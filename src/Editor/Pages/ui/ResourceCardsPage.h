#pragma once

#include "App/ui/ViewController.h"
#include "Components/ComponentSearchScope.h"

#include <QPointer>
#include <QString>

#include <optional>
#include <string>

class NoDataView;
class QListView;
class QVBoxLayout;
class ResourceCardDelegate;
class ResourceCardListModel;
class SearchableListHeader;
struct ArtboardDetailInfoResponse;

// What the colours and the text-styles pages share: the list header with the "Screen" and
// "All Project" scopes and the search field, the card grid, and the empty state. The page shows
// its list model; the model holds the entries, the scope and the search.
class ResourceCardsPage : public ViewController {
    Q_OBJECT

public:
    struct Texts {
        QString headerText;
        QString emptyTitle;
        QString emptyInfo;
        QString emptyImage; // name of the empty state's picture
    };

    SearchableListHeader* header() const { return m_header; }
    QListView* collectionView() const { return m_collectionView; }
    QWidget* listContentView() const { return m_listContentView; }
    // The empty-state view; null until the list is empty the first time.
    NoDataView* noDataView() const;
    ResourceCardListModel* listModel() const { return m_model; }

    // The header's search handler.
    void startSearch(const std::optional<std::string>& query, ComponentSearchScope scope);
    // Collapses the side menu's content pane when this page sits in the side menu.
    void closePage();

protected:
    // `model` becomes the page's child.
    ResourceCardsPage(Texts texts, ResourceCardListModel* model);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Takes the page's lists from the artboard detail the editor holds (on first showing).
    virtual void loadLists(const ArtboardDetailInfoResponse& response) = 0;

    ResourceCardDelegate* cardDelegate() const { return m_delegate; }

private:
    void setupHeader();
    void setupCollectionView();
    void setupNoDataView();
    NoDataView* getNoDataView();
    void fitCardsToWidth();

    Texts m_texts;
    ResourceCardListModel* m_model = nullptr;       // owned by this widget (QObject child)
    ResourceCardDelegate* m_delegate = nullptr;     // owned by this widget (QObject child)
    QVBoxLayout* m_stackView = nullptr;             // owned by this widget's layout
    SearchableListHeader* m_header = nullptr;       // owned by the layout
    QWidget* m_listContentView = nullptr;           // owned by the layout
    QListView* m_collectionView = nullptr;          // owned by m_listContentView
    QPointer<NoDataView> m_noDataView;              // owned by m_listContentView once made
    bool m_loaded = false;
};
