#include "pattern/tags.h"

#include "pattern/date_format.h"
#include "rename/records.h"
#include "seams/local_time.h"
#include "text/number_text.h"
#include "text/utf8.h"

#include <algorithm>
#include <optional>

namespace mr {
namespace {

constexpr uint32_t kMaxFieldIndex = 260;
constexpr uint32_t kMaxPadding = kMaxNameLength;

struct DateWord {
    std::u16string_view word;
    std::string_view format;
};

// Tried in this order: a longer word wins over the shorter word it begins with.
constexpr DateWord kDateWords[] = {
    {u"timehms", "%H%M%S"}, {u"time", "%H%M"}, {u"hour", "%H"},  {u"min", "%M"},
    {u"sec", "%S"},         {u"yyyy", "%Y"},   {u"month", "%B"}, {u"day", "%A"},
    {u"mmm", "%b"},         {u"ddd", "%a"},    {u"yy", "%y"},    {u"mm", "%m"},
    {u"dd", "%d"},          {u"y", "%#Y"},     {u"m", "%#m"},    {u"d", "%#d"},
};

constexpr std::u16string_view kDroppedFromDates = u"\\\"%*/:<>?|";

// Tag letters and units are ASCII, read without regard to case.
char16_t upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// A cursor over the body of one tag. Values are only computed when `file` is given.
class TagReader {
public:
    TagReader(std::u16string_view body, const FileRecord* file, const CaptureList* captures)
        : body_(body), file_(file), captures_(captures) {}

    // Whether the tag read shows a time or the size of the file.
    bool readsDetails() const { return readsDetails_; }

    // The tag's value, or nothing when the body is not a tag.
    std::optional<std::u16string> read() {
        if (at_ == body_.size())
            return std::nullopt;
        if (isDigit(body_[at_]))
            return counter();
        switch (upper(body_[at_++])) {
        case u'D':
            readsDetails_ = true;
            return date(file_ ? file_->lastWriteTime : 0);
        case u'C':
            readsDetails_ = true;
            return date(file_ ? file_->creationTime : 0);
        case u'S':
            readsDetails_ = true;
            return size();
        case u'F':
            return folder();
        case u'N':
            return oldField();
        default:
            return std::nullopt;
        }
    }

private:
    bool take(char16_t c) {
        if (at_ < body_.size() && body_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    // A run of digits; a value past 2^64 wraps, as the counter's arithmetic does.
    std::optional<uint64_t> digits() {
        if (at_ == body_.size() || !isDigit(body_[at_]))
            return std::nullopt;
        return readDigits(body_, at_);
    }

    // Digits read as a count, held at `cap` + 1 so that a long run cannot wrap to a
    // small number.
    std::optional<uint32_t> count(uint32_t cap) {
        if (at_ == body_.size() || !isDigit(body_[at_]))
            return std::nullopt;
        uint32_t value = 0;
        while (at_ < body_.size() && isDigit(body_[at_]))
            value = std::min<uint32_t>(value * 10 + (body_[at_++] - u'0'), cap + 1);
        return value;
    }

    std::optional<std::u16string> date(uint64_t fileTime) {
        std::u16string_view words = u"yyyymmdd";
        if (take(u':')) {
            const size_t end = body_.find(u'>', at_);
            if (end == std::u16string_view::npos || end == at_)
                return std::nullopt;
            words = body_.substr(at_, end - at_);
            at_ = end + 1;
        } else if (!take(u'>')) {
            return std::nullopt;
        }
        if (!file_)
            return std::u16string();
        const std::string format = dateSpecToFormat(words);
        if (format.empty())
            return std::u16string();
        CalendarTime local;
        if (!fileTimeToLocalTime(fileTime, local) || local.year < 1900)
            return std::u16string();
        const std::optional<std::string> text = formatCalendarTime(format, local);
        return text ? fromUtf8(*text) : std::u16string();
    }

    std::optional<std::u16string> size() {
        uint32_t minDigits = 0;
        char16_t unit = 0;
        if (take(u':')) {
            if (at_ < body_.size() && isDigit(body_[at_]))
                minDigits = *count(kMaxPadding);
            if (at_ < body_.size() &&
                std::u16string_view(u"ABKMG").find(upper(body_[at_])) != std::u16string_view::npos)
                unit = upper(body_[at_++]);
        }
        if (!take(u'>'))
            return std::nullopt;
        if (!file_)
            return std::u16string();
        const uint64_t bytes = file_->size;
        constexpr uint64_t kK = 1024, kM = kK * 1024, kG = kM * 1024;
        const bool automatic = unit == u'A';
        if (automatic)
            unit = bytes < kK ? u'B' : bytes < kM ? u'K' : bytes < kG ? u'M' : u'G';
        // Rounded up; written so that sizes near 2^64 cannot wrap to zero.
        const auto roundUp = [&](uint64_t scale) {
            return bytes / scale + (bytes % scale != 0 ? 1 : 0);
        };
        uint64_t value = bytes;
        if (unit == u'K' || (unit == u'B' && !automatic)) // "B" asks for kilobytes
            value = roundUp(kK);
        else if (unit == u'M')
            value = roundUp(kM);
        else if (unit == u'G')
            value = roundUp(kG);
        std::u16string text = formatPaddedNumber(value, minDigits);
        if (automatic)
            text += unit;
        return text;
    }

    std::optional<std::u16string> folder() {
        if (!take(u'>'))
            return std::nullopt;
        if (!file_ || !file_->folder || file_->folder->path.empty())
            return std::u16string();
        // The path ends with its separator, whichever the record set uses.
        std::u16string_view path = file_->folder->path;
        const char16_t separator = path.back();
        path.remove_suffix(1);
        const size_t cut = path.rfind(separator);
        if (cut == std::u16string_view::npos)
            return std::u16string(); // a root such as 'C:\'
        return std::u16string(path.substr(cut + 1));
    }

    std::optional<std::u16string> oldField() {
        if (!take(u':'))
            return std::nullopt;
        const std::optional<uint32_t> k = count(kMaxFieldIndex);
        if (!k || *k > kMaxFieldIndex || !take(u'>'))
            return std::nullopt;
        if (!captures_ || *k == 0)
            return std::u16string();
        uint32_t seen = 0;
        for (const FieldCapture& capture : *captures_) {
            const PatternToken* token = capture.token;
            // Empty text tokens between fields were inserted by the parser; the user
            // does not see them as fields of the old name.
            if (!token || (token->kind == TokenKind::Text && token->matchText.empty()))
                continue;
            if (++seen == *k)
                return std::u16string(capture.text);
        }
        return std::u16string();
    }

    std::optional<std::u16string> counter() {
        const uint64_t start = *digits();
        uint64_t step = 1;
        uint32_t minDigits = 0;
        if (take(u',')) {
            const std::optional<uint64_t> s = digits();
            if (!s)
                return std::nullopt;
            step = *s;
        }
        if (take(u':')) {
            const std::optional<uint32_t> width = count(kMaxPadding);
            if (!width)
                return std::nullopt;
            minDigits = *width;
        }
        const bool perFolder = take(u'F') || take(u'f');
        if (!take(u'>'))
            return std::nullopt;
        if (!file_)
            return std::u16string();
        const uint64_t position = perFolder ? file_->folderPosition : file_->listPosition;
        return formatPaddedNumber(position * step + start, minDigits); // wraps, never traps
    }

    std::u16string_view body_;
    size_t at_ = 0;
    const FileRecord* file_;
    const CaptureList* captures_;
    bool readsDetails_ = false;
};

// Where reading goes on after the tag whose body starts at `pos`: past the first '>',
// before a '<' met first, or at the end.
size_t afterTag(std::u16string_view text, size_t pos) {
    while (pos < text.size()) {
        if (text[pos] == u'<')
            return pos;
        if (text[pos++] == u'>')
            return pos;
    }
    return pos;
}

} // namespace

bool expandTag(std::u16string_view text, size_t& pos, const FileRecord* file,
               const CaptureList* captures, std::u16string* out) {
    pos = std::min(pos, text.size());
    const std::u16string_view body = text.substr(pos);
    pos = afterTag(text, pos);
    const std::optional<std::u16string> value =
        TagReader(body, out ? file : nullptr, captures).read();
    if (!value)
        return false;
    if (out) {
        const size_t room = kMaxTokenOutput > out->size() ? kMaxTokenOutput - out->size() : 0;
        out->append(*value, 0, std::min(room, value->size()));
    }
    return true;
}

bool readsFileDetails(std::u16string_view text) {
    for (size_t i = text.find(u'<'); i != std::u16string_view::npos; i = text.find(u'<', i + 1)) {
        TagReader reader(text.substr(i + 1), nullptr, nullptr);
        if (reader.read() && reader.readsDetails())
            return true;
    }
    return false;
}

std::string dateSpecToFormat(std::u16string_view words) {
    std::u16string format;
    size_t i = 0;
    while (i < words.size()) {
        const std::u16string_view rest = words.substr(i);
        const auto word = std::find_if(std::begin(kDateWords), std::end(kDateWords),
                                       [&](const DateWord& w) { return rest.starts_with(w.word); });
        if (word != std::end(kDateWords)) {
            format.append(word->format.begin(), word->format.end());
            i += word->word.size();
            continue;
        }
        // No directive can be written directly, and nothing a name cannot hold.
        if (kDroppedFromDates.find(words[i]) == std::u16string_view::npos)
            format += words[i];
        ++i;
    }
    return toUtf8(format);
}

std::u16string formatPaddedNumber(uint64_t value, uint32_t minDigits) {
    std::u16string digits = decimalText(value);
    minDigits = std::min(minDigits, kMaxPadding);
    if (digits.size() >= minDigits)
        return digits;
    std::u16string padded(minDigits - digits.size(), u'0');
    padded += digits;
    return padded;
}

} // namespace mr
