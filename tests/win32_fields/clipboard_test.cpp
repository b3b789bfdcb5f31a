// The clipboard as copying and pasting names use it, read back through the system's own
// clipboard calls.
#include "field_host.h"
#include "ui/win32/clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace mr::test {
namespace {

// What another program would see: the CF_UNICODETEXT block, or nothing without one.
std::optional<std::u16string> systemClipboardText() {
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::u16string> text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const char16_t*>(GlobalLock(memory))) {
            text = std::u16string(data);
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

void putSystemClipboardText(std::u16string_view text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    auto* data = static_cast<char16_t*>(GlobalLock(memory));
    std::memcpy(data, text.data(), text.size() * sizeof(char16_t));
    data[text.size()] = u'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

TEST(Clipboard, TextGoesThereAndComesBackUnchanged) {
    const std::u16string texts[] = {
        u"a.txt\nb.txt\nc.txt\n",
        u"x\r\n\r\ny \r\n",
        u"\u00e9t\u00e9 \u65e5\u672c.txt\n",
        u"one line without end",
    };
    for (const auto& text : texts) {
        ASSERT_TRUE(putClipboardText(text));
        EXPECT_EQ(systemClipboardText(), text);
        EXPECT_EQ(clipboardText(), text);
        // The clipboard is free again: another program can open it.
        ASSERT_TRUE(OpenClipboard(nullptr));
        CloseClipboard();
    }
}

TEST(Clipboard, EmptyTextLeavesTheClipboardEmpty) {
    ASSERT_TRUE(putClipboardText(u"something"));
    ASSERT_TRUE(putClipboardText(u""));
    EXPECT_EQ(systemClipboardText(), std::nullopt);
    EXPECT_EQ(clipboardText(), u"");
}

TEST(Clipboard, ReadsWhatAnotherProgramPut) {
    putSystemClipboardText(u"new.doc\r\nnotes.2.final\r\n");
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
