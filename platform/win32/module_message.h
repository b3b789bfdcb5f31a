#pragma once
// The module's one way of showing a message: a message box owned by the given window,
// titled with the module's title string.
#include "rename/validation.h"

#include <windows.h>

#include <string_view>

namespace mr {

void showModuleMessage(HWND owner, std::u16string_view text, MessageIcon icon);

} // namespace mr
