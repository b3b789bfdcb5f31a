// 100,000 files and names built to hurt, through the dialog's model and through the
// command line over a records file: the rename list, carried out in its order, must
// find every source and never a taken target. Runs in both builds.
#include "cli/cli_support.h"
#include "cli/movers.h"
#include "support/memory_file_system.h"
#include "ui/model/change_text_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace mr {
namespace {

std::u16string digits(size_t n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

struct LargeCase {
    const char* what;
    size_t count;
    std::function<std::u16string(size_t)> name; // file i's name
    std::function<void(ChangeTextModel&)> edit; // what the user does once the dialog is up
};

class LargeSet : public testing::TestWithParam<LargeCase> {};

TEST_P(LargeSet, RenameListCarriedOutInOrderLosesNothing) {
    const LargeCase& c = GetParam();
    test::MemoryFileSystem fs;
    std::vector<std::u16string> paths;
    for (size_t i = 0; i < c.count; ++i) {
        fs.add(u"C:\\", c.name(i));
        paths.push_back(u"C:\\" + c.name(i));
    }
    RecordSet set;
    fillRecordSet(set, paths, fs);
    ChangeTextModel model(u"Hostile", set);
    model.initialise(nullptr);
    c.edit(model);
    cli::RecordingMover mover;
    ASSERT_EQ(model.rename(mover, nullptr), RenameOutcome::Renamed);
    ASSERT_EQ(mover.files.size(), c.count);
    // The folder as the mover would find it, by the keys it compares.
    std::set<std::u16string> onDisk, expected;
    for (size_t i = 0; i < c.count; ++i)
        onDisk.insert(upperKey(c.name(i)));
    for (const FileRecord* f : mover.files) {
        ASSERT_EQ(onDisk.erase(upperKey(f->name)), 1u) << "source missing";
        ASSERT_TRUE(onDisk.insert(upperKey(f->newName)).second) << "target taken";
        expected.insert(upperKey(f->newName));
    }
    EXPECT_EQ(onDisk, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LargeSet,
    testing::Values(LargeCase{"numbered 100000 renumbered into one chain", 100000,
                              [](size_t i) { return u"IMG_" + digits(i + 1) + u".jpg"; },
                              [](ChangeTextModel& model) {
                                  PatternToken* number = model.fieldToken(1);
                                  ASSERT_TRUE(number && number->kind == TokenKind::Number);
                                  number->renumber = true;
                                  number->startNumber = 2;
                                  model.fieldChanged();
                              }},
                    LargeCase{
                        "lone surrogates", 2000,
                        [](size_t i) {
                            return u"\xDC80x" + std::u16string(1, u'a' + i % 26) + digits(i) +
                                   u"\xD800.txt";
                        },
                        [](ChangeTextModel& model) { ASSERT_TRUE(model.setFieldText(0, u"s")); }}),
    cli::test::CaseName());

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
