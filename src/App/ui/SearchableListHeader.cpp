#include "App/ui/SearchableListHeader.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SearchableListHeader::SearchableListHeader(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SearchableListHeader"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 4);
    layout->setSpacing(6);

    auto* top = new QHBoxLayout;
    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("headerLabel"));
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    top->addWidget(m_header, 1);
    m_rightAction = new QPushButton(this);
    m_rightAction->setObjectName(QStringLiteral("rightActionButton"));
    m_rightAction->hide();
    top->addWidget(m_rightAction);
    m_close = new QPushButton(QStringLiteral("\u2715"), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setFlat(true);
    m_close->setFixedWidth(24);
    top->addWidget(m_close);
    layout->addLayout(top);

    m_scopeRow = new QWidget(this);
    m_scopeLayout = new QHBoxLayout(m_scopeRow);
    m_scopeLayout->setContentsMargins(0, 0, 0, 0);
    m_scopeLayout->setSpacing(0);
    m_scopeRow->hide();
    layout->addWidget(m_scopeRow);
    m_scopes = new QButtonGroup(this);
    m_scopes->setExclusive(true);

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchField"));
    m_search->setClearButtonEnabled(true);
    layout->addWidget(m_search);

    connect(m_rightAction, &QPushButton::clicked, this, [this] {
        if (m_rightActionHandler) m_rightActionHandler();
    });
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (m_closeActionHandler) m_closeActionHandler();
    });
    connect(m_search, &QLineEdit::textChanged, this, [this] { runSearch(); });
    connect(m_scopes, &QButtonGroup::idClicked, this, [this](int) { runSearch(); });
}

void SearchableListHeader::setupView(const QString& headerText, bool scopeNeeded, const QString& rightActionButtonTitle,
                                     bool rightActionButtonNeeded, std::function<void()> rightActionHandler,
                                     std::function<void()> closeActionHandler,
                                     const std::vector<ComponentSearchScopeItem>& searchScopeTitles,
                                     SearchHandler searchHandler)
{
    m_header->setText(headerText);
    m_rightAction->setText(rightActionButtonTitle);
    m_rightAction->setVisible(rightActionButtonNeeded);
    m_rightActionHandler = std::move(rightActionHandler);
    m_closeActionHandler = std::move(closeActionHandler);
    m_searchHandler = std::move(searchHandler);

    for (QAbstractButton* old : m_scopes->buttons()) {
        m_scopes->removeButton(old);
        delete old;
    }
    bool first = true;
    for (const ComponentSearchScopeItem& item : searchScopeTitles) {
        auto* segment = new QPushButton(item.title, m_scopeRow);
        segment->setCheckable(true);
        segment->setChecked(first);
        first = false;
        m_scopes->addButton(segment, item.tag == ComponentSearchScope::project ? 1 : 0);
        m_scopeLayout->addWidget(segment);
    }
    m_scopeRow->setVisible(scopeNeeded);
}

ComponentSearchScope SearchableListHeader::selectedScope() const
{
    return m_scopes->checkedId() == 1 ? ComponentSearchScope::project : ComponentSearchScope::screen;
}

std::vector<QPushButton*> SearchableListHeader::scopeButtons() const
{
    std::vector<QPushButton*> buttons;
    for (int i = 0; i < m_scopeLayout->count(); ++i) {
        if (auto* b = qobject_cast<QPushButton*>(m_scopeLayout->itemAt(i)->widget())) buttons.push_back(b);
    }
    return buttons;
}

void SearchableListHeader::runSearch()
{
    if (m_searchHandler) m_searchHandler(selectedScope(), m_search->text());
}
