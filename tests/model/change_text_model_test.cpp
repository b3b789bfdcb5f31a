#include "model_fixture.h"
#include "rename/messages.h"
#include "rename/rename_progress.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using test::ModelFixture;
using Names = std::vector<std::u16string>;

class RecordingMover final : public RenameProgress {
public:
    std::vector<std::u16string> moves;
    bool isCancelled() override { return false; }
    void renameFiles(void*, const std::vector<FileRecord*>& files) override {
        for (auto* f : files)
            moves.push_back(f->name + u">" + f->newName);
    }
};

TEST(ChangeTextModel, CheckBoxRulesFollowTheDerivation) {
    struct Case {
        Names names;
        bool extensionEnabled, numbersEnabled;
    } cases[] = {
        {{u"IMG_0001.jpg", u"IMG_0002.jpg"}, true, true},
        {{u"a.txt", u"b.doc"}, true, false},
        {{u"a1.txt", u"a2"}, false, true},
        {{u"notes.txt"}, true, false},
    };
    for (const auto& c : cases) {
        ChangeTextModel::rememberedAllowExtensionChanges = true;
        ChangeTextModel::rememberedNumbersAsText = true;
        test::MemoryFileSystem fs;
        RecordSet set;
        std::vector<std::u16string> paths;
        for (auto& n : c.names) {
            fs.add(u"C:\\P\\", n);
            paths.push_back(u"C:\\P\\" + n);
        }
        fillRecordSet(set, paths, fs);
        ChangeTextModel model(u"Sorrelcast", set);
        model.initialise(nullptr);
        EXPECT_EQ(model.allowExtensionChangesEnabled, c.extensionEnabled);
        EXPECT_EQ(model.numbersAsTextEnabled, c.numbersEnabled);
        // A remembered state holds only where the box may be enabled.
        EXPECT_EQ(model.allowExtensionChanges, c.extensionEnabled);
        EXPECT_EQ(model.numbersAsText, c.numbersEnabled);
        EXPECT_EQ(model.boxEnabled(CheckBox::AllowExtensionChanges), c.extensionEnabled);
    }
    ChangeTextModel::rememberedAllowExtensionChanges = false;
    ChangeTextModel::rememberedNumbersAsText = false;
}

TEST(ChangeTextModel, UneditedPatternKeepsEveryName) {
    ModelFixture f({u"IMG_0001.jpg", u"IMG_0002.jpg", u"Holiday 2019 Rome.jpg"});
    for (auto s : f.statuses())
        EXPECT_EQ(s, FileStatus::Unchanged);
    RecordingMover mover;
    EXPECT_EQ(f.model->rename(mover, nullptr), RenameOutcome::NothingToDo);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].id, 2502u);
    EXPECT_EQ(f.view.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(mover.moves.empty());
}

TEST(ChangeTextModel, TypingAForbiddenCharacterMarksEveryFileUntilRemoved) {
    ModelFixture f({u"a1.txt", u"a2.txt"}, {u"other.txt"});
    ASSERT_EQ(f.model->fields()[0].text, u"a");
    f.model->setFieldText(0, u"b:");
    f.model->records().forEachFile(
        [](const FileRecord& r) { EXPECT_EQ(r.status, FileStatus::InvalidChars); });
    f.model->setFieldText(0, u"b");
    EXPECT_EQ(f.newNames(), (Names{u"b1.txt", u"b2.txt"}));
    for (auto s : f.statuses())
        EXPECT_EQ(s, FileStatus::Good);
}

TEST(ChangeTextModel, SwitchingVariantsCarriesTheEditedText) {
    ModelFixture f({u"IMG_0001.jpg", u"IMG_0002.jpg"});
    f.model->setFieldText(0, u"Photo ");
    EXPECT_TRUE(f.model->clickCheckBox(CheckBox::AllowExtensionChanges));
    EXPECT_EQ(f.model->currentPatternIndex(), 1);
    EXPECT_EQ(f.model->fields()[0].text, u"Photo ");
    EXPECT_EQ(f.newNames(), (Names{u"Photo 0001.jpg", u"Photo 0002.jpg"}));
    EXPECT_TRUE(ChangeTextModel::rememberedAllowExtensionChanges);
    f.model->clickCheckBox(CheckBox::AllowExtensionChanges);
    EXPECT_EQ(f.newNames(), (Names{u"Photo 0001.jpg", u"Photo 0002.jpg"}));
    ChangeTextModel::rememberedAllowExtensionChanges = false;
}

TEST(ChangeTextModel, RenameRefusesWithTheComposedMessage) {
    ModelFixture f({u"a1.txt", u"a2.txt", u"a3.txt"}, {u"x.txt"});
    // Clearing the number gives every file the name "a.txt": three duplicates.
    PatternToken* number = f.model->fieldToken(1);
    ASSERT_NE(number, nullptr);
    number->clearNumber = true;
    f.model->fieldChanged();
    RecordingMover mover;
    EXPECT_EQ(f.model->rename(mover, nullptr), RenameOutcome::Refused);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].text,
              u"Unable to rename files:\r\n3 files are being renamed to the same name.");
    EXPECT_TRUE(mover.moves.empty());
}

TEST(ChangeTextModel, RenameHandsTheChainToTheMoverInOrder) {
    ModelFixture f({u"a1.txt", u"a2.txt"});
    PatternToken* number = f.model->fieldToken(1);
    number->renumber = true;
    number->startNumber = 2;
    f.model->fieldChanged();
    RecordingMover mover;
    EXPECT_EQ(f.model->rename(mover, nullptr), RenameOutcome::Renamed);
    EXPECT_EQ(mover.moves, (Names{u"a2.txt>a3.txt", u"a1.txt>a2.txt"}));
}

struct PasteCase {
    const char* what;
    std::u16string clipboard;
    bool selectedOnly;
    std::vector<size_t> selection;
    uint32_t message; // 0: accepted
    Names newNames;   // for old names a.txt, b.txt, README
};

class Paste : public testing::TestWithParam<PasteCase> {};

TEST_P(Paste, RefusesOrNamesTheFiles) {
    const auto& c = GetParam();
    ModelFixture f({u"a.txt", u"b.txt", u"README"});
    f.model->selectOnly(c.selection);
    f.view.clipboard = c.clipboard;
    f.model->pasteNames(c.selectedOnly);
    if (c.message) {
        ASSERT_EQ(f.view.messages.size(), 1u);
        EXPECT_EQ(f.view.messages[0].id, c.message);
        EXPECT_EQ(f.view.messages[0].icon, MessageIcon::Exclamation);
        for (auto* r : f.model->rows())
            EXPECT_FALSE(r->pastedName);
    } else {
        EXPECT_TRUE(f.view.messages.empty());
    }
    EXPECT_EQ(f.newNames(), c.newNames);
}

const std::u16string k255(255, u'n');

INSTANTIATE_TEST_SUITE_P(
    Table, Paste,
    testing::Values(
        PasteCase{"CR LF, trailing blanks and blank lines",
                  u"x.doc \r\n\r\n  y\t\r\nnotes.2.final\r\n",
                  false,
                  {},
                  0,
                  {u"x.txt", u"y.txt", u"notes"}},
        PasteCase{"colon on a blank line refuses",
                  u"x\ny\n  :\nz\n",
                  false,
                  {},
                  2519,
                  {u"a.txt", u"b.txt", u"README"}},
        PasteCase{"forbidden beats too long",
                  u"x\n" + k255 + u"n\n?\n",
                  false,
                  {},
                  2519,
                  {u"a.txt", u"b.txt", u"README"}},
        PasteCase{"256 characters refuse",
                  u"x\n" + k255 + u"n\nz\n",
                  false,
                  {},
                  2522,
                  {u"a.txt", u"b.txt", u"README"}},
        PasteCase{
            "255 characters pass", u"x\ny\n" + k255, false, {}, 0, {u"x.txt", u"y.txt", k255}},
        PasteCase{
            "line count differs", u"x\ny\n", false, {}, 2520, {u"a.txt", u"b.txt", u"README"}},
        PasteCase{"empty clipboard", u"", false, {}, 2520, {u"a.txt", u"b.txt", u"README"}},
        PasteCase{"selected rows only", u"q.zip\n", true, {1}, 0, {u"a.txt", u"q.txt", u"README"}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ChangeTextModel, LineCountMessageNamesBothCounts) {
    ModelFixture f({u"a.txt", u"b.txt", u"c.txt", u"d.txt"});
    f.model->selectOnly({0, 2});
    f.view.clipboard = u"1\n2\n3\n";
    f.model->pasteNames(true);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].text,
              u"The text on the clipboard must contain one line for each filename.\n\n"
              u"Number of files to rename: 2\nNumber of lines on clipboard: 3");
}

TEST(ChangeTextModel, PasteAllDisablesEditingUntilReset) {
    ModelFixture f({u"a1.txt", u"a2.txt"});
    f.view.clipboard = u"x\ny\n";
    f.model->pasteNames(false);
    EXPECT_FALSE(f.model->editingEnabled);
    EXPECT_FALSE(f.model->boxEnabled(CheckBox::NumbersAsText));
    EXPECT_TRUE(f.model->rows()[0]->pastedName);
    // Reset Name(s) without a selection keeps the pasted names.
    f.model->resetNames();
    EXPECT_FALSE(f.model->editingEnabled);
    EXPECT_EQ(f.newNames(), (Names{u"x.txt", u"y.txt"}));
    f.model->selectOnly({1});
    f.model->resetNames();
    EXPECT_TRUE(f.model->editingEnabled);
    EXPECT_EQ(f.newNames(), (Names{u"x.txt", u"a2.txt"}));
    f.model->resetAll();
    EXPECT_EQ(f.newNames(), (Names{u"a1.txt", u"a2.txt"}));
}

TEST(ChangeTextModel, PastingOntoTheLastUnpastedRowDisablesEditing) {
    ModelFixture f({u"a.txt", u"b.txt"});
    f.model->selectOnly({0});
    f.view.clipboard = u"x\n";
    f.model->pasteNames(true);
    EXPECT_TRUE(f.model->editingEnabled);
    f.model->selectOnly({1});
    f.view.clipboard = u"y\n";
    f.model->pasteNames(true);
    EXPECT_FALSE(f.model->editingEnabled);
}

TEST(ChangeTextModel, CopyPutsEveryNewNameWithALineFeed) {
    ModelFixture f({u"a.txt", u"b.txt", u"c.txt"});
    f.model->copyNames(false);
    EXPECT_EQ(f.view.clipboard, u"a.txt\nb.txt\nc.txt\n");
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].id, 2518u);
    f.model->copyNames(true); // nothing selected: emptied, still announced
    EXPECT_EQ(f.view.clipboard, u"");
    EXPECT_EQ(f.view.messages.size(), 2u);
    f.view.clipboardOpens = false;
    f.model->copyNames(false);
    EXPECT_EQ(f.view.messages.size(), 2u);
}

TEST(ChangeTextModel, RemoveRefusesAllRowsAndRenumbersPositions) {
    ModelFixture f({u"a.txt", u"b.txt", u"c.txt"});
    f.model->selectAll();
    f.model->removeFiles();
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].id, 2521u);
    EXPECT_EQ(f.model->rows().size(), 3u);
    f.model->selectOnly({0, 1});
    f.model->removeFiles();
    ASSERT_EQ(f.model->rows().size(), 1u);
    EXPECT_EQ(f.model->rows()[0]->name, u"c.txt");
    EXPECT_EQ(f.model->rows()[0]->listPosition, 0u);
    const FileRecord* removed = findFile(*f.set.folders.begin()->second, u"a.txt");
    EXPECT_TRUE(removed->hidden);
    EXPECT_FALSE(removed->takesPart);
}

TEST(ChangeTextModel, ListPositionsCountPerFolder) {
    ModelFixture f({u"C:\\A\\x1", u"C:\\A\\x2", u"C:\\B\\x3", u"C:\\B\\x4", u"C:\\B\\x5"});
    std::vector<std::pair<uint32_t, uint32_t>> got;
    for (auto* r : f.model->rows())
        got.emplace_back(r->listPosition, r->folderPosition);
    EXPECT_EQ(got,
              (std::vector<std::pair<uint32_t, uint32_t>>{{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 2}}));
    EXPECT_TRUE(f.model->hasFolderColumn());
}

TEST(ChangeTextModel, MenuTextsFollowTheSelection) {
    ModelFixture f({u"a.txt", u"b.txt", u"c.txt"});
    const std::u16string texts[] = {u"&Copy Name(s)", u"Remove File(s) From List"};
    EXPECT_EQ(f.model->menuText(texts[0]), u"&Copy Names");
    f.model->selectOnly({2});
    EXPECT_EQ(f.model->menuText(texts[0]), u"&Copy Name");
    EXPECT_EQ(f.model->menuText(texts[1]), u"Remove File From List");
    f.model->invertSelection();
    EXPECT_EQ(f.model->selectedCount(), 2u);
    EXPECT_EQ(f.model->menuText(texts[1]), u"Remove Files From List");
}

TEST(ChangeTextModel, ResetCountsNumbersFromTheSmallestAgain) {
    ModelFixture f({u"f007", u"f010"});
    f.model->resetAll();
    PatternToken* number = f.model->fieldToken(1);
    ASSERT_NE(number, nullptr);
    number->renumber = true;
    number->startNumber = 1;
    f.model->fieldChanged();
    EXPECT_EQ(f.newNames(), (Names{u"f001", u"f004"}));
}

} // namespace
} // namespace mr
