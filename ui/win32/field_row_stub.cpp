// Temporary stand-in until the field row and the clipboard are merged: no field
// controls, a plain clipboard. Deleted when the real ones arrive.
#include "ui/win32/clipboard.h"
#include "ui/win32/pattern_field_row.h"

#include <cstring>

namespace mr {

struct PatternField {};

PatternFieldRow::PatternFieldRow(CDialog& dialog, ChangeTextModel& model,
                                 std::shared_ptr<ScreenDpi> dpi)
    : dialog_(dialog), model_(model), dpi_(std::move(dpi)) {}
PatternFieldRow::~PatternFieldRow() = default;
void PatternFieldRow::setTop(int top) {
    top_ = top;
}
void PatternFieldRow::rebuild() {}
void PatternFieldRow::layout() {}
void PatternFieldRow::setEnabled(bool) {}
bool PatternFieldRow::onCommand(WORD, WORD, HWND, bool) {
    return false;
}
bool PatternFieldRow::empty() const {
    return fields_.empty();
}

bool putClipboardText(std::u16string_view text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    bool ok = text.empty();
    if (!text.empty()) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        if (block) {
            auto* out = static_cast<wchar_t*>(GlobalLock(block));
            std::memcpy(out, text.data(), text.size() * sizeof(wchar_t));
            out[text.size()] = L'\0';
            GlobalUnlock(block);
            ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
            if (!ok)
                GlobalFree(block);
        }
    }
    CloseClipboard();
    return ok;
}

std::optional<std::u16string> clipboardText() {
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::u16string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace mr
