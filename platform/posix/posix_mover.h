#pragma once
// The POSIX mover: renameat2 with RENAME_NOREPLACE in list order, so nothing is ever
// overwritten, behind a journal that can undo the whole rename.
//
// Journal (under $XDG_STATE_HOME/multirename, else ~/.local/state/multirename, named
// journal-<nanoseconds>-<pid>): every folder once and every rename with its source's
// device and inode, written and fsynced (with its folder) before the first rename;
// then a line per rename tried, appended and fdatasynced after every batch; "END"
// when the list is done, "UNDONE" after an undo. What survives a crash: the whole
// plan, always; the progress lines up to the last finished batch. The renames are
// not synced one by one, so undo never trusts the progress lines: it looks on the
// disk for the name that holds each recorded inode and moves it back, newest first,
// never over an existing name.
#include "platform/mover.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace mr {

struct PosixMoverOptions {
    std::string journalDir;  // empty: the default below
    size_t batchSize = 4096; // renames between progress syncs
    // Test hook: called after every successful renameat2 with the count so far.
    std::function<void(size_t)> afterRename;
};

class PosixMover final : public Mover {
public:
    explicit PosixMover(PosixMoverOptions options = {});
    void renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) override;
    // The journal of the last renameFiles; empty when nothing was planned.
    const std::string& journalPath() const { return journalPath_; }

private:
    PosixMoverOptions options_;
    std::string journalPath_;
};

struct UndoReport {
    bool journalRead = false;
    size_t restored = 0;       // moved back to the old name
    size_t alreadyInPlace = 0; // never renamed
    std::vector<RenameFailure> failures;
};

// Moves every renamed file of the journal back to its old name, newest first.
UndoReport undoFromJournal(const std::string& journalPath);

std::string defaultJournalDir();
// The newest journal in the folder (default: defaultJournalDir()), if any.
std::optional<std::string> latestJournal(const std::string& dir = {});

} // namespace mr
