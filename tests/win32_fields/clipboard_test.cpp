// The clipboard as copying and pasting names use it, read back through the system's own
// clipboard calls.
#include "platform/win32/wide.h"
#include "ui/win32/clipboard.h"
#include "win32_support/driving.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace mr::test {
namespace {

TEST(Clipboard, TextGoesThereAndComesBackUnchanged) {
    const std::u16string texts[] = {
        u"a.txt\nb.txt\nc.txt\n",
        u"x\r\n\r\ny \r\n",
        u"\u00e9t\u00e9 \u65e5\u672c.txt\n",
        u"one line without end",
    };
    for (const auto& text : texts) {
        ASSERT_TRUE(putClipboardText(text));
        EXPECT_EQ(clipboardTextNow(), toWide(text));
        EXPECT_EQ(clipboardText(), text);
        // The clipboard is free again: another program can open it.
        ASSERT_TRUE(OpenClipboard(nullptr));
        CloseClipboard();
    }
}

TEST(Clipboard, EmptyTextLeavesTheClipboardEmpty) {
    ASSERT_TRUE(putClipboardText(u"something"));
    ASSERT_TRUE(putClipboardText(u""));
    EXPECT_EQ(clipboardTextNow(), std::nullopt);
    EXPECT_EQ(clipboardText(), u"");
}

TEST(Clipboard, ReadsWhatAnotherProgramPut) {
    ASSERT_TRUE(setClipboardText(L"new.doc\r\nnotes.2.final\r\n"));
    EXPECT_EQ(clipboardText(), u"new.doc\r\nnotes.2.final\r\n");
}

TEST(Clipboard, AClipboardHeldElsewhereIsNotTouched) {
    MR_REQUIRE_DISPLAY();
    ASSERT_TRUE(putClipboardText(u"kept"));
    std::atomic<bool> held{false}, opened{false}, release{false};
    // The clipboard belongs to the thread that opened it until that thread closes it.
    std::thread other([&] {
        const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                           nullptr, GetModuleHandleW(nullptr), nullptr);
        if (owner && OpenClipboard(owner)) {
            opened = true;
            held = true;
            while (!release)
                Sleep(10);
            CloseClipboard();
        }
        if (owner)
            DestroyWindow(owner);
        held = true;
    });
    while (!held)
        Sleep(10);
    if (!opened) {
        other.join();
        FAIL() << "another thread could not open the clipboard";
    }
    EXPECT_FALSE(putClipboardText(u"lost"));
    EXPECT_EQ(clipboardText(), std::nullopt);
    release = true;
    other.join();
    EXPECT_EQ(clipboardText(), u"kept");
}

} // namespace
} // namespace mr::test
