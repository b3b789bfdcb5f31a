// 100,000 files and names built to hurt, through the dialog's model and through the
// command line over a records file: the rename list, carried out in its order, must
// find every source and never a taken target, and end with every file under its new
// name. Runs in both builds.
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

// What the user does to the names once the dialog is up.
enum class Edit { TypeIntoFirstField, RenumberFromTwo };

struct LargeCase {
    const char* what;
    size_t count;
    std::function<std::u16string(size_t)> name; // file i's name
    Edit edit;
};

class LargeSet : public testing::TestWithParam<LargeCase> {};

TEST_P(LargeSet, RenameListCarriedOutInOrderLosesNothing) {
    const LargeCase& c = GetParam();
    // A short folder: a full path of 260 characters or more is not taken.
    const std::u16string folder = u"C:\\";
    test::MemoryFileSystem fs;
    std::vector<std::u16string> paths;
    for (size_t i = 0; i < c.count; ++i) {
        fs.add(folder, c.name(i));
        paths.push_back(folder + c.name(i));
    }
    RecordSet set;
    fillRecordSet(set, paths, fs);
    ChangeTextModel model(u"Hostile", set);
    model.initialise(nullptr);
    if (c.edit == Edit::TypeIntoFirstField) {
        ASSERT_TRUE(model.setFieldText(0, u"s"));
    } else {
        PatternToken* number = nullptr;
        for (size_t f = 0; f < model.fields().size() && !number; ++f)
            if (PatternToken* t = model.fieldToken(f); t && t->kind == TokenKind::Number)
                number = t;
        ASSERT_NE(number, nullptr);
        number->renumber = true;
        number->startNumber = 2;
        model.fieldChanged();
    }
    cli::RecordingMover mover;
    ASSERT_EQ(model.rename(mover, nullptr), RenameOutcome::Renamed);
    ASSERT_EQ(mover.files.size(), c.count);

    // The folder as the mover would find it, by the keys it compares.
    std::set<std::u16string> onDisk;
    for (size_t i = 0; i < c.count; ++i)
        onDisk.insert(upperKey(c.name(i)));
    std::set<std::u16string> expected;
    for (const FileRecord* f : mover.files) {
        ASSERT_EQ(onDisk.erase(upperKey(f->name)), 1u) << "source missing";
        ASSERT_TRUE(onDisk.insert(upperKey(f->newName)).second) << "target taken";
        expected.insert(upperKey(f->newName));
    }
    EXPECT_EQ(onDisk, expected);
}

std::u16string digitRuns(size_t i) {
    // 255 characters: a letter that differs, then runs of digits of every length.
    std::u16string name = u"r";
    name += static_cast<char16_t>(u'a' + i % 26);
    for (size_t run = 1; name.size() < 255; ++run) {
        name += digits(i * 7919 + run * 104729).substr(0, run % 12 + 1);
        name += static_cast<char16_t>(u'A' + run % 26);
    }
    name.resize(255);
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LargeSet,
    testing::Values(
        LargeCase{"numbered_100000_renumbered_into_one_chain", 100000,
                  [](size_t i) { return u"IMG_" + digits(i + 1) + u".jpg"; },
                  Edit::RenumberFromTwo},
        LargeCase{"every_name_another_extension", 20000,
                  [](size_t i) { return u"data." + digits(i); }, Edit::TypeIntoFirstField},
        LargeCase{"255_characters_of_digit_runs", 2000, digitRuns, Edit::TypeIntoFirstField},
        LargeCase{"lone_surrogates", 2000,
                  [](size_t i) {
                      std::u16string name = u"\xDC80x";
                      name += static_cast<char16_t>(u'a' + i % 26);
                      return name + digits(i) + u"\xD800.txt";
                  },
                  Edit::TypeIntoFirstField}),
    [](const testing::TestParamInfo<LargeCase>& info) { return std::string(info.param.what); });

// The command line over a records file of 100,000 files: no problem, no message.
TEST(LargeRecords, HundredThousandPathsRenameWithoutAProblem) {
    constexpr size_t kCount = 100000;
    std::string json = R"({"rules":"windows","folders":[{"path":"C:\\P\\","entries":[)";
    std::string paths;
    for (size_t i = 0; i < kCount; ++i) {
        const std::string name = "IMG_" + std::to_string(i + 1) + ".jpg";
        json += (i ? "," : "") + std::string(R"({"name":")") + name + R"(","size":1})";
        paths += (i ? "," : "") + std::string(R"("C:\\P\\)") + name + '"';
    }
    json += "]}],\"paths\":[" + paths + "]}";
    cli::test::TempFolder tmp;
    const auto file = tmp.write("records.json", json);
    const cli::test::RunResult r =
        cli::test::run({"--records", file.string(), "--apply", "--number", "1=renumber:2"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.err, "");
}

} // namespace
} // namespace mr
