#pragma once
// The shape of a parsed token list, shared by the parser tests and its fuzz target.
#include "pattern/token.h"

#include <string>

namespace mr::test {

// A token list in short: '#', '*', '.*', and quoted texts with '+' when kept as matched.
inline std::string describeTokens(const TokenList& tokens) {
    std::string out;
    for (const auto& t : tokens) {
        if (!out.empty())
            out += ' ';
        switch (t.kind) {
        case TokenKind::Number:
            out += '#';
            break;
        case TokenKind::Wildcard:
            out += t.isExtension ? ".*" : "*";
            break;
        case TokenKind::Text:
            out += '\'' + std::string(t.matchText.begin(), t.matchText.end()) + '\'';
            if (t.keepMatched)
                out += '+';
            break;
        }
    }
    return out;
}

// What breaks the shape of a parsed list: text and fields alternate from text; only .* ends.
inline std::string shapeFault(const TokenList& tokens) {
    if (tokens.empty() || tokens.front().kind != TokenKind::Text)
        return "does not start with text";
    for (size_t i = 1; i < tokens.size(); ++i) {
        const bool text = tokens[i].kind == TokenKind::Text;
        const bool prevText = tokens[i - 1].kind == TokenKind::Text;
        const bool extension = tokens[i].kind == TokenKind::Wildcard && tokens[i].isExtension;
        if (extension && (i + 1 != tokens.size() || !prevText))
            return "misplaced extension";
        if (!extension && text == prevText)
            return "two neighbours alike at " + std::to_string(i);
    }
    if (tokens.back().kind != TokenKind::Text && !tokens.back().isExtension)
        return "ends with a field";
    return {};
}

} // namespace mr::test
