#include "cli/names_editor.h"

#ifdef _WIN32

namespace mr::cli {

EditedNames editNamesInEditor(std::u16string_view, const std::string&, size_t) {
    return {EditedNames::Outcome::Failed, {}, "there is no editor round trip in this build"};
}

} // namespace mr::cli

#else

#include "cli/inputs.h"
#include "platform/posix/unique_fd.h"
#include "text/utf8.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace mr::cli {
namespace {

// The file that a signal ending the run must not leave behind.
char gTemporary[4096];

extern "C" void removeTemporaryAndDie(int sig) {
    if (gTemporary[0])
        ::unlink(gTemporary);
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

class TemporaryFile {
public:
    explicit TemporaryFile(std::string& error) {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir && *dir ? dir : "/tmp") + "/multirename-XXXXXX.txt";
        if (path_.size() >= sizeof gTemporary) {
            error = "the folder of temporary files (TMPDIR) has too long a path";
            return;
        }
        fd_.reset(::mkstemps(path_.data(), 4)); // mode 0600
        if (!fd_) {
            error = "cannot make a temporary file in " + path_.substr(0, path_.rfind('/')) + ": " +
                    std::strerror(errno);
            return;
        }
        std::memcpy(gTemporary, path_.c_str(), path_.size() + 1);
    }
    ~TemporaryFile() {
        if (fd_)
            ::unlink(path_.c_str());
        gTemporary[0] = '\0';
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    explicit operator bool() const { return bool(fd_); }
    const std::string& path() const { return path_; }

    bool write(std::string_view text, std::string& error) {
        while (!text.empty()) {
            const ssize_t n = ::write(fd_.get(), text.data(), text.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error = "cannot write " + path_ + ": " + std::strerror(errno ? errno : EIO);
                return false;
            }
            text.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

private:
    std::string path_;
    UniqueFd fd_;
};

// Signals as system() sets them while a child runs, and a removal of the file on the
// signals that end a run from outside.
class WhileTheEditorRuns {
public:
    WhileTheEditorRuns() {
        struct sigaction ignore {
        }, remove{};
        ignore.sa_handler = SIG_IGN;
        remove.sa_handler = removeTemporaryAndDie;
        for (int i = 0; i < 4; ++i)
            ::sigaction(kSignals[i], i < 2 ? &ignore : &remove, &old_[i]);
    }
    ~WhileTheEditorRuns() {
        for (int i = 0; i < 4; ++i)
            ::sigaction(kSignals[i], &old_[i], nullptr);
    }
    WhileTheEditorRuns(const WhileTheEditorRuns&) = delete;
    WhileTheEditorRuns& operator=(const WhileTheEditorRuns&) = delete;

private:
    static constexpr int kSignals[4] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};
    struct sigaction old_[4];
};

std::string editorCommand() {
    for (const char* name : {"VISUAL", "EDITOR"})
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return "vi";
}

// Runs the command through the shell with the file as its argument, never inside the
// command text; the exit status, or a problem.
bool runEditor(const std::string& command, const std::string& file, const std::string& terminal,
               std::string& problem) {
    UniqueFd tty;
    const bool inputIsTerminal = ::isatty(0) != 0, outputIsTerminal = ::isatty(1) != 0;
    if (!terminal.empty() && (!inputIsTerminal || !outputIsTerminal))
        tty.reset(::open(terminal.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (tty && !inputIsTerminal)
        posix_spawn_file_actions_adddup2(&actions, tty.get(), 0);
    if (tty && !outputIsTerminal)
        posix_spawn_file_actions_adddup2(&actions, tty.get(), 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigemptyset(&none);
    // We ignore some of these; the editor starts with none ignored.
    for (int sig : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    const std::string script = command + " \"$@\"";
    const char* argv[] = {"sh", "-c", script.c_str(), "sh", file.c_str(), nullptr};
    WhileTheEditorRuns signals;
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, "/bin/sh", &actions, &attributes,
                                      const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        problem = "cannot start the editor through /bin/sh: " + std::string(std::strerror(spawned));
        return false;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            problem = "lost the editor: " + std::string(std::strerror(errno));
            return false;
        }
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    problem = "the editor (" + command + ") ";
    if (WIFSIGNALED(status))
        problem += "was ended by signal " + std::to_string(WTERMSIG(status));
    else
        problem += "exited with status " + std::to_string(WEXITSTATUS(status));
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        problem += " (set VISUAL or EDITOR to an editor that can be run)";
    return false;
}

} // namespace

EditedNames editNamesInEditor(std::u16string_view names, const std::string& terminal,
                              size_t limit) {
    EditedNames result;
    TemporaryFile file(result.problem);
    const std::string before = toUtf8(names);
    if (!file || !file.write(before, result.problem))
        return result;
    if (!runEditor(editorCommand(), file.path(), terminal, result.problem))
        return result;
    std::string after, error;
    std::istream none(nullptr);
    // Editors often save into a new file under the name: it is read by its name.
    if (!readInput(file.path(), none, limit, after, error)) {
        result.problem = error;
        return result;
    }
    result.outcome =
        after == before ? EditedNames::Outcome::Unchanged : EditedNames::Outcome::Edited;
    result.text = fromUtf8(after);
    return result;
}

} // namespace mr::cli

#endif
