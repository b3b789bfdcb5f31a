#include "pattern/matching.h"

#include "rename/records.h"
#include "text/keys.h"
#include "text/number_text.h"
#include "text/two_halves.h"

#include <algorithm>

namespace mr {

SplitName splitForPattern(std::u16string_view name, bool includesExtension) {
    if (includesExtension)
        return {name, {}};
    const size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos)
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

bool TokenMatcher::match(std::u16string_view text, const TokenList& tokens, size_t firstToken,
                         CaptureList& captures) {
    const size_t count = tokens.size();
    const size_t n = text.size();
    trials_.clear();
    failsFrom_.assign(count, n + 1);

    size_t t = std::min(firstToken, count);
    size_t p = 0;
    for (;;) {
        bool failed = false;
        if (t == count) {
            if (p == n)
                return true;
            failed = true;
        } else {
            const PatternToken& token = tokens[t];
            switch (token.kind) {
            case TokenKind::Text: {
                const std::u16string_view want = token.matchText;
                if (text.substr(p).starts_with(want)) {
                    captures.push_back({&token, want});
                    p += want.size();
                    ++t;
                } else {
                    failed = true;
                }
                break;
            }
            case TokenKind::Number: {
                size_t end = p;
                while (end < n && end - p < kMaxNumberDigits && isDigit(text[end]))
                    ++end;
                if (end == p) {
                    failed = true;
                } else {
                    captures.push_back({&token, text.substr(p, end - p)});
                    p = end;
                    ++t;
                }
                break;
            }
            case TokenKind::Wildcard:
            default:
                if ((token.isExtension && (p == n || text[p] != u'.')) || p >= failsFrom_[t]) {
                    failed = true;
                } else {
                    trials_.push_back({t, p, p, captures.size()});
                    captures.push_back({&token, text.substr(p, 0)});
                    ++t;
                }
                break;
            }
        }
        if (!failed)
            continue;

        // Back to the innermost wildcard that can still grow.
        for (;;) {
            if (trials_.empty())
                return false;
            Trial& trial = trials_.back();
            captures.resize(trial.captureCount);
            // A trial can only go on where the following text begins; skip the rest.
            size_t end = trial.end + 1;
            const size_t next = trial.token + 1;
            if (end <= n && next < count && tokens[next].kind == TokenKind::Text &&
                !tokens[next].matchText.empty())
                end = std::min(text.find(tokens[next].matchText[0], end), n + 1);
            if (end <= n && end < failsFrom_[trial.token]) {
                trial.end = end;
                captures.push_back(
                    {&tokens[trial.token], text.substr(trial.start, trial.end - trial.start)});
                t = next;
                p = end;
                break;
            }
            // Every end from this start on has failed.
            failsFrom_[trial.token] = std::min(failsFrom_[trial.token], trial.start);
            trials_.pop_back();
        }
    }
}

bool matchTokens(std::u16string_view text, const TokenList& tokens, size_t firstToken,
                 CaptureList& captures) {
    TokenMatcher matcher;
    return matcher.match(text, tokens, firstToken, captures);
}

TokenList foldedTokens(const TokenList& tokens) {
    TokenList folded = tokens;
    for (PatternToken& token : folded)
        foldKey(token.matchText.data(), token.matchText.data() + token.matchText.size());
    return folded;
}

bool markTakingPart(RecordSet& set, const NamePattern& pattern) {
    const TokenList folded = foldedTokens(pattern.tokens);
    const bool everyFile = pattern.patternText.empty();
    TokenMatcher matcher;
    CaptureList captures;
    std::u16string key;
    bool changed = false;
    set.forEachFile([&](FileRecord& file) {
        if (file.hidden)
            return;
        bool takes = everyFile;
        if (!takes) {
            const bool fold = file.folder->foldCase;
            assignKey(key, splitForPattern(file.name, pattern.includesExtension).base, fold);
            captures.clear();
            takes = matcher.match(key, fold ? folded : pattern.tokens, 0, captures);
        }
        changed |= takes != file.takesPart;
        file.takesPart = takes;
        if (!takes)
            file.newName.clear();
    });
    return changed;
}

namespace {

// The smallest value of each number field among files [begin, end) of a folder.
void numberMinimums(const std::vector<FileRecord>& files, size_t begin, size_t end,
                    const NamePattern& pattern, std::vector<int64_t>& minimums) {
    TokenMatcher matcher;
    CaptureList captures;
    for (size_t i = begin; i < end; ++i) {
        const FileRecord& file = files[i];
        if (!file.takesPart)
            continue;
        captures.clear();
        const SplitName split = splitForPattern(file.name, pattern.includesExtension);
        // A name that does not fit keeps its name, so its digits say nothing.
        if (!matcher.match(split.base, pattern.tokens, 0, captures))
            continue;
        size_t k = 0;
        for (const FieldCapture& capture : captures) {
            if (capture.token->kind != TokenKind::Number)
                continue;
            const int64_t value = leadingNumber(capture.text);
            if (k < minimums.size())
                minimums[k] = std::min(minimums[k], value);
            else
                minimums.push_back(value);
            ++k;
        }
    }
}

void mergeMinimums(std::vector<int64_t>& into, const std::vector<int64_t>& from) {
    for (size_t k = 0; k < from.size(); ++k) {
        if (k < into.size())
            into[k] = std::min(into[k], from[k]);
        else
            into.push_back(from[k]);
    }
}

} // namespace

void collectNumberMinimums(RecordSet& set, NamePattern& pattern, HalvesThread* halves) {
    std::vector<int64_t> minimums;
    for (const auto& [key, folder] : set.folders) {
        if (!folder->files)
            continue;
        std::vector<int64_t> found[2];
        const std::vector<FileRecord>& files = *folder->files;
        forTwoHalves(
            files.size(),
            [&](size_t begin, size_t end) {
                numberMinimums(files, begin, end, pattern, found[begin == 0 ? 0 : 1]);
            },
            halves);
        mergeMinimums(minimums, found[0]);
        mergeMinimums(minimums, found[1]);
    }
    size_t k = 0;
    for (PatternToken& token : pattern.tokens) {
        if (token.kind != TokenKind::Number)
            continue;
        if (k >= minimums.size())
            break;
        token.minimum = minimums[k++];
    }
}

} // namespace mr
