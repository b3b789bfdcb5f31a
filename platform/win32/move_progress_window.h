#pragma once
// The progress window of the module's own moves: the count renamed so far, a bar and a
// Cancel button that stops before the next move. It shows only once the moves have
// taken longer than a moment, keeps its owner disabled meanwhile, and after a cancel
// says what happened and waits to be closed.
//
// A dialog built in memory from dialog units in the shell font, as the module's other
// dialogs are, so that the system scales it with the screen's DPI.
#include <windows.h>

#include <cstddef>
#include <string>

namespace mr {

class MoveProgressWindow {
public:
    MoveProgressWindow(HWND owner, size_t total, unsigned showAfterMs);
    ~MoveProgressWindow();
    MoveProgressWindow(const MoveProgressWindow&) = delete;
    MoveProgressWindow& operator=(const MoveProgressWindow&) = delete;

    // Shows `done` now and then and handles the window's messages; false once the user
    // has cancelled.
    bool update(size_t done);
    // After a cancel: says how far the renaming went and waits until the user closes
    // the window.
    void showCancelled(size_t done);

    static constexpr int kTextId = 1001;
    static constexpr int kBarId = 1002;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void pump();
    void showCount(size_t done);

    HWND owner_;
    HWND window_ = nullptr;
    size_t total_;
    size_t shownDone_ = 0;
    unsigned long long start_;
    unsigned long long lastPump_ = 0;
    unsigned long long lastShown_ = 0;
    unsigned showAfterMs_;
    bool ownerWasEnabled_ = false;
    bool cancelled_ = false;
    bool finished_ = false;
    bool closed_ = false;
};

} // namespace mr
