#pragma once

#include <QString>

#include <optional>

// The canvas magnification: its limits, the steps that the zoom buttons, a mouse wheel and a
// touchpad pinch take, and the text of the percentage label.
class CanvasZoom {
public:
    static constexpr double kMinMagnification = 0.5;
    static constexpr double kMaxMagnification = 4.0;
    static constexpr double kButtonStep = 0.5;
    // One notch of a mouse wheel (120 eighths of a degree) magnifies or reduces by this factor;
    // the finer steps of a high-resolution wheel or a touchpad scale in proportion.
    static constexpr double kWheelNotchFactor = 1.25;

    // The magnification kept within its limits; none for a value that is not a number, which
    // must leave the canvas as it is.
    static std::optional<double> clamped(double magnification);
    // After a wheel turn of `angleDelta` eighths of a degree (positive away from the user: larger).
    static std::optional<double> afterWheel(double magnification, int angleDelta);
    // After a pinch step; `value` is the step's relative change of scale (0.1 is 10% larger).
    static std::optional<double> afterPinch(double magnification, double value);
    // The label: the magnification in percent, rounded half away from zero ("150%").
    static QString label(double magnification);
};
