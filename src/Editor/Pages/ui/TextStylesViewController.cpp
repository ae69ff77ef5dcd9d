#include "Editor/Pages/ui/TextStylesViewController.h"

#include "App/ui/NoDataView.h"
#include "platform/Localization.h"

#include <QVBoxLayout>

TextStylesViewController* TextStylesViewController::instantiate()
{
    return new TextStylesViewController;
}

TextStylesViewController::TextStylesViewController()
{
    setObjectName(QStringLiteral("TextStylesViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_noData = new NoDataView(this);
    m_noData->set(platform::localized("textStyles.empty.title"), platform::localized("textStyles.empty.info"));
    layout->addWidget(m_noData);
}

void TextStylesViewController::update(const std::vector<std::shared_ptr<FontModel>>& projectList,
                                      const std::vector<std::shared_ptr<FontModel>>& screenList)
{
    m_noData->setVisible(projectList.empty() && screenList.empty());
}
