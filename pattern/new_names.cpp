#include "pattern/new_names.h"

#include "pattern/surrogate_pairs.h"
#include "pattern/tags.h"
#include "rename/records.h"
#include "text/case_mapping.h"
#include "text/number_text.h"
#include "text/two_halves.h"

#include <algorithm>

namespace mr {
namespace {

// The digits edit takes three digits; a larger width cannot make a valid name either.
constexpr size_t kMaxNumberWidth = 999;

// An unedited text is the old name's own: a POSIX name may hold '<', which must not
// turn into a tag when nothing was edited.
bool expandsTags(const PatternToken& token) {
    return !token.keepMatched && token.newText != token.matchText;
}

bool isSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Leading white space, an optional '-', then digits up to the first other character.
uint64_t readRenumberValue(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    const bool negative = i < text.size() && text[i] == u'-';
    if (negative)
        ++i;
    const uint64_t value = readDigits(text, i);
    return negative ? 0 - value : value;
}

// Pads the number that starts at `from` to width with zeros, or drops leading zeros
// down to width without ever losing another digit.
void applyWidth(std::u16string& out, size_t from, size_t width) {
    width = std::min(width, kMaxNumberWidth);
    const size_t length = out.size() - from;
    if (length < width) {
        out.insert(from, width - length, u'0');
        return;
    }
    size_t zeros = 0;
    while (zeros < length - width && out[from + zeros] == u'0')
        ++zeros;
    out.erase(from, zeros);
}

void appendNumber(const FieldCapture& capture, std::u16string& out) {
    if (!capture.token)
        return;
    const PatternToken& token = *capture.token;
    if (token.clearNumber)
        return;
    const size_t from = out.size();
    if (token.renumber) {
        // Unsigned arithmetic: an overflowing field wraps instead of being undefined.
        const uint64_t minimum = static_cast<uint64_t>(token.minimum);
        const uint64_t base =
            token.startNumber >= 0 ? static_cast<uint64_t>(token.startNumber) : minimum;
        const int64_t value =
            static_cast<int64_t>(readRenumberValue(capture.text) - minimum + base);
        appendDecimal(value < 0 ? 0 : static_cast<uint64_t>(value), out);
    } else {
        out += capture.text;
    }
    switch (token.zeroMode) {
    case ZeroMode::NoChange:
        // A renumbered field keeps its old width when it was written with leading zeros.
        if (token.renumber && capture.text.starts_with(u'0'))
            applyWidth(out, from, capture.text.size());
        break;
    case ZeroMode::Make:
        applyWidth(out, from, token.length < 1 ? 1 : static_cast<size_t>(token.length));
        break;
    case ZeroMode::Remove: {
        size_t zeros = 0;
        while (from + zeros < out.size() && out[from + zeros] == u'0')
            ++zeros;
        out.erase(from, zeros);
        if (out.size() == from)
            out += u'0';
        break;
    }
    default:
        break;
    }
}

void appendWildcard(const FieldCapture& capture, std::u16string& out) {
    if (!capture.token)
        return;
    const PatternToken& token = *capture.token;
    std::u16string_view text = capture.text;
    if (token.truncate) {
        size_t keep =
            token.length <= 0 ? 0 : std::min(static_cast<size_t>(token.length), text.size());
        // A cut between the halves of a pair takes the first half too.
        if (keep > 0 && keep < text.size() && isFirstHalf(text[keep - 1]) &&
            isSecondHalf(text[keep]))
            --keep;
        text = text.substr(0, keep);
    }
    const size_t from = out.size();
    out += text;
    if (token.caseMode == CaseMode::Upper)
        std::transform(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(),
                       out.begin() + static_cast<std::ptrdiff_t>(from),
                       [](char16_t c) { return toSimpleUpper(c); });
    else if (token.caseMode == CaseMode::Lower)
        std::transform(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(),
                       out.begin() + static_cast<std::ptrdiff_t>(from),
                       [](char16_t c) { return toSimpleLower(c); });
}

} // namespace

void NameRenderer::appendCapture(const FieldCapture& capture, const FileRecord& file,
                                 const CaptureList& captures, std::u16string& out) {
    if (!capture.token)
        return;
    const PatternToken& token = *capture.token;
    switch (token.kind) {
    case TokenKind::Number:
        appendNumber(capture, out);
        return;
    case TokenKind::Wildcard:
        appendWildcard(capture, out);
        return;
    case TokenKind::Text:
    default:
        break;
    }
    if (!expandsTags(token)) {
        out += capture.text;
        return;
    }
    const std::u16string_view source = token.newText;
    text_.clear();
    size_t i = 0;
    while (i < source.size() && text_.size() < kMaxTokenOutput) {
        if (source[i] != u'<') {
            // The text up to the next tag at once; the cap below cuts what went over.
            const size_t end = std::min(source.find(u'<', i), source.size());
            text_.append(source.substr(i, end - i));
            i = end;
            continue;
        }
        size_t pos = i + 1;
        expandTag(source, pos, &file, &captures, &text_);
        i = std::max(pos, i + 1);
    }
    if (text_.size() > kMaxTokenOutput)
        text_.resize(kMaxTokenOutput);
    out += text_;
}

void NameRenderer::appendName(const CaptureList& captures, const FileRecord& file,
                              std::u16string& out) {
    for (const FieldCapture& capture : captures)
        appendCapture(capture, file, captures, out);
}

// Built in a buffer that stays in the cache, then copied once: appending piece by piece
// to the new name's own buffer, far off in memory, costs more.
void NameRenderer::render(const SplitName& split, FileRecord& file) {
    name_.clear();
    appendName(captures_, file, name_);
    name_ += split.extension;
    file.newName = name_;
}

void NameRenderer::generate(const NamePattern& pattern, FileRecord& file) {
    const SplitName split = splitForPattern(file.name, pattern.includesExtension);
    captures_.clear();
    if (!matcher_.match(split.base, pattern.tokens, 0, captures_)) {
        // Built from a partial match, 'notes.txt' could become '.txt' without any edit.
        file.newName = file.name;
        return;
    }
    render(split, file);
}

void NameRenderer::generate(const NamePattern& pattern, FileRecord& file,
                            NameMatches::Folder& matches, size_t index) {
    const SplitName split = splitForPattern(file.name, pattern.includesExtension);
    const TokenList& tokens = pattern.tokens;
    uint8_t& state = matches.state[index];
    uint16_t* const bounds = matches.bounds.data() + index * (tokens.size() + 1);
    if (state == NameMatches::kUnknown) {
        captures_.clear();
        const bool matched = matcher_.match(split.base, tokens, 0, captures_);
        if (split.base.size() > UINT16_MAX) // too long to keep: matched again each time
            return matched ? render(split, file) : void(file.newName = file.name);
        state = matched ? NameMatches::kMatched : NameMatches::kUnmatched;
        // A text token's capture views its own text: the bounds come from the lengths.
        if (matched) {
            bounds[0] = 0;
            for (size_t t = 0; t < tokens.size(); ++t)
                bounds[t + 1] = static_cast<uint16_t>(bounds[t] + captures_[t].text.size());
        }
    }
    if (state == NameMatches::kUnmatched) {
        file.newName = file.name;
        return;
    }
    captures_.resize(tokens.size());
    for (size_t t = 0; t < tokens.size(); ++t)
        captures_[t] = {&tokens[t], split.base.substr(bounds[t], bounds[t + 1] - bounds[t])};
    render(split, file);
}

bool NameMatches::sameMatching(const NamePattern& pattern) const {
    return pattern.includesExtension == includesExtension_ &&
           std::equal(pattern.tokens.begin(), pattern.tokens.end(), shape_.begin(), shape_.end(),
                      [](const PatternToken& a, const PatternToken& b) {
                          return a.kind == b.kind && a.isExtension == b.isExtension &&
                                 a.matchText == b.matchText;
                      });
}

NameMatches::Folder& NameMatches::prepare(size_t folderIndex, const FolderRecord& folder,
                                          const NamePattern& pattern) {
    if (!sameMatching(pattern)) {
        folders_.clear();
        shape_.clear();
        for (const PatternToken& t : pattern.tokens) {
            PatternToken& kept = shape_.emplace_back();
            kept.kind = t.kind;
            kept.isExtension = t.isExtension;
            kept.matchText = t.matchText;
        }
        includesExtension_ = pattern.includesExtension;
    }
    if (folders_.size() <= folderIndex)
        folders_.resize(folderIndex + 1);
    Folder& entry = folders_[folderIndex];
    const std::vector<FileRecord>& files = *folder.files;
    if (entry.files != files.data() || entry.count != files.size()) {
        entry.files = files.data();
        entry.count = files.size();
        entry.state.assign(files.size(), kUnknown);
        entry.bounds.assign(files.size() * (pattern.tokens.size() + 1), 0);
    }
    return entry;
}

void regenerateNewNames(RecordSet& set, const NamePattern& pattern, NameMatches* matches,
                        HalvesThread* halves) {
    if (std::any_of(pattern.tokens.begin(), pattern.tokens.end(), [](const PatternToken& t) {
            return t.kind == TokenKind::Text && expandsTags(t) && readsFileDetails(t.newText);
        }))
        readFileDetails(set);
    size_t folderIndex = 0;
    for (auto& [key, folder] : set.folders) {
        if (!folder->files)
            continue;
        std::vector<FileRecord>& files = *folder->files;
        NameMatches::Folder* kept =
            matches ? &matches->prepare(folderIndex++, *folder, pattern) : nullptr;
        // Every name is rendered from its own file and the pattern alone.
        forTwoHalves(
            files.size(),
            [&](size_t begin, size_t end) {
                NameRenderer renderer;
                for (size_t i = begin; i < end; ++i) {
                    FileRecord& file = files[i];
                    file.status = FileStatus::Good;
                    if (!file.takesPart || file.pastedName)
                        continue;
                    if (kept)
                        renderer.generate(pattern, file, *kept, i);
                    else
                        renderer.generate(pattern, file);
                }
            },
            halves);
    }
}

void generateNewName(const NamePattern& pattern, FileRecord& file) {
    NameRenderer renderer;
    renderer.generate(pattern, file);
}

std::u16string renderCapture(const FieldCapture& capture, const FileRecord& file,
                             const CaptureList& captures) {
    NameRenderer renderer;
    std::u16string out;
    renderer.appendCapture(capture, file, captures, out);
    return out;
}

} // namespace mr
