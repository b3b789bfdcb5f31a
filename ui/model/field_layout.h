#pragma once
// The arithmetic of the pattern field row: widths from measured texts, narrowing the
// widest controls when the row does not fit, and centring. Sizes are kept in DIP.
#include <cstdint>
#include <vector>

namespace mr {

struct FieldBox {
    int32_t textWidth = 0; // measured text width, DIP; 0 for an empty text
    bool isButton = false;
    int32_t width = 0; // from the last layout, DIP
    int32_t x = 0;     // from the last layout, DIP
};

constexpr int32_t kFieldHeightDips = 22;
constexpr int32_t kFieldGapDips = 4;
constexpr int32_t kFieldPaddingDips = 6;
constexpr int32_t kEditExtraDips = 24;
constexpr int32_t kFieldFloorDips = 30;
constexpr int32_t kFieldRowTopDips = 66;

// Lays the row out for a client area `clientWidth` pixels wide.
void layoutFields(std::vector<FieldBox>& fields, int32_t clientWidth, uint32_t dpi);

// Narrows the widest fields, level by level and never below the floor, to free up to
// `request` pixels; returns the pixels freed.
int32_t shrinkWidestFields(std::vector<FieldBox>& fields, int32_t request, uint32_t dpi);

} // namespace mr
