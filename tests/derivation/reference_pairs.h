#pragma once
// The step that keeps surrogate pairs whole, written plainly: which units join a
// wildcard is decided on the joined text as it stands, then they go, then runs of
// wildcards shrink to one.
#include "pattern/derivation_context.h"

#include <string>
#include <vector>

namespace mr::reference {

inline std::u16string keepPairsWhole(const DerivationContext& context, std::u16string_view raw) {
    auto wildcardAt = [&](size_t i) { return i < raw.size() && raw[i] == context.wildcard; };
    std::vector<bool> joins(raw.size(), false);
    for (size_t i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i];
        if (c >= 0xD800 && c <= 0xDBFF)
            joins[i] = wildcardAt(i + 1);
        else if (c >= 0xDC00 && c <= 0xDFFF)
            joins[i] = i > 0 && wildcardAt(i - 1);
    }
    std::u16string kept;
    for (size_t i = 0; i < raw.size(); ++i)
        if (!joins[i])
            kept += raw[i];
    std::u16string out;
    for (size_t i = 0; i < kept.size(); ++i)
        if (!(kept[i] == context.wildcard && i > 0 && kept[i - 1] == context.wildcard))
            out += kept[i];
    return out;
}

} // namespace mr::reference
