#pragma once

#include "Base/ServiceActivityPresenter.h"

// Resolves the service client's screen handles to widgets: the indicator goes through the
// navigator's indicator manager, the HUD to a screen that implements HUDRepresentable.
class WidgetServiceActivity final : public ServiceActivityPresenter {
public:
    static WidgetServiceActivity& shared();

    void showIndicator(const ScreenHandle& target) override;
    void hideIndicator() override;
    bool showHUD(const ScreenHandle& screen, HudType type) override;
    void hideHUD(const ScreenHandle& screen) override;
};
