#include "reference_derivation.h"
#include "reference_pairs.h"

#include <vector>

namespace mr::reference {
namespace {

bool digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

struct Search {
    const DerivationContext& context;
    const MiddleParts& parts;
    int32_t bestScore = 0;
    std::u16string bestPiece;
};

void searchRun(Search& search, std::u16string_view q, size_t length, int32_t score,
               const std::vector<int32_t>& weights, size_t from) {
    const char16_t marker = search.context.marker;
    for (size_t j = from; j < search.parts.size(); ++j) {
        const std::u16string& p = search.parts[j];
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

std::u16string longestCommonRun(const DerivationContext& context, const MiddleParts& parts) {
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

std::u16string deriveMiddle(const DerivationContext& context, const MiddleParts& parts) {
    const std::u16string piece = reference::longestCommonRun(context, parts);
    if (piece.empty())
        return std::u16string(1, context.wildcard);
    MiddleParts left;
    MiddleParts right;
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
    return reference::deriveMiddle(context, left) + piece + reference::deriveMiddle(context, right);
}

std::u16string bestCommonRunWithNumbers(const DerivationContext& context,
                                        const MiddleParts& parts) {
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

std::u16string deriveMiddleWithNumbers(const DerivationContext& context, const MiddleParts& parts) {
    const std::u16string piece = reference::bestCommonRunWithNumbers(context, parts);
    if (piece.empty())
        return std::u16string(1, context.wildcard);
    MiddleParts left;
    MiddleParts right;
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
    return reference::deriveMiddleWithNumbers(context, left) + piece +
           reference::deriveMiddleWithNumbers(context, right);
}

std::u16string deriveBasePattern(DerivationContext& context) {
    const CommonPrefix prefix = commonPrefix(context);
    if (prefix.allCovered)
        return finishPattern(context, prefix.text);
    const CommonSuffix suffix = commonSuffix(context, prefix.text.size());
    if (!prefix.text.empty() || !suffix.text.empty())
        cutToMiddleParts(context, prefix, suffix);
    reference::buildCommonCharTable(context);
    bool any = false;
    const size_t limit = context.smallAlphabet ? 256 : kCharTableSize;
    for (size_t c = 0; c < limit; ++c)
        any = any || context.charTable[c];
    std::u16string middle(1, context.wildcard);
    if (any)
        middle = context.useNumberRuns ? reference::deriveMiddleWithNumbers(context, context.names)
                                       : reference::deriveMiddle(context, context.names);
    return finishPattern(context,
                         reference::keepPairsWhole(context, prefix.text + middle + suffix.text));
}

} // namespace mr::reference
