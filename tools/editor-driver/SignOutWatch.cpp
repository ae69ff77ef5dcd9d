#include "SignOutWatch.h"

#include <utility>

SignOutWatch::SignOutWatch()
    : m_next(NavigatorInterface::share())
{
    NavigatorInterface::install(this);
}

SignOutWatch::~SignOutWatch()
{
    if (&NavigatorInterface::share() == this) NavigatorInterface::install(&m_next);
}

void SignOutWatch::closeAllWindowsAndBackToLogin()
{
    // Signing out is the only way here.
    m_signedOut = true;
    m_next.closeAllWindowsAndBackToLogin();
}

void SignOutWatch::activateApplication()
{
    m_next.activateApplication();
}

void SignOutWatch::showLoginViewController()
{
    m_next.showLoginViewController();
}

void SignOutWatch::showProjectSelectionViewController(QObject* window, std::function<void(bool shown)> completion)
{
    m_next.showProjectSelectionViewController(window, std::move(completion));
}

void SignOutWatch::openExportArtboards(QObject* window, const ProjectDisplayInfo& project)
{
    m_next.openExportArtboards(window, project);
}

void SignOutWatch::bringWindowToFront(QObject* window)
{
    m_next.bringWindowToFront(window);
}

void SignOutWatch::showProjectsMainController(std::function<void(bool shown)> completion)
{
    m_next.showProjectsMainController(std::move(completion));
}

void SignOutWatch::addIndicator(QObject* target)
{
    m_next.addIndicator(target);
}

void SignOutWatch::removeIndicator()
{
    m_next.removeIndicator();
}
