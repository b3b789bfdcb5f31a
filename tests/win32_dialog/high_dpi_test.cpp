// The dialog's own sizes on a 144 dpi screen; runs only under at-dpi.sh (MR_TEST_DPI).
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <tuple>

namespace mr::test {
namespace {

using HighDpi = FolderTest;

TEST_F(HighDpi, MinimumSizeColumnsAndStoredSizeFollowTheDpi) {
    const wchar_t* requested = _wgetenv(L"MR_TEST_DPI");
    if (!requested)
        GTEST_SKIP() << "run with the screen at another DPI by at-dpi.sh";
    const auto dpi = static_cast<uint32_t>(std::wcstoul(requested, nullptr, 10));
    // Without awareness the system would scale the dialog as a 96 dpi bitmap.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    UINT windowDpi = 0;
    int widths[2] = {};
    RECT dragged = {1000, 500, 1100, 600};
    ASSERT_TRUE(runAndInspect({touch(L"one\\x1.txt"), touch(L"two\\x2.txt")}, [&](HWND dialog) {
        windowDpi = GetDpiForWindow(dialog);
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        for (int i = 0; i < 2; ++i)
            widths[i] = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageW(dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&dragged));
        SetWindowPos(dialog, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    }));
    ASSERT_EQ(windowDpi, dpi) << "the screen was not switched";
    auto pixels = [&](uint32_t dips) { return static_cast<LONG>((dips * dpi + 48) / 96); };
    // 420 x 300 DIP grown from the top-left corner.
    EXPECT_EQ(std::tuple(dragged.left, dragged.top, dragged.right, dragged.bottom),
              std::tuple(1000L, 500L, 1000 + pixels(420), 500 + pixels(300)));
    // New Name is 40 DIP wider than Old Name.
    EXPECT_EQ(widths[1] - widths[0], pixels(40));
    EXPECT_EQ(storedDword(kSettingsKey, L"MultiRenameDlgWidth"), (900 * 96 + dpi / 2) / dpi);
    EXPECT_EQ(storedDword(kSettingsKey, L"MultiRenameDlgHeight"), (600 * 96 + dpi / 2) / dpi);
}

} // namespace
} // namespace mr::test
