#pragma once
// Plain, unoptimised forms of the table build and the middle derivation, step by step
// as designed. The engine's faster forms must give exactly the same results.
#include "pattern/derivation.h"
#include "pattern/middle_derivation.h"

#include <string>

namespace mr::reference {

void buildCommonCharTable(DerivationContext& context);
std::u16string longestCommonRun(const DerivationContext& context, const MiddleParts& parts);
std::u16string deriveMiddle(const DerivationContext& context, const MiddleParts& parts);
std::u16string bestCommonRunWithNumbers(const DerivationContext& context, const MiddleParts& parts);
std::u16string deriveMiddleWithNumbers(const DerivationContext& context, const MiddleParts& parts);
// The whole base pattern with the two pieces above in place of the engine's.
std::u16string deriveBasePattern(DerivationContext& context);

} // namespace mr::reference
