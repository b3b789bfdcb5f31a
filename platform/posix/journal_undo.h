#pragma once
// Undo of a renaming run from its journal. The progress lines are not synced rename by
// rename, so undo never trusts them: it looks on the disk for the name that holds each
// recorded inode and moves it back, newest first, never over an existing name. A file
// that an editor saved again (a new inode) but that still stands under its new name is
// put back by that name.
#include "platform/posix/journal.h"

#include <string>
#include <vector>

namespace mr {

// Paths are the file system's bytes.
struct UndoFailure {
    std::string oldPath;
    std::string newPath;
    std::string reason;
};

struct UndoReport {
    bool journalRead = false; // a whole plan was read
    int readError = 0;        // why not: errno, or 0 when it holds no whole plan
    size_t restored = 0;      // moved back to the old name
    size_t alreadyInPlace = 0;
    std::vector<UndoFailure> failures;
    // Put back by name: another file than the one renamed stood under the new name.
    struct ByName {
        std::string oldPath, newPath;
    };
    std::vector<ByName> byName;
};

// Moves every renamed file of the journal back to its old name, newest first, and
// marks the journal undone.
UndoReport undoFromJournal(const std::string& journalPath);

// The runs of the journal folder, newest first (summaries, without their steps), and
// the journals that are not runs (no whole plan, or no journal at all); with
// untilTarget, only as far as the run a plain undo takes (or an unreadable journal).
struct RunHistory {
    std::vector<Journal> runs;
    std::vector<std::string> ignored;
    struct Unreadable {
        std::string path;
        int error;
    };
    std::vector<Unreadable> unreadable;
};
RunHistory runHistory(const std::string& dir, bool untilTarget);

// What a plain undo puts back: the newest run that may have moved files and is not
// undone yet; null when there is none.
const Journal* undoTarget(const RunHistory& history);

} // namespace mr
