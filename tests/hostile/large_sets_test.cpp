// 100,000 files: the rename list, carried out in order, finds every source, no taken target.
#include "cli/movers.h"
#include "platform/common/utf8.h"
#include "support/memory_file_system.h"
#include "ui/model/change_text_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace mr {
namespace {

// Renumbered from 2: one chain, every target but the last a source still to be renamed.
TEST(LargeSet, RenameListCarriedOutInOrderLosesNothing) {
    constexpr size_t kCount = 100000;
    auto name = [](size_t i) { return u"IMG_" + fromUtf8(std::to_string(i + 1)) + u".jpg"; };
    test::MemoryFileSystem fs;
    std::vector<std::u16string> paths;
    for (size_t i = 0; i < kCount; ++i) {
        fs.add(u"C:\\", name(i));
        paths.push_back(u"C:\\" + name(i));
    }
    RecordSet set;
    fillRecordSet(set, paths, fs);
    ChangeTextModel model(u"Hostile", set);
    model.initialise(nullptr);
    PatternToken* number = model.fieldToken(1);
    ASSERT_TRUE(number && number->kind == TokenKind::Number);
    number->renumber = true;
    number->startNumber = 2;
    model.fieldChanged();
    cli::RecordingMover mover;
    ASSERT_EQ(model.rename(mover, nullptr), RenameOutcome::Renamed);
    ASSERT_EQ(mover.files.size(), kCount);
    // The folder as the mover would find it, by the keys it compares.
    std::set<std::u16string> onDisk, expected;
    for (size_t i = 0; i < kCount; ++i)
        onDisk.insert(upperKey(name(i)));
    for (const FileRecord* f : mover.files) {
        ASSERT_EQ(onDisk.erase(upperKey(f->name)), 1u) << "source missing";
        ASSERT_TRUE(onDisk.insert(upperKey(f->newName)).second) << "target taken";
        expected.insert(upperKey(f->newName));
    }
    EXPECT_EQ(onDisk, expected);
}

} // namespace
} // namespace mr
