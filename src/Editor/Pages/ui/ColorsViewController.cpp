#include "Editor/Pages/ui/ColorsViewController.h"

#include "App/ui/NoDataView.h"
#include "platform/Localization.h"

#include <QVBoxLayout>

ColorsViewController* ColorsViewController::instantiate()
{
    return new ColorsViewController;
}

ColorsViewController::ColorsViewController()
{
    setObjectName(QStringLiteral("ColorsViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_noData = new NoDataView(this);
    m_noData->set(platform::localized("colors.empty.title"), platform::localized("colors.empty.info"));
    layout->addWidget(m_noData);
}

void ColorsViewController::update(const std::vector<std::shared_ptr<ColorModel>>& projectList,
                                  const std::vector<std::shared_ptr<ColorModel>>& screenList)
{
    m_noData->setVisible(projectList.empty() && screenList.empty());
}
