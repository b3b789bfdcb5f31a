#pragma once
// Which characters of an old name each token of a pattern stands for.
#include "pattern/field_capture.h"
#include "pattern/token.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace mr {

class HalvesThread;
class RecordSet;

// A number field takes at most this many digits; the rest is left to the next token.
constexpr size_t kMaxNumberDigits = 260;

struct SplitName {
    std::u16string_view base;      // the part matched against the tokens
    std::u16string_view extension; // set aside: empty, or from the last period on
};

SplitName splitForPattern(std::u16string_view name, bool includesExtension);

// Matches text against tokens[firstToken..] and appends one capture per token. The
// first match in trial order wins: each wildcard as short as it can be, earlier
// wildcards first; number fields take every digit. On failure the list keeps only
// what was appended before the first wildcard trial or the failing token.
//
// Keeps its scratch memory between calls, so one matcher serves a whole record set
// without allocating per name.
class TokenMatcher {
public:
    bool match(std::u16string_view text, const TokenList& tokens, size_t firstToken,
               CaptureList& captures);

private:
    struct Trial {
        size_t token;        // the wildcard
        size_t start;        // where its text begins
        size_t end;          // where its current trial ends
        size_t captureCount; // captures before the wildcard's own
    };
    std::vector<Trial> trials_;
    // Per wildcard token: every trial ending at or after this position is known to
    // fail, so the rest of the pattern is never tried twice from the same place.
    std::vector<size_t> failsFrom_;
};

bool matchTokens(std::u16string_view text, const TokenList& tokens, size_t firstToken,
                 CaptureList& captures);

// The tokens as a folder that ignores case compares names: each Text token's match
// text as a key. A name's key fits them exactly when the name fits under folding.
TokenList foldedTokens(const TokenList& tokens);

// Marks the listed files the pattern renames: those whose name (set aside as
// splitForPattern does) fits its tokens, compared as keys where the file's folder
// ignores case. An empty pattern takes every listed file. A file that leaves loses
// its new name. True when any file changed.
bool markTakingPart(RecordSet& set, const NamePattern& pattern);

// Stores into each number field of pattern the smallest value it has over the files
// that take part and match; with halves, the second half of a folder goes there.
void collectNumberMinimums(RecordSet& set, NamePattern& pattern, HalvesThread* halves = nullptr);

} // namespace mr
