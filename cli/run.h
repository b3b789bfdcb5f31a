#pragma once
// multirename as a function: the program's main and the tests call this one entry.
#include "cli/inputs.h"
#include "cli/interactive.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace mr {
class SettingsStore;
}

namespace mr::cli {

struct RunEnvironment {
    SettingsStore* settings = nullptr; // null: the platform's per-user store
    bool colour = false;               // the human view may use colours and bold
    bool progress = false;             // standard error is a terminal: show a progress bar
    size_t columns = 0;                // standard output is a terminal this wide; 0: it is not
    size_t inputLimit = kInputLimit;   // the most bytes read from one input
    // The terminal that the editor of --edit and the dialog of -i use when standard
    // input or output is not one; empty: none.
    std::string terminal;
    TerminalDialog interactive; // -i; empty: not in this build
};

// Runs one command line (without the program name; arguments in UTF-8) and gives the
// exit status: 0 done, nothing to do or a dry run; 1 usage or input error, a named path
// that cannot be used, a refused paste, output that cannot be written; 2 "Rename"
// refused because of problems; 3 files the mover could not rename, or no journal.
int runMultirename(std::vector<std::string> args, std::istream& in, std::ostream& out,
                   std::ostream& err, const RunEnvironment& env = {});

} // namespace mr::cli
