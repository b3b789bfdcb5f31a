// Hostile names and a process killed in the middle of its moves, on real folders:
// afterwards every file is under its old name or its new one, and --undo brings back
// every old name.
#ifndef _WIN32
#include "cli/cli_support.h"
#include "hostile/disk_state.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/wait.h>

namespace mr::test {
namespace {

std::vector<std::string> argsFor(const std::string& dir, const std::vector<std::string>& names,
                                 std::vector<std::string> args) {
    for (const auto& n : names)
        args.push_back(dir + "/" + n);
    return args;
}

std::string letterAndNumber(size_t i) {
    return std::string(1, static_cast<char>('a' + i % 26)) + std::to_string(i);
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
    const auto r = cli::test::run(argsFor(dir, names, {"--apply", "-t", "0=" + c.newPrefix}));
    EXPECT_EQ(r.exit, c.exit) << r.err.substr(0, 2000);
    const size_t moved = expectOldOrNew(names, readFolder(dir), newName);
    EXPECT_EQ(moved, c.exit == 0 ? c.count : 0);
    if (moved) {
        EXPECT_EQ(cli::test::run({"--undo"}).exit, 0);
        EXPECT_EQ(expectOldOrNew(names, readFolder(dir), newName), 0u);
    }
}

// Fills a name to 255 bytes with digit runs of every length.
std::string digitRuns(size_t i) {
    std::string rest(1, static_cast<char>('a' + i % 26));
    for (size_t run = 1; rest.size() < 254; ++run)
        rest += std::to_string(i * 7919 + run * 104729).substr(0, run % 12 + 1) +
                static_cast<char>('A' + run % 26);
    rest.resize(254);
    return rest;
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
               [](size_t i) { return letterAndNumber(i) + "\xed\xa0\x80\xc3(.txt"; }, "ok", 0}),
    cli::test::CaseName());

// Counts names only: the poll must stay cheap next to the renames it watches.
size_t countNew(const std::string& dir) {
    size_t n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += e.path().filename().string().starts_with("new_");
    return n;
}

// A real process renames 5,000 files and is killed with SIGKILL once `when` holds;
// --undo then puts back every name.
struct Kill {
    const char* what;
    std::function<bool(const std::string& files, const std::string& journals)> when;
};

class KilledApply : public testing::TestWithParam<Kill> {};

TEST_P(KilledApply, UndoPutsBackEveryName) {
    JournalHome home;
    ScratchDir scratch;
    const std::string dir = scratch.sub("files");
    std::vector<std::string> names;
    for (size_t i = 0; i < 5000; ++i)
        names.push_back("f" + letterAndNumber(i) + ".dat");
    createFiles(dir, names);
    const auto args = argsFor(dir, names, {"--apply", "-t", "0=new_"});
    auto newName = [](const std::string& old) { return "new_" + old.substr(1); };

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(cli::test::run(args).exit);
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
    const auto undo = cli::test::run({"--undo"});
    // Killed before the journal was whole: nothing was moved, nothing to undo.
    if (moved) {
        EXPECT_EQ(undo.exit, 0) << undo.err;
    }
    EXPECT_EQ(expectOldOrNew(names, readFolder(dir), newName), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KilledApply,
    testing::Values(Kill{"as_the_journal_appears",
                         [](const std::string&, const std::string& j) {
                             return !readFolder(j).empty();
                         }},
                    Kill{"after_the_first_move",
                         [](const std::string& d, const std::string&) { return countNew(d) >= 1; }},
                    Kill{"halfway", [](const std::string& d,
                                       const std::string&) { return countNew(d) >= 2500; }}),
    cli::test::CaseName());

} // namespace
} // namespace mr::test
#endif
