#pragma once
// Whether the terminal named by TERM can show the dialog at all.
#include <optional>
#include <string>

namespace mr::cli::tui {

// Nothing when terminfo knows the terminal on `fd` and it can move its cursor; else why
// not, for a person.
std::optional<std::string> terminalProblem(int fd);

} // namespace mr::cli::tui
