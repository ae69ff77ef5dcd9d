#pragma once

#include <QSizeF>

// The fixed size of an artboard preview on the canvas; only the width is read.
class PreviewConstants {
public:
    static const QSizeF& previewSize();
};
