#include "cli/json_text.h"

#include "text/utf8.h"

#include <cmath>
#include <ostream>

namespace mr::cli {
namespace {

// Deeper nesting than any document of ours is refused before the parser sees it.
constexpr size_t kMaxDepth = 64;

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The four hex digits at text[at], or -1.
long hex4(std::string_view text, size_t at) {
    if (at + 4 > text.size())
        return -1;
    long v = 0;
    for (size_t k = 0; k < 4; ++k) {
        const int d = hexValue(text[at + k]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

bool isHigh(long u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isSurrogate(long u) {
    return u >= 0xD800 && u <= 0xDFFF;
}

// The parser refuses lone surrogate escapes. Each one becomes "\u0000" followed by its
// four hex digits as plain characters, and a real "\u0000" becomes "\u0000" + "0000",
// so that after parsing every NUL in a string starts one marked code unit.
std::string markLoneSurrogates(std::string_view text, bool& tooDeep) {
    std::string out;
    out.reserve(text.size());
    bool inString = false;
    size_t depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!inString) {
            if (c == '"') {
                inString = true;
            } else if (c == '[' || c == '{') {
                if (++depth > kMaxDepth)
                    tooDeep = true;
            } else if ((c == ']' || c == '}') && depth > 0) {
                --depth;
            }
            out += c;
            continue;
        }
        if (c == '"') {
            inString = false;
            out += c;
            continue;
        }
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const long u = text[i + 1] == 'u' ? hex4(text, i + 2) : -1;
        if (u < 0) {
            out.append(text.substr(i, 2));
            ++i;
            continue;
        }
        if (isHigh(u) && text.substr(i + 6, 2) == "\\u" && hex4(text, i + 8) >= 0xDC00 &&
            hex4(text, i + 8) <= 0xDFFF) {
            out.append(text.substr(i, 12));
            i += 11;
            continue;
        }
        if (isSurrogate(u) || u == 0) {
            out += "\\u0000";
            out.append(text.substr(i + 2, 4));
        } else {
            out.append(text.substr(i, 6));
        }
        i += 5;
    }
    return out;
}

bool needsEscape(char16_t c) {
    return c < 0x20 || c == u'"' || c == u'\\';
}

// One pass straight into the output: plain ASCII runs are appended whole, other code
// units are encoded in place (no temporary string per character).
void appendEscaped(std::string& out, std::u16string_view text) {
    static const char* const kHex = "0123456789abcdef";
    auto escape = [&](unsigned u) {
        const char e[6] = {
            '\\',         'u', kHex[(u >> 12) & 0xF], kHex[(u >> 8) & 0xF], kHex[(u >> 4) & 0xF],
            kHex[u & 0xF]};
        out.append(e, 6);
    };
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        size_t run = i;
        while (run < n && text[run] < 0x80 && !needsEscape(text[run]))
            ++run;
        if (run > i) {
            const size_t at = out.size();
            out.resize(at + (run - i));
            for (size_t k = i; k < run; ++k)
                out[at + (k - i)] = static_cast<char>(text[k]);
            i = run;
            continue;
        }
        const char16_t c = text[i];
        switch (c) {
        case u'"':
            out += "\\\"";
            break;
        case u'\\':
            out += "\\\\";
            break;
        case u'\n':
            out += "\\n";
            break;
        case u'\r':
            out += "\\r";
            break;
        case u'\t':
            out += "\\t";
            break;
        default:
            if (c < 0x80) {
                escape(c);
            } else if (c < 0x800) {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 &&
                       text[i + 1] <= 0xDFFF) {
                const char32_t cp =
                    0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                out += static_cast<char>(0xF0 | (cp >> 18));
                out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (cp & 0x3F));
                ++i;
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                // Not valid UTF-16: the code unit travels as an escape.
                escape(c);
            } else {
                out += static_cast<char>(0xE0 | (c >> 12));
                out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        ++i;
    }
}

} // namespace

std::optional<nlohmann::json> parseJson(std::string_view text, std::string& error) {
    bool tooDeep = false;
    const std::string marked = markLoneSurrogates(text, tooDeep);
    if (tooDeep) {
        error = "nested more than " + std::to_string(kMaxDepth) + " levels deep";
        return std::nullopt;
    }
    try {
        return nlohmann::json::parse(marked);
    } catch (const nlohmann::json::exception& e) {
        // "[json.exception.parse_error.101] parse error at ..." without the bracket.
        std::string what = e.what();
        const size_t close = what.find("] ");
        error = close == std::string::npos ? what : what.substr(close + 2);
        return std::nullopt;
    }
}

std::u16string jsonString(const nlohmann::json& value) {
    const std::u16string text = fromUtf8(value.get_ref<const std::string&>());
    if (text.find(u'\0') == std::u16string::npos)
        return text;
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        long u = -1;
        if (text[i] == u'\0' && i + 4 < text.size()) {
            u = 0;
            for (size_t k = 1; k <= 4 && u >= 0; ++k) {
                const char16_t h = text[i + k];
                const int d = h < 0x80 ? hexValue(static_cast<char>(h)) : -1;
                u = d < 0 ? -1 : u * 16 + d;
            }
        }
        if (u < 0) {
            out += text[i];
            continue;
        }
        out += static_cast<char16_t>(u);
        i += 4;
    }
    return out;
}

std::string wholeNumberProblem(const nlohmann::json& value) {
    if (value.is_number_unsigned())
        return {};
    // The parser reads a whole number beyond 64 bits as a floating value.
    if (value.is_number_float()) {
        const double d = value.get<double>();
        if (d >= 18446744073709551616.0 && std::floor(d) == d)
            return "is too large";
    }
    return "must be a whole number from 0 up";
}

std::string jsonQuoted(std::u16string_view text) {
    std::string out = "\"";
    appendEscaped(out, text);
    out += '"';
    return out;
}

JsonWriter::JsonWriter(std::ostream& sink) : out_(buffer_), indent_(0), sink_(&sink) {
    buffer_.reserve(2 * kChunk);
}

JsonWriter::~JsonWriter() {
    flush();
}

void JsonWriter::flush() {
    if (sink_ && !buffer_.empty()) {
        sink_->write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }
}

void JsonWriter::newline() {
    if (sink_ && buffer_.size() >= kChunk)
        flush();
    out_ += '\n';
    out_.append(2 * (indent_ + levels_.size()), ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty())
        return;
    if (levels_.back().count++ > 0)
        out_ += ',';
    newline();
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    levels_.push_back({true});
}

void JsonWriter::endObject() {
    const bool any = levels_.back().count > 0;
    levels_.pop_back();
    if (any)
        newline();
    out_ += '}';
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    levels_.push_back({false});
}

void JsonWriter::endArray() {
    const bool any = levels_.back().count > 0;
    levels_.pop_back();
    if (any)
        newline();
    out_ += ']';
}

void JsonWriter::key(std::string_view name) {
    if (levels_.back().count++ > 0)
        out_ += ',';
    newline();
    out_ += '"';
    out_ += name;
    out_ += "\": ";
    afterKey_ = true;
}

void JsonWriter::value(std::u16string_view text) {
    beforeValue();
    out_ += '"';
    appendEscaped(out_, text);
    out_ += '"';
}

void JsonWriter::asciiValue(std::string_view text) {
    beforeValue();
    out_ += '"';
    out_ += text;
    out_ += '"';
}

void JsonWriter::value(bool b) {
    beforeValue();
    out_ += b ? "true" : "false";
}

void JsonWriter::value(int64_t n) {
    beforeValue();
    out_ += std::to_string(n);
}

void JsonWriter::value(uint64_t n) {
    beforeValue();
    out_ += std::to_string(n);
}

void JsonWriter::raw(std::string_view json) {
    beforeValue();
    out_ += json;
}

void JsonWriter::null() {
    beforeValue();
    out_ += "null";
}

} // namespace mr::cli
