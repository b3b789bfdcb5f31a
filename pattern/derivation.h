#pragma once
// Derivation of the common pattern of the selected names: the outer steps (names,
// extension, common prefix and suffix, the character table) and the variants.
#include "pattern/derivation_context.h"
#include "pattern/token.h"
#include "rename/records.h"

#include <string>
#include <string_view>

namespace mr {

// The dialog's two check boxes and whether each may be enabled.
struct CheckBoxFlags {
    bool allowExtensionChanges = false;
    bool allowExtensionChangesEnabled = true;
    bool numbersAsText = false;
    bool numbersAsTextEnabled = true;
};

// Fills variants 0 and 1 (numbers detected) or 2 and 3 (numbers as text) from the
// listed names of the set, and applies the check box rules to `flags`.
void buildPatternVariants(const RecordSet& set, PatternVariants& variants, CheckBoxFlags& flags,
                          bool numbersAsText);

void collectNames(DerivationContext& context, const RecordSet& set);

// The finished base pattern text; cuts the context's names to their middle parts.
std::u16string deriveBasePattern(DerivationContext& context);

struct CommonPrefix {
    std::u16string text;
    bool allCovered = true; // every name is exactly the prefix
    bool hasMarkers = false;
};
CommonPrefix commonPrefix(const DerivationContext& context);

struct CommonSuffix {
    std::u16string text;
    bool hasMarkers = false;
};
CommonSuffix commonSuffix(const DerivationContext& context, size_t prefixLength);

// Replaces the digit run around `position` by one marker; returns the index after it.
size_t markDigitRun(std::u16string& text, size_t position, char16_t marker);

// Cuts every name down to what lies between the prefix and the suffix.
void cutToMiddleParts(DerivationContext& context, const CommonPrefix& prefix,
                      const CommonSuffix& suffix);

void buildCommonCharTable(DerivationContext& context);

// Names share whole characters only: half of a surrogate pair that meets a wildcard
// (a first half before it, a second half after it) joins the wildcard, and wildcards
// that then meet become one. Runs on prefix, middle and suffix joined.
std::u16string keepPairsWhole(const DerivationContext& context, std::u16string_view raw);

// Turns a pattern under construction into pattern text: literal specials escaped,
// markers to number fields.
std::u16string finishPattern(const DerivationContext& context, std::u16string_view raw);

} // namespace mr
