#include "reference_derivation.h"
#include "reference_pairs.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace mr::reference {
namespace {

using Parts = std::vector<std::u16string>;

bool digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The digit run that ends just before `position`, together with the one that starts
// at it; a non-digit at `position` stays outside. Returns the index after the marker.
size_t markDigitRun(std::u16string& text, size_t position, char16_t marker) {
    size_t first = position;
    while (first > 0 && digit(text[first - 1]))
        --first;
    size_t last = position; // one past the run
    while (last < text.size() && digit(text[last]))
        ++last;
    text.replace(first, last - first, 1, marker);
    return first + 1;
}

struct Affix {
    std::u16string text;
    bool allCovered = true;
    bool hasMarkers = false;
};

// The prefix walked against one more name once it holds markers.
void walkPrefix(const DerivationContext& context, Affix& prefix, const std::u16string& name) {
    size_t p = 0;
    size_t n = 0;
    while (p < prefix.text.size() && n < name.size()) {
        if (prefix.text[p] == name[n]) {
            ++p;
            ++n;
            continue;
        }
        if (!digit(name[n]))
            break;
        if (prefix.text[p] == context.marker)
            ++p;
        else if (digit(prefix.text[p]))
            p = markDigitRun(prefix.text, p, context.marker);
        else
            break;
        for (++n; n < name.size() && digit(name[n]);)
            ++n;
    }
    if (p < prefix.text.size()) {
        prefix.text.resize(p);
        prefix.allCovered = false;
    } else if (n < name.size()) {
        prefix.allCovered = false;
    }
}

Affix commonPrefix(const DerivationContext& context) {
    Affix prefix;
    if (context.names.empty())
        return prefix;
    prefix.text = context.names[0];
    for (size_t k = 1; k < context.names.size(); ++k) {
        const std::u16string name(context.names[k]); // the reference reads whole texts
        if (prefix.hasMarkers) {
            walkPrefix(context, prefix, name);
        } else {
            const std::u16string& text = prefix.text;
            size_t i = 0;
            while (i < text.size() && i < name.size() && text[i] == name[i])
                ++i;
            const bool bothDigits =
                i < text.size() && i < name.size() && digit(text[i]) && digit(name[i]);
            const bool afterDigit = i >= 1 && digit(text[i - 1]);
            if (i == text.size() && i == name.size()) {
                // the same name
            } else if (context.detectNumbers && (bothDigits || afterDigit)) {
                markDigitRun(prefix.text, i, context.marker);
                prefix.hasMarkers = true;
                walkPrefix(context, prefix, name);
            } else {
                prefix.text.resize(i);
                prefix.allCovered = false;
            }
        }
        if (prefix.text.empty())
            break;
    }
    return prefix;
}

Affix commonSuffix(const DerivationContext& context, size_t prefixLength) {
    Affix suffix;
    if (context.names.empty())
        return suffix;
    if (context.names[0].size() > prefixLength)
        suffix.text = context.names[0].substr(prefixLength);
    const auto bound = static_cast<int64_t>(prefixLength);
    for (size_t k = 1; k < context.names.size() && !suffix.text.empty(); ++k) {
        const std::u16string name(context.names[k]); // the reference reads whole texts
        std::u16string& text = suffix.text;
        auto s = static_cast<int64_t>(text.size()) - 1;
        auto n = static_cast<int64_t>(name.size()) - 1;
        auto at = [](const std::u16string& t, int64_t i) { return t[static_cast<size_t>(i)]; };
        while (n >= bound && s >= 0) {
            if (at(text, s) == at(name, n)) {
                --s;
                --n;
                continue;
            }
            if (!context.detectNumbers || !digit(at(name, n)))
                break;
            if (digit(at(text, s))) {
                suffix.hasMarkers = true;
                s = static_cast<int64_t>(
                        markDigitRun(text, static_cast<size_t>(s), context.marker)) -
                    2;
            } else if (at(text, s) == context.marker) {
                --s;
            } else {
                break;
            }
            // Back over the name's digits; its first character is never passed.
            while (n > 0 && digit(at(name, n)))
                --n;
        }
        if (s >= 0)
            text.erase(0, static_cast<size_t>(s) + 1);
    }
    return suffix;
}

// Name characters at the start that the prefix stands for.
size_t startOfMiddle(const DerivationContext& context, const Affix& prefix,
                     const std::u16string& name) {
    if (!prefix.hasMarkers)
        return prefix.text.size();
    size_t p = 0;
    size_t n = 0;
    while (p < prefix.text.size() && n < name.size()) {
        if (prefix.text[p] == name[n]) {
            ++p;
            ++n;
        } else if (prefix.text[p] == context.marker) {
            ++p;
            for (++n; n < name.size() && digit(name[n]);)
                ++n;
        } else {
            break;
        }
    }
    return n;
}

// Name characters at the end that the suffix stands for.
size_t endOfMiddle(const DerivationContext& context, const Affix& suffix,
                   const std::u16string& name) {
    if (!suffix.hasMarkers)
        return suffix.text.size();
    size_t s = suffix.text.size();
    size_t passed = 0;
    while (s > 0 && passed < name.size()) {
        const size_t n = name.size() - passed; // characters not yet passed
        if (suffix.text[s - 1] == name[n - 1]) {
            --s;
            ++passed;
        } else if (suffix.text[s - 1] == context.marker) {
            size_t digits = 0;
            while (digits + 1 < n && digit(name[n - 1 - digits]))
                ++digits;
            if (digits == 0)
                break;
            passed += digits;
            --s;
        } else {
            break;
        }
    }
    return passed;
}

std::u16string_view pickBase(const DerivationContext& context, const Parts& parts) {
    std::u16string_view base;
    size_t fewest = 0;
    for (size_t j = 0; j < parts.size(); ++j) {
        size_t count = 0;
        for (char16_t c : parts[j])
            count += context.charTable[c] ? 1 : 0;
        if (j == 0 || count < fewest) {
            fewest = count;
            base = parts[j];
        }
    }
    return base;
}

struct Search {
    const DerivationContext& context;
    const Parts& parts;
    int32_t bestScore = 0;
    std::u16string bestPiece;
};

void searchRun(Search& search, std::u16string_view q, size_t length, int32_t score,
               const std::vector<int32_t>& weights, size_t from) {
    const char16_t marker = search.context.marker;
    for (size_t j = from; j < search.parts.size(); ++j) {
        const std::u16string_view p = search.parts[j];
        if (p.empty()) {
            length = 0;
            score = 0;
            if (search.bestScore > 0)
                break;
            continue;
        }
        int32_t bestHere = 0;
        size_t lengthHere = 0;
        bool toNextPart = false;
        for (size_t t = 0; t < p.size(); ++t) {
            size_t k = 0;
            size_t n = t;
            int32_t w = 0;
            while (k < length && k < q.size()) {
                if (n < p.size() && q[k] == p[n]) {
                    ++w;
                    ++k;
                    ++n;
                } else if (n >= p.size() || !digit(p[n])) {
                    break;
                } else if (q[k] == marker) {
                    w += weights[k];
                    ++k;
                    ++n;
                    while (n < p.size() && digit(p[n]))
                        ++n;
                } else if (digit(q[k])) {
                    std::u16string v(q.substr(0, length));
                    const size_t first = markDigitRun(v, k, marker) - 1;
                    const size_t replaced = length - v.size() + 1;
                    std::vector<int32_t> vw;
                    for (size_t x = 0; x < length; ++x) {
                        if (x == first)
                            vw.push_back(static_cast<int32_t>(replaced));
                        else if (x < first || x >= first + replaced)
                            vw.push_back(weights[x]);
                    }
                    searchRun(search, v, v.size(), score, vw, j);
                    if (search.bestScore >= score)
                        return;
                    break;
                } else {
                    break;
                }
            }
            if (w > bestHere) {
                bestHere = w;
                lengthHere = k;
            }
            if (k >= q.size()) {
                toNextPart = true;
                break;
            }
        }
        if (toNextPart)
            continue;
        length = lengthHere;
        score = bestHere;
        if (score < search.bestScore)
            break;
    }
    if (score > search.bestScore) {
        search.bestScore = score;
        search.bestPiece = std::u16string(q.substr(0, length));
    }
}

size_t stretchAt(const DerivationContext& context, std::u16string_view base, size_t i) {
    size_t run = 0;
    while (i + run < base.size() && context.charTable[base[i + run]])
        ++run;
    return run;
}

bool matchesAt(const DerivationContext& context, std::u16string_view piece, std::u16string_view p,
               size_t t, size_t& end) {
    size_t k = 0;
    size_t n = t;
    while (k < piece.size()) {
        if (n < p.size() && piece[k] == p[n]) {
            ++k;
            ++n;
        } else if (piece[k] == context.marker && n < p.size() && digit(p[n])) {
            ++k;
            while (n < p.size() && digit(p[n]))
                ++n;
        } else {
            return false;
        }
    }
    end = n;
    return true;
}

// Literal '#' (and, where names may hold them, '*' and '\') escaped; markers become
// number fields.
std::u16string finish(const DerivationContext& context, const std::u16string& raw) {
    std::u16string out;
    for (const char16_t c : raw) {
        if (c == context.wildcard) {
            out += u'*';
            continue;
        }
        if (context.detectNumbers && c == context.marker) {
            out += u'#';
            continue;
        }
        if (c == u'#' || (context.escapeStarAndBackslash && (c == u'*' || c == u'\\')))
            out += u'\\';
        out += c;
    }
    return out;
}

} // namespace

void buildCommonCharTable(DerivationContext& context) {
    std::vector<uint8_t>& table = context.charTable;
    table.assign(kCharTableSize, 1);
    context.useNumberRuns = context.detectNumbers;
    std::vector<uint8_t> scratch(kCharTableSize);
    for (const auto& m : context.names) {
        if (!context.smallAlphabet) {
            scratch.assign(kCharTableSize, 0);
            bool small = true;
            for (char16_t c : m) {
                scratch[c] = 1;
                small = small && c < 256;
            }
            if (small)
                context.smallAlphabet = true;
        } else {
            std::fill(scratch.begin(), scratch.begin() + 256, uint8_t{0});
            for (char16_t c : m)
                if (c < 256)
                    scratch[c] = 1;
        }
        const size_t limit = context.smallAlphabet ? 256 : kCharTableSize;
        for (size_t c = 0; c < limit; ++c)
            if (!scratch[c])
                table[c] = 0;
        bool anyDigit = false;
        for (char16_t c : m)
            anyDigit = anyDigit || digit(c);
        if (context.useNumberRuns && !anyDigit)
            context.useNumberRuns = false;
    }
    if (context.useNumberRuns)
        for (char16_t c = u'0'; c <= u'9'; ++c)
            table[c] = 1;
}

namespace {

std::u16string longestCommonRun(const DerivationContext& context, const Parts& parts) {
    const std::u16string_view base = pickBase(context, parts);
    if (base.empty())
        return {};
    size_t best = 0;
    std::u16string piece;
    for (size_t i = 0; i < base.size() - best; ++i) {
        if (!context.charTable[base[i]])
            continue;
        size_t run = stretchAt(context, base, i);
        for (const auto& p : parts) {
            size_t longest = 0;
            for (size_t t = 0; t < p.size() && longest < run; ++t) {
                size_t l = 0;
                while (l < run && t + l < p.size() && p[t + l] == base[i + l])
                    ++l;
                longest = std::max(longest, l);
            }
            run = std::min(run, longest);
        }
        if (run > best) {
            best = run;
            piece = std::u16string(base.substr(i, run));
        }
    }
    return piece;
}

std::u16string deriveMiddle(const DerivationContext& context, const Parts& parts) {
    const std::u16string piece = longestCommonRun(context, parts);
    if (piece.empty())
        return std::u16string(1, context.wildcard);
    Parts left;
    Parts right;
    for (const auto& p : parts) {
        const size_t k = p.find(piece);
        if (k == std::u16string::npos) {
            left.emplace_back();
            right.push_back(p);
        } else {
            left.push_back(p.substr(0, k));
            right.push_back(p.substr(k + piece.size()));
        }
    }
    return deriveMiddle(context, left) + piece + deriveMiddle(context, right);
}

std::u16string bestCommonRunWithNumbers(const DerivationContext& context, const Parts& parts) {
    const std::u16string_view base = pickBase(context, parts);
    if (base.empty())
        return {};
    Search search{context, parts, 0, {}};
    for (int64_t i = 0; i < static_cast<int64_t>(base.size()) - search.bestScore; ++i) {
        const auto at = static_cast<size_t>(i);
        if (!context.charTable[base[at]])
            continue;
        const size_t run = stretchAt(context, base, at);
        searchRun(search, base.substr(at), run, static_cast<int32_t>(run),
                  std::vector<int32_t>(run, 0), 0);
    }
    return search.bestPiece;
}

std::u16string deriveMiddleWithNumbers(const DerivationContext& context, const Parts& parts) {
    const std::u16string piece = bestCommonRunWithNumbers(context, parts);
    if (piece.empty())
        return std::u16string(1, context.wildcard);
    Parts left;
    Parts right;
    for (const auto& p : parts) {
        bool found = false;
        for (size_t t = 0; t < p.size() && !found; ++t) {
            size_t end = 0;
            if (matchesAt(context, piece, p, t, end)) {
                left.push_back(p.substr(0, t));
                right.push_back(p.substr(end));
                found = true;
            }
        }
        if (!found) {
            left.emplace_back();
            right.push_back(p);
        }
    }
    return deriveMiddleWithNumbers(context, left) + piece + deriveMiddleWithNumbers(context, right);
}

} // namespace

std::vector<char> cutOverlaps(const DerivationContext& context) {
    std::vector<char> overlaps(context.names.size(), 0);
    const Affix prefix = commonPrefix(context);
    if (prefix.allCovered)
        return overlaps;
    const Affix suffix = commonSuffix(context, prefix.text.size());
    for (size_t k = 0; k < context.names.size(); ++k) {
        const std::u16string name(context.names[k]); // the reference reads whole texts
        overlaps[k] =
            startOfMiddle(context, prefix, name) + endOfMiddle(context, suffix, name) > name.size();
    }
    return overlaps;
}

std::u16string deriveBasePattern(DerivationContext& context) {
    const Affix prefix = commonPrefix(context);
    if (prefix.allCovered)
        return finish(context, prefix.text);
    const Affix suffix = commonSuffix(context, prefix.text.size());
    if (!prefix.text.empty() || !suffix.text.empty()) {
        for (auto& name : context.names) {
            const std::u16string whole(name); // the reference reads whole texts
            const size_t start = startOfMiddle(context, prefix, whole);
            const size_t end = endOfMiddle(context, suffix, whole);
            name = start + end >= name.size() ? std::u16string_view()
                                              : name.substr(start, name.size() - start - end);
        }
    }
    buildCommonCharTable(context);
    bool any = false;
    const size_t limit = context.smallAlphabet ? 256 : kCharTableSize;
    for (size_t c = 0; c < limit; ++c)
        any = any || context.charTable[c];
    std::u16string middle(1, context.wildcard);
    const Parts parts(context.names.begin(), context.names.end());
    if (any)
        middle = context.useNumberRuns ? deriveMiddleWithNumbers(context, parts)
                                       : deriveMiddle(context, parts);
    return finish(context, keepPairsWhole(context, prefix.text + middle + suffix.text));
}

} // namespace mr::reference
