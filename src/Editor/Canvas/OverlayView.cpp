#include "Editor/Canvas/OverlayView.h"

#include "Editor/Canvas/HighlightContainerView.h"

OverlayView::OverlayView(const QRectF& frameRect, const QColor& border, double width, const QColor& background)
    : frame(frameRect)
    , borderColor(border)
    , borderWidth(width)
    , backgroundColor(background)
{
}

OverlayView::~OverlayView() = default;

void OverlayView::removeFromSuperview()
{
    if (m_superview) m_superview->detachSubview(this);
}
