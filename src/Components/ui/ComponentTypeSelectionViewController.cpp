#include "Components/ui/ComponentTypeSelectionViewController.h"

#include "App/ui/NoDataView.h"
#include "Components/ComponentTypeListModel.h"
#include "platform/Localization.h"

#include <QListView>
#include <QStackedLayout>

ComponentTypeSelectionViewController* ComponentTypeSelectionViewController::instantiate()
{
    return new ComponentTypeSelectionViewController;
}

ComponentTypeSelectionViewController::ComponentTypeSelectionViewController()
{
    setObjectName(QStringLiteral("ComponentTypeSelectionViewController"));
    m_types = new ComponentTypeListModel(this);
    m_body = new QStackedLayout(this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("componentTypeList"));
    m_list->setModel(m_types);
    m_body->addWidget(m_list);
    m_noData = new NoDataView(this);
    m_noData->set(platform::localized("componentTypes.empty.title"), platform::localized("componentTypes.empty.info"));
    m_body->addWidget(m_noData);
    connect(m_list, &QListView::doubleClicked, this, [this] { Q_EMIT typeChosen(); });
    update({});
}

void ComponentTypeSelectionViewController::update(const std::vector<ComponentTypeDisplayInfo>& componentTypeList)
{
    m_types->update(componentTypeList);
    m_body->setCurrentWidget(componentTypeList.empty() ? static_cast<QWidget*>(m_noData) : m_list);
}

const std::vector<ComponentTypeDisplayInfo>& ComponentTypeSelectionViewController::componentTypeList() const
{
    return m_types->types();
}

std::optional<ComponentTypeDisplayInfo> ComponentTypeSelectionViewController::selectedType() const
{
    return m_types->typeAt(m_list->currentIndex().row());
}
