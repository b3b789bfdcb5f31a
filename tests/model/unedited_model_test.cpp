// With no edit, whatever the names and whichever variant is in use, every file keeps
// its name: the dialog opened and "Rename" pressed changes nothing.
#include "derivation/name_families.h"
#include "support/memory_file_system.h"
#include "ui/model/change_text_model.h"

#include <gtest/gtest.h>

#include <set>

namespace mr {
namespace {

void expectAllUnchanged(ChangeTextModel& model, const char* family, int seed) {
    for (const FileRecord* f : model.rows()) {
        if (!f->takesPart)
            continue;
        ASSERT_EQ(f->status, FileStatus::Unchanged)
            << family << " seed " << seed << " variant " << model.currentPatternIndex() << ": "
            << testing::PrintToString(f->name) << " -> " << testing::PrintToString(f->newName);
    }
}

TEST(UneditedModel, EveryFileKeepsItsNameInEveryVariant) {
    for (const auto& family : test::nameFamilies()) {
        for (int seed = 0; seed < 40; ++seed) {
            test::Rng rng(static_cast<uint32_t>(seed));
            const test::Names generated = family.make(rng);
            // A folder holds each name once; the host passes them all.
            std::set<std::u16string> unique(generated.begin(), generated.end());
            const NameRules rules = family.posix ? NameRules::posix() : NameRules::windows();
            const std::u16string folder = family.posix ? u"/p/" : u"C:\\P\\";
            test::MemoryFileSystem fs;
            std::vector<std::u16string> paths;
            for (const auto& n : unique) {
                fs.add(folder, n);
                paths.push_back(folder + n);
            }
            RecordSet set(rules);
            fillRecordSet(set, paths, fs);
            ChangeTextModel::rememberedAllowExtensionChanges = false;
            ChangeTextModel::rememberedNumbersAsText = false;
            ChangeTextModel model(u"Sorrelcast", set);
            model.initialise(nullptr);
            expectAllUnchanged(model, family.name, seed);
            if (model.clickCheckBox(CheckBox::AllowExtensionChanges))
                expectAllUnchanged(model, family.name, seed);
            if (model.clickCheckBox(CheckBox::NumbersAsText))
                expectAllUnchanged(model, family.name, seed);
            if (model.clickCheckBox(CheckBox::AllowExtensionChanges))
                expectAllUnchanged(model, family.name, seed);
        }
    }
    ChangeTextModel::rememberedAllowExtensionChanges = false;
    ChangeTextModel::rememberedNumbersAsText = false;
}

TEST(UneditedModel, LiteralExtensionWithAHashStillTakesPart) {
    test::MemoryFileSystem fs;
    fs.add(u"C:\\P\\", u"x.#1");
    fs.add(u"C:\\P\\", u"y.#1");
    RecordSet set;
    fillRecordSet(set, {u"C:\\P\\x.#1", u"C:\\P\\y.#1"}, fs);
    ChangeTextModel::rememberedAllowExtensionChanges = true;
    ChangeTextModel model(u"Sorrelcast", set);
    ChangeTextModel::rememberedAllowExtensionChanges = false;
    model.initialise(nullptr);
    ASSERT_EQ(model.currentPatternIndex(), 1);
    for (const FileRecord* f : model.rows()) {
        EXPECT_TRUE(f->takesPart);
        EXPECT_EQ(f->status, FileStatus::Unchanged);
    }
}

} // namespace
} // namespace mr
