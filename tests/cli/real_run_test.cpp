// multirename on real folders: what changes on disk, and what never does.
#include "cli_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace mr::cli::test {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// Journals of the runs go to a folder of the tests' own, never the user's.
class JournalFolder : public testing::Environment {
public:
    void SetUp() override { setenv("XDG_STATE_HOME", folder_.path().string().c_str(), 1); }
    fs::path journals() const { return folder_.path() / "multirename"; }

private:
    TempFolder folder_;
};
JournalFolder* const kJournals =
    static_cast<JournalFolder*>(testing::AddGlobalTestEnvironment(new JournalFolder));
#endif

// Every file of the folder with its content.
std::map<std::string, std::string> contents(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) {
        std::ifstream in(e.path(), std::ios::binary);
        out[e.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return out;
}

struct RealCase {
    const char* what;
    std::vector<std::string> files; // each holds its own name
    std::vector<std::string> args;  // "@name" stands for the file's full path
    std::string input;
    int exit;
    std::map<std::string, std::string> after; // empty: nothing changed
    const char* err = "";
};

class RealRun : public testing::TestWithParam<RealCase> {};

TEST_P(RealRun, RenamesOnDiskOnlyWhenTheWholeRunIsAccepted) {
    const RealCase& c = GetParam();
    TempFolder tmp;
    for (const auto& f : c.files)
        tmp.write(f, f);
    const auto before = contents(tmp.path());
    std::vector<std::string> args;
    for (const auto& a : c.args)
        args.push_back(a[0] == '@' ? (tmp.path() / a.substr(1)).string() : a);
    const RunResult r = run(args, c.input);
    EXPECT_EQ(r.exit, c.exit) << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(contents(tmp.path()), c.after.empty() ? before : c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealRun,
    testing::Values(
        RealCase{"a dry run changes nothing",
                 {"IMG_1.jpg", "IMG_2.jpg"},
                 {"-t", "0=new_", "@IMG_1.jpg", "@IMG_2.jpg"},
                 "",
                 0,
                 {}},
        RealCase{
            "apply renames",
            {"IMG_1.jpg", "IMG_2.jpg", "other.txt"},
            {"--apply", "-t", "0=new_", "@IMG_1.jpg", "@IMG_2.jpg"},
            "",
            0,
            {{"new_1.jpg", "IMG_1.jpg"}, {"new_2.jpg", "IMG_2.jpg"}, {"other.txt", "other.txt"}}},
        RealCase{"a chain moves the freed name last",
                 {"f1.txt", "f2.txt"},
                 {"--apply", "--number", "1=renumber:2", "@f1.txt", "@f2.txt"},
                 "",
                 0,
                 {{"f2.txt", "f1.txt"}, {"f3.txt", "f2.txt"}}},
        RealCase{"a change of case only",
                 {"a.txt", "b.txt"},
                 {"--apply", "--wild", "1=upper", "@a.txt", "@b.txt"},
                 "",
                 0,
                 {{"A.txt", "a.txt"}, {"B.txt", "b.txt"}}},
        RealCase{"the JSON run applies too",
                 {"a1.txt", "a2.txt"},
                 {"--json", "--apply", "--paste", "-", "@a1.txt", "@a2.txt"},
                 "b1\nb2\n",
                 0,
                 {{"b1.txt", "a1.txt"}, {"b2.txt", "a2.txt"}}},
        RealCase{"problems refuse with exit 2",
                 {"a1.txt", "a2.txt"},
                 {"--apply", "--paste", "-", "@a1.txt", "@a2.txt"},
                 "same\nsame\n",
                 2,
                 {},
                 "Unable to rename files:\n2 files are being renamed to the same name."},
        RealCase{"a name held by a file outside the rename",
                 {"a1.txt", "a2.txt", "b.txt"},
                 {"--apply", "--paste", "-", "@a1.txt", "@a2.txt"},
                 "b\nc\n",
                 2,
                 {},
                 "1 file is being renamed to the same name as an existing file."},
        RealCase{"a faulty action after Rename moves nothing",
                 {"a1.txt", "a2.txt"},
                 {"--apply", "-t", "0=b", "--script", "-", "@a1.txt", "@a2.txt"},
                 R"([{"do":"rename"},{"do":"snapshot"}])",
                 1,
                 {},
                 "the dialog has already closed"},
        RealCase{"arguments out of order and repeated are all found",
                 {"a1.txt", "a2.txt", "a3.txt"},
                 {"--apply", "-t", "0=b", "@a3.txt", "@a1.txt", "@a3.txt", "@a2.txt"},
                 "",
                 0,
                 {{"b1.txt", "a1.txt"}, {"b2.txt", "a2.txt"}, {"b3.txt", "a3.txt"}}},
        RealCase{"a missing path moves nothing",
                 {"a1.txt", "a2.txt"},
                 {"--apply", "-t", "0=b", "@a1.txt", "@a3.txt", "@a2.txt"},
                 "",
                 1,
                 {},
                 "multirename: cannot find "},
        RealCase{"an unreadable script moves nothing",
                 {"a1.txt", "a2.txt"},
                 {"--apply", "-t", "0=b", "--script", "@no-such.json", "@a1.txt", "@a2.txt"},
                 "",
                 1,
                 {},
                 "multirename: --script: cannot read "},
        RealCase{"malformed records move nothing",
                 {"a1.txt"},
                 {"--apply", "--records", "-"},
                 "{\"paths\":[",
                 1,
                 {},
                 "multirename: --records -: not valid JSON"}),
    CaseName());

// Arguments that name nothing: the first problem in argument order is the one
// reported, and nothing moves. "@" stands for the folder (with its separator).
struct ArgumentCase {
    const char* what;
    std::vector<std::string> args;
    std::string err;
};

TEST(ArgumentProblems, TheFirstInOrderIsReported) {
    const ArgumentCase cases[] = {
        {"a missing name before a malformed one",
         {"@a1.txt", "@a3.txt", "@.."},
         "cannot find @a3.txt"},
        {"a malformed name before a missing one",
         {"@a1.txt", "@..", "@a3.txt"},
         "cannot rename \"@..\""},
        {"a name in a folder that does not exist",
         {"@a1.txt", "@no/a2.txt"},
         "cannot find @no/a2.txt"},
        {"a name under a file", {"@a2.txt", "@a1.txt/x"}, "cannot find @a1.txt/x"},
        {"a missing name after a missing folder", {"@a9.txt", "@no/a2.txt"}, "cannot find @a9.txt"},
#ifndef _WIN32
        {"a name in another case on a folder that keeps case",
         {"@a1.txt", "@A2.txt"},
         "cannot find @A2.txt"},
#endif
    };
    for (const auto& c : cases) {
        TempFolder tmp;
        tmp.write("a1.txt", "a1.txt");
        tmp.write("a2.txt", "a2.txt");
        const auto before = contents(tmp.path());
        const std::string folder = (tmp.path() / "").string();
        auto expand = [&](std::string text) {
            for (size_t at; (at = text.find('@')) != std::string::npos;)
                text.replace(at, 1, folder);
            return text;
        };
        std::vector<std::string> args = {"--apply", "-t", "0=b"};
        for (const auto& a : c.args)
            args.push_back(expand(a));
        const RunResult r = run(args);
        EXPECT_EQ(r.exit, 1) << c.what;
        EXPECT_NE(r.err.find(expand(c.err)), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(contents(tmp.path()), before) << c.what;
    }
}

// Past a few arguments in one folder, the folder is listed once instead of looking up
// each name: a missing name among many is still caught, and every file still found.
TEST(ManyArguments, EveryFileFoundAndAMissingOneCaught) {
    TempFolder tmp;
    std::vector<std::string> args = {"--apply", "-t", "0=b"};
    std::map<std::string, std::string> renamed;
    for (int i = 10; i < 40; ++i) {
        const std::string name = "a" + std::to_string(i) + ".txt";
        args.push_back(tmp.write(name, name).string());
        renamed["b" + std::to_string(i) + ".txt"] = name;
    }
    auto missing = args;
    missing.push_back((tmp.path() / "a99.txt").string());
    const auto before = contents(tmp.path());
    const RunResult refused = run(missing);
    EXPECT_EQ(refused.exit, 1);
    EXPECT_NE(refused.err.find("cannot find " + missing.back()), std::string::npos) << refused.err;
    EXPECT_EQ(contents(tmp.path()), before);
    const RunResult r = run(args);
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(contents(tmp.path()), renamed);
}

#ifndef _WIN32
// 100 characters pass the 255-character check; their 300 bytes pass no POSIX file
// system's limit.
std::string tooManyBytes() {
    std::string name;
    for (int i = 0; i < 100; ++i)
        name += "\xe3\x81\x82";
    return name;
}

// What the mover itself cannot do: exit status 3, the file named, the others renamed.
INSTANTIATE_TEST_SUITE_P(Mover, RealRun,
                         testing::Values(RealCase{"a name the file system refuses exits 3",
                                                  {"a1.txt", "a2.txt"},
                                                  {"--apply", "--paste", "-", "@a1.txt", "@a2.txt"},
                                                  tooManyBytes() + "\nb2\n",
                                                  3,
                                                  {{"a1.txt", "a1.txt"}, {"b2.txt", "a2.txt"}},
                                                  "File name too long"}),
                         CaseName());

TEST(MoverFailure, NoJournalNoRenameAndExit3) {
    TempFolder tmp;
    tmp.write("a1.txt", "a1");
    tmp.write("a2.txt", "a2");
    // The journal's folder cannot be made under a file.
    const auto blocker = tmp.write("state", "");
    const std::string saved = std::getenv("XDG_STATE_HOME");
    setenv("XDG_STATE_HOME", blocker.c_str(), 1);
    const RunResult r = run({"--apply", "-t", "0=b", (tmp.path() / "a1.txt").string(),
                             (tmp.path() / "a2.txt").string()});
    setenv("XDG_STATE_HOME", saved.c_str(), 1);
    EXPECT_EQ(r.exit, 3);
    EXPECT_NE(r.err.find("a1.txt to "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("a2.txt to "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("the journal cannot be written"), std::string::npos) << r.err;
    EXPECT_EQ(contents(tmp.path()), (std::map<std::string, std::string>{
                                        {"a1.txt", "a1"}, {"a2.txt", "a2"}, {"state", ""}}));
}
#endif

#ifndef _WIN32
// The newest journal of the tests' journal folder.
std::string latestJournal() {
    std::string newest;
    for (const auto& e : fs::directory_iterator(kJournals->journals()))
        newest = std::max(newest, e.path().string());
    return newest;
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct UndoCase {
    const char* what;
    // After the run: files put back by hand and the journal cut after its plan, as a
    // run that stopped after renaming the others leaves them.
    std::vector<std::pair<std::string, std::string>> interrupted;
    const char* out;
};

class Undo : public testing::TestWithParam<UndoCase> {};

TEST_P(Undo, PutsBackEveryOldName) {
    TempFolder tmp;
    for (auto f : {"a1.txt", "a2.txt", "a3.txt"})
        tmp.write(f, f);
    const auto before = contents(tmp.path());
    const RunResult renamed =
        run({"--apply", "-t", "0=b", (tmp.path() / "a1.txt").string(),
             (tmp.path() / "a2.txt").string(), (tmp.path() / "a3.txt").string()});
    ASSERT_EQ(renamed.exit, 0) << renamed.err;
    ASSERT_EQ(contents(tmp.path()).count("b2.txt"), 1u);
    const std::string journal = latestJournal();
    if (!GetParam().interrupted.empty()) {
        for (const auto& [now, back] : GetParam().interrupted)
            fs::rename(tmp.path() / now, tmp.path() / back);
        const std::string text = readAll(journal);
        const size_t plan = text.find("PLAN END\n");
        ASSERT_NE(plan, std::string::npos);
        std::ofstream(journal, std::ios::binary | std::ios::trunc) << text.substr(0, plan + 9);
    }
    const RunResult undone = run({"--undo", journal});
    EXPECT_EQ(undone.exit, 0) << undone.err;
    EXPECT_NE(undone.out.find(GetParam().out), std::string::npos) << undone.out;
    EXPECT_EQ(contents(tmp.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Undo,
    testing::Values(UndoCase{"complete", {}, "Put back 3 names from "},
                    UndoCase{"interrupted",
                             {{"b3.txt", "a3.txt"}},
                             "Put back 2 names (1 already had their old names) from "}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(UndoInput, WithoutAJournalNothingHappens) {
    const RunResult r = run({"--undo", "/nonexistent/journal"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.err, "multirename: --undo: cannot read the journal /nonexistent/journal\n");
    EXPECT_EQ(run({"--undo", "--apply"}).exit, 1);
}

TEST(UndoInput, TheLatestJournalByDefault) {
    TempFolder tmp;
    tmp.write("x1.txt", "1");
    tmp.write("x2.txt", "2");
    ASSERT_EQ(run({"--apply", "-t", "0=y", (tmp.path() / "x1.txt").string(),
                   (tmp.path() / "x2.txt").string()})
                  .exit,
              0);
    const RunResult r = run({"--undo"});
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_TRUE(fs::exists(tmp.path() / "x1.txt"));
    EXPECT_TRUE(fs::exists(tmp.path() / "x2.txt"));
}
#endif

} // namespace
} // namespace mr::cli::test
