#pragma once
// A pattern is a sequence of text pieces and fields; each token also carries the
// user's settings for its piece or field.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mr {

enum class TokenKind : uint32_t {
    Text = 0,
    Number = 1,   // '#': a run of decimal digits
    Wildcard = 2, // '*': any text
};

struct PatternToken {
    TokenKind kind = TokenKind::Text;
    std::u16string matchText;     // Text: what old names hold here; never edited
    std::u16string newText;       // Text: what new names get here; may hold tags
    bool keepMatched = false;     // Text: new names keep the old name's matched text
    bool hasInvalidChars = false; // Text: newText cannot stand in a file name
    int32_t length = 0;           // Wildcard: truncation length; Number: digits to make
    bool isExtension = false;     // Wildcard: stands for the extension, begins at a period
    bool truncate = false;        // Wildcard
    uint32_t caseMode = 0;        // Wildcard: 0 no change, 1 upper, 2 lower
    bool clearNumber = false;     // Number: gives empty text
    uint32_t zeroMode = 0;        // Number: 0 no change, 1 make `length` digits, 2 remove
    bool renumber = false;        // Number
    int64_t startNumber = -1;     // Number: negative when no start was given
    int64_t minimum = 0;          // Number: smallest value over the set
};

// Tokens are never inserted or removed after parsing, so pointers to them stay valid
// while captures and field editors refer to them; a new parse replaces the whole list.
using TokenList = std::vector<PatternToken>;

struct NamePattern {
    std::u16string patternText;
    TokenList tokens;
    bool includesExtension = false;
};

// The four variants: index = (numbers as text ? 2 : 0) + (extension included ? 1 : 0).
using PatternVariants = std::array<NamePattern, 4>;

inline int variantIndex(bool numbersAsText, bool allowExtensionChanges) {
    return (numbersAsText ? 2 : 0) + (allowExtensionChanges ? 1 : 0);
}

} // namespace mr
