// Any texts parse into a list of the expected shape that parses back the same when written.
#include "fuzz/input.h"
#include "pattern/parser.h"
#include "pattern/pattern_text.h"
#include "pattern_language/token_shape.h"

namespace {

using namespace mr;
using fuzz::require;

// Empty text pieces (from a lone '\') come back as parser-made empty text.
std::string keepless(TokenList list) {
    for (auto& t : list)
        if (t.kind == TokenKind::Text && t.matchText.empty())
            t.keepMatched = true;
    return test::describeTokens(list);
}

void check(std::u16string_view base, std::u16string_view extension, bool include) {
    NamePattern v;
    parsePattern(base, extension, v, include);
    require(test::shapeFault(v.tokens).empty(), "token list out of shape");
    require(v.patternText == std::u16string(base) + std::u16string(include ? extension : u""),
            "stored pattern text");
    for (const auto& t : v.tokens)
        require(t.kind != TokenKind::Text || (t.newText == t.matchText && !t.hasInvalidChars),
                "unedited text differs or is marked");
    if (!include) {
        NamePattern again;
        parsePattern(toPatternText(v.tokens), u"", again, false);
        require(keepless(again.tokens) == keepless(v.tokens), "write-back differs");
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
