#include "platform/posix/journal_undo.h"

#include "platform/posix/folder_inodes.h"
#include "platform/posix/move_no_replace.h"
#include "platform/posix/unique_fd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace mr {
namespace {

struct UndoFolder {
    UniqueFd fd;
    int error = 0;
    size_t steps = 0;
    std::optional<InodeTable> inodes;
    uint64_t dev = 0;
};

std::string undoReason(int error) {
    if (error == EEXIST || error == ENOTEMPTY)
        return "the old name is taken";
    return std::strerror(error);
}

class Undo {
public:
    Undo(const Journal& j, UndoReport& report) : j_(j), report_(report) {}
    void run();

private:
    // Whether the name (an offset; 0: none) holds the step's inode now.
    bool holds(const UndoFolder& f, const Journal::Step& s, size_t name) const;
    void step(const Journal::Step& s);
    bool recorded(const struct stat& st);
    int moveBack(const UndoFolder& f, const Journal::Step& s, size_t at) const;
    std::string path(const Journal::Step& s, size_t name) const {
        return j_.folders[s.folder] + j_.name(name);
    }
    void fail(const Journal::Step& s, std::string reason) {
        report_.failures.push_back({path(s, s.from), path(s, s.to), std::move(reason)});
    }

    const Journal& j_;
    UndoReport& report_;
    std::vector<UndoFolder> folders_;
    std::optional<std::set<std::pair<uint64_t, uint64_t>>> recorded_;
};

bool Undo::holds(const UndoFolder& f, const Journal::Step& s, size_t name) const {
    if (!name)
        return false;
    if (f.inodes) {
        const auto ino = f.inodes->find(j_.name(name));
        return ino && *ino == s.ino && f.dev == s.dev;
    }
    struct stat st;
    return ::fstatat(f.fd.get(), j_.name(name), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           st.st_dev == s.dev && st.st_ino == s.ino;
}

// Whether a file is one of the run's own (by inode): such a file is another step's.
bool Undo::recorded(const struct stat& st) {
    if (!recorded_) {
        recorded_.emplace();
        for (const Journal::Step& s : j_.steps)
            if (s.known)
                recorded_->emplace(s.dev, s.ino);
    }
    return recorded_->count({st.st_dev, st.st_ino}) > 0;
}

int Undo::moveBack(const UndoFolder& f, const Journal::Step& s, size_t at) const {
    const int dir = f.fd.get();
    // A change of case goes back through a temporary name of its own.
    if (s.tmp && at == s.to) {
        const std::string tmp = std::string(j_.name(s.tmp)) + ".undo";
        if (const int e = moveNoReplace(dir, j_.name(at), dir, tmp.c_str()))
            return e;
        if (const int e = moveNoReplace(dir, tmp.c_str(), dir, j_.name(s.from))) {
            moveNoReplace(dir, tmp.c_str(), dir, j_.name(at));
            return e;
        }
        return 0;
    }
    return moveNoReplace(dir, j_.name(at), dir, j_.name(s.from));
}

void Undo::step(const Journal::Step& s) {
    if (!s.known) {
        ++report_.alreadyInPlace;
        return;
    }
    const UndoFolder& f = folders_[s.folder];
    if (!f.fd) {
        fail(s, "its folder cannot be opened: " + std::string(std::strerror(f.error)));
        return;
    }
    // Where a renamed file mostly is first: one look-up per file after a whole run.
    size_t at = 0;
    if (holds(f, s, s.tmp))
        at = s.tmp;
    else if (holds(f, s, s.to))
        at = s.to;
    else if (holds(f, s, s.from))
        at = s.from;
    bool byName = false;
    if (!at) {
        // Not the renamed inode: what stands under the two names now decides.
        struct stat toSt, fromSt;
        const int dir = f.fd.get();
        const bool toThere =
            ::fstatat(dir, j_.name(s.to), &toSt, AT_SYMLINK_NOFOLLOW) == 0 && !recorded(toSt);
        bool fromThere = ::fstatat(dir, j_.name(s.from), &fromSt, AT_SYMLINK_NOFOLLOW) == 0;
        // Where case is ignored the old spelling finds the file under the new one.
        if (fromThere && toThere && fromSt.st_dev == toSt.st_dev && fromSt.st_ino == toSt.st_ino)
            fromThere = false;
        if (toThere && !fromThere) {
            at = s.to;
            byName = true;
        } else if (fromThere && !toThere) {
            ++report_.alreadyInPlace;
            return;
        } else {
            fail(s, toThere ? "both names hold other files than the one renamed"
                            : "the file is gone (no file stands under the new name)");
            return;
        }
    }
    if (at == s.from) {
        ++report_.alreadyInPlace;
    } else if (const int e = moveBack(f, s, at)) {
        report_.failures.push_back({path(s, s.from), path(s, at), undoReason(e)});
    } else {
        ++report_.restored;
        if (byName)
            report_.byName.push_back({path(s, s.from), path(s, s.to)});
    }
}

void Undo::run() {
    folders_.resize(j_.folders.size());
    for (const Journal::Step& s : j_.steps)
        folders_[s.folder].steps += s.known;
    for (size_t i = 0; i < folders_.size(); ++i) {
        UndoFolder& f = folders_[i];
        if (!f.steps)
            continue;
        f.fd.reset(::open(j_.folders[i].c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        f.error = f.fd ? 0 : errno;
        if (f.fd && f.steps >= kListFrom)
            f.inodes = listInodes(f.fd.get(), &f.dev);
    }
    // Newest first: a folder renamed after its contents is back before them.
    for (auto it = j_.steps.rbegin(); it != j_.steps.rend(); ++it)
        step(*it);
}

} // namespace

UndoReport undoFromJournal(const std::string& journalPath) {
    UndoReport report;
    const auto journal = readJournal(journalPath, true, &report.readError);
    if (!journal || !journal->planComplete)
        return report;
    report.journalRead = true;
    Undo(*journal, report).run();
    markUndone(journalPath, report.failures.size());
    return report;
}

RunHistory runHistory(const std::string& dir, bool untilTarget) {
    RunHistory history;
    for (const JournalEntry& e : journalsIn(dir)) {
        int error = 0;
        auto j = readJournal(e.path, false, &error);
        if (!j && error) {
            history.unreadable.push_back({e.path, error});
            if (untilTarget) // it may be the run meant: never guess past it
                break;
        } else if (!j || !j->planComplete) {
            history.ignored.push_back(e.path);
        } else {
            history.runs.push_back(std::move(*j));
            if (untilTarget && undoTarget(history))
                break;
        }
    }
    return history;
}

const Journal* undoTarget(const RunHistory& history) {
    for (const Journal& j : history.runs)
        if (j.state() == RunState::Renamed || j.state() == RunState::Interrupted)
            return &j;
    return nullptr;
}

} // namespace mr
