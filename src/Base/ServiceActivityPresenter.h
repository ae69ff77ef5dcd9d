#pragma once

// How a running service call is shown: the loading indicator over a view, or a screen's own HUD.
// Installed like the dialog presenter: the UI layer installs one that resolves the screen
// handles to widgets; tests install a recording one. Without one, the indicator goes to the
// installed navigator and no HUD is shown.

#include "Base/HUDRepresentable.h"
#include "Base/ScreenHandle.h"

class ServiceActivityPresenter {
public:
    virtual ~ServiceActivityPresenter() = default;

    // Covers `target` (empty: the key window) with the loading indicator / removes it.
    virtual void showIndicator(const ScreenHandle& target) = 0;
    virtual void hideIndicator() = 0;
    // Asks `screen` to show its own HUD; false when it has none (then no hideHUD follows).
    virtual bool showHUD(const ScreenHandle& screen, HudType type) = 0;
    virtual void hideHUD(const ScreenHandle& screen) = 0;

    static ServiceActivityPresenter& current();
    static void install(ServiceActivityPresenter* presenter); // not owned; nullptr: the default
};
