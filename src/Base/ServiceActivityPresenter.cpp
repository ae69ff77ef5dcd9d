#include "Base/ServiceActivityPresenter.h"

#include "App/NavigatorInterface.h"

namespace {

// Command-line tools and core tests have no widgets to resolve a handle with; the navigator
// they installed (if any) still hears about the indicator.
class NavigatorActivity final : public ServiceActivityPresenter {
public:
    void showIndicator(const ScreenHandle& target) override { NavigatorInterface::share().addIndicator(target.object()); }
    void hideIndicator() override { NavigatorInterface::share().removeIndicator(); }
    bool showHUD(const ScreenHandle&, HudType) override { return false; }
    void hideHUD(const ScreenHandle&) override {}
};

ServiceActivityPresenter*& installed()
{
    static ServiceActivityPresenter* presenter = nullptr; // not owned
    return presenter;
}

} // namespace

ServiceActivityPresenter& ServiceActivityPresenter::current()
{
    static NavigatorActivity fallback;
    if (ServiceActivityPresenter* p = installed()) return *p;
    return fallback;
}

void ServiceActivityPresenter::install(ServiceActivityPresenter* presenter)
{
    installed() = presenter;
}
