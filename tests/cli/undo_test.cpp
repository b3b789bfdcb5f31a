// --undo over a history of runs on a real folder: it reaches the run meant whatever
// happened to the runs after it, and says what it did.
#ifndef _WIN32
#include "cli_support.h"
#include "support/disk_state.h"
#include "support/scoped_env.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mr::cli::test {
namespace {

using mr::test::folderOf;
using mr::test::readFolder;
using mr::test::ScopedEnv;
using mr::test::ScratchDir;
using mr::test::words;
namespace fs = std::filesystem;

struct UndoCase {
    const char* what;
    std::string steps;    // separated by ';' (below)
    int exit;             // of the last step
    std::string after;    // the folder at the end; it starts as "a1 a2 b1 b2"
    std::string err = ""; // a part of the last step's standard error; "@" is the folder
    std::string out = "";
};

class UndoHistory : public testing::TestWithParam<UndoCase> {
protected:
    // "apply P Q": --apply typing Q over the files that start with P (aP1 -> Q1).
    std::vector<std::string> applyArgs(const std::string& from, const std::string& to) {
        std::vector<std::string> args = {"--apply", "-t", "0=" + to};
        for (const auto& [name, content] : readFolder(dir))
            if (name.starts_with(from))
                args.push_back(dir + "/" + name);
        return args;
    }

    // The newest journal, by the name's order (the sequence, or the time of old names).
    fs::path newest() const {
        fs::path best;
        for (const auto& e : fs::directory_iterator(journals))
            if (e.path().filename().string() > best.filename().string())
                best = e.path();
        return best;
    }

    // A journal name after the newest: its number, one higher.
    fs::path next() const {
        std::string name = newest().filename().string();
        const size_t at = std::string("journal-").size();
        const unsigned long long n = std::stoull(name.substr(at, 20));
        char digits[21];
        std::snprintf(digits, sizeof digits, "%020llu", n + 1);
        return fs::path(journals) / name.replace(at, 20, digits);
    }

    std::string contentOf(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // The step in a child process under a file size limit: killed by it, or (when the
    // signal is ignored) seeing the write fail.
    RunResult limited(const std::vector<std::string>& args, bool killed) {
        int pipeFds[2];
        EXPECT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeFds[0]);
            std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
            const rlimit limit{64, 64};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const RunResult r = run(args);
            ::write(pipeFds[1], r.err.data(), r.err.size());
            ::_exit(r.exit);
        }
        ::close(pipeFds[1]);
        RunResult r;
        char buffer[4096];
        for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            r.err.append(buffer, static_cast<size_t>(n));
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return r;
    }

    RunResult step(const std::string& line) {
        const auto w = words(line);
        const std::string& op = w.at(0);
        RunResult none;
        none.exit = 0;
        if (op == "apply")
            return run(applyArgs(w[1], w[2]));
        if (op == "killed") { // a file size limit kills it while it writes the journal
            EXPECT_EQ(limited(applyArgs(w[1], w[2]), true).exit, 128 + SIGXFSZ);
            return none;
        }
        if (op == "limited")
            return limited(applyArgs(w[1], w[2]), false);
        if (op == "nohome") { // neither variable names a folder for journals
            ScopedEnv xdg("XDG_STATE_HOME", nullptr), home("HOME", nullptr);
            return w.size() > 1 ? run(applyArgs(w[1], w[2])) : run({"--undo"});
        }
        if (op == "undo")
            return run(w.size() > 1 ? std::vector<std::string>{"--undo", w[1]}
                                    : std::vector<std::string>{"--undo"});
        if (op == "list")
            return run({"--undo", "--list"});
        if (op == "clock-ahead") // as if the newest run had been made with the clock ahead
            fs::rename(newest(), fs::path(journals) / "journal-09000000000000000000-1");
        else if (op == "cut") { // a journal whose writing stopped halfway
            const std::string whole = contentOf(newest());
            std::ofstream(next(), std::ios::binary) << whole.substr(0, whole.size() / 2);
        } else if (op == "failed") { // a run whose every rename failed: "failed P Q"
            const auto args = applyArgs(w[1], w[2]);
            EXPECT_EQ(run(args).exit, 0);
            for (size_t i = 3; i < args.size(); ++i) {
                const std::string old = fs::path(args[i]).filename().string();
                fs::rename(dir + "/" + w[2] + old.substr(w[1].size()), args[i]);
            }
            const std::string whole = contentOf(newest());
            std::string journal = whole.substr(0, whole.find("PLAN END\n") + 9);
            for (size_t i = 3; i < args.size(); ++i)
                journal += "F " + std::to_string(i - 3) + "\n";
            std::ofstream(newest(), std::ios::binary) << journal + "END\n";
        } else if (op == "first-format") { // as written before runs had sequences and times
            std::string whole = contentOf(newest());
            whole.replace(0, whole.find('\n', whole.find('\n') + 1) + 1, "multirename journal 1\n");
            std::ofstream(newest(), std::ios::binary) << whole;
        } else if (op == "edit") { // saved again: a new file moved over the old one
            mr::test::writeFile(dir + "/" + w[1] + ".new", contentOf(dir + "/" + w[1]));
            fs::rename(dir + "/" + w[1] + ".new", dir + "/" + w[1]);
        } else if (op == "delete") {
            fs::remove(dir + "/" + w[1]);
        } else {
            ADD_FAILURE() << "unknown step " << op;
        }
        return none;
    }

    ScratchDir scratch;
    const std::string dir = scratch.sub("files");
    const std::string journals = (scratch.path() / "state" / "multirename").string();
};

TEST_P(UndoHistory, ReachesTheRunMeant) {
    const UndoCase& c = GetParam();
    ScopedEnv state("XDG_STATE_HOME", (scratch.path() / "state").c_str());
    mr::test::createFiles(dir, words("a1 a2 b1 b2"));
    std::vector<std::string> steps;
    for (size_t from = 0, to; from < c.steps.size(); from = to + 1) {
        to = std::min(c.steps.find(';', from), c.steps.size());
        steps.push_back(c.steps.substr(from, to - from));
    }
    RunResult last;
    for (size_t i = 0; i < steps.size(); ++i) {
        last = step(steps[i]);
        if (i + 1 < steps.size()) {
            ASSERT_EQ(last.exit, 0) << steps[i] << ": " << last.err;
        }
    }
    EXPECT_EQ(last.exit, c.exit) << last.err;
    EXPECT_NE(last.err.find(replaced(c.err, "@", dir + "/")), std::string::npos) << last.err;
    EXPECT_NE(last.out.find(c.out), std::string::npos) << last.out;
    EXPECT_EQ(readFolder(dir), folderOf(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UndoHistory,
    testing::Values(
        UndoCase{"killed while writing its journal: the run before is undone",
                 "apply a x; killed x y; undo", 0, "a1 a2 b1 b2"},
        UndoCase{"a journal cut short is ignored with a notice", "apply a x; cut; undo", 0,
                 "a1 a2 b1 b2", "its plan was never completed"},
        UndoCase{"the clock of a run does not order the runs",
                 "apply a x; clock-ahead; apply b y; undo", 0, "x1=a1 x2=a2 b1 b2"},
        UndoCase{"an undone run is skipped; the run before is named", "apply a x; apply b y; undo",
                 0, "x1=a1 x2=a2 b1 b2", "",
                 " before it is not undone: multirename --undo again puts it back."},
        UndoCase{"an undone run is skipped", "apply a x; apply b y; undo; undo", 0, "a1 a2 b1 b2"},
        UndoCase{"a journal of the first format", "apply a x; first-format; undo", 0,
                 "a1 a2 b1 b2"},
        UndoCase{"a run that moved nothing is skipped", "apply a x; failed b y; undo", 0,
                 "a1 a2 b1 b2"},
        UndoCase{"an older run by its number", "apply a x; apply b y; undo 1", 0,
                 "a1 a2 y1=b1 y2=b2", "", "Put back 2 names of run 1"},
        UndoCase{"a file saved again is put back by its name", "apply a x; edit x1; undo", 0,
                 "a1 a2 b1 b2", "put back @a1 by its new name @x1"},
        UndoCase{"a file gone: its old name first", "apply a x; delete x1; undo", 3, "a2 b1 b2",
                 "could not put back @a1 from @x1: the file is gone"},
        UndoCase{"the runs listed with their states", "apply a x; apply b y; undo; list", 0,
                 "x1=a1 x2=a2 b1 b2", "", "multirename --undo puts back run 1;"},
        UndoCase{"nothing left to undo", "apply a x; undo; undo", 1, "a1 a2 b1 b2",
                 "every run there is undone or moved nothing"},
        UndoCase{"no journal yet", "undo", 1, "a1 a2 b1 b2", "there is no journal in"},
        UndoCase{"no folder for journals: nothing renamed", "nohome a x", 3, "a1 a2 b1 b2",
                 "multirename: cannot write a journal: neither XDG_STATE_HOME nor HOME names a "
                 "folder for it; nothing was renamed\n"},
        UndoCase{"no folder for journals: undo says where it looked", "nohome", 1, "a1 a2 b1 b2",
                 "there is no folder of journals: neither XDG_STATE_HOME nor HOME"},
        UndoCase{"a journal over the file size limit: one message with the real reason",
                 "limited a x", 3, "a1 a2 b1 b2", ": File too large; nothing was renamed\n"}),
    CaseName());

} // namespace
} // namespace mr::cli::test
#endif
