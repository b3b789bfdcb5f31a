#include "pattern/pattern_text.h"

namespace mr {

void appendLiteral(std::u16string& out, std::u16string_view literal) {
    for (const char16_t c : literal) {
        if (isPatternSpecial(c))
            out += u'\\';
        out += c;
    }
}

std::u16string toPatternText(const TokenList& tokens) {
    std::u16string text;
    for (const PatternToken& t : tokens) {
        if (t.kind == TokenKind::Number)
            text += u'#';
        else if (t.kind == TokenKind::Wildcard)
            text += u'*';
        else
            appendLiteral(text, t.matchText);
    }
    return text;
}

} // namespace mr
