#pragma once
// Runs multirename.dll's dialog on the test's main thread while a second thread finds
// the window, reads it and presses a button, as a user would.
#include "multirename.h"
#include "win32_support/driving.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mr::test {

// The module, loaded once for the whole run; null when it cannot be loaded.
HMODULE module();
run_multirename_fn runMultirename();

// The module's own activation context (from its manifest), active while in scope, as
// during a call of run_multirename. This program imports no common controls itself,
// like a host that never uses them: they come from the module's manifest alone.
class ModuleControlsScope {
public:
    ModuleControlsScope();
    ~ModuleControlsScope();
    ModuleControlsScope(const ModuleControlsScope&) = delete;
    ModuleControlsScope& operator=(const ModuleControlsScope&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

// The common controls library the module's manifest selects.
HMODULE moduleControls();

template <class F>
F controlsFunction(const char* name) {
    const HMODULE controls = moduleControls();
    return controls
               ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(controls, name)))
               : nullptr;
}

// Calls run_multirename; once the "Multi Rename" window shows, inspect runs on the
// second thread and then Cancel is pressed. False when the window never showed.
bool runAndInspect(int count, const wchar_t* const* paths,
                   const std::function<void(HWND dialog)>& inspect);

std::wstring listText(HWND list, int item, int column);
// Dialog units to pixels for the dialog's font.
RECT dialogUnits(HWND dialog, int x, int y, int cx, int cy);

// A context-menu command as the menu sends it to the list; posted when it opens a
// message box, else sent and handled on return.
void listCommand(HWND dialog, int command, bool post = false);

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
    std::string contents(const std::filesystem::path& relative) const;

    std::filesystem::path root;
};

} // namespace mr::test
