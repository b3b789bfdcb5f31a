// The common beginning and end of all names, with digit runs that differ between
// names read as number markers when numbers are detected.
#include "pattern/derivation.h"

#include <cstdint>

namespace mr {

using derive::skipDigits;

size_t markDigitRun(std::u16string& text, size_t position, char16_t marker) {
    size_t first = position;
    while (first > 0 && isDigit(text[first - 1]))
        --first;
    size_t end = position; // one past the last character of the run
    if (position < text.size() && isDigit(text[position])) {
        end = position + 1;
        while (end < text.size() && isDigit(text[end]))
            ++end;
    }
    // A non-digit at `position` stays outside the marker: the run ends before it.
    if (first == end)
        return position;
    text.replace(first, end - first, 1, marker);
    return first + 1;
}

namespace {

// Compares `name` against a prefix that holds markers, widening differing digits of
// the prefix into markers and cutting it where the name departs.
void walkWithMarkers(const DerivationContext& context, CommonPrefix& prefix,
                     std::u16string_view name) {
    std::u16string& text = prefix.text;
    size_t p = 0;
    size_t n = 0;
    while (p < text.size() && n < name.size()) {
        if (text[p] == name[n]) {
            ++p;
            ++n;
        } else if (!isDigit(name[n])) {
            break;
        } else if (text[p] == context.marker) {
            ++p;
            ++n;
            skipDigits(name, n);
        } else if (isDigit(text[p])) {
            p = markDigitRun(text, p, context.marker);
            ++n;
            skipDigits(name, n);
        } else {
            break;
        }
    }
    if (p < text.size()) {
        text.resize(p);
        prefix.allCovered = false;
    } else if (n < name.size()) {
        prefix.allCovered = false;
    }
}

} // namespace

CommonPrefix commonPrefix(const DerivationContext& context) {
    CommonPrefix prefix;
    if (context.names.empty())
        return prefix;
    prefix.text = context.names.front();
    for (size_t k = 1; k < context.names.size(); ++k) {
        const std::u16string_view name = context.names[k];
        std::u16string& text = prefix.text;
        if (!prefix.hasMarkers) {
            size_t i = 0;
            while (i < text.size() && i < name.size() && text[i] == name[i])
                ++i;
            if (i == text.size() && i == name.size()) {
                // the same name: nothing changes
            } else if (context.detectNumbers && ((i < text.size() && i < name.size() &&
                                                  isDigit(text[i]) && isDigit(name[i])) ||
                                                 (i >= 1 && isDigit(text[i - 1])))) {
                markDigitRun(text, i, context.marker);
                prefix.hasMarkers = true;
                walkWithMarkers(context, prefix, name);
            } else {
                text.resize(i);
                prefix.allCovered = false;
            }
        } else {
            walkWithMarkers(context, prefix, name);
        }
        // An empty prefix ends the search, even while it still covers every name.
        if (text.empty())
            break;
    }
    return prefix;
}

CommonSuffix commonSuffix(const DerivationContext& context, size_t prefixLength) {
    CommonSuffix suffix;
    if (context.names.empty())
        return suffix;
    const std::u16string_view first = context.names.front();
    if (first.size() > prefixLength)
        suffix.text = first.substr(prefixLength);
    const auto bound = static_cast<int64_t>(prefixLength);
    for (size_t k = 1; k < context.names.size() && !suffix.text.empty(); ++k) {
        const std::u16string_view name = context.names[k];
        std::u16string& text = suffix.text;
        auto s = static_cast<int64_t>(text.size()) - 1;
        auto n = static_cast<int64_t>(name.size()) - 1;
        // Steps back over the name's digit run, never consuming its first character.
        const auto stepOverDigits = [&] {
            while (n > 0 && isDigit(name[static_cast<size_t>(n)]))
                --n;
        };
        while (n >= bound && s >= 0) {
            const char16_t sc = text[static_cast<size_t>(s)];
            const char16_t nc = name[static_cast<size_t>(n)];
            if (sc == nc) {
                --s;
                --n;
            } else if (!context.detectNumbers || !isDigit(nc)) {
                break;
            } else if (isDigit(sc)) {
                suffix.hasMarkers = true;
                s = static_cast<int64_t>(
                        markDigitRun(text, static_cast<size_t>(s), context.marker)) -
                    2;
                stepOverDigits();
            } else if (sc == context.marker) {
                --s;
                stepOverDigits();
            } else {
                break;
            }
        }
        if (s < 0)
            continue;
        text.erase(0, static_cast<size_t>(s) + 1);
    }
    return suffix;
}

} // namespace mr
