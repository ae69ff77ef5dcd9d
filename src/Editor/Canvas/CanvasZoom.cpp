#include "Editor/Canvas/CanvasZoom.h"

#include <algorithm>
#include <cmath>

std::optional<double> CanvasZoom::clamped(double magnification)
{
    if (std::isnan(magnification)) return std::nullopt;
    return std::clamp(magnification, kMinMagnification, kMaxMagnification);
}

std::optional<double> CanvasZoom::afterWheel(double magnification, int angleDelta)
{
    return clamped(magnification * std::pow(kWheelNotchFactor, angleDelta / 120.0));
}

std::optional<double> CanvasZoom::afterPinch(double magnification, double value)
{
    if (!std::isfinite(value)) return std::nullopt;
    // A step that would shrink to nothing or less lands on the smallest magnification.
    return clamped(magnification * std::max(0.0, 1.0 + value));
}

QString CanvasZoom::label(double magnification)
{
    return QString::number(std::lround(magnification * 100.0)) + QLatin1Char('%');
}
