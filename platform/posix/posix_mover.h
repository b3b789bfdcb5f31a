#pragma once
// The POSIX mover: renameat2 with RENAME_NOREPLACE in list order, so nothing is ever
// overwritten, behind a journal (journal.h) from which undo puts every name back.
// The whole plan is on disk before the first rename; progress is synced per batch.
#include "platform/posix/journal.h"
#include "platform/posix/journal_undo.h" // the mover's runs are undone from there
#include "seams/mover.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace mr {

struct PosixMoverOptions {
    std::string journalDir;  // empty: journalFolder()
    size_t batchSize = 4096; // renames between progress syncs
    // Test hook: called after every successful renameat2 with the count so far.
    std::function<void(size_t)> afterRename;
};

class PosixMover final : public Mover {
public:
    explicit PosixMover(PosixMoverOptions options = {});
    void renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) override;
    // The journal of the last renameFiles; empty when nothing was planned or it could
    // not be written.
    const std::string& journalPath() const { return journalPath_; }
    // Why the journal could not be written (nothing moved then).
    const std::optional<JournalError>& journalError() const { return journalError_; }

private:
    PosixMoverOptions options_;
    std::string journalPath_;
    std::optional<JournalError> journalError_;
};

} // namespace mr
