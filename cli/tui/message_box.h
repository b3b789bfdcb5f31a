#pragma once
// A message box in the terminal: the dialog's title, its text wrapped to the screen,
// an OK button; any of Enter, Space or Esc closes it.
#include "cli/tui/screen.h"
#include "rename/validation.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mr::cli::tui {

// The text in lines of at most `width` columns: at its line breaks ("\r\n" or "\n"),
// then between words.
std::vector<std::u16string> wrapText(std::u16string_view text, size_t width);

// Shows the box over the backdrop until it is closed. Without an icon it is a box of
// information of our own (the keys), titled `title`.
void messageBox(Screen& screen, const Backdrop& backdrop, std::u16string_view title,
                std::u16string_view text, std::optional<MessageIcon> icon);

} // namespace mr::cli::tui
