#pragma once
// The moves for real, through the platform's mover, once a run has been accepted.
#include "cli/movers.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace mr::cli {

struct MoveFailure {
    RenamePair pair;
    std::string reason;
};

struct MoveResult {
    std::vector<MoveFailure> failures;
    std::string journal; // where the names can be put back from (POSIX); empty otherwise
};

// Renames the files in list order; a progress bar on err for long lists when asked.
MoveResult moveForReal(const std::vector<FileRecord*>& files, std::ostream& err, bool progressBar);

// --undo: puts back the names of a journal (the last run's when none is named). The
// exit status.
int undoRenames(const std::optional<std::string>& journal, std::ostream& out, std::ostream& err);

} // namespace mr::cli
