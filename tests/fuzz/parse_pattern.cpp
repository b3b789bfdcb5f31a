// Any texts parse into a list of the expected shape that parses back the same when written.
#include "fuzz/input.h"
#include "pattern/parser.h"
#include "pattern_language/token_shape.h"

namespace {

using namespace mr;

void require(bool ok, const char* what, const TokenList& tokens) {
    if (!ok)
        std::fprintf(stderr, "%s\n", test::describeTokens(tokens).c_str());
    fuzz::require(ok, what);
}

// Pattern text for a list parsed without the extension, specials escaped.
std::u16string writeBack(const TokenList& tokens) {
    std::u16string text;
    for (const auto& t : tokens) {
        if (t.kind == TokenKind::Number)
            text += u'#';
        else if (t.kind == TokenKind::Wildcard)
            text += u'*';
        else
            for (char16_t c : t.matchText) {
                if (c == u'#' || c == u'*' || c == u'\\')
                    text += u'\\';
                text += c;
            }
    }
    return text;
}

void check(std::u16string_view base, std::u16string_view extension, bool include) {
    NamePattern v;
    parsePattern(base, extension, v, include);
    const TokenList& tokens = v.tokens;
    require(test::shapeFault(tokens).empty(), test::shapeFault(tokens).c_str(), tokens);
    const bool withExtension = include && !extension.empty();
    require(v.patternText == std::u16string(base) + std::u16string(withExtension ? extension : u""),
            "stored pattern text", tokens);
    require(v.includesExtension == include, "include flag", tokens);
    for (const auto& t : tokens) {
        if (t.kind == TokenKind::Text) {
            require(t.newText == t.matchText, "new text differs", tokens);
            // Text from the names is never marked; only typed text can be.
            require(!t.hasInvalidChars, "invalid mark on unedited text", tokens);
            require(!t.keepMatched || t.matchText.empty(), "keeps a non-empty text", tokens);
        } else {
            require(t.keepMatched && t.startNumber == -1 && t.minimum == 0, "field settings",
                    tokens);
            require(t.length == (t.kind == TokenKind::Number ? 4 : 8), "field length", tokens);
        }
    }
    if (!include) {
        NamePattern again;
        parsePattern(writeBack(tokens), u"", again, false);
        // Empty text pieces (from a lone '\') come back as parser-made empty text.
        auto keepless = [](TokenList list) {
            for (auto& t : list)
                if (t.kind == TokenKind::Text && t.matchText.empty())
                    t.keepMatched = true;
            return test::describeTokens(list);
        };
        require(keepless(again.tokens) == keepless(tokens), "write-back differs", tokens);
    }
}

} // namespace

// Line 1: the base text; line 2: the extension text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::u16string> lines = fuzz::lines(data, size, 0, 2);
    check(lines[0], lines[1], false);
    check(lines[0], lines[1], true);
    return 0;
}
