#include "ui/model/field_layout.h"

#include "ui/model/dpi_math.h"

#include <algorithm>

namespace mr {

int32_t shrinkWidestFields(std::vector<FieldBox>& fields, int32_t request, uint32_t dpi) {
    int32_t max = 0, second = 0, n = 0;
    for (const FieldBox& f : fields) {
        const int32_t w = toPixels(f.width, dpi);
        if (w > max) {
            second = max;
            max = w;
            n = 1;
        } else if (w == max) {
            ++n;
        } else if (w > second) {
            second = w;
        }
    }
    const int32_t floor = toPixels(kFieldFloorDips, dpi);
    if (max <= floor || n == 0)
        return 0;
    int32_t target = std::max(second, floor);
    const int32_t possible = (max - target) * n;
    int32_t freed = possible;
    if (possible >= request) {
        target = max - (request + n - 1) / n;
        freed = request;
    }
    for (FieldBox& f : fields)
        if (toPixels(f.width, dpi) == max)
            f.width = toDips(target, dpi);
    return freed;
}

void layoutFields(std::vector<FieldBox>& fields, int32_t clientWidth, uint32_t dpi) {
    if (fields.empty())
        return;
    const int32_t gap = toPixels(kFieldGapDips, dpi);
    int32_t total = 0;
    for (FieldBox& f : fields) {
        int32_t w = toPixels(f.textWidth, dpi) + 2 * toPixels(kFieldPaddingDips, dpi);
        if (!f.isButton)
            w = std::max(w + toPixels(kEditExtraDips, dpi), toPixels(kFieldFloorDips, dpi));
        f.width = toDips(w, dpi);
        total += w;
    }
    total += static_cast<int32_t>(fields.size() - 1) * gap;
    while (total > clientWidth) {
        const int32_t freed = shrinkWidestFields(fields, total - clientWidth + 4 * gap, dpi);
        if (freed < 1)
            break;
        total -= freed;
    }
    int32_t x = total < clientWidth ? (clientWidth - total) / 2 : 0;
    for (FieldBox& f : fields) {
        f.x = toDips(x, dpi);
        x += toPixels(f.width, dpi) + gap;
    }
}

} // namespace mr
