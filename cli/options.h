#pragma once
// The command line of multirename: options into what to read and which dialog
// events to run.
#include "cli/actions.h"
#include "cli/undo_command.h"

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace mr::cli {

struct Invocation {
    std::vector<std::string> paths;      // as given, UTF-8
    std::optional<std::string> fromFile; // --from: the paths, one per line ("-": standard input)
    bool nulSeparated = false;           // -0: the --from list is NUL-separated
    std::optional<std::string> recordsFile;
    std::optional<std::string> scriptFile; // "-": standard input
    std::optional<std::string> pasteFile;  // "-": standard input
    bool apply = false;
    bool json = false;
    bool edit = false;        // --edit: the new names go through an editor, then Paste Names
    bool interactive = false; // -i: the dialog in the terminal
    bool undo = false;
    UndoRequest undoRequest;
    // The check boxes, then --text, --number and --wild in the order given.
    std::vector<Action> actions;
};

// The invocation, or the exit status when there is nothing to run (help, version,
// or a usage error, which is written to err).
std::variant<Invocation, int> parseCommandLine(std::vector<std::string> args, std::ostream& out,
                                               std::ostream& err);

} // namespace mr::cli
