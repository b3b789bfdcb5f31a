// Any pattern against any names: the matcher agrees with a plain backtracking search
// of its own (same verdict, same first captures), its captures spell the name, and a
// name built from the pattern's own pieces always fits.
#include "pattern/matching.h"
#include "fuzz/require.h"
#include "pattern/parser.h"
#include "platform/common/utf8.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace mr;

using fuzz::require;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The trial order written out: a number takes every digit, a wildcard tries its
// shortest text first, earlier wildcards before later ones.
struct Reference {
    std::u16string_view text;
    const TokenList& tokens;
    std::map<std::pair<size_t, size_t>, bool> failed;
    std::vector<std::u16string_view> captures;

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

// A name from the pattern's pieces: each field takes the next '|'-separated piece of
// `fills` (numbers keep its digits, "7" when there are none). Returns false when a
// number's digits run on into the next piece, as then the name cannot fit.
bool buildName(const TokenList& tokens, std::u16string_view fills, std::u16string& name) {
    size_t numberEnd = std::u16string::npos;
    for (const PatternToken& token : tokens) {
        std::u16string piece;
        if (token.kind != TokenKind::Text) {
            const size_t bar = fills.find(u'|');
            piece = fills.substr(0, bar);
            fills =
                bar == std::u16string_view::npos ? std::u16string_view() : fills.substr(bar + 1);
        }
        if (token.kind == TokenKind::Text) {
            piece = token.matchText;
        } else if (token.kind == TokenKind::Number) {
            std::u16string digits;
            for (char16_t c : piece)
                if (isDigit(c) && digits.size() < kMaxNumberDigits)
                    digits += c;
            piece = digits.empty() ? u"7" : digits;
        } else if (token.isExtension && (piece.empty() || piece[0] != u'.')) {
            piece.insert(piece.begin(), u'.');
        }
        if (numberEnd == name.size() && !piece.empty() && isDigit(piece[0]))
            return false;
        name += piece;
        if (token.kind == TokenKind::Number)
            numberEnd = name.size();
    }
    return true;
}

void check(std::u16string_view text, const TokenList& tokens, bool mustFit) {
    CaptureList captures;
    const bool fits = matchTokens(text, tokens, 0, captures);
    Reference reference{text, tokens, {}, {}};
    require(fits == reference.from(0, 0), "verdict differs from the plain search");
    require(!mustFit || fits, "a name built from the pattern does not fit");
    if (!fits)
        return;
    require(captures.size() == tokens.size(), "not one capture per token");
    std::u16string spelled;
    for (size_t i = 0; i < captures.size(); ++i) {
        require(captures[i].token == &tokens[i], "capture of another token");
        require(captures[i].text == reference.captures[i], "first match differs");
        if (tokens[i].kind == TokenKind::Text)
            require(captures[i].text == tokens[i].matchText, "text capture differs");
        if (tokens[i].kind == TokenKind::Number)
            for (char16_t c : captures[i].text)
                require(isDigit(c), "number capture holds a non-digit");
        spelled += captures[i].text;
    }
    require(spelled == text, "captures do not spell the name");
}

} // namespace

// Line 1: base pattern; line 2: extension text (kept when the first byte is odd); the
// rest: names, each matched as it is and used as the pieces of a built name.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 4096)
        return 0;
    const bool include = data[0] & 1;
    const std::u16string all =
        fromUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    std::vector<std::u16string_view> lines;
    const std::u16string_view view(all);
    for (size_t from = 0;;) {
        const size_t end = view.find(u'\n', from);
        lines.push_back(view.substr(from, end - from));
        if (end == std::u16string_view::npos)
            break;
        from = end + 1;
    }
    lines.resize(std::max<size_t>(lines.size(), 2));
    NamePattern pattern;
    parsePattern(lines[0], lines[1], pattern, include);
    for (size_t i = 2; i < lines.size(); ++i) {
        check(lines[i], pattern.tokens, false);
        std::u16string built;
        if (buildName(pattern.tokens, lines[i], built))
            check(built, pattern.tokens, true);
    }
    return 0;
}
