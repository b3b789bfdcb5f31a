#pragma once
// Unicode simple case mapping, one code unit to one code unit, the same on every
// platform. Surrogates and characters without a one-unit mapping stay as they are.
// Record keys fold by it on every keystroke, so a unit maps by two table reads.
#include <cstdint>
#include <string>

namespace mr {

// Deltas (added modulo 2^16) in two levels: the high byte of a unit picks a page of
// 256 deltas; units without a mapping share a page of zeros.
struct CasePages {
    const uint8_t* pageOf;
    const char16_t (*deltas)[256];

    char16_t map(char16_t c) const {
        return static_cast<char16_t>(c + deltas[pageOf[c >> 8]][c & 0xFF]);
    }
};

extern const CasePages kSimpleUpper;
extern const CasePages kSimpleLower;

inline char16_t toSimpleUpper(char16_t c) {
    return kSimpleUpper.map(c);
}

inline char16_t toSimpleLower(char16_t c) {
    return kSimpleLower.map(c);
}

void toSimpleUpper(std::u16string& text);
void toSimpleLower(std::u16string& text);

} // namespace mr
