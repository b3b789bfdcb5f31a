#pragma once
// multirename.dll's dialog on the test's main thread, driven from a second thread.
#include "multirename.h"
#include "win32_support/driving.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace mr::test {

run_multirename_fn runMultirename(); // null when the module or its export is missing

// run_multirename; inspect runs on its window, then Cancel is pressed. False: it never showed.
bool runAndInspect(int count, const wchar_t* const* paths,
                   const std::function<void(HWND dialog)>& inspect);
bool runAndInspect(const std::vector<std::wstring>& paths,
                   const std::function<void(HWND dialog)>& inspect);

inline const std::wstring kSettingsKey = L"SOFTWARE\\Nombrel Software\\Sorrelcast";

std::wstring listText(HWND list, int item, int column);
// A context-menu command as the menu sends it to the list; posted when it opens a message box.
void listCommand(HWND dialog, int command, bool post = false);
void selectRow(HWND dialog, int row); // added to the selection
// Puts the lines on the clipboard and presses "Paste Names"; posted when a refusal is answered.
void pasteNames(HWND dialog, const std::vector<std::wstring>& lines, bool post = false);

std::wstring clipboardTextNow(); // CF_UNICODETEXT read through the system's calls

struct ListRows {
    std::vector<std::wstring> oldNames, newNames;
    std::vector<int> stateImages;
};
ListRows readList(HWND dialog);

// A fresh folder per test under the temporary folder, removed afterwards.
class FolderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the file (and its folders) with the text; returns its path.
    std::wstring touch(const std::filesystem::path& relative, const std::string& text = "x");
    std::vector<std::wstring> touchAll(std::initializer_list<const wchar_t*> names);
    std::string contents(const std::filesystem::path& relative) const;

    std::filesystem::path root;
};

} // namespace mr::test
