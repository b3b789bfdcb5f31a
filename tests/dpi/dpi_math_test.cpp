// Pixel and DIP conversions, the minimum window size and anchoring to the edges.
#include "ui/model/dpi_math.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>

namespace mr {
namespace {

auto edges(const PixelRect& r) {
    return std::tuple(r.left, r.top, r.right, r.bottom);
}

TEST(DpiMath, ConvertsBothWaysWithRoundingAndLeavesZeroAndNegativesAlone) {
    const struct {
        uint32_t dpi;
        int32_t dips, pixels;
    } table[] = {
        {144, 66, 99}, {96, 420, 420},  {120, 300, 375},
        {144, 1, 2},   {120, 2, 3}, // halves round up
        {144, 0, 0},   {144, -99, -99}, {144, INT32_MIN, INT32_MIN},
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
        SizingEdge edge;
        PixelRect proposed, expected;
    } table[] = {
        {SizingEdge::Left, {300, 0, 500, 400}, {80, 0, 500, 400}},
        {SizingEdge::TopLeft, {300, 250, 500, 400}, {80, 100, 500, 400}},
        {SizingEdge::TopRight, {10, 350, 20, 400}, {10, 100, 430, 400}},
        {SizingEdge::BottomLeft, {300, 0, 500, 100}, {80, 0, 500, 300}},
        {SizingEdge::BottomRight, {0, 0, 420, 300}, {0, 0, 420, 300}}, // exactly the minimum
        {SizingEdge::Right, {50, 50, 40, 40}, {50, -260, 470, 40}},    // inverted: grows
    };
    for (const auto& row : table) {
        PixelRect r = row.proposed;
        applyMinimumSize(r, row.edge, kMinimumDialogWidthDips, kMinimumDialogHeightDips);
        EXPECT_EQ(edges(r), edges(row.expected)) << static_cast<int>(row.edge);
    }
}

TEST(DpiMath, AnchorsFollowTheClientEdgesAtDistancesMeasuredInDips) {
    // Distances of 20 DIP to the right and 10 DIP to the bottom, client 300 x 200.
    constexpr auto Move = AnchorMode::Move, Stretch = AnchorMode::Stretch, None = AnchorMode::None;
    const struct {
        AnchorMode horizontal, vertical;
        uint32_t dpi;
        PixelRect control, expected;
        bool changed;
    } table[] = {
        {Move, Move, 96, {100, 100, 150, 120}, {230, 170, 280, 190}, true},
        {Stretch, Stretch, 96, {10, 10, 150, 120}, {10, 10, 280, 190}, true},
        {None, Move, 96, {100, 100, 150, 120}, {100, 170, 150, 190}, true},
        {Move, Stretch, 96, {230, 0, 280, 190}, {230, 0, 280, 190}, false},
        {Move, Move, 144, {0, 0, 50, 20}, {220, 165, 270, 185}, true},
    };
    for (const auto& row : table) {
        const LayoutAnchor anchor{1503, row.horizontal, row.vertical, 20, 10};
        PixelRect r = row.control;
        EXPECT_EQ(applyAnchor(anchor, r, 300, 200, row.dpi), row.changed) << &row - table;
        EXPECT_EQ(edges(r), edges(row.expected)) << &row - table;
    }
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
