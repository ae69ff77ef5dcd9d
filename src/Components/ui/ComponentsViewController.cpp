#include "Components/ui/ComponentsViewController.h"

#include "App/DisplayDate.h"
#include "App/ui/NoDataView.h"
#include "App/ui/SearchableListHeader.h"
#include "Editor/Pages/PageDisplayText.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuViewController.h"
#include "platform/Dialogs.h"
#include "platform/Localization.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStackedLayout>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The form the search compares in: lower-cased, and as UTF-8 for a search in linear time.
std::string lowerCasedUtf8(const QString& text)
{
    const QByteArray utf8 = text.toLower().toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace

ComponentsViewController* ComponentsViewController::instantiate()
{
    return new ComponentsViewController;
}

ComponentsViewController::ComponentsViewController()
{
    setObjectName(QStringLiteral("ComponentsViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_header = new SearchableListHeader(this);
    layout->addWidget(m_header);
    m_header->setupView(
        platform::localized("components.title"), false, {}, false, {},
        [this] {
            if (auto* side = editorhierarchy::sideMenuOfPage(this)) side->closeMenuContent();
        },
        {},
        [this](ComponentSearchScope, const QString& text) {
            m_filter = SubstringSearch(lowerCasedUtf8(text));
            reload();
        });

    auto* body = new QWidget(this);
    m_body = new QStackedLayout(body);
    m_table = new QTableWidget(0, 3, body);
    m_table->setObjectName(QStringLiteral("componentsTable"));
    m_table->setHorizontalHeaderLabels({platform::localized("components.column.name"),
                                        platform::localized("components.column.type"),
                                        platform::localized("components.column.updated")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_body->addWidget(m_table);
    m_noData = new NoDataView(body);
    m_noData->set(platform::localized("components.empty.title"), platform::localized("components.empty.info"));
    m_body->addWidget(m_noData);
    layout->addWidget(body, 1);

    m_delete = new QPushButton(platform::localized("components.delete"), this);
    m_delete->setObjectName(QStringLiteral("deleteComponentButton"));
    m_delete->setEnabled(false);
    layout->addWidget(m_delete);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this] { m_delete->setEnabled(!m_table->selectedItems().isEmpty()); });
    connect(m_delete, &QPushButton::clicked, this, [this] { removeRow(m_table->currentRow()); });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const auto index = m_table->item(row, 0) ? m_table->item(row, 0)->data(Qt::UserRole).toULongLong() : m_components.size();
        auto* content = parentAs<SideMenuContentViewController>();
        if (content && index < m_components.size()) content->open(SideMenuContentType::componentInfo, m_components[index]);
    });
    reload();
}

void ComponentsViewController::update(const std::vector<ComponentDisplayInfo>& componentlist)
{
    m_components = componentlist;
    // lower-cased once here rather than on every keystroke
    m_lowerCasedNames.clear();
    m_lowerCasedNames.reserve(m_components.size());
    for (const ComponentDisplayInfo& component : m_components)
        m_lowerCasedNames.push_back(lowerCasedUtf8(QString::fromStdString(component.name)));
    reload();
}

void ComponentsViewController::reload()
{
    m_table->setRowCount(0);
    int row = 0;
    for (std::size_t i = 0; i < m_components.size(); ++i) {
        const ComponentDisplayInfo& component = m_components[i];
        if (!m_filter.isFoundIn(m_lowerCasedNames[i])) continue;
        m_table->insertRow(row);
        auto* nameItem = new QTableWidgetItem(PageDisplayText::bounded(component.name));
        nameItem->setData(Qt::UserRole, static_cast<qulonglong>(i));
        m_table->setItem(row, 0, nameItem);
        m_table->setItem(row, 1,
                         new QTableWidgetItem(PageDisplayText::bounded(component.componentTypeName.empty()
                                                                           ? component.componentTypeKey
                                                                           : component.componentTypeName)));
        m_table->setItem(row, 2, new QTableWidgetItem(DisplayDate::text(component.updateTime)));
        ++row;
    }
    m_body->setCurrentWidget(m_components.empty() ? static_cast<QWidget*>(m_noData) : m_table);
    m_delete->setEnabled(false);
}

void ComponentsViewController::removeRow(int row)
{
    if (row < 0 || row >= m_table->rowCount() || !m_table->item(row, 0)) return;
    const auto index = m_table->item(row, 0)->data(Qt::UserRole).toULongLong();
    if (index >= m_components.size()) return;
    const std::string componentId = m_components[index].componentId;
    const int answer = platform::Dialogs::presenter().confirmation(
        QStringLiteral("You are about to delete component. It'll delete all instances of the component. Are you sure?"),
        {platform::localized("components.delete"), platform::localized("common.cancel")}, QString());
    if (answer != platform::kAlertFirstButtonReturn) return;
    if (auto* editor = editorhierarchy::editorOfPage(this)) editor->deleteComponent(componentId, m_components);
}
