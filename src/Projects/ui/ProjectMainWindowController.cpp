#include "Projects/ui/ProjectMainWindowController.h"

#include "Account/UserProfile.h"
#include "App/MixpanelManager.h"
#include "App/NavigatorInterface.h"
#include "Projects/ui/ProjectsViewController.h"
#include "platform/Localization.h"

#include <QAction>
#include <QToolBar>

ProjectMainWindowController::ProjectMainWindowController(QWidget* parent)
    : WindowController(parent)
{
    setObjectName(QStringLiteral("ProjectMainWindowController"));
    setMinimumSize(640, 440);
    resize(900, 600);

    auto* toolBar = addToolBar(platform::localized("projectMain.toolbar"));
    toolBar->setObjectName(QStringLiteral("mainToolBar"));
    toolBar->setMovable(false);
    m_refreshAction = toolBar->addAction(platform::localized("projectMain.refresh"));
    m_refreshAction->setObjectName(QStringLiteral("refreshAction"));
    connect(m_refreshAction, &QAction::triggered, this, &ProjectMainWindowController::refresh);
    m_signOutAction = toolBar->addAction(platform::localized("projectMain.signOut"));
    m_signOutAction->setObjectName(QStringLiteral("signOutAction"));
    connect(m_signOutAction, &QAction::triggered, this, &ProjectMainWindowController::signOut);

    setContentViewController(ProjectsViewController::instantiate());
}

ProjectsViewController* ProjectMainWindowController::projectsViewController() const
{
    return qobject_cast<ProjectsViewController*>(contentViewController());
}

void ProjectMainWindowController::updateProjects(const AllProjectResponse& response)
{
    if (auto* projects = projectsViewController()) projects->updateProjects(response);
}

void ProjectMainWindowController::signOut()
{
    MixpanelManager::mixPanelLog(MixpanelManager::userNameValue(), MixpanelManager::userEmailValue(),
                                 MixPanelEventCode::LOGOUT, {});
    UserProfile::shared().signOut();
}

void ProjectMainWindowController::refresh()
{
    NavigatorInterface::share().showProjectsMainController({});
}
