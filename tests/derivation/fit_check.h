#pragma once
// Whether the listed names fit the derived variants, and why a name may not.
#include "pattern/derivation.h"
#include "rename/records.h"

#include <set>
#include <string>
#include <string_view>

namespace mr::test {

// Whether a name fits a pattern text the way the dialog decides who takes part.
inline bool fits(std::u16string_view patternText, std::u16string_view name) {
    return wildcardMatch(upperKey(patternText), upperKey(name));
}

// A number field before a number or digit (across wildcards) takes the whole run: '#*1', '11'.
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
    for (size_t i = 0; i < base.size(); i += base[i] == u'\\' ? 2 : 1)
        if (base[i] == u'#')
            return true;
    return false;
}

inline bool startsWithDigit(std::u16string_view name) {
    return !name.empty() && name[0] >= u'0' && name[0] <= u'9';
}

// The extension joins the pattern text unescaped: '#', '*' or '\' in it read specially.
inline bool readSpecially(std::u16string_view extension) {
    return extension != u".*" && extension.find_first_of(u"#*\\") != std::u16string_view::npos;
}

struct NameFit {
    bool fits = true;
    bool explained = true; // a miss has one of the known causes
};

// Names whose common beginning and end overlap ('a12b', 'a7ba7b' give 'a#b*b').
inline std::set<std::u16string> overlappedNames(const RecordSet& set) {
    std::set<std::u16string> out;
    DerivationContext context(true, set.rules);
    collectNames(context, set);
    const CommonPrefix prefix = commonPrefix(context);
    if (prefix.allCovered)
        return out;
    const CommonSuffix suffix = commonSuffix(context, prefix.text.size());
    size_t k = 0;
    set.forEachFile([&](const FileRecord& file) {
        if (file.hidden)
            return;
        const std::u16string& name = context.names[k++];
        if (prefixCoverage(context, prefix, name) + suffixCoverage(context, suffix, name) >
            name.size())
            out.insert(file.name);
    });
    return out;
}

// One name against every variant the dialog can make current, with the known causes of a miss.
inline NameFit checkName(const PatternVariants& variants, const CheckBoxFlags& flags,
                         std::u16string_view name, bool overlapped = false) {
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
        const std::u16string_view extension =
            withExtension ? std::u16string_view(variants[i].patternText).substr(base.size())
                          : std::u16string_view();
        if (!base.empty() && !overlapped && !hasGreedyNumber(base) &&
            !(startsWithDigit(bare) && hasNumber(base)) && !readSpecially(extension))
            result.explained = false;
    }
    return result;
}

} // namespace mr::test
