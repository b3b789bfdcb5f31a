#include "pattern/derivation.h"

#include "pattern/middle_derivation.h"
#include "pattern/parser.h"
#include "pattern/pattern_text.h"
#include "pattern/surrogate_pairs.h"

#include <algorithm>

namespace mr {

DerivationContext::DerivationContext(bool detectNumbers, const NameRules& rules)
    : detectNumbers(detectNumbers) {
    marker = rules.numberMarker;
    // Under the module's own rules names cannot hold '*' or '\'; elsewhere they can.
    escapeStarAndBackslash = rules.separator != u'\\';
    wildcard = escapeStarAndBackslash ? u'\0' : u'*';
}

void collectNames(DerivationContext& context, const RecordSet& set) {
    bool someWithoutPeriod = false;
    bool allEqual = true;
    bool seenOne = false;
    std::u16string first;
    set.forEachFile([&](const FileRecord& file) {
        if (file.hidden)
            return;
        const std::u16string_view name = file.name;
        const size_t dot = name.rfind(u'.');
        if (dot == std::u16string::npos) {
            context.names.push_back(name);
            someWithoutPeriod = true;
            return;
        }
        context.names.push_back(name.substr(0, dot));
        if (!allEqual)
            return;
        const std::u16string_view ext = std::u16string_view(file.name).substr(dot);
        if (!seenOne) {
            first = ext;
            seenOne = true;
        } else if (ext != first) {
            allEqual = false;
        }
    });
    if (someWithoutPeriod)
        context.extension.clear();
    else if (allEqual)
        context.extension = std::move(first);
    else
        context.extension = u".*";
}

namespace {

bool anyTableEntry(const DerivationContext& context) {
    const size_t limit = context.smallAlphabet ? 256 : kCharTableSize;
    return std::any_of(context.charTable.begin(), context.charTable.begin() + limit,
                       [](uint8_t e) { return e != 0; });
}

// How many characters of `name` the prefix covers, a marker taking a digit run. With
// markers the suffix search only approximates where the prefix ends in each name, so
// the two coverages can overlap; the middle part is then empty.
size_t prefixCoverage(const DerivationContext& context, const CommonPrefix& prefix,
                      std::u16string_view name) {
    if (!prefix.hasMarkers)
        return prefix.text.size();
    const std::u16string_view text = prefix.text;
    size_t p = 0;
    size_t n = 0;
    while (p < text.size() && n < name.size()) {
        if (text[p] == name[n]) {
            ++p;
            ++n;
        } else if (text[p] == context.marker) {
            ++p;
            ++n;
            derive::skipDigits(name, n);
        } else {
            break;
        }
    }
    return n;
}

// How many characters at the end of `name` the suffix covers. A marker never steps
// over the name's first character and needs at least one digit.
size_t suffixCoverage(const DerivationContext& context, const CommonSuffix& suffix,
                      std::u16string_view name) {
    if (!suffix.hasMarkers)
        return suffix.text.size();
    const std::u16string_view text = suffix.text;
    size_t s = text.size();
    size_t n = name.size();
    while (s > 0 && n > 0) {
        if (text[s - 1] == name[n - 1]) {
            --s;
            --n;
        } else if (text[s - 1] == context.marker) {
            size_t m = n;
            while (m > 1 && isDigit(name[m - 1]))
                --m;
            if (m == n)
                break;
            n = m;
            --s;
        } else {
            break;
        }
    }
    return name.size() - n;
}

} // namespace

void cutToMiddleParts(DerivationContext& context, const CommonPrefix& prefix,
                      const CommonSuffix& suffix) {
    for (auto& name : context.names) {
        const size_t start = prefixCoverage(context, prefix, name);
        const size_t end = suffixCoverage(context, suffix, name);
        if (start + end >= name.size())
            name = {};
        else
            name = name.substr(start, name.size() - start - end);
    }
}

std::u16string finishPattern(const DerivationContext& context, std::u16string_view raw) {
    std::u16string out;
    out.reserve(raw.size() + 8);
    for (const char16_t c : raw) {
        if (c == context.wildcard) {
            out += u'*';
        } else if (context.detectNumbers && c == context.marker) {
            out += u'#';
        } else if (context.escapeStarAndBackslash ? isPatternSpecial(c) : c == u'#') {
            // Windows names hold no '*' or '\': only '#' needs its escape there.
            out += u'\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::u16string keepPairsWhole(const DerivationContext& context, std::u16string_view raw) {
    const char16_t wildcard = context.wildcard;
    std::u16string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i];
        if ((isFirstHalf(c) && i + 1 < raw.size() && raw[i + 1] == wildcard) ||
            (isSecondHalf(c) && i > 0 && raw[i - 1] == wildcard) ||
            (c == wildcard && !out.empty() && out.back() == wildcard))
            continue;
        out += c;
    }
    return out;
}

std::u16string deriveBasePattern(DerivationContext& context) {
    const CommonPrefix prefix = commonPrefix(context);
    if (prefix.allCovered)
        return finishPattern(context, prefix.text);
    const CommonSuffix suffix = commonSuffix(context, prefix.text.size());
    if (!prefix.text.empty() || !suffix.text.empty())
        cutToMiddleParts(context, prefix, suffix);
    buildCommonCharTable(context);
    std::u16string middle;
    if (!anyTableEntry(context))
        middle.assign(1, context.wildcard);
    else if (context.useNumberRuns)
        middle = deriveMiddleWithNumbers(context, context.names);
    else
        middle = deriveMiddle(context, context.names);
    return finishPattern(context, keepPairsWhole(context, prefix.text + middle + suffix.text));
}

void buildPatternVariants(const RecordSet& set, PatternVariants& variants, CheckBoxFlags& flags,
                          bool numbersAsText) {
    DerivationContext context(!numbersAsText, set.rules);
    collectNames(context, set);
    const std::u16string base = deriveBasePattern(context);
    const std::u16string& extension = context.extension;

    flags.allowExtensionChangesEnabled = !extension.empty();
    if (extension.empty())
        flags.allowExtensionChanges = false;
    if (!numbersAsText) {
        // An escaped literal '#' counts too.
        flags.numbersAsTextEnabled = base.find(u'#') != std::u16string::npos;
        if (!flags.numbersAsTextEnabled)
            flags.numbersAsText = false;
    }

    const int i = numbersAsText ? 2 : 0;
    parsePattern(base, extension, variants[i], false);
    parsePattern(base, extension, variants[i + 1], true);
}

} // namespace mr
