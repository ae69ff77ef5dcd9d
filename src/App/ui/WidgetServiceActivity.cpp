#include "App/ui/WidgetServiceActivity.h"

#include "App/NavigatorInterface.h"

#include <QWidget>

namespace {
HUDRepresentable* hudOf(const ScreenHandle& screen)
{
    return dynamic_cast<HUDRepresentable*>(screen.object());
}
} // namespace

WidgetServiceActivity& WidgetServiceActivity::shared()
{
    static WidgetServiceActivity activity;
    return activity;
}

void WidgetServiceActivity::showIndicator(const ScreenHandle& target)
{
    // Only a widget can be covered; anything else falls back to the key window.
    NavigatorInterface::share().addIndicator(qobject_cast<QWidget*>(target.object()));
}

void WidgetServiceActivity::hideIndicator()
{
    NavigatorInterface::share().removeIndicator();
}

bool WidgetServiceActivity::showHUD(const ScreenHandle& screen, HudType type)
{
    HUDRepresentable* hud = hudOf(screen);
    if (!hud) return false;
    hud->showHUD(type);
    return true;
}

void WidgetServiceActivity::hideHUD(const ScreenHandle& screen)
{
    if (HUDRepresentable* hud = hudOf(screen)) hud->hideHUD();
}
