// The journalled mover on a real folder: faults injected between planning and
// renaming, and a process killed in the middle, must never lose a file.
#ifndef _WIN32
#include "platform/common/utf8.h"
#include "platform/posix/posix_mover.h"
#include "rename/execution.h"
#include "rename/validation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace mr {
namespace {

namespace fs = std::filesystem;
using Names = std::map<std::string, std::string>; // name -> content, one folder

PosixMoverOptions journalIn(std::string dir) {
    PosixMoverOptions options;
    options.journalDir = std::move(dir);
    return options;
}

class MoverTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/mr-mover-XXXXXX";
        root = ::mkdtemp(pattern);
        dir = root / "files";
        fs::create_directories(dir);
        journals = (root / "journal").string();
    }
    void TearDown() override {
        ::chmod(dir.c_str(), 0700);
        fs::remove_all(root);
    }

    // Each file holds its own first name, so a file can be followed through renames.
    void create(const std::vector<std::string>& names, const fs::path& where) {
        for (const auto& n : names)
            std::ofstream(where / n) << n;
    }

    Names onDisk(const fs::path& where) const {
        Names out;
        for (const auto& e : fs::directory_iterator(where)) {
            std::ifstream in(e.path());
            out[e.path().filename().string()] =
                e.is_directory() ? "<dir>" : std::string(std::istreambuf_iterator<char>(in), {});
        }
        return out;
    }

    // Plans old -> new for the files of the folder, as the dialog would.
    void plan(RecordSet& set, const std::map<std::string, std::string>& renames,
              const fs::path& where) {
        std::vector<std::u16string> paths;
        for (const auto& [from, to] : renames)
            paths.push_back(fromUtf8((where / from).string()));
        fillRecordSet(set, paths, platformFileSystem());
        markTakingPart(set, u"", true);
        set.forEachFile([&](FileRecord& f) {
            if (f.takesPart)
                f.newName = fromUtf8(renames.at(toUtf8(f.name)));
        });
        validateAll(set);
    }

    std::vector<std::string> failedSources(const Mover& mover) const {
        std::vector<std::string> out;
        for (const auto& f : mover.failures())
            out.push_back(fs::path(toUtf8(f.from)).filename().string());
        return out;
    }

    fs::path root, dir;
    std::string journals;
};

struct FaultCase {
    const char* what;
    std::vector<std::string> files;
    std::map<std::string, std::string> renames;
    std::function<void(const fs::path& dir)> fault; // between planning and renaming
    std::vector<std::string> failed;                // sources reported, in list order
    Names after;
};

class MoverFaults : public MoverTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(MoverFaults, ReportsPerFileAndOverwritesNothing) {
    create(GetParam().files, dir);
    RecordSet set(NameRules::posix());
    plan(set, GetParam().renames, dir);
    GetParam().fault(dir);
    PosixMover mover(journalIn(journals));
    executeRenames(nullptr, set, mover);
    EXPECT_EQ(failedSources(mover), GetParam().failed);
    EXPECT_EQ(onDisk(dir), GetParam().after);
    // Undo brings back whatever was renamed.
    ASSERT_FALSE(mover.journalPath().empty());
    const UndoReport undo = undoFromJournal(mover.journalPath());
    EXPECT_TRUE(undo.journalRead);
    for (const auto& [name, content] : onDisk(dir)) {
        if (content != "foreign" && content != "<dir>") {
            EXPECT_EQ(name, content);
        }
    }
}

void touch(const fs::path& p) {
    std::ofstream(p) << "foreign";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoverFaults,
    testing::Values(FaultCase{"no fault",
                              {"a", "b"},
                              {{"a", "x"}, {"b", "y"}},
                              [](const fs::path&) {},
                              {},
                              {{"x", "a"}, {"y", "b"}}},
                    FaultCase{"target created after planning",
                              {"a", "b"},
                              {{"a", "x"}, {"b", "y"}},
                              [](const fs::path& d) { touch(d / "x"); },
                              {"a"},
                              {{"a", "a"}, {"x", "foreign"}, {"y", "b"}}},
                    FaultCase{"source removed after planning",
                              {"a", "b"},
                              {{"a", "x"}, {"b", "y"}},
                              [](const fs::path& d) { fs::remove(d / "a"); },
                              {"a"},
                              {{"y", "b"}}},
                    FaultCase{"a chain behind a failed rename stays",
                              {"a", "b", "c"},
                              {{"a", "b"}, {"b", "c"}, {"c", "d"}},
                              [](const fs::path& d) { touch(d / "d"); },
                              {"c", "b", "a"},
                              {{"a", "a"}, {"b", "b"}, {"c", "c"}, {"d", "foreign"}}},
                    FaultCase{"a folder as the new target is not replaced",
                              {"a"},
                              {{"a", "x"}},
                              [](const fs::path& d) { fs::create_directory(d / "x"); },
                              {"a"},
                              {{"a", "a"}, {"x", "<dir>"}}}));

TEST_F(MoverTest, FolderGoneAfterPlanningFailsItsFiles) {
    fs::create_directories(dir / "sub");
    create({"a", "b"}, dir / "sub");
    create({"c"}, dir);
    RecordSet set(NameRules::posix());
    std::vector<std::u16string> paths = {fromUtf8((dir / "sub" / "a").string()),
                                         fromUtf8((dir / "sub" / "b").string()),
                                         fromUtf8((dir / "c").string())};
    fillRecordSet(set, paths, platformFileSystem());
    markTakingPart(set, u"", true);
    set.forEachFile([](FileRecord& f) { f.newName = f.name + u"2"; });
    validateAll(set);
    fs::rename(dir / "sub", dir / "moved");
    PosixMover mover(journalIn(journals));
    executeRenames(nullptr, set, mover);
    EXPECT_EQ(failedSources(mover), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(onDisk(dir / "moved"), (Names{{"a", "a"}, {"b", "b"}}));
    EXPECT_EQ(onDisk(dir), (Names{{"c2", "c"}, {"moved", "<dir>"}}));
}

TEST_F(MoverTest, ReadOnlyFolder) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "runs as root, which ignores folder permissions";
    create({"a"}, dir);
    RecordSet set(NameRules::posix());
    plan(set, {{"a", "b"}}, dir);
    ::chmod(dir.c_str(), 0500);
    PosixMover mover(journalIn(journals));
    executeRenames(nullptr, set, mover);
    EXPECT_EQ(failedSources(mover), (std::vector<std::string>{"a"}));
    EXPECT_EQ(onDisk(dir), (Names{{"a", "a"}}));
}

TEST_F(MoverTest, NestedFolderRenamedAfterItsContentsAndUndone) {
    fs::create_directories(dir / "sub");
    create({"x1", "x2"}, dir / "sub");
    RecordSet set(NameRules::posix());
    fillRecordSet(set,
                  {fromUtf8((dir / "sub" / "x1").string()), fromUtf8((dir / "sub" / "x2").string()),
                   fromUtf8((dir / "sub").string())},
                  platformFileSystem());
    markTakingPart(set, u"", true);
    set.forEachFile([](FileRecord& f) { f.newName = f.name == u"x1" ? u"x2" : f.name + u"b"; });
    validateAll(set);
    PosixMover mover(journalIn(journals));
    executeRenames(nullptr, set, mover);
    EXPECT_TRUE(mover.failures().empty());
    EXPECT_EQ(onDisk(dir / "subb"), (Names{{"x2", "x1"}, {"x2b", "x2"}}));
    const UndoReport undo = undoFromJournal(*latestJournal(journals));
    EXPECT_EQ(undo.restored, 3u);
    EXPECT_TRUE(undo.failures.empty());
    EXPECT_EQ(onDisk(dir / "sub"), (Names{{"x1", "x1"}, {"x2", "x2"}}));
    // A second undo finds everything in place.
    const UndoReport again = undoFromJournal(*latestJournal(journals));
    EXPECT_EQ(again.restored, 0u);
    EXPECT_EQ(again.alreadyInPlace, 3u);
}

TEST_F(MoverTest, CaseOnlyChangeOnAFoldingFolderGoesThroughATemporaryName) {
    create({"a.txt", "b.txt"}, dir);
    RecordSet set(NameRules::posix());
    plan(set, {{"a.txt", "A.txt"}, {"b.txt", "c.txt"}}, dir);
    set.folders.begin()->second->foldCase = true; // as on a case-insensitive file system
    PosixMover mover(journalIn(journals));
    executeRenames(nullptr, set, mover);
    EXPECT_TRUE(mover.failures().empty());
    EXPECT_EQ(onDisk(dir), (Names{{"A.txt", "a.txt"}, {"c.txt", "b.txt"}}));
    undoFromJournal(mover.journalPath());
    EXPECT_EQ(onDisk(dir), (Names{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}));
}

TEST_F(MoverTest, NoJournalNoRename) {
    create({"a"}, dir);
    RecordSet set(NameRules::posix());
    plan(set, {{"a", "b"}}, dir);
    touch(root / "blocked");
    PosixMover mover(journalIn((root / "blocked" / "journal").string()));
    executeRenames(nullptr, set, mover);
    EXPECT_EQ(failedSources(mover), (std::vector<std::string>{"a"}));
    EXPECT_EQ(onDisk(dir), (Names{{"a", "a"}}));
}

// A child renames a renumbered series (f001 -> f002 ... and a change of case through
// a temporary name) and dies after k renameat2 calls; undo must restore every file.
// From 64 files on, the sources' inodes come from one listing of the folder.
struct Crash {
    int files;
    size_t k;
};

class KilledMidway : public MoverTest, public testing::WithParamInterface<Crash> {};

std::string series(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d", i);
    return name;
}

TEST_P(KilledMidway, UndoRestoresEveryFile) {
    std::vector<std::string> names = {"note"};
    std::map<std::string, std::string> renames = {{"note", "NOTE"}};
    for (int i = 1; i <= GetParam().files; ++i) {
        names.push_back(series(i));
        renames[series(i)] = series(i + 1);
    }
    create(names, dir);
    const size_t k = GetParam().k;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecordSet set(NameRules::posix());
        plan(set, renames, dir);
        set.folders.begin()->second->foldCase = true;
        PosixMoverOptions options = journalIn(journals);
        options.batchSize = 2;
        options.afterRename = [k](size_t done) {
            if (done == k)
                ::_exit(0);
        };
        PosixMover mover(options);
        executeRenames(nullptr, set, mover);
        ::_exit(mover.failures().empty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    // Nothing lost midway: every content once, under some name.
    std::multiset<std::string> contents;
    for (const auto& [name, content] : onDisk(dir))
        contents.insert(content);
    EXPECT_EQ(contents, std::multiset<std::string>(names.begin(), names.end()));

    const auto journal = latestJournal(journals);
    ASSERT_TRUE(journal);
    const UndoReport undo = undoFromJournal(*journal);
    EXPECT_TRUE(undo.journalRead);
    EXPECT_TRUE(undo.failures.empty());
    Names expected;
    for (const auto& n : names)
        expected[n] = n;
    EXPECT_EQ(onDisk(dir), expected);
}

// n files take n + 2 renameat2 calls: the series, then two hops for the change of case.
INSTANTIATE_TEST_SUITE_P(Cases, KilledMidway,
                         testing::Values(Crash{6, 1}, Crash{6, 2}, Crash{6, 5}, Crash{6, 6},
                                         Crash{6, 7}, Crash{6, 8}, Crash{100, 1}, Crash{100, 37},
                                         Crash{100, 101}, Crash{100, 102}));

} // namespace
} // namespace mr
#endif
