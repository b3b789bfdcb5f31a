#pragma once
// What the demo's tours of the real dialog share: the module's entry point, windows
// found on screen, the clipboard and pictures of the screen.
#include "multirename.h"

#include <windows.h>

#include <string>

namespace mr::tour {

// run_multirename from multirename.dll beside the program; null (and a message on
// stderr) when it cannot be loaded.
run_multirename_fn loadModule(const wchar_t* program);

// A visible window of that class and title (either may be null), waiting up to 30 s.
HWND waitForWindow(const wchar_t* cls, const wchar_t* title);

void setClipboard(const std::wstring& text);

// The whole screen as DIR\NAME.bmp, once the windows have finished painting.
void shoot(const std::wstring& dir, const wchar_t* name);

} // namespace mr::tour
