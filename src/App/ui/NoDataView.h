#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

// The empty state of a list: a title, an information text, an optional image and an optional
// action button.
class NoDataView : public QWidget {
    Q_OBJECT

public:
    explicit NoDataView(QWidget* parent = nullptr);

    // The button shows only when `action` is given.
    void set(const QString& title, const QString& info, const QIcon& image = {}, std::function<void()> action = {},
             const QString& actionButtonTitle = {});

    QLabel* titleLabel() const { return m_title; }
    QLabel* infoLabel() const { return m_info; }
    QPushButton* actionButton() const { return m_button; }

private:
    QLabel* m_image = nullptr;      // owned by the layout
    QLabel* m_title = nullptr;      // owned by the layout
    QLabel* m_info = nullptr;       // owned by the layout
    QPushButton* m_button = nullptr; // owned by the layout
    std::function<void()> m_action;
};
