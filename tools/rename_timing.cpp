// Times "Rename" in the real Multi Rename dialog as a user meets it: a host opens the
// dialog over every file of one folder, a prefix is typed over the first text field,
// then "Rename" is pressed; the time runs from the press until run_multirename returns
// with the files renamed, and until the dialog hid. Then the folder is read to count the files that
// have their new names. A message box that shows meanwhile is answered and its text printed. Usage:
// rename_timing FOLDER   (the files IMG_*.jpg in FOLDER; times in milliseconds)
#include "tour_support.h"

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFieldEdit = 1500;
constexpr int kNamesList = 1503;
constexpr wchar_t kPrefix[] = L"Rome_";

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<std::wstring> filesIn(const std::wstring& folder, const wchar_t* mask) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\" + mask).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

HWND visible(const wchar_t* title) {
    HWND w = FindWindowW(nullptr, title);
    return w && IsWindowVisible(w) ? w : nullptr;
}

std::wstring staticText(HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[32] = {}, text[2048] = {};
        GetClassNameW(c, cls, 32);
        if (std::wstring(cls) == L"Static" && GetWindowTextW(c, text, 2048) > 0)
            return text;
    }
    return L"";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: rename_timing FOLDER\n");
        return 2;
    }
    const run_multirename_fn run = mr::tour::loadModule(L"rename_timing");
    if (!run)
        return 1;
    const std::wstring folder = argv[1];
    std::vector<std::wstring> paths;
    for (const auto& name : filesIn(folder, L"IMG_*"))
        paths.push_back(folder + L"\\" + name);
    std::vector<const wchar_t*> raw;
    for (const auto& p : paths)
        raw.push_back(p.c_str());

    std::atomic<bool> returned{false};
    Clock::time_point pressed;
    bool typed = false;
    double hidden = 0;
    std::thread driver([&] {
        HWND dialog = nullptr;
        while (!returned) {
            dialog = visible(L"Multi Rename");
            HWND list = dialog ? GetDlgItem(dialog, kNamesList) : nullptr;
            if (list &&
                SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == static_cast<LRESULT>(raw.size()))
                break;
            Sleep(5);
        }
        if (returned)
            return;
        // Sent: returns once every new name and status has been recomputed.
        if (HWND edit = GetDlgItem(dialog, kFieldEdit))
            typed = SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kPrefix)) != 0;
        pressed = Clock::now();
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        while (!returned) {
            if (!hidden && !IsWindowVisible(dialog))
                hidden = msSince(pressed);
            if (HWND box = visible(L"Nombrels - Multi Rename")) {
                std::wprintf(L"  message: %ls\n", staticText(box).c_str());
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                Sleep(200);
            }
            Sleep(5);
        }
    });
    run(nullptr, static_cast<int>(raw.size()), raw.data(), false, nullptr);
    const double ms = msSince(pressed);
    returned = true;
    driver.join();
    if (!typed) {
        std::fwprintf(stderr, L"rename_timing: the prefix could not be typed\n");
        return 1;
    }
    const size_t renamed = filesIn(folder, L"Rome_*").size();
    const size_t left = filesIn(folder, L"IMG_*").size();
    // Wine hides a window on a display without a window manager only after waiting 2 s
    // for one to answer: the dialog's window is seen hidden before that.
    std::printf("%zu files: Rename pressed until the dialog hid %.0f ms, until the call "
                "returned %.0f ms; on disk %zu with the new name, %zu with the old\n",
                raw.size(), hidden, ms, renamed, left);
    return renamed == raw.size() && left == 0 ? 0 : 1;
}
