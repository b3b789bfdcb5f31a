#pragma once
// Whether the listed names fit the derived variants, and why a name may not: the two
// known ways a derived pattern can miss one of its own names.
#include "pattern/derivation.h"
#include "rename/records.h"

#include <string_view>

namespace mr::test {

// Whether a name fits a pattern text the way the dialog decides who takes part.
inline bool fits(std::u16string_view patternText, std::u16string_view name) {
    return wildcardMatch(upperKey(patternText), upperKey(name));
}

// A number field followed, across wildcards only, by another number field or a digit:
// the field takes every digit of its run, so a name whose digits run on cannot fit
// ('#*1' and '11').
inline bool hasGreedyNumber(std::u16string_view base) {
    for (size_t i = 0; i < base.size(); ++i) {
        if (base[i] == u'\\') {
            ++i;
            continue;
        }
        if (base[i] != u'#')
            continue;
        size_t j = i + 1;
        while (j < base.size() && base[j] == u'*')
            ++j;
        if (j < base.size() && (base[j] == u'#' || (base[j] >= u'0' && base[j] <= u'9')))
            return true;
    }
    return false;
}

inline bool hasNumber(std::u16string_view base) {
    for (size_t i = 0; i < base.size(); ++i) {
        if (base[i] == u'\\')
            ++i;
        else if (base[i] == u'#')
            return true;
    }
    return false;
}

inline bool startsWithDigit(std::u16string_view name) {
    return !name.empty() && name[0] >= u'0' && name[0] <= u'9';
}

struct NameFit {
    bool fits = true;
    bool explained = true; // a miss has one of the known causes
};

// Checks one name against every variant the dialog can make current. An empty base
// pattern misses every name with a non-empty base: the prefix search stopped at two
// empty names while they still covered it. A number field at the end never takes a
// name's first character, so a name that begins with its only digits can miss it
// ('0' and 'b0a1' give '*0*#').
inline NameFit checkName(const PatternVariants& variants, const CheckBoxFlags& flags,
                         std::u16string_view name) {
    const size_t dot = name.rfind(u'.');
    const std::u16string_view bare = dot == std::u16string_view::npos ? name : name.substr(0, dot);
    NameFit result;
    for (int i = 0; i < 4; ++i) {
        const bool withExtension = i % 2 == 1;
        if ((withExtension && !flags.allowExtensionChangesEnabled) ||
            (i >= 2 && !flags.numbersAsTextEnabled))
            continue;
        if (fits(variants[i].patternText, withExtension ? name : bare))
            continue;
        result.fits = false;
        const std::u16string_view base = variants[i & 2].patternText;
        if (!base.empty() && !hasGreedyNumber(base) && !(startsWithDigit(bare) && hasNumber(base)))
            result.explained = false;
    }
    return result;
}

} // namespace mr::test
