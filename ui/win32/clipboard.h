#pragma once
// The clipboard as the copy and paste of names use it: Unicode text only.
#include <optional>
#include <string>
#include <string_view>

namespace mr {

// Empties the clipboard and, when text is not empty, puts it there as CF_UNICODETEXT
// in movable global memory. False when the clipboard cannot be opened or the text
// cannot be handed over.
bool putClipboardText(std::u16string_view text);

// The clipboard's CF_UNICODETEXT (empty when it holds none), or nothing when the
// clipboard cannot be opened.
std::optional<std::u16string> clipboardText();

} // namespace mr
