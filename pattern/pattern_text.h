#pragma once
// Writing pattern text: the characters that need a '\' to stand for themselves.
#include "pattern/token.h"

#include <string>
#include <string_view>

namespace mr {

// '#' and '*' are fields, '\' escapes.
constexpr bool isPatternSpecial(char16_t c) {
    return c == u'#' || c == u'*' || c == u'\\';
}

// Appends text that reads back as exactly these characters.
void appendLiteral(std::u16string& out, std::u16string_view literal);

// The pattern text that parses back into the tokens' kinds and old texts (without an
// extension).
std::u16string toPatternText(const TokenList& tokens);

} // namespace mr
