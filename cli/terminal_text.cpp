#include "cli/terminal_text.h"

#include "platform/common/utf8.h"

#include <cstdio>

namespace mr::cli {
namespace {

const char* const kYellow = "\x1b[33m";

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Walks code points; lone surrogates come as themselves.
template <class F>
void forEachCodePoint(std::u16string_view s, F&& f) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (isHighSurrogate(s[i]) && i + 1 < s.size() && isLowSurrogate(s[i + 1])) {
            f(0x10000 + ((char32_t(s[i]) - 0xD800) << 10) + (s[i + 1] - 0xDC00), s.substr(i, 2));
            ++i;
        } else {
            f(char32_t(s[i]), s.substr(i, 1));
        }
    }
}

std::string escapeOf(char32_t c) {
    char buffer[16];
    if (c >= 0xDC80 && c <= 0xDCFF) // an undecodable byte of a POSIX name
        std::snprintf(buffer, sizeof buffer, "\\x%02X", unsigned(c - 0xDC00));
    else
        std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(c));
    return buffer;
}

bool needsEscape(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF);
}

bool isPlainAscii(char16_t c) {
    return c >= 0x20 && c < 0x7F;
}

} // namespace

size_t displayWidth(std::u16string_view name) {
    size_t width = 0;
    forEachCodePoint(name, [&](char32_t c, std::u16string_view) {
        width += isPlainAscii(static_cast<char16_t>(c)) ? 1
                 : needsEscape(c)                       ? escapeOf(c).size()
                 : isWide(c)                            ? 2
                                                        : 1;
    });
    return width;
}

void appendDisplayName(std::string& out, std::u16string_view name, const HumanStyle& style) {
    // A table of many rows shows every name: plain ASCII is copied as it is.
    size_t i = 0;
    while (i < name.size() && isPlainAscii(name[i]))
        out += static_cast<char>(name[i++]);
    forEachCodePoint(name.substr(i), [&](char32_t c, std::u16string_view unit) {
        out += needsEscape(c) ? paint(style, kYellow, escapeOf(c)) : toUtf8(unit);
    });
}

std::string displayName(std::u16string_view name, const HumanStyle& style) {
    std::string out;
    out.reserve(name.size());
    appendDisplayName(out, name, style);
    return out;
}

std::string paint(const HumanStyle& s, const char* code, const std::string& text) {
    return s.colour ? code + text + "\x1b[0m" : text;
}

} // namespace mr::cli
