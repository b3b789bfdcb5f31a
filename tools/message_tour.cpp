// Drives the real Multi Rename dialog to every message box it can show and saves a
// picture of the screen with each one: copied names, the three refused pastes, removing
// every file, the problems "Rename" finds (invalid characters, then five other kinds) and
// nothing to rename.
// Usage: message_tour SHOT_DIR FOLDER   (FOLDER is made and filled with a few files)
#include "resource.h"
#include "tour_support.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace mr::tour;

std::wstring shotDir;

void command(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The message the last action opened: photographed, then answered.
void shootMessage(const wchar_t* name) {
    HWND box = waitForWindow(nullptr, L"Nombrels - Multi Rename");
    if (!box) {
        std::fwprintf(stderr, L"message_tour: no message for %ls\n", name);
        return;
    }
    shoot(shotDir, name);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 250 && IsWindow(box); ++i)
        Sleep(20);
}

void paste(HWND dialog, const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines)
        text += line + L"\r\n";
    setClipboard(text);
    command(dialog, IDC_PASTE_NAMES);
}

void tour() {
    HWND dialog = waitForWindow(nullptr, L"Multi Rename");
    if (!dialog)
        return;
    HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);

    command(dialog, IDC_COPY_NAMES);
    shootMessage(L"2518-copied");
    paste(dialog, {L"one", L"t:wo"});
    shootMessage(L"2519-forbidden-character");
    paste(dialog, {L"one", std::wstring(256, L'x')});
    shootMessage(L"2522-line-too-long");
    paste(dialog, {L"one", L"two", L"three"});
    shootMessage(L"2520-line-count");
    PostMessageW(list, WM_COMMAND, MAKEWPARAM(ID_SELECT_ALL, 0), 0);
    PostMessageW(list, WM_COMMAND, MAKEWPARAM(ID_REMOVE_FILES, 0), 0);
    shootMessage(L"2521-remove-all");

    // A forbidden character typed into the pattern marks every file.
    HWND edit = GetDlgItem(dialog, IDC_FIELD_EDIT);
    wchar_t before[260] = {};
    GetWindowTextW(edit, before, 260);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"a:"));
    command(dialog, IDOK);
    shootMessage(L"2501-invalid-characters");
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(before));

    // Rows: a.txt b.txt c.txt d.txt e f (keep.txt is not selected).
    paste(dialog, {L"dup", L"dup", L"keep", std::wstring(252, L'h'), L".x", L"space .x"});
    command(dialog, IDOK);
    shootMessage(L"2501-problems");

    command(dialog, IDC_RESET);
    command(dialog, IDOK);
    shootMessage(L"2502-nothing-changed");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: message_tour SHOT_DIR FOLDER\n");
        return 2;
    }
    shotDir = argv[1];
    const std::wstring folder = argv[2];
    const run_multirename_fn run = loadModule(L"message_tour");
    if (!run)
        return 1;
    CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e", L"f", L"keep.txt"}) {
        const std::wstring path = folder + L"\\" + name;
        CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (std::wstring(name) != L"keep.txt")
            paths.push_back(path);
    }
    std::vector<const wchar_t*> raw;
    for (const auto& p : paths)
        raw.push_back(p.c_str());
    std::thread driver(tour);
    run(nullptr, static_cast<int>(raw.size()), raw.data(), false, nullptr);
    driver.join();
    return 0;
}
