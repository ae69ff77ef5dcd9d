#include "Import/Sketch/FrameModel.h"

#include <cmath>

namespace {
double roundToOneDecimal(double value)
{
    // std::round takes halves away from zero, which is what the design tools show
    return std::round(value * 10.0) / 10.0;
}
} // namespace

FrameModel::FrameModel(const QRectF& rect)
    : height(roundToOneDecimal(rect.height()))
    , width(roundToOneDecimal(rect.width()))
    , x(roundToOneDecimal(rect.x()))
    , y(roundToOneDecimal(rect.y()))
{
}

FrameModel FrameModel::zero()
{
    return FrameModel(QRectF());
}

bool FrameModel::contains(const QPointF& point) const
{
    return x <= point.x() && point.x() <= x + width && y <= point.y() && point.y() <= y + height;
}
