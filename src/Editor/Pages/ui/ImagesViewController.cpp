#include "Editor/Pages/ui/ImagesViewController.h"

#include "App/ui/NoDataView.h"
#include "platform/Localization.h"

#include <QVBoxLayout>

ImagesViewController* ImagesViewController::instantiate()
{
    return new ImagesViewController;
}

ImagesViewController::ImagesViewController()
{
    setObjectName(QStringLiteral("ImagesViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_noData = new NoDataView(this);
    m_noData->set(platform::localized("images.empty.title"), platform::localized("images.empty.info"));
    layout->addWidget(m_noData);
}

