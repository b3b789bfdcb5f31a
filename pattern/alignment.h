#pragma once
// Keeps the user's edits alive when the dialog switches between pattern variants:
// tokens of the new variant are aligned with those of the previous one and take over
// their settings.
#include "pattern/token.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mr {

struct AlignmentContext {
    std::vector<const PatternToken*> x; // previous variant
    std::vector<const PatternToken*> y; // new variant
};

AlignmentContext makeAlignmentContext(const NamePattern& previous, const NamePattern& newVariant);

// Fills map[j..] (one entry per token of y: the index of its partner in x, or -1) and
// returns the number of aligned text pairs.
int alignTokens(const AlignmentContext& context, size_t i, size_t j, std::vector<int32_t>& map);

// The partners of newVariant's tokens in previous, text pairs and the fields between them.
std::vector<int32_t> alignVariants(const NamePattern& newVariant, const NamePattern& previous);

// Copies the settings of every aligned token of previous into newVariant; tokens with
// no partner keep theirs.
void transferFieldSettings(NamePattern& newVariant, const NamePattern& previous);

} // namespace mr
