#pragma once
// Whether a listed name fits the derived variants without number fields.
#include "pattern/derivation.h"
#include "rename/records.h"

#include <string_view>

namespace mr::test {

inline bool fits(std::u16string_view patternText, std::u16string_view name) {
    return wildcardMatch(upperKey(patternText), upperKey(name));
}

// Number fields may miss by design (a greedy '#'), so only the '*'-only variants are held to
// fit; an empty text stands for no pattern; the extension joins the text unescaped, so one holding
// '#', '*' or '\' is let off.
inline bool fitsTextVariants(const PatternVariants& variants, const CheckBoxFlags& flags,
                             std::u16string_view name) {
    const std::u16string_view bare = name.substr(0, std::min(name.rfind(u'.'), name.size()));
    const std::u16string_view base = variants[2].patternText;
    const std::u16string_view extension =
        std::u16string_view(variants[3].patternText).substr(base.size());
    return base.empty() ||
           (fits(base, bare) &&
            (!flags.allowExtensionChangesEnabled || fits(variants[3].patternText, name) ||
             (extension != u".*" &&
              extension.find_first_of(u"#*\\") != std::u16string_view::npos)));
}

} // namespace mr::test
