#include "text/utf8.h"

#include <cstddef>
#include <cstdint>

namespace mr {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // invalid byte b becomes U+DC00 + b (b >= 0x80)

// Length of the valid UTF-8 sequence at s[i], or 0 when it is not valid.
size_t validSequence(std::string_view s, size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t n;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2, min = 0x80, cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3, min = 0x800, cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4, min = 0x10000, cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8; their
    // bytes are escaped one by one so that they come back exactly.
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

void appendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::u16string fromUtf8(std::string_view bytes) {
    // Most names are ASCII: their leading run widens in one pass.
    size_t ascii = 0;
    while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80)
        ++ascii;
    std::u16string out(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(ascii));
    if (ascii == bytes.size())
        return out;
    out.reserve(bytes.size());
    for (size_t i = ascii; i < bytes.size();) {
        char32_t cp;
        const size_t n = validSequence(bytes, i, cp);
        if (n == 0) {
            out += static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i]));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += n;
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    appendUtf8(out, text);
    return out;
}

void appendUtf8(std::string& out, std::u16string_view text) {
    size_t ascii = 0;
    while (ascii < text.size() && text[ascii] < 0x80)
        ++ascii;
    const size_t at = out.size();
    out.resize(at + ascii);
    for (size_t i = 0; i < ascii; ++i)
        out[at + i] = static_cast<char>(text[i]);
    if (ascii == text.size())
        return;
    out.reserve(out.size() + (text.size() - ascii) * 3);
    for (size_t i = ascii; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendCodePoint(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            out += static_cast<char>(c - kEscapeBase); // an escaped invalid byte
        } else {
            // Other lone surrogates never come from a file system name; they are
            // written as their three-byte form rather than dropped.
            appendCodePoint(out, c);
        }
    }
}

size_t utf8Length(std::u16string_view text) {
    size_t bytes = text.size();
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80 || (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF))
            continue;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            bytes += 2; // four bytes for the two units
            ++i;
        } else {
            bytes += c < 0x800 ? 1 : 2;
        }
    }
    return bytes;
}

} // namespace mr
