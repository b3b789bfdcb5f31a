#include "ui/win32/clipboard.h"

#include <windows.h>

#include <cstring>

namespace mr {
namespace {

// Closes the clipboard on every way out.
class OpenedClipboard {
public:
    OpenedClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
    ~OpenedClipboard() {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

} // namespace

bool putClipboardText(std::u16string_view text) {
    OpenedClipboard clipboard;
    if (!clipboard.open())
        return false;
    EmptyClipboard();
    if (text.empty())
        return true;
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return false;
    void* data = GlobalLock(memory);
    if (!data) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(data, text.data(), text.size() * sizeof(char16_t));
    static_cast<char16_t*>(data)[text.size()] = u'\0';
    GlobalUnlock(memory);
    // Once handed over, the memory is the clipboard's.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

std::optional<std::u16string> clipboardText() {
    OpenedClipboard clipboard;
    if (!clipboard.open())
        return std::nullopt;
    std::u16string text;
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    if (!memory)
        return text;
    const auto* data = static_cast<const char16_t*>(GlobalLock(memory));
    if (!data)
        return text;
    // A block without its terminating zero must not be read past its end.
    const size_t room = GlobalSize(memory) / sizeof(char16_t);
    size_t length = 0;
    while (length < room && data[length] != u'\0')
        ++length;
    text.assign(data, length);
    GlobalUnlock(memory);
    return text;
}

} // namespace mr
