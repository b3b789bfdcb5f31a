#include "name_families.h"
#include "reference_derivation.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

struct SearchShape {
    const char* what;
    std::u16string alphabet;
    size_t minParts;
    size_t maxParts;
    size_t maxLength;
    // Parts are copies of one text with digits redrawn and digit runs widened or cut,
    // so long pieces are shared up to their numbers and many candidates tie.
    bool fromTemplate = false;
    int rounds = 300;
};

void PrintTo(const SearchShape& shape, std::ostream* out) {
    *out << shape.what;
}

// A copy of `text` whose digits differ here and there, as numbered names do.
std::u16string redrawDigits(test::Rng& rng, const std::u16string& text) {
    std::u16string out;
    for (char16_t c : text) {
        if (!derive::isDigit(c) || rng() % 3 != 0) {
            out += c;
            continue;
        }
        switch (rng() % 3) {
        case 0: // dropped, which can end or join a run
            break;
        case 1: // widened
            out += c;
            out += static_cast<char16_t>(u'0' + rng() % 10);
            break;
        default:
            out += static_cast<char16_t>(u'0' + rng() % 10);
        }
    }
    return out;
}

std::vector<std::u16string> makeParts(test::Rng& rng, const SearchShape& shape) {
    const size_t count = shape.minParts + rng() % (shape.maxParts - shape.minParts + 1);
    std::vector<std::u16string> parts;
    if (shape.fromTemplate) {
        const std::u16string model = test::randomText(rng, shape.alphabet, shape.maxLength);
        for (size_t p = 0; p < count; ++p)
            parts.push_back(redrawDigits(rng, model));
    } else {
        for (size_t p = 0; p < count; ++p)
            parts.push_back(test::randomText(rng, shape.alphabet, rng() % (shape.maxLength + 1)));
    }
    return parts;
}

class NumberSearch : public testing::TestWithParam<SearchShape> {};

// The memo of searched branches, the merged walks, the token matching and the ceiling
// that cuts hopeless searches must leave the search exactly as it would run step by
// step: same piece, same middle pattern.
TEST_P(NumberSearch, MatchesThePlainSearch) {
    const SearchShape& shape = GetParam();
    test::Rng rng(99);
    for (int round = 0; round < shape.rounds; ++round) {
        DerivationContext context(true);
        context.names = makeParts(rng, shape);
        buildCommonCharTable(context);
        ASSERT_EQ(bestCommonRunWithNumbers(context, context.names),
                  reference::bestCommonRunWithNumbers(context, context.names))
            << shape.what << " round " << round;
        ASSERT_EQ(deriveMiddleWithNumbers(context, context.names),
                  reference::deriveMiddleWithNumbers(context, context.names))
            << shape.what << " round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, NumberSearch,
    testing::Values(SearchShape{"binary digits and one letter", u"01a", 2, 5, 18},
                    SearchShape{"decimal runs with separators", u"0123456789a-", 2, 6, 24},
                    SearchShape{"mostly digits", u"0123456789012345678a", 2, 4, 28},
                    SearchShape{"letters around few digits", u"abcab1", 2, 6, 20},
                    SearchShape{"marker character inside names", u"01:a", 2, 5, 16},
                    SearchShape{"many long binary parts", u"001a", 20, 60, 60, false, 60},
                    SearchShape{"many parts, two digits and three letters", u"01abc", 10, 60, 40,
                                false, 40},
                    SearchShape{"copies of one binary text", u"01a", 4, 7, 18, true, 60},
                    SearchShape{"copies of one decimal text", u"0123456789a-", 4, 8, 20, true, 60},
                    SearchShape{"copies with the marker character", u"01:a", 4, 8, 20, true, 60}),
    [](const testing::TestParamInfo<SearchShape>& info) {
        return "Shape" + std::to_string(info.index);
    });

} // namespace
} // namespace mr
