#include "cli/tui/terminal_type.h"

#include <cstdlib>
#include <curses.h>
// term.h defines a macro for every terminfo capability: it stays in this file.
#include <term.h>

namespace mr::cli::tui {

std::optional<std::string> terminalProblem(int fd) {
    const char* type = std::getenv("TERM");
    const std::string name = type && *type ? type : "";
    // Asked before newterm, which keeps memory of its own when it fails.
    int found = 0;
    if (setupterm(nullptr, fd, &found) != OK || found != 1)
        return name.empty() ? std::string("TERM is not set")
                            : "the terminal type " + name + " is not known here";
    const char* move = tigetstr("cup");
    const bool canMove = move && move != reinterpret_cast<char*>(-1);
    del_curterm(cur_term);
    if (!canMove)
        return "the terminal (" + name + ") cannot move its cursor";
    return std::nullopt;
}

} // namespace mr::cli::tui
