#include "ui/model/dpi_math.h"

namespace mr {

int32_t toPixels(int32_t dips, uint32_t dpi) {
    if (dips <= 0)
        return dips;
    return static_cast<int32_t>((static_cast<uint32_t>(dips) * dpi + 48u) / 96u);
}

int32_t toDips(int32_t pixels, uint32_t dpi) {
    if (pixels <= 0 || dpi == 0)
        return pixels;
    return static_cast<int32_t>((static_cast<uint32_t>(pixels) * 96u + dpi / 2u) / dpi);
}

void applyMinimumSize(PixelRect& rect, SizingEdge edge, int32_t minWidth, int32_t minHeight) {
    if (rect.width() < minWidth) {
        if (edge == SizingEdge::Left || edge == SizingEdge::TopLeft ||
            edge == SizingEdge::BottomLeft)
            rect.left = rect.right - minWidth;
        else
            rect.right = rect.left + minWidth;
    }
    if (rect.height() < minHeight) {
        if (edge == SizingEdge::Bottom || edge == SizingEdge::BottomLeft ||
            edge == SizingEdge::BottomRight)
            rect.bottom = rect.top + minHeight;
        else
            rect.top = rect.bottom - minHeight;
    }
}

LayoutAnchor makeAnchor(int32_t controlId, AnchorMode horizontal, AnchorMode vertical,
                        int32_t referenceRight, int32_t referenceBottom, const PixelRect& control,
                        uint32_t dpi) {
    LayoutAnchor anchor;
    anchor.controlId = controlId;
    anchor.horizontal = horizontal;
    anchor.vertical = vertical;
    anchor.rightDistance = toDips(referenceRight - control.right, dpi);
    anchor.bottomDistance = toDips(referenceBottom - control.bottom, dpi);
    return anchor;
}

namespace {

// One axis: low and high are the control's left/right or top/bottom.
void follow(AnchorMode mode, int32_t target, int32_t& low, int32_t& high) {
    if (mode == AnchorMode::None || target == high)
        return;
    if (mode == AnchorMode::Move)
        low += target - high;
    high = target;
}

} // namespace

bool applyAnchor(const LayoutAnchor& anchor, PixelRect& control, int32_t cx, int32_t cy,
                 uint32_t dpi) {
    const PixelRect before = control;
    follow(anchor.horizontal, cx - toPixels(anchor.rightDistance, dpi), control.left,
           control.right);
    follow(anchor.vertical, cy - toPixels(anchor.bottomDistance, dpi), control.top, control.bottom);
    return !(control == before);
}

} // namespace mr
