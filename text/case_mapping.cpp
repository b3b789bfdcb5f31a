#include "text/case_mapping.h"

#include <cstddef>
#include <cstdint>

namespace mr {
namespace {

struct CaseRange {
    char16_t first;
    char16_t last;
    uint8_t stride;
    char16_t delta; // added modulo 2^16
};

#include "text/case_table.inc"

template <size_t N>
constexpr size_t pagesNeeded(const CaseRange (&ranges)[N]) {
    bool used[256] = {};
    size_t pages = 1; // the page of zeros
    for (const CaseRange& r : ranges)
        for (uint32_t c = r.first; c <= r.last; c += r.stride)
            if (!used[c >> 8]) {
                used[c >> 8] = true;
                ++pages;
            }
    return pages;
}

template <size_t Pages>
struct CaseTable {
    uint8_t pageOf[256];
    char16_t deltas[Pages][256];
};

// Built while compiling, so the tables need no initialisation at run time.
template <size_t Pages, size_t N>
constexpr CaseTable<Pages> unfold(const CaseRange (&ranges)[N]) {
    CaseTable<Pages> table{};
    uint8_t next = 1;
    for (const CaseRange& r : ranges)
        for (uint32_t c = r.first; c <= r.last; c += r.stride) {
            uint8_t& page = table.pageOf[c >> 8];
            if (page == 0)
                page = next++;
            table.deltas[page][c & 0xFF] = r.delta;
        }
    return table;
}

constexpr auto kUpperTable = unfold<pagesNeeded(kUpperRanges)>(kUpperRanges);
constexpr auto kLowerTable = unfold<pagesNeeded(kLowerRanges)>(kLowerRanges);

} // namespace

const CasePages kSimpleUpper = {kUpperTable.pageOf, kUpperTable.deltas};
const CasePages kSimpleLower = {kLowerTable.pageOf, kLowerTable.deltas};

void toSimpleUpper(std::u16string& text) {
    for (auto& c : text)
        c = kSimpleUpper.map(c);
}

void toSimpleLower(std::u16string& text) {
    for (auto& c : text)
        c = kSimpleLower.map(c);
}

} // namespace mr
