#include "Components/ui/ComponentTypeSelectionViewController.h"

#include "App/ui/NoDataView.h"
#include "Editor/Pages/PageDisplayText.h"
#include "platform/Localization.h"

#include <QListWidget>
#include <QStackedLayout>

ComponentTypeSelectionViewController* ComponentTypeSelectionViewController::instantiate()
{
    return new ComponentTypeSelectionViewController;
}

ComponentTypeSelectionViewController::ComponentTypeSelectionViewController()
{
    setObjectName(QStringLiteral("ComponentTypeSelectionViewController"));
    m_body = new QStackedLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("componentTypeList"));
    m_body->addWidget(m_list);
    m_noData = new NoDataView(this);
    m_noData->set(platform::localized("componentTypes.empty.title"), platform::localized("componentTypes.empty.info"));
    m_body->addWidget(m_noData);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { Q_EMIT typeChosen(); });
    update({});
}

void ComponentTypeSelectionViewController::update(const std::vector<ComponentTypeDisplayInfo>& componentTypeList)
{
    m_types = componentTypeList;
    m_list->clear();
    for (const ComponentTypeDisplayInfo& type : m_types) {
        auto* item = new QListWidgetItem(PageDisplayText::bounded(type.name), m_list);
        item->setToolTip(PageDisplayText::bounded(type.info));
    }
    m_body->setCurrentWidget(m_types.empty() ? static_cast<QWidget*>(m_noData) : m_list);
}

std::optional<ComponentTypeDisplayInfo> ComponentTypeSelectionViewController::selectedType() const
{
    const int row = m_list->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_types.size()) return std::nullopt;
    return m_types[static_cast<std::size_t>(row)];
}
