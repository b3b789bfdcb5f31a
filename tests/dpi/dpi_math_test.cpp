// Pixel and DIP conversions, the minimum window size and anchoring to the edges.
#include "ui/model/dpi_math.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <utility>

namespace mr {

void PrintTo(const PixelRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
namespace {

TEST(DpiMath, ConvertsBothWaysWithRoundingAndLeavesZeroAndNegativesAlone) {
    const struct {
        uint32_t dpi;
        int32_t dips, pixels;
    } table[] = {
        // clang-format off
        {144, 66, 99}, {96, 420, 420}, {120, 300, 375}, {192, 20, 40}, {168, 40, 70},
        {144, 1, 2}, {120, 2, 3}, {72, 1, 1}, // halves and three quarters round up
        {144, 0, 0}, {144, -99, -99}, {144, INT32_MIN, INT32_MIN},
        // clang-format on
    };
    for (const auto& row : table) {
        EXPECT_EQ(toPixels(row.dips, row.dpi), row.pixels) << row.dpi << " dpi, " << row.dips;
        EXPECT_EQ(toDips(row.pixels, row.dpi), row.dips) << row.dpi << " dpi, " << row.pixels;
    }
    EXPECT_EQ(toDips(5, 0), 5); // no division by a zero dpi
    // Too large for 32 bits: wraps in unsigned arithmetic, never traps.
    EXPECT_EQ(toPixels(30000000, 144), static_cast<int32_t>((30000000u * 144u + 48u) / 96u));
}

TEST(DpiMath, MinimumSizeKeepsTheEdgeOppositeTheDraggedOne) {
    const struct {
        const char* what;
        SizingEdge edge;
        PixelRect proposed, expected;
    } table[] = {
        // clang-format off
        {"left keeps right", SizingEdge::Left, {300, 0, 500, 400}, {80, 0, 500, 400}},
        {"top-left keeps right and bottom", SizingEdge::TopLeft, {300, 250, 500, 400}, {80, 100, 500, 400}},
        {"bottom-left keeps right and top", SizingEdge::BottomLeft, {300, 0, 500, 100}, {80, 0, 500, 300}},
        {"right keeps left", SizingEdge::Right, {100, 0, 200, 400}, {100, 0, 520, 400}},
        {"top keeps bottom", SizingEdge::Top, {0, 350, 500, 400}, {0, 100, 500, 400}},
        {"top-right keeps left and bottom", SizingEdge::TopRight, {10, 350, 20, 400}, {10, 100, 430, 400}},
        {"bottom keeps top", SizingEdge::Bottom, {0, 10, 500, 20}, {0, 10, 500, 310}},
        {"bottom-right keeps left and top", SizingEdge::BottomRight, {5, 5, 6, 6}, {5, 5, 425, 305}},
        {"exactly the minimum", SizingEdge::BottomRight, {0, 0, 420, 300}, {0, 0, 420, 300}},
        {"inverted rectangle grows", SizingEdge::Right, {50, 50, 40, 40}, {50, -260, 470, 40}},
        // clang-format on
    };
    for (const auto& row : table) {
        PixelRect r = row.proposed;
        applyMinimumSize(r, row.edge, kMinimumDialogWidthDips, kMinimumDialogHeightDips);
        EXPECT_EQ(r, row.expected) << row.what;
    }
}

TEST(DpiMath, AnchorsFollowTheClientEdges) {
    // Distances of 20 DIP to the right and 10 DIP to the bottom, client 300 x 200.
    constexpr auto Move = AnchorMode::Move, Stretch = AnchorMode::Stretch, None = AnchorMode::None;
    const struct {
        const char* what;
        AnchorMode horizontal, vertical;
        uint32_t dpi;
        PixelRect control, expected;
        bool changed;
    } table[] = {
        // clang-format off
        {"move follows both edges", Move, Move, 96, {100, 100, 150, 120}, {230, 170, 280, 190}, true},
        {"stretch keeps left and top", Stretch, Stretch, 96, {10, 10, 150, 120}, {10, 10, 280, 190}, true},
        {"none ignores the edge", None, Move, 96, {100, 100, 150, 120}, {100, 170, 150, 190}, true},
        {"already in place", Move, Stretch, 96, {230, 0, 280, 190}, {230, 0, 280, 190}, false},
        {"distances scale with dpi", Move, Move, 144, {0, 0, 50, 20}, {220, 165, 270, 185}, true},
        {"shrinking moves back", Move, None, 96, {500, 0, 550, 20}, {230, 0, 280, 20}, true},
        // clang-format on
    };
    for (const auto& row : table) {
        const LayoutAnchor anchor{1503, row.horizontal, row.vertical, 20, 10};
        PixelRect r = row.control;
        EXPECT_EQ(applyAnchor(anchor, r, 300, 200, row.dpi), row.changed) << row.what;
        EXPECT_EQ(r, row.expected) << row.what;
    }
}

TEST(DpiMath, AnchorDistancesAreMeasuredInDips) {
    const PixelRect control{400, 300, 570, 355}; // 30 and 45 pixels before 600 x 400
    const LayoutAnchor in =
        makeAnchor(1, AnchorMode::Move, AnchorMode::Stretch, 600, 400, control, 144);
    EXPECT_EQ(std::pair(in.rightDistance, in.bottomDistance), std::pair(20, 30));
    // A control beyond the reference keeps its negative distance unconverted.
    const LayoutAnchor out =
        makeAnchor(2, AnchorMode::Move, AnchorMode::Move, 500, 300, control, 144);
    EXPECT_EQ(std::pair(out.rightDistance, out.bottomDistance), std::pair(-70, -55));
}

} // namespace
} // namespace mr
