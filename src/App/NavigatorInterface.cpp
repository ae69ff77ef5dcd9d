#include "App/NavigatorInterface.h"

namespace {

// Stands in until the application (or a test) installs its navigator: command-line tools and
// core tests run the service client without any window.
class NullNavigator final : public NavigatorInterface {
public:
    void activateApplication() override {}
    void showLoginViewController() override {}
    void closeAllWindowsAndBackToLogin() override {}
    void showProjectSelectionViewController(QObject*, std::function<void(bool)>) override {}
    void openExportArtboards(QObject*, const ProjectDisplayInfo&) override {}
    void showProjectsMainController(std::function<void(bool)>) override {}
    void addIndicator(QObject*) override {}
    void removeIndicator() override {}
};

NavigatorInterface*& installed()
{
    static NavigatorInterface* navigator = nullptr; // not owned
    return navigator;
}

} // namespace

NavigatorInterface& NavigatorInterface::share()
{
    static NullNavigator nullNavigator;
    if (NavigatorInterface* n = installed()) return *n;
    return nullNavigator;
}

void NavigatorInterface::install(NavigatorInterface* navigator)
{
    installed() = navigator;
}
