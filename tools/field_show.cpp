// Opens the Multi Rename dialog over a few long names and leaves one field editor on
// screen until it is closed, so that it can be photographed:
// field_show wild | number | row | long (the row with more text than fits)
#include "resource.h"
#include "tour_support.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// The first field button showing that text ("*" or "#"), left to right.
HWND fieldButton(HWND dialog, const wchar_t* text) {
    HWND found = nullptr;
    RECT best = {}, r = {};
    wchar_t shown[8] = {};
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        GetWindowRect(c, &r);
        GetWindowTextW(c, shown, 8);
        if (GetDlgCtrlID(c) == IDC_FIELD_BUTTON && std::wstring(shown) == text &&
            (!found || r.left < best.left)) {
            found = c;
            best = r;
        }
    }
    return found;
}

void show(const std::wstring& what) {
    HWND dialog = mr::tour::waitForWindow(nullptr, L"Multi Rename");
    if (!dialog)
        return;
    SetWindowPos(dialog, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (what == L"wild" || what == L"number") {
        if (HWND button = fieldButton(dialog, what == L"wild" ? L"*" : L"#"))
            PostMessageW(button, BM_CLICK, 0, 0);
    } else if (what == L"long") {
        HWND edit = GetDlgItem(dialog, IDC_FIELD_EDIT);
        SendMessageW(edit, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"Holiday in Italy with the whole family, first "
                                              L"week, Rome: day "));
        PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)),
                     TRUE);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring what = argc > 1 ? argv[1] : L"row";
    const auto folder = std::filesystem::temp_directory_path() / L"mr-field-show";
    std::filesystem::create_directories(folder);
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"2019-07-14 Rome trip, day 01 - Colosseum at sunset.jpg",
                                L"2019-07-15 Rome trip, day 02 - Forum.jpg",
                                L"2019-07-16 Rome trip, day 03 - Vatican museums.jpg"}) {
        paths.push_back((folder / name).wstring());
        std::ofstream(folder / name) << "x";
    }
    std::vector<const wchar_t*> raw;
    for (const auto& path : paths)
        raw.push_back(path.c_str());
    const run_multirename_fn run = mr::tour::loadModule(L"field_show");
    if (!run)
        return 1;
    std::thread driver(show, what);
    run(nullptr, static_cast<int>(raw.size()), raw.data(), false, nullptr);
    driver.join();
    return 0;
}
