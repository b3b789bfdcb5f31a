#pragma once
// The Multi Rename dialog in a terminal (-i): the check boxes, the field row, Reset /
// Copy Names / Paste Names, the names list and its menu, the messages as boxes, and
// Rename / Cancel, all over the run's model.
#include "cli/interactive.h"

#include <optional>
#include <string>

namespace mr::cli::tui {

// Runs until "Rename" closes the dialog or it is cancelled; why not, when no terminal
// can show it. The moves themselves are the run's, after the terminal is back.
std::optional<std::string> runTerminalDialog(InteractiveRun& run);

} // namespace mr::cli::tui
