#include "corpus.h"
#include "derivation_support.h"
#include "name_families.h"
#include "reference_derivation.h"
#include "ui/model/change_text_model.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using test::makeSet;

// The engine's derivation against the plain one, step for step.
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

// Every name fits the variants of both kinds, but where the cut overlaps.
void expectNamesFit(const RecordSet& set, const std::string& what) {
    PatternVariants variants;
    CheckBoxFlags flags;
    buildPatternVariants(set, variants, flags, false);
    buildPatternVariants(set, variants, flags, true);
    for (const size_t first : {0, 2}) {
        DerivationContext context(first == 0, set.rules);
        collectNames(context, set);
        const std::vector<char> overlaps = reference::cutOverlaps(context);
        test::VariantsFit fits(variants, flags, first);
        size_t k = 0;
        set.forEachFile([&](const FileRecord& file) {
            if (file.hidden || overlaps[k++])
                return;
            EXPECT_TRUE(fits(file.name)) << what << ": " << toUtf8(file.name) << " ~ "
                                         << toUtf8(variants[first + 1].patternText);
        });
    }
}

// With no edit every file that takes part keeps its name, in every variant the boxes reach.
void expectNoEditKeepsNames(RecordSet& set, const std::string& what) {
    CheckBoxMemory remembered;
    ChangeTextModel model(u"Sorrelcast", set, remembered);
    model.initialise(nullptr);
    auto expectKept = [&] {
        for (const FileRecord* f : model.rows())
            EXPECT_TRUE(!f->takesPart || f->status == FileStatus::Unchanged)
                << what << ": " << toUtf8(f->name) << " -> " << toUtf8(f->newName) << " ~ "
                << toUtf8(model.currentPattern().patternText);
    };
    expectKept();
    for (const CheckBox box : {CheckBox::AllowExtensionChanges, CheckBox::NumbersAsText})
        if (model.clickCheckBox(box))
            expectKept();
}

TEST(Families, DeriveAsThePlainFormsFitTheirNamesAndKeepThemWithoutAnEdit) {
    for (const test::Family& family : test::nameFamilies()) {
        test::Rng rng(20240611);
        for (int round = 0; round < 100; ++round) {
            auto set =
                makeSet(family.make(rng), family.posix ? NameRules::posix() : NameRules::windows());
            const std::string what = std::string(family.name) + " " + std::to_string(round);
            expectSameAsReference(*set, what);
            expectNamesFit(*set, what);
            expectNoEditKeepsNames(*set, what);
        }
    }
}

TEST(Corpus, EveryFolderDerivesAndFitsItsNames) {
    const auto folders = test::readCorpusFolders();
    if (!folders)
        GTEST_SKIP() << "corpus of real names not found";
    ASSERT_GT(folders->size(), 1000u);
    size_t compared = 0;
    for (const auto& [folder, names] : *folders) {
        auto set = makeSet(names, NameRules::posix(), fromUtf8(folder));
        if (names.size() <= 40 && compared++ % 4 == 0)
            expectSameAsReference(*set, folder);
        expectNamesFit(*set, folder);
    }
}

} // namespace
} // namespace mr
