#pragma once
// The working state of one derivation of the common pattern of a set of names.
#include "rename/name_rules.h"
#include "text/number_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mr {

namespace derive {
// Moves n past the digits that stand at it.
inline void skipDigits(std::u16string_view text, size_t& n) {
    while (n < text.size() && isDigit(text[n]))
        ++n;
}
} // namespace derive

constexpr size_t kCharTableSize = 65536;

struct DerivationContext {
    explicit DerivationContext(bool detectNumbers, const NameRules& rules = NameRules::windows());

    bool detectNumbers = true;
    // Names without extensions, cut to middle parts: views into the records, which
    // outlive a derivation, so that 100,000 names cost no allocation each.
    std::vector<std::u16string_view> names;
    bool smallAlphabet = false;     // only the first 256 table entries are maintained
    std::vector<uint8_t> charTable; // one flag per code unit, filled by the table build
    bool useNumberRuns = false;
    std::u16string extension;

    // Stands for one digit run while a pattern is built; never occurs in a name.
    char16_t marker = u':';
    // Stands for a wildcard field while a pattern is built. Where names may hold '*'
    // it is a code unit they cannot hold, so literal stars can be told apart.
    char16_t wildcard = u'*';
    // Names may hold '*' and '\', which the finished pattern must escape.
    bool escapeStarAndBackslash = false;

    bool inTable(char16_t c) const { return charTable[c] != 0; }
};

} // namespace mr
