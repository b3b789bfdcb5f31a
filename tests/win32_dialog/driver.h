#pragma once
// Runs multirename.dll's dialog on the test's main thread while a second thread finds
// the window, reads it and presses a button, as a user would.
#include "multirename.h"
#include "win32_support/driving.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace mr::test {

// The module, loaded once for the whole run; null when it cannot be loaded.
HMODULE module();
run_multirename_fn runMultirename();

// Calls run_multirename; once the "Multi Rename" window shows, inspect runs on the
// second thread and then Cancel is pressed. False when the window never showed.
bool runAndInspect(int count, const wchar_t* const* paths,
                   const std::function<void(HWND dialog)>& inspect);
bool runAndInspect(const std::vector<std::wstring>& paths,
                   const std::function<void(HWND dialog)>& inspect);

// The module's per-user settings key.
inline const std::wstring kSettingsKey = L"SOFTWARE\\Nombrel Software\\Sorrelcast";

// Controls outside the client area or overlapping each other (group boxes aside), one
// line each: empty when the layout is sound.
std::string layoutProblems(HWND dialog);

std::wstring listText(HWND list, int item, int column);
// A context-menu command as the menu sends it to the list; posted when it opens a
// message box, else sent and handled on return.
void listCommand(HWND dialog, int command, bool post = false);
// Adds the rows to the list's selection.
void selectRows(HWND dialog, std::initializer_list<int> rows);
// Puts the lines on the clipboard (CR LF ends) and presses "Paste Names": sent, so the
// names are taken on return; posted when a refusal is to be answered.
void pasteNames(HWND dialog, const std::vector<std::wstring>& lines, bool post = false);

struct ListRows {
    std::vector<std::wstring> oldNames, newNames;
    std::vector<int> stateImages;
    std::vector<bool> selected;
};
ListRows readList(HWND dialog);

// A fresh folder per test under the temporary folder, removed afterwards.
class FolderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the file (and its folders) with the text; returns its full path.
    std::wstring touch(const std::filesystem::path& relative, const std::string& text = "x");
    std::vector<std::wstring> touchAll(std::initializer_list<const wchar_t*> names);
    std::string contents(const std::filesystem::path& relative) const;

    std::filesystem::path root;
};

} // namespace mr::test
