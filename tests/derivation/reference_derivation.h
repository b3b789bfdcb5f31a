#pragma once
// The whole derivation written out plainly, step by step as designed, sharing no code
// with the engine's: common beginning and end, the cut to middle parts, the table, the
// middle search and the finished text. The engine's faster forms must give exactly
// the same results.
#include "pattern/derivation_context.h"

#include <string>
#include <vector>

namespace mr::reference {

// The table, `smallAlphabet` and `useNumberRuns` from the context's names.
void buildCommonCharTable(DerivationContext& context);

// The finished base pattern text; cuts the context's names to their middle parts.
std::u16string deriveBasePattern(DerivationContext& context);

// Per name of the context: whether the common beginning and end both claim some of its
// characters. With number markers the end is sought from a length counted in pattern
// characters, so it can reach into what the beginning covers; the pattern then asks for
// more than such a name holds. No other name misses its pattern.
std::vector<char> cutOverlaps(const DerivationContext& context);

} // namespace mr::reference
