// With no edit, whatever the names and whichever variant is in use, "Rename" changes
// nothing.
#include "derivation/derivation_support.h"
#include "derivation/name_families.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <set>

namespace mr {
namespace {

void expectAllUnchanged(ChangeTextModel& model, const std::string& where) {
    for (const FileRecord* f : model.rows())
        ASSERT_TRUE(!f->takesPart || f->status == FileStatus::Unchanged)
            << where << " variant " << model.currentPatternIndex() << ": " << toUtf8(f->name)
            << " -> " << toUtf8(f->newName);
}

TEST(UneditedModel, EveryFileKeepsItsNameInEveryVariant) {
    for (const auto& family : test::nameFamilies()) {
        for (int seed = 0; seed < 40; ++seed) {
            test::Rng rng(static_cast<uint32_t>(seed));
            const test::Names generated = family.make(rng);
            const std::set<std::u16string> unique(generated.begin(), generated.end());
            auto set = test::makeSet({unique.begin(), unique.end()},
                                     family.posix ? NameRules::posix() : NameRules::windows());
            ChangeTextModel model(u"Sorrelcast", *set);
            model.initialise(nullptr);
            const std::string where = family.name + (" seed " + std::to_string(seed));
            expectAllUnchanged(model, where);
            for (auto box : {CheckBox::AllowExtensionChanges, CheckBox::NumbersAsText,
                             CheckBox::AllowExtensionChanges})
                if (model.clickCheckBox(box))
                    expectAllUnchanged(model, where);
        }
    }
    ChangeTextModel::rememberedAllowExtensionChanges = false;
    ChangeTextModel::rememberedNumbersAsText = false;
}

TEST(UneditedModel, LiteralExtensionWithAHashStillTakesPart) {
    test::ModelFixture f({u"x.#1", u"y.#1"}, {}, true);
    ASSERT_EQ(f.model->currentPatternIndex(), 1);
    for (const FileRecord* r : f.model->rows())
        EXPECT_TRUE(r->takesPart);
    EXPECT_EQ(f.statuses(), std::vector(2, FileStatus::Unchanged));
}

} // namespace
} // namespace mr
