#pragma once
// The platform's mover: carries out a rename list and keeps the files it could not
// rename, so that a command line can name them.
#include "seams/rename_progress.h"

#include <memory>
#include <string>
#include <vector>

namespace mr {

struct RenameFailure {
    std::u16string from; // full paths
    std::u16string to;
    std::u16string reason;
};

class Mover : public RenameProgress {
public:
    bool isCancelled() override { return false; }
    const std::vector<RenameFailure>& failures() const { return failures_; }

protected:
    std::vector<RenameFailure> failures_;
};

// RenameProgressDlg on Windows, the journalled renameat2 mover on POSIX.
std::unique_ptr<Mover> makePlatformMover();

} // namespace mr
