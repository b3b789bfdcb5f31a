#include "pattern/parser.h"

#include "pattern/tags.h"
#include "rename/name_rules.h"

namespace mr {
namespace {

PatternToken emptyText() {
    PatternToken t;
    t.kind = TokenKind::Text;
    t.keepMatched = true;
    return t;
}

PatternToken field(TokenKind kind) {
    PatternToken t;
    t.kind = kind;
    t.length = kind == TokenKind::Number ? 4 : 8;
    t.keepMatched = true;
    return t;
}

PatternToken textPiece(std::u16string piece) {
    PatternToken t;
    t.kind = TokenKind::Text;
    // Text read from the names themselves never blocks a rename: names under POSIX rules
    // may hold characters that typed text may not.
    t.hasInvalidChars = false;
    t.newText = piece;
    t.matchText = std::move(piece);
    return t;
}

} // namespace

void parsePattern(std::u16string_view baseText, std::u16string_view extensionText,
                  NamePattern& variant, bool includeExtension) {
    TokenList tokens;
    bool textDue = true;
    size_t i = 0;
    while (i < baseText.size()) {
        const char16_t c = baseText[i];
        if (c == u'*' || c == u'#') {
            if (textDue)
                tokens.push_back(emptyText());
            tokens.push_back(field(c == u'#' ? TokenKind::Number : TokenKind::Wildcard));
            textDue = true;
            ++i;
            continue;
        }
        std::u16string piece;
        while (i < baseText.size() && baseText[i] != u'*' && baseText[i] != u'#') {
            if (baseText[i] == u'\\') {
                if (++i == baseText.size())
                    break; // a trailing lone backslash is dropped
            }
            piece += baseText[i++];
        }
        // An escaped '#' or '*' is text even when it is the whole piece, and a piece
        // that ends in a dropped backslash may be empty; either way it is a text token.
        tokens.push_back(textPiece(std::move(piece)));
        textDue = false;
    }
    if (textDue)
        tokens.push_back(emptyText());

    std::u16string patternText(baseText);
    if (includeExtension && !extensionText.empty()) {
        if (extensionText == u".*") {
            PatternToken ext = field(TokenKind::Wildcard);
            ext.isExtension = true;
            tokens.push_back(ext);
        } else {
            PatternToken& last = tokens.back();
            last.matchText += extensionText;
            const std::u16string matched = last.matchText;
            setTokenText(last, matched);
        }
        patternText += extensionText;
    }
    variant.patternText = std::move(patternText);
    variant.tokens = std::move(tokens);
    variant.includesExtension = includeExtension;
}

void setTokenText(PatternToken& token, std::u16string_view text) {
    token.newText = std::u16string(text);
    token.keepMatched = false;
    token.hasInvalidChars = text != token.matchText && !isValidNameText(text);
}

bool isValidNameText(std::u16string_view text) {
    // Control characters never reach a name: NUL cuts it short at the system call, and
    // Windows refuses the others. Inside a tag they would reach it too.
    for (const char16_t c : text)
        if (c < 0x20)
            return false;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'<') {
            size_t pos = i + 1;
            if (!expandTag(text, pos, nullptr, nullptr, nullptr))
                return false;
            i = pos;
        } else if (isForbiddenNameChar(text[i])) {
            return false;
        } else {
            ++i;
        }
    }
    return true;
}

} // namespace mr
