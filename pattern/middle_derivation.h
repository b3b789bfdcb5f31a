#pragma once
// The middle of the pattern: the parts left between the common prefix and suffix are
// split around their longest shared piece, recursively.
#include "pattern/derivation_context.h"

#include <string>
#include <string_view>
#include <vector>

namespace mr {

// Views into the names being derived from (see DerivationContext::names).
using MiddleParts = std::vector<std::u16string_view>;

std::u16string_view pickBase(const DerivationContext& context, const MiddleParts& parts);

std::u16string longestCommonRun(const DerivationContext& context, const MiddleParts& parts);
std::u16string deriveMiddle(const DerivationContext& context, const MiddleParts& parts);

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
