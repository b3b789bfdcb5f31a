#pragma once
// -i: what the run hands to the dialog in the terminal. The terminal dialog lives in a
// library of its own (cli/tui/), which the program plugs in; builds without it have
// no -i.
#include <functional>
#include <optional>
#include <string>

namespace mr {
class ChangeTextModel;
class Registry;
} // namespace mr

namespace mr::cli {

class CliView;
class Session;

struct InteractiveRun {
    ChangeTextModel& model; // after the other options
    Session& session;       // "Rename" and Cancel go through it, as in any run
    CliView& view;          // the clipboard of the run
    const Registry& settings;
    std::string terminal; // opened when standard input or output is not a terminal
};

// Runs the dialog until it closes; an error text when it cannot start.
using TerminalDialog = std::function<std::optional<std::string>(InteractiveRun&)>;

} // namespace mr::cli
