// The matcher agrees with a plain backtracking search; a name built from the pattern fits.
#include "fuzz/input.h"
#include "matching/plain_matcher.h"
#include "pattern/parser.h"

namespace {

using namespace mr;

using fuzz::require;
using test::PlainMatcher;

constexpr auto isDigit = PlainMatcher::isDigit;

// A name whose fields take the '|'-separated pieces of `fills`; false when digits run on.
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
    PlainMatcher reference{text, tokens, {}, {}};
    require(fits == reference.from(0, 0), "verdict differs from the plain search");
    require(!mustFit || fits, "a name built from the pattern does not fit");
    if (!fits)
        return;
    // The plain search's captures spell the name, text by text and digits by digits.
    std::vector<std::u16string_view> texts;
    for (const FieldCapture& c : captures) {
        require(texts.size() < tokens.size() && c.token == &tokens[texts.size()],
                "capture of another token");
        texts.push_back(c.text);
    }
    require(texts == reference.captures, "first match differs");
}

} // namespace

// Line 1: base; 2: extension (kept when byte 0 is odd); the rest: names, also used as pieces.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 4096)
        return 0;
    const bool include = data[0] & 1;
    const std::vector<std::u16string> lines = fuzz::lines(data, size, 1, 2);
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
