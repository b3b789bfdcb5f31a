// multirename on real folders: what changes on disk, and what never does.
#include "cli_support.h"
#include "support/disk_state.h"

#include <gtest/gtest.h>

#include <fstream>

namespace mr::cli::test {
namespace {

namespace fs = std::filesystem;
using mr::test::Folder;
using mr::test::folderOf;
using mr::test::readFolder;
using mr::test::words;

#ifndef _WIN32
const mr::test::JournalHome kJournals;
#endif

struct RealCase {
    const char* what;
    std::string files;
    std::string args; // "@" stands for the folder, with its separator
    std::string input;
    int exit;
    std::string after; // "": nothing changed
    std::string err = "";
};

// 30 names, "%" standing for the number: enough for the folder to be listed once.
std::string many(const std::string& pattern) {
    std::string out;
    for (int i = 10; i < 40; ++i)
        for (char c : " " + pattern)
            out += c == '%' ? std::to_string(i) : std::string(1, c);
    return out;
}

class RealRun : public testing::TestWithParam<RealCase> {};

TEST_P(RealRun, RenamesOnDiskOnlyWhenTheWholeRunIsAccepted) {
    const RealCase& c = GetParam();
    TempFolder tmp;
    const Folder before = folderOf(c.files);
    for (const auto& [name, content] : before)
        tmp.write(name, content);
    const std::string folder = (tmp.path() / "").string();
    auto expand = [&](const std::string& text) { return replaced(text, "@", folder); };
    std::vector<std::string> args;
    for (const auto& a : words(c.args))
        args.push_back(expand(a));
    const RunResult r = run(args, c.input);
    EXPECT_EQ(r.exit, c.exit) << r.err;
    EXPECT_NE(r.err.find(expand(c.err)), std::string::npos) << r.err;
    EXPECT_EQ(readFolder(tmp.path()), c.after.empty() ? before : folderOf(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealRun,
    testing::Values(
        RealCase{"a dry run changes nothing", "IMG_1.jpg IMG_2.jpg",
                 "-t 0=new_ @IMG_1.jpg @IMG_2.jpg", "", 0, ""},
        RealCase{"apply renames", "IMG_1.jpg IMG_2.jpg other.txt",
                 "--apply -t 0=new_ @IMG_1.jpg @IMG_2.jpg", "", 0,
                 "new_1.jpg=IMG_1.jpg new_2.jpg=IMG_2.jpg other.txt"},
        RealCase{"the JSON run applies too", "a1.txt a2.txt",
                 "--json --apply --paste - @a1.txt @a2.txt", "b1\nb2\n", 0,
                 "b1.txt=a1.txt b2.txt=a2.txt"},
        RealCase{"arguments out of order and repeated are all found", "a1.txt a2.txt a3.txt",
                 "--apply -t 0=b @a3.txt @a1.txt @a3.txt @a2.txt", "", 0,
                 "b1.txt=a1.txt b2.txt=a2.txt b3.txt=a3.txt"},
        RealCase{"problems refuse with exit 2", "a1.txt a2.txt",
                 "--apply --paste - @a1.txt @a2.txt", "same\nsame\n", 2, "",
                 "Unable to rename files:\n2 files are being renamed to the same name."},
        RealCase{"a faulty action after Rename moves nothing", "a1.txt a2.txt",
                 "--apply -t 0=b --script - @a1.txt @a2.txt",
                 R"([{"do":"rename"},{"do":"snapshot"}])", 1, "", "the dialog has already closed"},
        RealCase{"many arguments all found", many("a%.txt"), "--apply -t 0=b" + many("@a%.txt"), "",
                 0, many("b%.txt=a%.txt")},
        RealCase{"a missing name among many", many("a%.txt"),
                 "--apply -t 0=b" + many("@a%.txt") + " @a99.txt", "", 1, "",
                 "cannot find @a99.txt"},
        RealCase{"the first bad name in argument order is reported", "a1.txt a2.txt",
                 "--apply -t 0=b @a1.txt @.. @a3.txt", "", 1, "", "cannot rename \"@..\""},
        RealCase{"an unreadable script", "a1.txt a2.txt",
                 "--apply -t 0=b --script @no.json @a1.txt @a2.txt", "", 1, "",
                 "multirename: --script: cannot read @no.json"},
        RealCase{"malformed records", "a1.txt", "--apply --records -", "{\"paths\":[", 1, "",
                 "multirename: --records -: not valid JSON"}),
    CaseName());

#ifndef _WIN32
// 100 characters pass the 255-character check; 300 bytes pass no POSIX limit.
std::string tooManyBytes() {
    std::string name;
    for (int i = 0; i < 100; ++i)
        name += "\xe3\x81\x82";
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Posix, RealRun,
    testing::Values(RealCase{"undo without a journal", "a1.txt", "--undo @journal", "", 1, "",
                             "multirename: --undo: cannot read the journal @journal"},
                    RealCase{"a name the file system refuses exits 3", "a1.txt a2.txt",
                             "--apply --paste - @a1.txt @a2.txt", tooManyBytes() + "\nb2\n", 3,
                             "a1.txt b2.txt=a2.txt", "File name too long"}),
    CaseName());

// A run stopped after two renames, made by hand: b3.txt put back, the journal cut after
// its plan. (Undo after a complete run is in the hostile tests.)
TEST(Undo, PutsBackEveryOldNameAfterAnInterruptedRun) {
    TempFolder tmp;
    const Folder before = folderOf("a1.txt a2.txt a3.txt");
    std::vector<std::string> args = {"--apply", "-t", "0=b"};
    for (const auto& [name, content] : before)
        args.push_back(tmp.write(name, content).string());
    ASSERT_EQ(run(args).exit, 0);
    ASSERT_EQ(readFolder(tmp.path()), folderOf("b1.txt=a1.txt b2.txt=a2.txt b3.txt=a3.txt"));
    const auto [name, text] = *readFolder(kJournals.journals()).rbegin(); // the latest
    const std::string journal = (fs::path(kJournals.journals()) / name).string();
    fs::rename(tmp.path() / "b3.txt", tmp.path() / "a3.txt");
    const size_t plan = text.find("PLAN END\n");
    ASSERT_NE(plan, std::string::npos);
    std::ofstream(journal, std::ios::binary | std::ios::trunc) << text.substr(0, plan + 9);
    const RunResult undone = run({"--undo", journal});
    EXPECT_EQ(undone.exit, 0) << undone.err;
    EXPECT_NE(undone.out.find("Put back 2 names (1 already had their old names) from "),
              std::string::npos)
        << undone.out;
    EXPECT_EQ(readFolder(tmp.path()), before);
}
#endif

} // namespace
} // namespace mr::cli::test
