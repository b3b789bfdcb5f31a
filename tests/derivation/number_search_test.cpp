// The memo, merged walks and search ceiling leave the number search exactly as the plain one.
#include "name_families.h"
#include "platform/common/utf8.h"
#include "reference_derivation.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

struct SearchShape {
    std::u16string alphabet;
    size_t minParts, maxParts, maxLength;
    bool fromTemplate = false; // copies of one text with digits redrawn: many candidates tie
    int rounds = 300;
};

// A copy of `text` whose digits differ here and there, as numbered names do.
std::u16string redrawDigits(test::Rng& rng, const std::u16string& text) {
    std::u16string out;
    for (char16_t c : text) {
        const unsigned change = derive::isDigit(c) && rng() % 3 == 0 ? 1 + rng() % 3 : 0;
        if (change == 0 || change == 2) // kept, or widened
            out += c;
        if (change >= 2) // widened, or redrawn; a dropped digit can end or join a run
            out += static_cast<char16_t>(u'0' + rng() % 10);
    }
    return out;
}

TEST(NumberSearch, MatchesThePlainSearch) {
    const SearchShape shapes[] = {
        {u"01a", 2, 5, 18},
        {u"0123456789a-", 2, 6, 24},
        {u"01:a", 2, 5, 16}, // the marker character inside names
        {u"001a", 20, 60, 60, false, 60},
        {u"0123456789a-", 4, 8, 20, true, 60},
        {u"01:a", 4, 8, 20, true, 60},
    };
    test::Rng rng(99);
    for (const SearchShape& shape : shapes) {
        for (int round = 0; round < shape.rounds; ++round) {
            DerivationContext context(true);
            const size_t count = shape.minParts + rng() % (shape.maxParts - shape.minParts + 1);
            const std::u16string model = test::randomText(rng, shape.alphabet, shape.maxLength);
            for (size_t p = 0; p < count; ++p)
                context.names.push_back(
                    shape.fromTemplate
                        ? redrawDigits(rng, model)
                        : test::randomText(rng, shape.alphabet, rng() % (shape.maxLength + 1)));
            buildCommonCharTable(context);
            const std::string where = toUtf8(shape.alphabet) + " round " + std::to_string(round);
            ASSERT_EQ(bestCommonRunWithNumbers(context, context.names),
                      reference::bestCommonRunWithNumbers(context, context.names))
                << where;
            ASSERT_EQ(deriveMiddleWithNumbers(context, context.names),
                      reference::deriveMiddleWithNumbers(context, context.names))
                << where;
        }
    }
}

} // namespace
} // namespace mr
