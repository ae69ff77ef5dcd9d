#include "Components/ui/ComponentInfoViewController.h"

#include "App/DisplayDate.h"
#include "App/ui/NoDataView.h"
#include "Editor/Pages/PageDisplayText.h"
#include "platform/Localization.h"

#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

ComponentInfoViewController* ComponentInfoViewController::instantiate()
{
    return new ComponentInfoViewController;
}

ComponentInfoViewController::ComponentInfoViewController()
{
    setObjectName(QStringLiteral("ComponentInfoViewController"));
    m_body = new QStackedLayout(this);
    auto* info = new QWidget(this);
    auto* layout = new QVBoxLayout(info);
    m_name = new QLabel(info);
    m_name->setObjectName(QStringLiteral("componentNameLabel"));
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    layout->addWidget(m_name);
    m_details = new QLabel(info);
    m_details->setWordWrap(true);
    layout->addWidget(m_details);
    layout->addStretch(1);
    m_body->addWidget(info);
    m_noData = new NoDataView(this);
    m_noData->set(platform::localized("componentInfo.empty.title"), platform::localized("componentInfo.empty.info"));
    m_body->addWidget(m_noData);
    update(std::nullopt);
}

void ComponentInfoViewController::update(const std::optional<ComponentDisplayInfo>& component)
{
    m_component = component;
    if (!component) {
        m_body->setCurrentWidget(m_noData);
        return;
    }
    m_name->setText(PageDisplayText::bounded(component->name));
    m_details->setText(platform::localizedFormat(
        "componentInfo.details",
        {PageDisplayText::bounded(component->componentTypeName.empty() ? component->componentTypeKey
                                                                       : component->componentTypeName),
         PageDisplayText::bounded(component->classNameString), QString::number(component->instanceCount),
         DisplayDate::text(component->updateTime)}));
    m_body->setCurrentIndex(0);
}
