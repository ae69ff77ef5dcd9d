#pragma once

#include "Editor/ConstraintAttributes.h"

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// A constraint line with end caps, drawn from tinted images along or across the view.
class ConstraintView {
public:
    bool isVertical = false;
    ConstraintAttributes type = ConstraintAttributes::bottom;
    double constantLength = 0.0;
    QColor selectionColor = QColor(Qt::white);

    struct CapImages {
        QString start;
        QString centre;
        QString end;
    };
    // The images for the constraint's type; the line turns vertical for top and bottom,
    // horizontal for leading and trailing, and keeps its direction for the others.
    CapImages prepareCaps();

    void draw(QPainter& painter, const QRectF& rect);
};
