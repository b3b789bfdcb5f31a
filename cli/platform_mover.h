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

// Renames the files in list order; the ones that could not be renamed, each named.
std::vector<MoveFailure> moveForReal(const std::vector<FileRecord*>& files, std::ostream& err,
                                     bool progressBar);

// --undo: puts back the names of a journal (the last run's when none is named). The
// exit status.
int undoRenames(const std::optional<std::string>& journal, std::ostream& out, std::ostream& err);

} // namespace mr::cli
