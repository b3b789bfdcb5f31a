#pragma once
#include "pattern/token.h"

#include <string_view>

namespace mr {

// Parses a base pattern text ('*', '#', '\' escapes, literal text) and an extension
// text into `variant`, replacing what it held. Never fails.
void parsePattern(std::u16string_view baseText, std::u16string_view extensionText,
                  NamePattern& variant, bool includeExtension);

// Sets the new text of a Text token as the user typed it.
void setTokenText(PatternToken& token, std::u16string_view text);

// Whether text may stand in a file name, tags allowed: no control character, none of
// the characters Windows forbids, and every '<' a tag.
bool isValidNameText(std::u16string_view text);

} // namespace mr
