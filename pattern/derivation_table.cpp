// The characters that occur in every middle part: only they can belong to a piece
// that all middle parts share.
#include "pattern/derivation.h"

#include <algorithm>

namespace mr {

// Works like intersecting the whole table with each part's characters, but keeps the
// list of entries still set, so each part costs its own length instead of a pass over
// the table. Entries above 255 stop being maintained once the alphabet is small.
void buildCommonCharTable(DerivationContext& context) {
    // Allocated here, once per derivation: a set of names that the prefix covers
    // entirely never needs it.
    std::vector<uint8_t>& table = context.charTable;
    table.assign(kCharTableSize, 1);
    context.useNumberRuns = context.detectNumbers;

    std::vector<uint8_t> scratch(kCharTableSize, 0);
    std::vector<char16_t> live; // exactly the set entries below liveRange
    size_t liveRange = 0;

    for (const auto& part : context.names) {
        if (!context.smallAlphabet &&
            std::all_of(part.begin(), part.end(), [](char16_t c) { return c < 256; }))
            context.smallAlphabet = true;
        const size_t range = context.smallAlphabet ? 256 : kCharTableSize;

        for (const char16_t c : part)
            if (c < range)
                scratch[c] = 1;
        if (liveRange != range) {
            live.clear();
            for (size_t c = 0; c < range; ++c) {
                table[c] &= scratch[c];
                if (table[c])
                    live.push_back(static_cast<char16_t>(c));
            }
            liveRange = range;
        } else {
            std::erase_if(live, [&](char16_t c) {
                if (scratch[c])
                    return false;
                table[c] = 0;
                return true;
            });
        }
        for (const char16_t c : part)
            scratch[c] = 0;

        if (context.useNumberRuns && std::none_of(part.begin(), part.end(), isDigit))
            context.useNumberRuns = false;
    }
    if (context.useNumberRuns)
        std::fill(table.begin() + u'0', table.begin() + u'9' + 1, uint8_t{1});
}

} // namespace mr
