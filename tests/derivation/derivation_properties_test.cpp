#include "corpus.h"
#include "derivation_support.h"
#include "name_families.h"
#include "reference_derivation.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace mr {
namespace {

using test::Family;
using test::makeSet;

struct FitTally {
    size_t names = 0;
    size_t nonFitting = 0;
    std::vector<std::string> unexplained;

    // Derives both number modes and checks every listed name against them.
    void add(const RecordSet& set) {
        PatternVariants variants;
        CheckBoxFlags flags;
        buildPatternVariants(set, variants, flags, false);
        buildPatternVariants(set, variants, flags, true);
        const auto overlapped = test::overlappedNames(set);
        set.forEachFile([&](const FileRecord& file) {
            if (file.hidden)
                return;
            ++names;
            const test::NameFit fit =
                test::checkName(variants, flags, file.name, overlapped.count(file.name) > 0);
            nonFitting += fit.fits ? 0 : 1;
            if (!fit.explained)
                unexplained.push_back(toUtf8(file.name) + " ~ " + toUtf8(variants[0].patternText) +
                                      " | " + toUtf8(variants[2].patternText));
        });
    }
    void report(const char* what) const {
        std::printf("%-30s %6zu names, %4zu not fitting (%.2f%%)\n", what, names, nonFitting,
                    names ? 100.0 * static_cast<double>(nonFitting) / names : 0.0);
    }
};

// The engine's faster table and middle derivation against the plain ones.
void expectSameAsReference(const RecordSet& set, const std::string& what) {
    for (const bool detectNumbers : {true, false}) {
        DerivationContext fast(detectNumbers, set.rules);
        collectNames(fast, set);
        DerivationContext plain(detectNumbers, set.rules);
        plain.names = fast.names;
        ASSERT_EQ(deriveBasePattern(fast), reference::deriveBasePattern(plain)) << what;
        ASSERT_EQ(fast.smallAlphabet, plain.smallAlphabet) << what;
        ASSERT_EQ(fast.useNumberRuns, plain.useNumberRuns) << what;
        ASSERT_TRUE(fast.charTable == plain.charTable) << what;
    }
}

TEST(Families, DeriveAsThePlainFormsAndFitTheirNames) {
    for (const Family& family : test::nameFamilies()) {
        const NameRules rules = family.posix ? NameRules::posix() : NameRules::windows();
        test::Rng rng(20240611);
        FitTally tally;
        for (int round = 0; round < 100; ++round) {
            auto set = makeSet(family.make(rng), rules);
            expectSameAsReference(*set, std::string(family.name) + " " + std::to_string(round));
            tally.add(*set);
        }
        tally.report(family.name);
        EXPECT_TRUE(tally.unexplained.empty()) << tally.unexplained.front();
    }
}

TEST(Corpus, EveryFolderDerivesAndFitsItsNames) {
    const auto folders = test::readCorpusFolders();
    if (!folders)
        GTEST_SKIP() << "corpus of real names not found";
    ASSERT_GT(folders->size(), 1000u);
    FitTally tally;
    size_t compared = 0;
    for (const auto& [folder, names] : *folders) {
        auto set = makeSet(names, NameRules::posix(), fromUtf8(folder));
        if (names.size() <= 40 && compared++ % 4 == 0)
            expectSameAsReference(*set, folder);
        tally.add(*set);
    }
    tally.report("corpus folders");
    EXPECT_TRUE(tally.unexplained.empty()) << tally.unexplained.front();
}

} // namespace
} // namespace mr
