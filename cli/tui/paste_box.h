#pragma once
// Where the terminal's clipboard comes in: a box that takes the names pasted (or typed)
// into it, one per line, before "Paste Names" reads them as the dialog reads the
// clipboard.
#include "cli/tui/screen.h"

#include <optional>
#include <string>
#include <string_view>

namespace mr::cli::tui {

// Starts with `text` (the dialog's own clipboard); the text when it is confirmed with
// Ctrl+D or F10, nothing for Esc.
std::optional<std::u16string> pasteBox(Screen& screen, const Backdrop& backdrop,
                                       std::u16string_view title, std::u16string text);

} // namespace mr::cli::tui
