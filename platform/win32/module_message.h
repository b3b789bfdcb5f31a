#pragma once
// The module's one way of showing a message: a message box owned by the given window,
// titled with the module's title string.
#include "rename/validation.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace mr {

void showModuleMessage(HWND owner, std::u16string_view text, MessageIcon icon);

// A module string with its counts filled in for %1!d! and %2!d!.
std::u16string countedString(uint32_t id, size_t first, size_t second = 0);

} // namespace mr
