#pragma once
// The middle of the pattern: the parts left between the common prefix and suffix are
// split around their longest shared piece, recursively.
#include "pattern/derivation_context.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace mr {

using MiddleParts = std::vector<std::u16string>;

std::u16string_view pickBase(const DerivationContext& context, const MiddleParts& parts);

std::u16string longestCommonRun(const DerivationContext& context, const MiddleParts& parts);
std::u16string deriveMiddle(const DerivationContext& context, const MiddleParts& parts);

// Best piece found so far by one number-aware search.
struct RunSearch {
    const DerivationContext& context;
    const MiddleParts& parts;
    int32_t bestScore = 0;
    std::u16string bestPiece;
    // Branches already searched, by candidate, weights, score and first part. A branch
    // searched again finds nothing above what its first search left in bestScore, so
    // it is skipped; without this the digit branching grows exponentially.
    std::unordered_set<std::u16string> searched;
};

void searchRun(RunSearch& search, std::u16string_view candidate, size_t candidateLength,
               int32_t score, const std::vector<int32_t>& weights, size_t firstPart);
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
