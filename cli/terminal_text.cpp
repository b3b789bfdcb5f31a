#include "cli/terminal_text.h"

#include "text/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace mr::cli {
namespace {

const char* const kYellow = "\x1b[33m";

struct WidthRange {
    char32_t first, last;
};
#include "cli/char_width_table.inc"

template <size_t N>
bool inTable(const WidthRange (&table)[N], char32_t c) {
    const auto it = std::upper_bound(std::begin(table), std::end(table), c,
                                     [](char32_t v, const WidthRange& r) { return v < r.first; });
    return it != std::begin(table) && c <= std::prev(it)->last;
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

// What a terminal would obey, or what would turn the rest of the line around.
bool needsEscape(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF) ||
           c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

bool isPlainAscii(char16_t c) {
    return c >= 0x20 && c < 0x7F;
}

size_t widthOf(char32_t c) {
    if (c < 0x7F && isPlainAscii(static_cast<char16_t>(c)))
        return 1;
    if (needsEscape(c))
        return escapeOf(c).size();
    if (inTable(kZeroWidth, c))
        return 0;
    return inTable(kDoubleWidth, c) ? 2 : 1;
}

// One character as shown, with the marks that combine with it.
struct Cluster {
    size_t at, size; // code units of the name
    size_t width;
};

std::vector<Cluster> clustersOf(std::u16string_view name) {
    std::vector<Cluster> out;
    size_t at = 0;
    forEachCodePoint(name, [&](char32_t c, std::u16string_view unit) {
        const size_t w = widthOf(c);
        if (w == 0 && !out.empty())
            out.back().size += unit.size();
        else
            out.push_back({at, unit.size(), w});
        at += unit.size();
    });
    return out;
}

size_t plainAsciiPrefix(std::u16string_view name) {
    size_t i = 0;
    while (i < name.size() && isPlainAscii(name[i]))
        ++i;
    return i;
}

} // namespace

size_t displayWidth(std::u16string_view name) {
    // A table of many rows measures every name: plain ASCII is one column a unit.
    size_t width = plainAsciiPrefix(name);
    forEachCodePoint(name.substr(width),
                     [&](char32_t c, std::u16string_view) { width += widthOf(c); });
    return width;
}

void appendDisplayName(std::string& out, std::u16string_view name, const HumanStyle& style) {
    // ... and shows every name: plain ASCII is copied as it is.
    const size_t plain = plainAsciiPrefix(name);
    const size_t at = out.size();
    out.resize(at + plain);
    std::copy_n(name.begin(), plain, out.begin() + static_cast<std::ptrdiff_t>(at));
    forEachCodePoint(name.substr(plain), [&](char32_t c, std::u16string_view unit) {
        out += needsEscape(c) ? paint(style, kYellow, escapeOf(c)) : toUtf8(unit);
    });
}

std::string displayName(std::u16string_view name, const HumanStyle& style) {
    std::string out;
    out.reserve(name.size());
    appendDisplayName(out, name, style);
    return out;
}

std::string displayText(std::string_view utf8) {
    for (char c : utf8)
        if (!isPlainAscii(static_cast<unsigned char>(c)))
            return displayName(fromUtf8(utf8), HumanStyle{});
    return std::string(utf8);
}

std::string fitName(std::u16string_view name, size_t width, const HumanStyle& style) {
    if (displayWidth(name) <= width)
        return displayName(name, style);
    const std::vector<Cluster> clusters = clustersOf(name);
    // The end holds the numbers and the extension, where names of a set differ most:
    // it gets two thirds.
    const size_t room = width > 0 ? width - 1 : 0;
    size_t tailWidth = 0, tail = clusters.size();
    while (tail > 0 && tailWidth + clusters[tail - 1].width <= room - room / 3)
        tailWidth += clusters[--tail].width;
    size_t headWidth = 0, head = 0;
    while (head < tail && headWidth + clusters[head].width <= room - tailWidth)
        headWidth += clusters[head++].width;
    auto piece = [&](size_t from, size_t to) {
        if (from >= to)
            return std::u16string_view();
        const size_t begin = clusters[from].at;
        return name.substr(begin, clusters[to - 1].at + clusters[to - 1].size - begin);
    };
    return displayName(piece(0, head), style) + "\xe2\x80\xa6" +
           displayName(piece(tail, clusters.size()), style);
}

std::string displayHead(std::u16string_view name, size_t width, size_t* used) {
    size_t taken = 0, end = 0;
    for (const Cluster& c : clustersOf(name)) {
        if (taken + c.width > width)
            break;
        taken += c.width;
        end = c.at + c.size;
    }
    if (used)
        *used = taken;
    return displayName(name.substr(0, end), HumanStyle{});
}

size_t nextCharacter(std::u16string_view text, size_t at) {
    for (const Cluster& c : clustersOf(text))
        if (c.at + c.size > at)
            return c.at + c.size;
    return text.size();
}

size_t previousCharacter(std::u16string_view text, size_t at) {
    size_t start = 0;
    for (const Cluster& c : clustersOf(text)) {
        if (c.at >= at)
            break;
        start = c.at;
    }
    return start;
}

bool coloursAllowed() {
    const char* noColor = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
    return !(noColor && *noColor) && !(term && std::string_view(term) == "dumb");
}

std::string paint(const HumanStyle& s, const char* code, const std::string& text) {
    return s.colour ? code + text + "\x1b[0m" : text;
}

} // namespace mr::cli
