#pragma once
// The multirename program run as a child with the system-call shim preloaded, so that a
// test can read the order of its syncs and renames, fail one, or kill it at one.
#ifndef _WIN32
#include "support/disk_state.h"

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace mr::test {

struct ChildRun {
    int exit = -1;
    bool killed = false;
    std::string err;
};

// The journals of runs under `root`.
inline std::string journalsUnder(const fs::path& root) {
    return (root / "state" / "multirename").string();
}

// Runs with its journals under `root`, settings of its own, and the shim seeing only the
// calls on paths under `root`. `shim`: settings such as "MR_SHIM_KILL=renameat2:3" (see
// tests/syscall_shim).
inline ChildRun runPreloaded(const fs::path& root, const std::vector<std::string>& args,
                             const std::vector<std::string>& shim = {}) {
    ScratchDir scratch;
    const std::string outFile = (scratch.path() / "out").string();
    const std::string errFile = (scratch.path() / "err").string();
    std::vector<std::string> env = {
        "LD_PRELOAD=" MR_SYSCALL_SHIM,
        // The shim comes ahead of the sanitizer's runtime.
        "ASAN_OPTIONS=verify_asan_link_order=0",
        "MR_SHIM_UNDER=" + fs::canonical(root).string(),
        "XDG_STATE_HOME=" + (root / "state").string(),
        "HOME=" + scratch.path().string(),
        "XDG_CONFIG_HOME=" + (scratch.path() / "config").string(),
    };
    env.insert(env.end(), shim.begin(), shim.end());
    for (char** e = environ; *e; ++e) {
        const std::string_view v = *e;
        if (!v.starts_with("LD_PRELOAD=") && !v.starts_with("ASAN_OPTIONS=") &&
            !v.starts_with("HOME=") && !v.starts_with("XDG_") && !v.starts_with("MR_SHIM_"))
            env.push_back(*e);
    }
    std::vector<std::string> argv = {MR_CLI_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> out;
        for (auto& t : texts)
            out.push_back(t.data());
        out.push_back(nullptr);
        return out;
    };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t child = -1;
    const int error = ::posix_spawn(&child, argv[0].c_str(), &actions, nullptr,
                                    pointers(argv).data(), pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    ChildRun run;
    int status = 0;
    if (error != 0 || ::waitpid(child, &status, 0) != child) {
        ADD_FAILURE() << "cannot run " << argv[0];
        return run;
    }
    run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(in), {});
    return run;
}

} // namespace mr::test
#endif
