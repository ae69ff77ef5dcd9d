#include "Editor/Pages/ui/ViewsViewController.h"

#include "App/ui/NoDataView.h"
#include "platform/Localization.h"

#include <QVBoxLayout>

ViewsViewController* ViewsViewController::instantiate()
{
    return new ViewsViewController;
}

ViewsViewController::ViewsViewController()
{
    setObjectName(QStringLiteral("ViewsViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_noData = new NoDataView(this);
    m_noData->set(platform::localized("views.empty.title"), platform::localized("views.empty.info"));
    layout->addWidget(m_noData);
}

void ViewsViewController::update(const std::vector<std::shared_ptr<ViewInfo>>& list,
                                 const std::vector<std::shared_ptr<TreeViewInfo>>& treeViewList)
{
    (void)treeViewList;
    m_noData->setVisible(list.empty());
}
