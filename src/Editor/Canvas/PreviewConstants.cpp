#include "Editor/Canvas/PreviewConstants.h"

const QSizeF& PreviewConstants::previewSize()
{
    static const QSizeF size(375.0, 667.0);
    return size;
}
