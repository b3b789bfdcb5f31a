#include "ui/model/name_transfer.h"

#include "rename/messages.h"
#include "rename/records.h"
#include "text/number_text.h"

namespace mr {
namespace {

bool isTrimmed(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

void replaceFirst(std::u16string& text, std::u16string_view what, std::u16string_view with) {
    const size_t at = text.find(what);
    if (at != std::u16string::npos)
        text.replace(at, what.size(), with);
}

} // namespace

std::u16string copiedNamesText(const std::vector<FileRecord*>& files) {
    std::u16string text;
    for (const FileRecord* f : files) {
        text += f->newName;
        text += u'\n';
    }
    return text;
}

PasteLines splitPastedNames(std::u16string_view text) {
    PasteLines out;
    bool forbidden = false, tooLong = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos)
            end = text.size();
        size_t a = start, b = end;
        while (a < b && isTrimmed(text[a]))
            ++a;
        while (b > a && isTrimmed(text[b - 1]))
            --b;
        for (size_t i = start; i < end; ++i)
            forbidden |= isForbiddenNameChar(text[i]);
        // White space at the ends goes; a control character within the name stays.
        for (size_t i = a; i < b; ++i)
            forbidden |= text[i] < 0x20;
        if (b > a) {
            tooLong |= b - a > kMaxNameLength;
            out.lines.emplace_back(text.substr(a, b - a));
        }
        start = end + 1;
    }
    if (forbidden)
        out.refusal = IDS_PASTE_FORBIDDEN_CHARACTER;
    else if (tooLong)
        out.refusal = IDS_PASTE_LINE_TOO_LONG;
    if (out.refusal)
        out.lines.clear();
    return out;
}

std::u16string pastedNewName(std::u16string_view line, std::u16string_view currentName,
                             bool allowExtensionChanges) {
    if (allowExtensionChanges)
        return std::u16string(line);
    const size_t currentDot = currentName.rfind(u'.');
    if (currentDot != std::u16string_view::npos) {
        // The line's own extension gives way to the file's.
        const size_t lineDot = line.rfind(u'.');
        std::u16string name(line.substr(0, lineDot));
        name += currentName.substr(currentDot);
        return name;
    }
    return std::u16string(line.substr(0, line.find(u'.')));
}

std::u16string lineCountMessage(size_t files, size_t lines) {
    std::u16string text(moduleString(IDS_PASTE_LINE_COUNT));
    replaceFirst(text, u"%1!d!", decimalText(files));
    replaceFirst(text, u"%2!d!", decimalText(lines));
    return text;
}

} // namespace mr
