#include "platform/common/case_mapping.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace mr {
namespace {

struct CaseRange {
    char16_t first;
    char16_t last;
    uint8_t stride;
    char16_t delta; // added modulo 2^16
};

#include "platform/common/case_table.inc"

template <size_t N>
char16_t mapUnit(const CaseRange (&table)[N], char16_t c) {
    // The last range that starts at or before c; ranges never overlap.
    const auto after = std::upper_bound(std::begin(table), std::end(table), c,
                                        [](char16_t u, const CaseRange& r) { return u < r.first; });
    if (after == std::begin(table))
        return c;
    const CaseRange& r = *std::prev(after);
    if (c > r.last || (c - r.first) % r.stride != 0)
        return c;
    return static_cast<char16_t>(c + r.delta);
}

} // namespace

char16_t toSimpleUpper(char16_t c) {
    return mapUnit(kUpperRanges, c);
}

char16_t toSimpleLower(char16_t c) {
    return mapUnit(kLowerRanges, c);
}

void toSimpleUpper(std::u16string& text) {
    for (auto& c : text)
        c = toSimpleUpper(c);
}

void toSimpleLower(std::u16string& text) {
    for (auto& c : text)
        c = toSimpleLower(c);
}

} // namespace mr
