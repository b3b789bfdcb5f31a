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
    // Why no journal could be written (POSIX): nothing moved then.
    std::optional<std::string> journalError;
};

// Renames the files in list order; a progress bar on err for long lists when asked.
MoveResult moveForReal(const std::vector<FileRecord*>& files, std::ostream& err, bool progressBar);

} // namespace mr::cli
