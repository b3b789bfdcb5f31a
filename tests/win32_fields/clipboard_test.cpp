// The clipboard as copying and pasting names use it, read back through the system's calls.
#include "platform/win32/wide.h"
#include "ui/win32/clipboard.h"
#include "win32_support/driving.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>

namespace mr::test {
namespace {

// CF_UNICODETEXT as another program reads it; nothing when there is none.
std::optional<std::wstring> clipboardTextNow() {
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
            text = std::wstring(data);
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

TEST(Clipboard, TextGoesThereAndComesBackUnchanged) {
    const std::u16string texts[] = {u"a.txt\nb.txt\n", u"x\r\n\r\ny \r\n",
                                    u"\u00e9t\u00e9 \u65e5\u672c.txt", u""};
    for (const auto& text : texts) {
        ASSERT_TRUE(putClipboardText(text));
        // Empty text leaves the clipboard empty.
        EXPECT_EQ(clipboardTextNow(), text.empty() ? std::nullopt : std::optional(toWide(text)));
        EXPECT_EQ(clipboardText(), text);
    }
}

TEST(Clipboard, AClipboardHeldElsewhereIsNotTouched) {
    MR_REQUIRE_DISPLAY();
    ASSERT_TRUE(putClipboardText(u"kept"));
    std::atomic<bool> held{false}, opened{false}, release{false};
    // The clipboard belongs to the thread that opened it until that thread closes it.
    std::thread other([&] {
        const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                           nullptr, GetModuleHandleW(nullptr), nullptr);
        opened = owner && OpenClipboard(owner);
        held = true;
        waitUntil([&] { return release.load(); });
        if (opened)
            CloseClipboard();
        DestroyWindow(owner);
    });
    waitUntil([&] { return held.load(); });
    EXPECT_TRUE(opened) << "another thread could not open the clipboard";
    EXPECT_FALSE(putClipboardText(u"lost"));
    EXPECT_EQ(clipboardText(), std::nullopt);
    release = true;
    other.join();
    EXPECT_EQ(clipboardText(), u"kept");
}

} // namespace
} // namespace mr::test
