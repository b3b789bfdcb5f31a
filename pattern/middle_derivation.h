#pragma once
// The middle of the pattern: the parts left between the common prefix and suffix are
// split around their longest shared piece, recursively.
#include "pattern/derivation_context.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace mr {

// Views into the names being derived from (see DerivationContext::names).
using MiddleParts = std::vector<std::u16string_view>;

std::u16string_view pickBase(const DerivationContext& context, const MiddleParts& parts);

std::u16string longestCommonRun(const DerivationContext& context, const MiddleParts& parts);
std::u16string deriveMiddle(const DerivationContext& context, const MiddleParts& parts);

// Best piece found so far by one number-aware search.
struct RunSearch {
    const DerivationContext& context;
    const MiddleParts& parts;
    int32_t bestScore = 0;
    std::u16string bestPiece;
    // Branches already searched, by candidate (its span of the base and its markers),
    // score and first part. A branch searched again finds nothing above what its first
    // search left in bestScore, so it is skipped; without this the digit branching
    // grows exponentially. Emptied for each start in the base, which the key holds.
    std::unordered_set<std::u16string> searched;
    // When no part holds the marker character, a walk's score is a function of how far
    // it got, so two walks of one candidate over one part that meet in the same place
    // end alike; the later one is cut short. One stamp per candidate and part.
    bool walksMerge = false;
    std::vector<uint32_t> reached;
    uint32_t stamp = 0;
    // Each part as tokens, a digit run being one token, for matching the part of a
    // candidate before its first literal digit against every start at once.
    struct PartTokens {
        std::vector<uint32_t> tokens;
        std::vector<uint32_t> tokenEnd; // index after each token in the part
        std::vector<uint32_t> tokenOf;  // the token holding each character
    };
    std::vector<PartTokens> partTokens;
    // What any candidate of the current start covers at most in every part from j on,
    // with all its digit runs read as markers: a search that cannot get above the best
    // score under it changes nothing, so it is cut short. Read from the last part
    // backwards, one part per part visited, so it never costs more than the search.
    struct Ceiling {
        std::vector<uint32_t> tokens; // the start's stretch, a digit run being one token
        std::vector<size_t> z;
        std::vector<int32_t> covered;  // base characters under the first x tokens
        std::vector<int32_t> overLast; // [x]: the ceiling over the last x parts
        std::vector<uint32_t> reach;
    } ceiling;
};

// z[j]: the length of the longest common beginning of s and s[j ..].
template <class Text>
std::vector<size_t> zArray(const Text& s) {
    std::vector<size_t> z(s.size(), 0);
    if (!s.empty())
        z[0] = s.size();
    size_t l = 0;
    size_t r = 0;
    for (size_t j = 1; j < s.size(); ++j) {
        size_t len = j < r ? std::min(z[j - l], r - j) : 0;
        while (j + len < s.size() && s[j + len] == s[len])
            ++len;
        z[j] = len;
        if (j + len > r) {
            l = j;
            r = j + len;
        }
    }
    return z;
}

// origins[k]: where the candidate's character k begins in the base.
void searchRun(RunSearch& search, std::u16string_view candidate, size_t candidateLength,
               int32_t score, const std::vector<int32_t>& weights, size_t firstPart,
               const std::vector<uint32_t>& origins);
std::u16string bestCommonRunWithNumbers(const DerivationContext& context, const MiddleParts& parts);
std::u16string deriveMiddleWithNumbers(const DerivationContext& context, const MiddleParts& parts);

// The pattern of a list of middle parts: a shared piece with the patterns of what lies
// left and right of its first match in each part, or a wildcard when none is shared.
using FindPiece = std::u16string (*)(const DerivationContext&, const MiddleParts&);
using MatchPiece = bool (*)(const DerivationContext&, std::u16string_view piece,
                            std::u16string_view part, size_t& start, size_t& end);
std::u16string splitAroundPieces(const DerivationContext& context, const MiddleParts& parts,
                                 FindPiece findPiece, MatchPiece matchPiece);

} // namespace mr
