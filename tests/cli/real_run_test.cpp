// multirename on real folders: what changes on disk, and what never does.
#include "cli_support.h"
#include "support/disk_state.h"

#include <gtest/gtest.h>

namespace mr::cli::test {
namespace {

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
        RealCase{"apply renames the arguments in any order", "a1.txt a2.txt a3.txt other.txt",
                 "--apply -t 0=b @a3.txt @a1.txt @a3.txt @a2.txt", "", 0,
                 "b1.txt=a1.txt b2.txt=a2.txt b3.txt=a3.txt other.txt"},
        RealCase{"problems refuse with exit 2", "a1.txt a2.txt",
                 "--apply --paste - @a1.txt @a2.txt", "same\nsame\n", 2, "",
                 "Unable to rename files:\n2 files are being renamed to the same name."},
        RealCase{"a missing name", "a1.txt", "--apply -t 0=b @a1.txt @a9.txt", "", 1, "",
                 "cannot find @a9.txt"}),
    CaseName());

#ifndef _WIN32
// 100 characters pass the 255-character check; 300 bytes pass no POSIX limit.
std::string tooManyBytes() {
    std::string name;
    for (int i = 0; i < 100; ++i)
        name += "\xe3\x81\x82";
    return name;
}

INSTANTIATE_TEST_SUITE_P(Posix, RealRun,
                         testing::Values(RealCase{
                             "a name the file system refuses exits 3", "a1.txt a2.txt",
                             "--apply --paste - @a1.txt @a2.txt", tooManyBytes() + "\nb2\n", 3,
                             "a1.txt b2.txt=a2.txt", "File name too long"}),
                         CaseName());

#endif

} // namespace
} // namespace mr::cli::test
