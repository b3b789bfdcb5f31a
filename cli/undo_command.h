#pragma once
// --undo: puts back the names of a run from its journal (POSIX); --undo --list shows
// the runs.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace mr::cli {

struct UndoRequest {
    bool list = false;                  // --undo --list
    std::optional<uint64_t> run;        // --undo N
    std::optional<std::string> journal; // --undo JOURNAL
};

// The exit status: 0 done, 1 nothing to undo or no journal to read, 3 files that could
// not be put back.
int runUndo(const UndoRequest& request, std::ostream& out, std::ostream& err);

} // namespace mr::cli
