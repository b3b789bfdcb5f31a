// The dialog on a 144 dpi screen: sizes it makes itself follow the DPI. Runs only when
// the screen was set up for it (MR_TEST_DPI), see at-dpi.sh.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

namespace mr::test {
namespace {

uint32_t requestedDpi() {
    wchar_t value[16] = {};
    if (!GetEnvironmentVariableW(L"MR_TEST_DPI", value, 16))
        return 0;
    return static_cast<uint32_t>(std::wcstoul(value, nullptr, 10));
}

// Without awareness the system would scale the dialog as a 96 dpi bitmap.
void becomeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto set = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (set)
        set(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4))); // per monitor, v2
}

TEST(HighDpi, MinimumSizeFollowsTheDpi) {
    const uint32_t dpi = requestedDpi();
    if (dpi == 0)
        GTEST_SKIP() << "run with the screen at another DPI by at-dpi.sh";
    becomeDpiAware();
    MR_REQUIRE_DISPLAY();
    ASSERT_NE(runMultirename(), nullptr);

    using GetDpiFn = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    ASSERT_NE(getDpi, nullptr);
    UINT windowDpi = 0;
    RECT dragged = {1000, 500, 1100, 600};
    ASSERT_TRUE(runAndInspect(0, nullptr, [&](HWND dialog) {
        windowDpi = getDpi(dialog);
        SendMessageW(dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&dragged));
    }));
    ASSERT_EQ(windowDpi, dpi) << "the screen was not switched";
    // 420 x 300 DIP grown from the top-left corner.
    EXPECT_EQ(dragged.left, 1000);
    EXPECT_EQ(dragged.top, 500);
    EXPECT_EQ(dragged.right - dragged.left, static_cast<LONG>((420 * dpi + 48) / 96));
    EXPECT_EQ(dragged.bottom - dragged.top, static_cast<LONG>((300 * dpi + 48) / 96));
}

using HighDpiFolder = FolderTest;

TEST_F(HighDpiFolder, ColumnsAndStoredSizeFollowTheDpi) {
    const uint32_t dpi = requestedDpi();
    if (dpi == 0)
        GTEST_SKIP() << "run with the screen at another DPI by at-dpi.sh";
    becomeDpiAware();
    const std::wstring one = touch(L"one\\x1.txt"), two = touch(L"two\\x2.txt");
    const wchar_t* paths[] = {one.c_str(), two.c_str()};
    int widths[2] = {};
    ASSERT_TRUE(runAndInspect(2, paths, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        for (int i = 0; i < 2; ++i)
            widths[i] = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
        SetWindowPos(dialog, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    }));
    // New Name is 40 DIP wider than Old Name.
    EXPECT_EQ(widths[1] - widths[0], static_cast<int>((40 * dpi + 48) / 96));
    const struct {
        const wchar_t* value;
        DWORD dips;
    } table[] = {{L"MultiRenameDlgWidth", (900 * 96 + dpi / 2) / dpi},
                 {L"MultiRenameDlgHeight", (600 * 96 + dpi / 2) / dpi}};
    for (const auto& row : table) {
        DWORD value = 0, bytes = sizeof(value);
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Nombrel Software\\Sorrelcast",
                               row.value, RRF_RT_REG_DWORD, nullptr, &value, &bytes),
                  ERROR_SUCCESS);
        EXPECT_EQ(value, row.dips) << row.value;
    }
}

} // namespace
} // namespace mr::test
