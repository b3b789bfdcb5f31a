// Hostile names and kills mid-run: every file under its old or new name; --undo undoes all.
#ifndef _WIN32
#include "cli/cli_support.h"
#include "support/disk_state.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/wait.h>

namespace mr::test {
namespace {

using KillWhen = std::function<bool(const std::string& files, const std::string& journals)>;

// Files prefix + a letter and i + suffix; typing newPrefix into the first field renames them. With
// `kill`, the run is a child process killed once it holds.
struct Family {
    const char* what;
    size_t count;
    std::string prefix;
    std::string suffix;
    std::string newPrefix;
    KillWhen kill = nullptr;
};

class HostileNames : public testing::TestWithParam<Family> {};

TEST_P(HostileNames, EveryFileUnderItsOldOrNewNameAndUndoneAfter) {
    const Family& c = GetParam();
    JournalHome home;
    ScratchDir scratch;
    const std::string dir = scratch.sub("files");
    std::vector<std::string> names;
    std::vector<std::string> args = {"--apply", "-t", "0=" + c.newPrefix};
    for (size_t i = 0; i < c.count; ++i) {
        names.push_back(c.prefix + char('a' + i % 26) + std::to_string(i) + c.suffix);
        args.push_back(dir + "/" + names.back());
    }
    createFiles(dir, names);
    auto newName = [&](const std::string& old) {
        return c.newPrefix + old.substr(c.prefix.size());
    };
    if (c.kill) { // SIGKILL once c.kill holds
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(cli::test::run(args).exit);
        int status = 0;
        while (::waitpid(child, &status, WNOHANG) == 0)
            if (c.kill(dir, home.journals())) {
                ::kill(child, SIGKILL);
                ::waitpid(child, &status, 0); // reaped: the next wait ends the loop
            } else
                ::usleep(500);
    } else {
        const auto r = cli::test::run(args);
        EXPECT_EQ(r.exit, 0) << r.err.substr(0, 2000);
    }
    const size_t moved = expectOldOrNew(names, readFolder(dir), newName);
    EXPECT_TRUE(c.kill || moved == c.count) << moved;
    // Killed before the journal was whole: nothing moved, nothing to undo.
    if (moved) {
        const auto undo = cli::test::run({"--undo"});
        EXPECT_EQ(undo.exit, 0) << undo.err;
        EXPECT_EQ(expectOldOrNew(names, readFolder(dir), newName), 0u);
    }
}

// Counts names only: the poll must stay cheap next to the renames it watches.
bool halfMoved(const std::string& dir, const std::string&) {
    size_t n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += e.path().filename().string().starts_with("new_");
    return n >= 2500;
}

const KillWhen journalAppeared = [](auto&, auto& journals) {
    return !readFolder(journals).empty();
};

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileNames,
    testing::Values(
        // Bytes that are not UTF-8, and an encoded surrogate, which decodes to lone ones.
        Family{"invalid_utf8_and_lone_surrogates", 500, "\xff\xfe", "\xed\xa0\x80\xc3(.txt", "ok"},
        Family{"killed_as_the_journal_appears", 5000, "f", ".dat", "new_", journalAppeared},
        Family{"killed_halfway", 5000, "f", ".dat", "new_", halfMoved}),
    cli::test::CaseName());

} // namespace
} // namespace mr::test
#endif
