#include "cli/records_scan.h"

#include "text/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace mr::cli {
namespace {

// A recursive reader of exactly the records shape. Every method answers false when
// the text is not what it can vouch for; the caller then gives up.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool document(RecordsInput& input);

private:
    using Folders = std::vector<std::pair<std::u16string, FolderListing>>;

    void space() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' ||
                                      text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    bool take(char c) {
        space();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        space();
        if (text_.substr(at_, w.size()) != w)
            return false;
        at_ += w.size();
        return true;
    }
    bool boolean(bool& b) {
        if (word("true"))
            b = true;
        else if (word("false"))
            b = false;
        else
            return false;
        return true;
    }
    bool plainRun();
    bool string(std::string& out);
    bool key(std::string_view& name);
    bool text(std::u16string& out);
    bool number(uint64_t& n);

    // Calls member(name) for each member of an object; a member named twice is left
    // to the full reader, which keeps the last one.
    template <class Member>
    bool object(Member member) {
        if (!take('{'))
            return false;
        if (take('}'))
            return true;
        // No object of the shape has more members than this without naming one twice.
        std::array<std::string_view, 8> seen;
        size_t count = 0;
        do {
            std::string_view name;
            if (!key(name) || !take(':') || count == seen.size())
                return false;
            for (size_t i = 0; i < count; ++i)
                if (seen[i] == name)
                    return false;
            if (!member(name))
                return false;
            seen[count++] = name;
        } while (take(','));
        return take('}');
    }
    template <class Element>
    bool array(Element element) {
        if (!take('['))
            return false;
        if (take(']'))
            return true;
        do {
            if (!element())
                return false;
        } while (take(','));
        return take(']');
    }

    bool entry(DirEntry& e);
    bool folder(Folders& folders);

    std::string_view text_;
    size_t at_ = 0;
};

// The plain characters from at_ on: up to a quote, a backslash or the end; false at a
// control character, which JSON text may not hold raw.
bool Scanner::plainRun() {
    const size_t quote = text_.find('"', at_);
    const size_t end = quote == std::string_view::npos ? text_.size() : quote;
    for (; at_ < end; ++at_) {
        const auto c = static_cast<unsigned char>(text_[at_]);
        if (c < 0x20)
            return false;
        if (c == '\\')
            return true;
    }
    return true;
}

// A member name without escapes, as every name of the shape is written.
bool Scanner::key(std::string_view& name) {
    if (!take('"'))
        return false;
    const size_t start = at_;
    if (!plainRun() || at_ >= text_.size() || text_[at_] != '"')
        return false;
    name = text_.substr(start, at_ - start);
    ++at_;
    return true;
}

bool Scanner::string(std::string& out) {
    if (!take('"'))
        return false;
    out.clear();
    size_t run = at_;
    while (at_ < text_.size()) {
        if (!plainRun())
            return false;
        if (at_ >= text_.size())
            return false;
        if (text_[at_] == '"') {
            out.append(text_.substr(run, at_ - run));
            ++at_;
            return true;
        }
        out.append(text_.substr(run, at_ - run));
        if (at_ + 1 >= text_.size())
            return false;
        // \u escapes may hold lone surrogates and NULs: the full reader marks those.
        switch (text_[at_ + 1]) {
        case '"':
        case '\\':
        case '/':
            out += text_[at_ + 1];
            break;
        case 'b':
            out += '\b';
            break;
        case 'f':
            out += '\f';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        default:
            return false;
        }
        at_ += 2;
        run = at_;
    }
    return false;
}

bool Scanner::text(std::u16string& out) {
    std::string bytes;
    if (!string(bytes))
        return false;
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        out.assign(bytes.begin(), bytes.end());
        return true;
    }
    out = fromUtf8(bytes);
    // Bytes that are not UTF-8 come back as lone surrogates; JSON text must be UTF-8.
    for (size_t i = 0; i < out.size(); ++i) {
        const char16_t c = out[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < out.size() && out[i + 1] >= 0xDC00 &&
            out[i + 1] <= 0xDFFF)
            ++i;
        else if (c >= 0xD800 && c <= 0xDFFF)
            return false;
    }
    return true;
}

// A whole number from 0 up that fits 64 bits, written without fraction or exponent.
bool Scanner::number(uint64_t& n) {
    space();
    const size_t start = at_;
    n = 0;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
        n = n * 10 + static_cast<uint64_t>(text_[at_++] - '0');
    const size_t digits = at_ - start;
    if (digits == 0 || (text_[start] == '0' && digits > 1))
        return false;
    // 19 digits always fit; 20 fit up to the largest value, whose digits compare so.
    if (digits > 20 || (digits == 20 && text_.substr(start, 20) > "18446744073709551615"))
        return false;
    return at_ == text_.size() || (text_[at_] != '.' && text_[at_] != 'e' && text_[at_] != 'E');
}

bool Scanner::entry(DirEntry& e) {
    bool named = false;
    const bool ok = object([&](std::string_view name) {
        if (name == "name")
            return (named = text(e.name) && !e.name.empty());
        if (name == "directory")
            return boolean(e.isDirectory);
        if (name == "lastWriteTime")
            return number(e.lastWriteTime);
        if (name == "creationTime")
            return number(e.creationTime);
        if (name == "size")
            return number(e.size);
        return false;
    });
    return ok && named;
}

bool Scanner::folder(Folders& folders) {
    std::u16string path;
    FolderListing listing;
    bool listed = false;
    const bool ok = object([&](std::string_view name) {
        if (name == "path")
            return text(path) && !path.empty();
        if (name == "caseInsensitive")
            return boolean(listing.caseInsensitive);
        if (name == "entries") {
            listed = true;
            return array([&] { return entry(listing.entries.emplace_back()); });
        }
        return false;
    });
    if (!ok || !listed || path.empty())
        return false;
    folders.emplace_back(std::move(path), std::move(listing));
    return true;
}

bool Scanner::document(RecordsInput& input) {
    Folders folders;
    bool hasPaths = false;
    const bool ok = object([&](std::string_view name) {
        if (name == "rules") {
            std::string rules;
            if (!string(rules) || (rules != "windows" && rules != "posix"))
                return false;
            input.posixRules = rules == "posix";
            input.rules = input.posixRules ? NameRules::posix() : NameRules::windows();
            return true;
        }
        if (name == "workingDirectory")
            return text(input.workingDirectory.emplace());
        if (name == "folders")
            return array([&] { return folder(folders); });
        if (name == "paths") {
            hasPaths = true;
            return array([&] { return text(input.paths.emplace_back()); });
        }
        return false;
    });
    space();
    if (!ok || !hasPaths || at_ != text_.size())
        return false;
    // The rules may come after the folders, and they decide the folders' keys.
    for (auto& [path, listing] : folders)
        if (!addFolder(input, std::move(path), std::move(listing)))
            return false;
    return true;
}

} // namespace

std::optional<RecordsInput> scanRecords(std::string_view jsonText) {
    RecordsInput input;
    if (!Scanner(jsonText).document(input))
        return std::nullopt;
    return input;
}

} // namespace mr::cli
