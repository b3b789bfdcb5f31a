// Hostile names, 100,000 paths, faults between validation and the moves, and a
// process killed in the middle of the moves, all on real folders: afterwards every
// file is under its old name or its new one, and an undo brings back every old name.
#ifndef _WIN32
#include "cli/cli_support.h"
#include "hostile/disk_state.h"
#include "platform/common/utf8.h"
#include "platform/posix/posix_mover.h"
#include "ui/model/change_text_model.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <sys/wait.h>

namespace mr::test {
namespace {

// Journals go to a folder of the test's own, never the user's.
class JournalHome {
public:
    JournalHome() { ::setenv("XDG_STATE_HOME", dir_.path().c_str(), 1); }
    ~JournalHome() { ::unsetenv("XDG_STATE_HOME"); }
    std::string journals() const { return dir_.path() + "/multirename"; }

private:
    ScratchDir dir_;
};

std::vector<std::string> argsFor(const std::string& dir, const std::vector<std::string>& names,
                                 std::vector<std::string> args) {
    for (const auto& n : names)
        args.push_back(dir + "/" + n);
    return args;
}

int runCli(const std::vector<std::string>& args, std::string* err = nullptr) {
    const cli::test::RunResult r = cli::test::run(args);
    if (err)
        *err = r.err;
    return r.exit;
}

// Files named prefix + rest(i); the first field of the pattern is the prefix, and
// typing newPrefix there renames prefix + x to newPrefix + x.
struct Family {
    const char* what;
    size_t count;
    std::string prefix;
    std::function<std::string(size_t)> rest;
    std::string newPrefix;
    int exit; // 0 renamed, 2 refused
};

class HostileNames : public testing::TestWithParam<Family> {};

TEST_P(HostileNames, EveryFileUnderItsOldOrNewNameAndUndoneAfter) {
    const Family& c = GetParam();
    JournalHome home;
    ScratchDir scratch;
    const std::string dir = scratch.sub("files");
    std::vector<std::string> names;
    for (size_t i = 0; i < c.count; ++i)
        names.push_back(c.prefix + c.rest(i));
    createFiles(dir, names);
    auto newName = [&](const std::string& old) {
        return c.newPrefix + old.substr(c.prefix.size());
    };

    std::string err;
    EXPECT_EQ(runCli(argsFor(dir, names, {"--apply", "-t", "0=" + c.newPrefix}), &err), c.exit)
        << err.substr(0, 2000);
    const size_t moved = expectOldOrNew(names, readFolder(dir), newName);
    EXPECT_EQ(moved, c.exit == 0 ? c.count : 0);
    if (moved) {
        EXPECT_EQ(runCli({"--undo"}), 0);
        EXPECT_EQ(expectOldOrNew(names, readFolder(dir), newName), 0u);
    }
}

std::string digitRuns(size_t i) {
    // Fills a name to 255 bytes with digit runs of every length.
    std::string rest(1, static_cast<char>('a' + i % 26));
    for (size_t run = 1; rest.size() < 254; ++run)
        rest += std::to_string(i * 7919 + run * 104729).substr(0, run % 12 + 1) +
                static_cast<char>('A' + run % 26);
    rest.resize(254);
    return rest;
}

std::string letterAndNumber(size_t i) {
    return std::string(1, static_cast<char>('a' + i % 26)) + std::to_string(i);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileNames,
    testing::Values(
        Family{"names_of_255_bytes_full_of_digit_runs", 300, "r", digitRuns, "s", 0},
        Family{"one_byte_more_is_refused", 300, "r", digitRuns, "ss", 2},
        Family{"every_name_another_extension", 3000, "data",
               [](size_t i) { return ".e" + std::to_string(i); }, "set", 0},
        // Bytes that are not UTF-8, and an encoded surrogate, which decodes to lone ones.
        Family{"invalid_utf8_and_lone_surrogates", 500, "\xff\xfe",
               [](size_t i) { return letterAndNumber(i) + "\xed\xa0\x80\xc3(.txt"; }, "ok", 0},
        // 100,000 paths go through the command line in the records test; on a real
        // folder fewer keep the run short under the sanitizers.
        Family{"twenty_thousand_paths", 20000, "IMG_",
               [](size_t i) { return letterAndNumber(i) + ".jpg"; }, "PIC_", 0}),
    [](const testing::TestParamInfo<Family>& info) { return std::string(info.param.what); });

// Between "Rename" clearing the names and the first move, the folders change.
class FaultyMover final : public RenameProgress {
public:
    FaultyMover(std::function<void()> fault, PosixMover& mover) : fault_(fault), mover_(mover) {}
    bool isCancelled() override { return false; }
    void renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) override {
        fault_();
        mover_.renameFiles(owner, files);
    }

private:
    std::function<void()> fault_;
    PosixMover& mover_;
};

void touchForeign(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "foreign", 7), 7);
    ::close(fd);
}

struct Fault {
    const char* what;
    std::function<void(const std::string& root)> fault;
    size_t movedInA, movedInB; // of kSeries files each
    const char* aAfter;        // where folder a's files are afterwards
};

constexpr size_t kSeries = 1000;

std::string seriesName(size_t n) {
    return "n" + std::to_string(n) + ".dat";
}

class FaultsMeanwhile : public testing::TestWithParam<Fault> {};

// Two folders of n1..n1000 renumbered from 2: one chain of 1,000 renames each.
TEST_P(FaultsMeanwhile, NothingLostAndUndoRestores) {
    const Fault& c = GetParam();
    JournalHome home;
    ScratchDir scratch;
    std::vector<std::string> names;
    for (size_t i = 1; i <= kSeries; ++i)
        names.push_back(seriesName(i));
    std::vector<std::u16string> paths;
    for (const char* folder : {"a", "b"}) {
        const std::string dir = scratch.sub(folder);
        createFiles(dir, names);
        for (const auto& n : names)
            paths.push_back(fromUtf8(dir + "/" + n));
    }
    RecordSet set(NameRules::posix());
    fillRecordSet(set, paths, platformFileSystem());
    ChangeTextModel model(u"Hostile", set);
    model.initialise(nullptr);
    PatternToken* number = model.fieldToken(1);
    ASSERT_TRUE(number && number->kind == TokenKind::Number);
    number->renumber = true;
    number->startNumber = 2;
    model.fieldChanged();

    PosixMoverOptions options;
    options.journalDir = home.journals();
    PosixMover mover(options);
    FaultyMover faulty([&] { c.fault(scratch.path()); }, mover);
    ASSERT_EQ(model.rename(faulty, nullptr), RenameOutcome::Renamed);

    auto next = [](const std::string& old) { return seriesName(std::stoul(old.substr(1)) + 1); };
    EXPECT_EQ(expectOldOrNew(names, readFolder(scratch.path() + "/" + c.aAfter), next), c.movedInA);
    EXPECT_EQ(expectOldOrNew(names, readFolder(scratch.path() + "/b"), next), c.movedInB);
    EXPECT_EQ(mover.failures().size(), 2 * kSeries - c.movedInA - c.movedInB);

    const UndoReport undo = undoFromJournal(mover.journalPath());
    EXPECT_TRUE(undo.journalRead);
    EXPECT_EQ(undo.restored, c.movedInA + c.movedInB);
    EXPECT_EQ(expectOldOrNew(names, readFolder(scratch.path() + "/" + c.aAfter), next), 0u);
    EXPECT_EQ(expectOldOrNew(names, readFolder(scratch.path() + "/b"), next), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaultsMeanwhile,
    testing::Values(Fault{"no_fault", [](const std::string&) {}, kSeries, kSeries, "a"},
                    Fault{"a_folder_vanishes",
                          [](const std::string& root) {
                              ASSERT_EQ(::rename((root + "/a").c_str(), (root + "/gone").c_str()),
                                        0);
                          },
                          0, kSeries, "gone"},
                    Fault{"the_end_of_a_chain_taken",
                          [](const std::string& root) {
                              touchForeign(root + "/b/" + seriesName(kSeries + 1));
                          },
                          kSeries, 0, "a"},
                    Fault{"both_chain_ends_taken",
                          [](const std::string& root) {
                              touchForeign(root + "/a/" + seriesName(kSeries + 1));
                              touchForeign(root + "/b/" + seriesName(kSeries + 1));
                          },
                          0, 0, "a"}),
    [](const testing::TestParamInfo<Fault>& info) { return std::string(info.param.what); });

// A real process renames 5,000 files and is killed with SIGKILL at some point of
// its run; --undo then puts back every name.
struct Kill {
    const char* what;
    std::function<bool(const std::string& files, const std::string& journals)> when;
};

// Names only: the poll must stay cheap next to the renames it watches.
size_t countNew(const std::string& dir) {
    size_t n = 0;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d))
            n += std::string_view(e->d_name).starts_with("new_");
        ::closedir(d);
    }
    return n;
}

bool hasJournal(const std::string& journals) {
    return !readFolder(journals).empty();
}

class KilledApply : public testing::TestWithParam<Kill> {};

TEST_P(KilledApply, UndoPutsBackEveryName) {
    constexpr size_t kFiles = 5000;
    JournalHome home;
    ScratchDir scratch;
    const std::string dir = scratch.sub("files");
    std::vector<std::string> names;
    for (size_t i = 0; i < kFiles; ++i)
        names.push_back("f" + letterAndNumber(i) + ".dat");
    createFiles(dir, names);
    const std::vector<std::string> args = argsFor(dir, names, {"--apply", "-t", "0=new_"});
    auto newName = [](const std::string& old) { return "new_" + old.substr(1); };

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(runCli(args));
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (GetParam().when(dir, home.journals())) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            break;
        }
        ::usleep(500);
    }
    const size_t moved = expectOldOrNew(names, readFolder(dir), newName);
    std::string err;
    const int undo = runCli({"--undo"}, &err);
    // Killed before the journal was whole: nothing was moved, nothing to undo.
    if (moved) {
        EXPECT_EQ(undo, 0) << err;
    }
    EXPECT_EQ(expectOldOrNew(names, readFolder(dir), newName), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KilledApply,
    testing::Values(Kill{"as_the_journal_appears",
                         [](const std::string&, const std::string& j) { return hasJournal(j); }},
                    Kill{"after_the_first_move",
                         [](const std::string& d, const std::string&) { return countNew(d) >= 1; }},
                    Kill{"halfway", [](const std::string& d,
                                       const std::string&) { return countNew(d) >= 2500; }}),
    [](const testing::TestParamInfo<Kill>& info) { return std::string(info.param.what); });

} // namespace
} // namespace mr::test
#endif
