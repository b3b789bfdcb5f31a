#pragma once
// A modal window runs on the test's main thread; a second thread reads and drives it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mr::test {

std::wstring windowText(HWND window);
RECT rectInParent(HWND control); // in the parent's client coordinates
// Visible controls reaching outside the client area (the size grip aside): "" when none.
std::string outsideClient(HWND dialog);
// The dialog's child controls with one of the ids, left to right.
std::vector<HWND> controlsWithId(HWND dialog, int id, int other = 0);

// A visible top-level window of this process with that title, waited for up to 30 s.
HWND waitForWindow(const std::wstring& title);
bool waitUntilClosed(HWND window);

// Runs `action` (it opens a modal window); `drive` then runs on a second thread with the
// window titled `title` and must close it. False when it never showed.
bool driveWhile(const std::function<void()>& action, const std::wstring& title,
                const std::function<void(HWND)>& drive);

// Posted: returns at once, so that a modal window the click opens can be driven.
void clickButton(HWND dialog, int id);
// Sent: returns when the dialog has handled the click.
void pressButton(HWND dialog, int id);
// As a user does it: a mouse click on a control, text typed over an edit.
inline void click(HWND d, int id) {
    SendMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0);
}
inline void type(HWND d, int id, const wchar_t* text) {
    SetDlgItemTextW(d, id, text);
}
inline bool checked(HWND d, int id) {
    return IsDlgButtonChecked(d, id) == BST_CHECKED;
}
inline bool enabled(HWND d, int id) {
    return IsWindowEnabled(GetDlgItem(d, id)) != FALSE;
}

// What a window's client area shows on screen now, after its pending paint.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels; // row by row from the top
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Picture clientPicture(HWND window);

// Waits for the module's message box, answers it and returns its text ("" when none).
std::wstring answerMessage();

// A DWORD under HKEY_CURRENT_USER\key.
std::optional<DWORD> storedDword(const std::wstring& key, const wchar_t* name);
void storeDword(const std::wstring& key, const wchar_t* name, DWORD value);

} // namespace mr::test
