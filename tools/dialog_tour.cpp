// A short tour of the Multi Rename dialog for the demo: opens it over the given files
// like a host, types a new text, pastes renumbered names, shows the list's menu,
// renames, and saves a picture of the screen after each step.
// Usage: dialog_tour SHOT_DIR PATH...
#include "tour_support.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kFieldEdit = 1500;
constexpr int kNamesList = 1503;
constexpr int kPasteNames = 1505;

using namespace mr::tour;

std::wstring shotDir;

void shoot(const wchar_t* name) {
    mr::tour::shoot(shotDir, name);
}

void tour() {
    HWND dialog = waitForWindow(nullptr, L"Multi Rename");
    if (!dialog)
        return;
    HWND list = GetDlgItem(dialog, kNamesList);
    shoot(L"1-opened");

    // Typing over the first text piece renames every file at once.
    if (HWND edit = GetDlgItem(dialog, kFieldEdit)) {
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Lisbon "));
        shoot(L"2-typed");
    }

    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::wstring names;
    for (int i = 1; i <= rows; ++i)
        names += L"Lisbon " + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i) + L"\r\n";
    setClipboard(names);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kPasteNames, BN_CLICKED), 0);
    shoot(L"3-renumbered");

    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
    PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    if (HWND menu = waitForWindow(L"#32768", nullptr)) {
        shoot(L"4-menu");
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        for (int i = 0; i < 250 && IsWindowVisible(menu); ++i)
            Sleep(20);
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: dialog_tour SHOT_DIR PATH...\n");
        return 2;
    }
    shotDir = argv[1];
    std::vector<const wchar_t*> paths(argv + 2, argv + argc);
    const run_multirename_fn run = loadModule(L"dialog_tour");
    if (!run)
        return 1;
    std::thread driver(tour);
    run(nullptr, static_cast<int>(paths.size()), paths.data(), false, nullptr);
    driver.join();
    return 0;
}
