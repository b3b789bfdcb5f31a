// 100,000 files through the dialog's model and through the command line over a records
// file: the rename list, carried out in its order, must find every source and never a
// taken target. Runs in both builds.
#include "cli/cli_support.h"
#include "cli/movers.h"
#include "support/memory_file_system.h"
#include "ui/model/change_text_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace mr {
namespace {

std::u16string digits(size_t n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

// n1..n100000 renumbered from 2: one chain, where every target but the last is a
// source still to be renamed.
TEST(LargeSet, RenameListCarriedOutInOrderLosesNothing) {
    constexpr size_t kCount = 100000;
    auto name = [](size_t i) { return u"IMG_" + digits(i + 1) + u".jpg"; };
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

// The command line over a records file of 100,000 files: no problem, no message.
TEST(LargeRecords, HundredThousandPathsRenameWithoutAProblem) {
    std::string entries, paths;
    for (size_t i = 0; i < 100000; ++i) {
        const std::string name = "IMG_" + std::to_string(i + 1) + ".jpg";
        entries += (i ? "," : "") + std::string(R"({"name":")") + name + R"(","size":1})";
        paths += (i ? "," : "") + std::string(R"("C:\\P\\)") + name + '"';
    }
    cli::test::TempFolder tmp;
    const auto file = tmp.write("records.json", R"({"folders":[{"path":"C:\\P\\","entries":[)" +
                                                    entries + "]}],\"paths\":[" + paths + "]}");
    const auto r =
        cli::test::run({"--records", file.string(), "--apply", "--number", "1=renumber:2"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.err, "");
}

} // namespace
} // namespace mr
