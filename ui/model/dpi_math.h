#pragma once
// Device-independent pixel arithmetic of the dialogs, free of any window system: the
// conversions, the minimum window size and the anchoring of controls to the edges.
#include <cstdint>

namespace mr {

constexpr uint32_t kDefaultDpi = 96;
constexpr int32_t kMinimumDialogWidthDips = 420;
constexpr int32_t kMinimumDialogHeightDips = 300;

// Unsigned 32-bit arithmetic; a value <= 0 is returned unchanged.
int32_t toPixels(int32_t dips, uint32_t dpi);
int32_t toDips(int32_t pixels, uint32_t dpi);

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The border being dragged, numbered as the window system numbers it.
enum class SizingEdge : uint32_t {
    Left = 1,
    Right = 2,
    Top = 3,
    TopLeft = 4,
    TopRight = 5,
    Bottom = 6,
    BottomLeft = 7,
    BottomRight = 8,
};

// Grows a proposed outer window rectangle to the minimum size, keeping the edge
// opposite the dragged one in place.
void applyMinimumSize(PixelRect& rect, SizingEdge edge, int32_t minWidth, int32_t minHeight);

enum class AnchorMode : uint32_t {
    None = 0,    // the control ignores that edge
    Stretch = 1, // its right or bottom side follows the edge
    Move = 2,    // it keeps its size and follows the edge
};

struct LayoutAnchor {
    int32_t controlId = 0;
    AnchorMode horizontal = AnchorMode::None;
    AnchorMode vertical = AnchorMode::None;
    int32_t rightDistance = 0;  // DIP
    int32_t bottomDistance = 0; // DIP
};

// Distances from the control's outer rectangle to the reference corner (the dialog's
// outer window rectangle), both in screen coordinates.
LayoutAnchor makeAnchor(int32_t controlId, AnchorMode horizontal, AnchorMode vertical,
                        int32_t referenceRight, int32_t referenceBottom, const PixelRect& control,
                        uint32_t dpi);

// Moves the control's client rectangle for a client area of cx by cy; true when it changed.
bool applyAnchor(const LayoutAnchor& anchor, PixelRect& control, int32_t cx, int32_t cy,
                 uint32_t dpi);

} // namespace mr
