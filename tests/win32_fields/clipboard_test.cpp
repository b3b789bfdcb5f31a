// The clipboard as copying and pasting names use it, read back through the system's calls.
#include "platform/win32/wide.h"
#include "ui/win32/clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mr::test {
namespace {

// CF_UNICODETEXT as another program reads it; nothing when there is none.
std::optional<std::wstring> clipboardTextNow() {
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        text = std::wstring(static_cast<const wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

TEST(Clipboard, TextGoesThereAndComesBackUnchanged) {
    for (const std::u16string text : {u"x\r\n\r\ny \r\n", u"\u00e9t\u00e9 \u65e5\u672c.txt", u""}) {
        ASSERT_TRUE(putClipboardText(text));
        // Empty text leaves the clipboard empty.
        EXPECT_EQ(clipboardTextNow(), text.empty() ? std::nullopt : std::optional(toWide(text)));
        EXPECT_EQ(clipboardText(), text);
    }
}

} // namespace
} // namespace mr::test
