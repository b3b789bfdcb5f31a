#include "name_families.h"
#include "reference_derivation.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

struct SearchShape {
    const char* what;
    std::u16string alphabet;
    size_t maxParts;
    size_t maxLength;
};

class NumberSearch : public testing::TestWithParam<SearchShape> {};

// The memo of searched branches, the merged walks and the token matching must leave
// the search exactly as it would run step by step: same piece, same middle pattern.
TEST_P(NumberSearch, MatchesThePlainSearch) {
    const SearchShape& shape = GetParam();
    test::Rng rng(99);
    for (int round = 0; round < 300; ++round) {
        DerivationContext context(true);
        const size_t count = 2 + rng() % (shape.maxParts - 1);
        for (size_t p = 0; p < count; ++p)
            context.names.push_back(
                test::randomText(rng, shape.alphabet, rng() % (shape.maxLength + 1)));
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
    testing::Values(SearchShape{"binary digits and one letter", u"01a", 5, 18},
                    SearchShape{"decimal runs with separators", u"0123456789a-", 6, 24},
                    SearchShape{"mostly digits", u"0123456789012345678a", 4, 28},
                    SearchShape{"letters around few digits", u"abcab1", 6, 20},
                    SearchShape{"marker character inside names", u"01:a", 5, 16}),
    [](const testing::TestParamInfo<SearchShape>& info) {
        return "Shape" + std::to_string(info.index);
    });

} // namespace
} // namespace mr
