#pragma once
// The matcher's trial order written out as a plain backtracking search, shared by the
// matching tests and the matching fuzz target: a number takes every digit, a wildcard
// tries its shortest text first, earlier wildcards before later ones.
#include "pattern/matching.h"

#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace mr::test {

struct PlainMatcher {
    std::u16string_view text;
    const TokenList& tokens;
    std::map<std::pair<size_t, size_t>, bool> failed;
    std::vector<std::u16string_view> captures; // one per token after a match

    static bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

    bool from(size_t t, size_t p) {
        if (t == tokens.size())
            return p == text.size();
        if (failed.count({t, p}))
            return false;
        const PatternToken& token = tokens[t];
        const size_t mark = captures.size();
        bool ok = false;
        if (token.kind == TokenKind::Text) {
            if (text.substr(p).starts_with(token.matchText)) {
                captures.push_back(text.substr(p, token.matchText.size()));
                ok = from(t + 1, p + token.matchText.size());
            }
        } else if (token.kind == TokenKind::Number) {
            size_t end = p;
            while (end < text.size() && end - p < kMaxNumberDigits && isDigit(text[end]))
                ++end;
            if (end > p) {
                captures.push_back(text.substr(p, end - p));
                ok = from(t + 1, end);
            }
        } else if (!token.isExtension || (p < text.size() && text[p] == u'.')) {
            for (size_t end = p; end <= text.size() && !ok; ++end) {
                captures.resize(mark);
                captures.push_back(text.substr(p, end - p));
                ok = from(t + 1, end);
            }
        }
        if (!ok) {
            captures.resize(mark);
            failed[{t, p}] = true;
        }
        return ok;
    }
};

} // namespace mr::test
