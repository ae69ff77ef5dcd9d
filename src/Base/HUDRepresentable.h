#pragma once

// A screen that shows its own HUD while a service call runs. The UI layer's activity presenter
// resolves a call's `hudRepresenter` to it; screens that want the HUD inherit this interface.

enum class HudType { none, loading };

class HUDRepresentable {
public:
    virtual ~HUDRepresentable() = default;
    virtual void showHUD(HudType type) = 0;
    virtual void hideHUD() = 0;
};
