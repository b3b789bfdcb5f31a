#pragma once
// Keeps the user's edits alive when the dialog switches between pattern variants:
// tokens of the new variant are aligned with those of the previous one and take over
// their settings.
#include "pattern/token.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mr {

// The partners of newVariant's tokens in previous, text pairs and the fields between them.
std::vector<int32_t> alignVariants(const NamePattern& newVariant, const NamePattern& previous);

// Copies the settings of every aligned token of previous into newVariant; tokens with
// no partner keep theirs.
void transferFieldSettings(NamePattern& newVariant, const NamePattern& previous);

} // namespace mr
