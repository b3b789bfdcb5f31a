// The model's own rules; matching, new names and validation have their own tests.
#include "model_fixture.h"
#include "pattern/new_names.h"
#include "rename/validation.h"
#include "seams/rename_progress.h"
#include "text/number_text.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <functional>

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

TEST(ChangeTextModel, ARememberedBoxHoldsOnlyWhereItIsEnabled) {
    const struct {
        Names names;
        bool extensionEnabled, numbersEnabled;
    } cases[] = {{{u"a.txt", u"b.doc"}, true, false},
                 {{u"a1.txt", u"a2"}, false, true},
                 {{u"a.#1", u"b.#1"}, true, false}}; // a literal '#' in the extension
    for (const auto& c : cases) {
        ModelFixture f(c.names, {}, true);
        EXPECT_EQ(f.model->allowExtensionChanges(), c.extensionEnabled);
        EXPECT_EQ(f.model->numbersAsText(), c.numbersEnabled);
        EXPECT_EQ(f.model->boxChecked(CheckBox::AllowExtensionChanges), c.extensionEnabled);
        EXPECT_EQ(f.model->boxEnabled(CheckBox::AllowExtensionChanges), c.extensionEnabled);
        EXPECT_EQ(f.model->boxEnabled(CheckBox::NumbersAsText), c.numbersEnabled);
        for (auto* r : f.model->rows())
            EXPECT_TRUE(r->takesPart) << toUtf8(r->name);
    }
}

TEST(ChangeTextModel, EditsMarkEveryFileAndTravelAcrossVariants) {
    ModelFixture f({u"a1.txt", u"a2.txt"}, {u"other.txt"});
    const std::u16string typed[] = {u"b:", u"b\x01", std::u16string(u"b\0", 2), u"b"};
    for (const auto& text : typed) {
        f.model->setFieldText(0, text);
        for (auto* r : f.model->rows())
            EXPECT_EQ(r->status, text.size() > 1 ? FileStatus::InvalidChars : FileStatus::Good);
    }
    EXPECT_TRUE(f.model->clickCheckBox(CheckBox::AllowExtensionChanges));
    EXPECT_EQ(f.model->currentPatternIndex(), 1);
    EXPECT_TRUE(f.remembered.allowExtensionChanges);
    EXPECT_EQ(f.newNames(), (Names{u"b1.txt", u"b2.txt"}));
    f.model->clickCheckBox(CheckBox::AllowExtensionChanges);
    EXPECT_EQ(f.newNames(), (Names{u"b1.txt", u"b2.txt"}));
}

TEST(ChangeTextModel, RenameRefusesOrHandsTheChainToTheMoverInOrder) {
    for (const bool clear : {true, false}) {
        ModelFixture f({u"a1.txt", u"a2.txt"});
        f.model->resetAll(); // fresh variants find their smallest values again
        PatternToken* number = f.model->fieldToken(1);
        number->clearNumber = clear; // both become "a.txt"
        number->renumber = true;
        number->startNumber = 2; // counted from the smallest number found, 1
        f.model->fieldChanged();
        RecordingMover mover;
        EXPECT_EQ(f.model->rename(mover, nullptr),
                  clear ? RenameOutcome::Refused : RenameOutcome::Renamed);
        EXPECT_EQ(f.view.messages.size(), clear ? 1u : 0u);
        EXPECT_EQ(mover.moves, clear ? Names{} : (Names{u"a2.txt>a3.txt", u"a1.txt>a2.txt"}));
    }
}

TEST(ChangeTextModel, PasteRefusesOrNamesTheFiles) {
    const std::u16string k255(255, u'n');
    const Names old = {u"a.txt", u"b.txt", u"README"};
    const struct {
        std::u16string clipboard;
        std::vector<size_t> selection; // pasted onto the selection only when not empty
        uint32_t message;              // 0: accepted
        Names newNames;
    } cases[] = {
        {u"x.v2.doc \r\n\r\n  y\t\r\nnotes.2.final\r\n", {}, 0, {u"x.v2.txt", u"y.txt", u"notes"}},
        {u"x\ny\n  :\nz\n", {}, 2519, old},         // a forbidden character on a blank line
        {u"x\n" + k255 + u"n\n?\n", {}, 2519, old}, // forbidden beats too long
        {u"x\n" + k255 + u"n\nz\n", {}, 2522, old},
        {u"x\ny\n", {}, 2520, old},
        {u"x\n\ty\x01\t\nz\n", {}, 2519, old},                 // a control character within a line
        {std::u16string(u"x\ny\0z\nz\n", 8), {}, 2519, old},   // NUL too
        {u"\vx\f\ny\nz\n", {}, 0, {u"x.txt", u"y.txt", u"z"}}, // but not at its ends
        {u"q.zip\n", {1}, 0, {u"a.txt", u"q.txt", u"README"}},
    };
    for (const auto& c : cases) {
        ModelFixture f(old);
        f.model->selectOnly(c.selection);
        f.view.clipboard = c.clipboard;
        f.model->pasteNames(!c.selection.empty());
        ASSERT_EQ(f.view.messages.size(), c.message ? 1u : 0u);
        EXPECT_EQ(c.message ? f.view.messages[0].id : 0u, c.message);
        EXPECT_EQ(f.newNames(), c.newNames);
    }
}

TEST(ChangeTextModel, PastedNamesDisableEditingUntilReset) {
    ModelFixture f({u"a1.txt", u"a2.txt"});
    f.model->selectOnly({0});
    f.view.clipboard = u"x\n";
    f.model->pasteNames(true);
    EXPECT_TRUE(f.model->editingEnabled());
    f.model->selectOnly({1});
    f.view.clipboard = u"y\n";
    f.model->pasteNames(true); // the last unpasted row
    EXPECT_FALSE(f.model->editingEnabled());
    EXPECT_FALSE(f.model->setFieldText(0, u"z") || f.model->fieldToken(1));
    EXPECT_FALSE(f.model->clickCheckBox(CheckBox::NumbersAsText));
    EXPECT_EQ(f.newNames(), (Names{u"x.txt", u"y.txt"}));
    f.model->selectOnly({});
    f.model->resetNames(); // without a selection the pasted names stay
    EXPECT_EQ(f.newNames(), (Names{u"x.txt", u"y.txt"}));
    f.model->selectOnly({1});
    f.model->resetNames();
    EXPECT_TRUE(f.model->editingEnabled());
    EXPECT_TRUE(f.model->boxEnabled(CheckBox::NumbersAsText));
    EXPECT_EQ(f.newNames(), (Names{u"x.txt", u"a2.txt"}));
    f.model->resetAll();
    EXPECT_EQ(f.newNames(), (Names{u"a1.txt", u"a2.txt"}));
}

TEST(ChangeTextModel, CopyPutsEveryNewNameWithALineFeedAndMenusFollowTheSelection) {
    ModelFixture f({u"a.txt", u"b.txt", u"c.txt"});
    EXPECT_EQ(f.model->menuText(u"&Copy Name(s)"), u"&Copy Names");
    f.model->copyNames(false);
    EXPECT_EQ(f.view.clipboard, u"a.txt\nb.txt\nc.txt\n");
    f.model->copyNames(true); // nothing selected: emptied, still announced
    EXPECT_EQ(f.view.clipboard, u"");
    EXPECT_EQ(f.view.messages.size(), 2u);
    f.view.clipboardOpens = false;
    f.model->copyNames(false);
    EXPECT_EQ(f.view.messages.size(), 2u);
    f.model->selectOnly({2});
    EXPECT_EQ(f.model->menuText(u"&Copy Name(s)"), u"&Copy Name");
}

TEST(ChangeTextModel, ListPositionsCountPerFolderAndFollowRemovals) {
    ModelFixture f({u"C:\\A\\x1", u"C:\\A\\x2", u"C:\\B\\x3", u"C:\\B\\x4"});
    using Positions = std::vector<std::pair<uint32_t, uint32_t>>;
    auto positions = [&] {
        Positions got;
        for (auto* r : f.model->rows())
            got.emplace_back(r->listPosition, r->folderPosition);
        return got;
    };
    EXPECT_EQ(positions(), (Positions{{0, 0}, {1, 1}, {2, 0}, {3, 1}}));
    f.model->setFieldText(0, u"n<1>_"); // a counter by list position
    f.model->selectAll();
    f.model->removeFiles(); // refused: a row must stay
    EXPECT_EQ(f.view.messages.size(), 1u);
    f.model->selectOnly({0, 2});
    f.model->removeFiles();
    EXPECT_EQ(positions(), (Positions{{0, 0}, {1, 0}}));
    EXPECT_EQ(f.newNames(), (Names{u"n1_2", u"n2_4"}));
    EXPECT_FALSE(findFile(*f.set.folders.begin()->second, u"x1")->takesPart);
}

// A refresh reuses what the last one matched and indexed, and hands half of a large
// folder to a waiting thread: after each edit the names and statuses are those a fresh
// pass without anything kept gives.
TEST(ChangeTextModel, RefreshAfterRefreshGivesWhatAFreshPassGives) {
    Names names, unlisted{u"Q1.TXT", u"q.txt"};
    for (int i = 0; i < 6000; ++i)
        names.push_back(u"p" + decimalText(static_cast<uint64_t>(i)) + (i % 3 ? u".txt" : u".jpg"));
    ModelFixture f(names, unlisted);
    using Step = std::function<void(ChangeTextModel&)>;
    const Step steps[] = {
        [](ChangeTextModel& m) { m.setFieldText(0, u"q"); }, // the unlisted q1.txt exists
        [](ChangeTextModel& m) { m.fieldToken(1)->clearNumber = true, m.fieldChanged(); },
        [](ChangeTextModel& m) { m.clickCheckBox(CheckBox::AllowExtensionChanges); },
        [](ChangeTextModel& m) { m.setFieldText(0, u"r<1>_"); },
        [](ChangeTextModel& m) { m.clickCheckBox(CheckBox::NumbersAsText); },
        [](ChangeTextModel& m) {
            m.selectOnly({1, 4000}), m.removeFiles();
        },
        [](ChangeTextModel& m) { m.clickCheckBox(CheckBox::AllowExtensionChanges); },
    };
    int step = 0;
    for (const Step& edit : steps) {
        edit(*f.model);
        std::vector<std::pair<std::u16string, FileStatus>> kept, fresh;
        f.set.forEachFile([&](const FileRecord& r) { kept.emplace_back(r.newName, r.status); });
        regenerateNewNames(f.set, f.model->currentPattern());
        validateAll(f.set);
        f.set.forEachFile([&](const FileRecord& r) { fresh.emplace_back(r.newName, r.status); });
        EXPECT_EQ(kept, fresh) << "step " << step++;
    }
}

} // namespace
} // namespace mr
