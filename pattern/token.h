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

// The values are those of the JSON state and of the Change Wild radio buttons' order.
enum class CaseMode : uint32_t {
    NoChange = 0,
    Upper = 1,
    Lower = 2,
};

enum class ZeroMode : uint32_t {
    NoChange = 0,
    Make = 1,   // pad or cut to `length` digits
    Remove = 2, // drop every leading zero
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
    CaseMode caseMode = CaseMode::NoChange; // Wildcard
    bool clearNumber = false;               // Number: gives empty text
    ZeroMode zeroMode = ZeroMode::NoChange; // Number
    bool renumber = false;                  // Number
    int64_t startNumber = -1;               // Number: negative when no start was given
    int64_t minimum = 0;                    // Number: smallest value over the set
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
