#pragma once

#include "Import/Sketch/BaseSModel.h"

#include <QPointF>
#include <QRectF>

// A rectangle; also the frame of the editor's records.
struct FrameModel : BaseSModel {
    double height = 0;
    double width = 0;
    double x = 0;
    double y = 0;

    FrameModel() = default;
    // Each value rounded to one decimal, halves away from zero.
    explicit FrameModel(const QRectF& rect);
    static FrameModel zero();

    // Both edges count as inside.
    virtual bool contains(const QPointF& point) const;
};
BOOST_DESCRIBE_STRUCT(FrameModel, (BaseSModel), (height, width, x, y))
