// The number-aware middle: a shared piece may hold markers, so pieces that differ only
// in their digit runs still count as shared. Candidates score the characters of the
// base they cover.
#include "pattern/derivation.h"
#include "pattern/middle_derivation.h"

namespace mr {

using derive::isDigit;

void searchRun(RunSearch& search, std::u16string_view candidate, size_t candidateLength,
               int32_t score, const std::vector<int32_t>& weights, size_t firstPart) {
    const char16_t marker = search.context.marker;
    size_t length = candidateLength;
    for (size_t j = firstPart; j < search.parts.size(); ++j) {
        const std::u16string_view part = search.parts[j];
        if (part.empty()) {
            length = 0;
            score = 0;
            if (search.bestScore > 0)
                break;
            continue;
        }
        int32_t bestHere = 0;
        size_t lengthHere = 0;
        bool wholeMatched = false;
        for (size_t t = 0; t < part.size(); ++t) {
            size_t k = 0;
            size_t n = t;
            int32_t w = 0;
            while (k < length && k < candidate.size()) {
                if (n < part.size() && candidate[k] == part[n]) {
                    ++w;
                    ++k;
                    ++n;
                } else if (n >= part.size() || !isDigit(part[n])) {
                    break;
                } else if (candidate[k] == marker) {
                    w += weights[k];
                    ++k;
                    ++n;
                    while (n < part.size() && isDigit(part[n]))
                        ++n;
                } else if (isDigit(candidate[k])) {
                    // Branch: the differing digit run becomes a marker.
                    std::u16string variant(candidate.substr(0, length));
                    const size_t first = markDigitRun(variant, k, marker) - 1;
                    const size_t replaced = length - variant.size() + 1;
                    std::vector<int32_t> variantWeights(weights.begin(),
                                                        weights.begin() + first + 1);
                    variantWeights[first] = static_cast<int32_t>(replaced);
                    variantWeights.insert(variantWeights.end(), weights.begin() + first + replaced,
                                          weights.begin() + length);
                    searchRun(search, variant, variant.size(), score, variantWeights, j);
                    if (search.bestScore >= score)
                        return;
                    break;
                } else {
                    break;
                }
            }
            if (w > bestHere) { // an equal score at a later start never replaces it
                bestHere = w;
                lengthHere = k;
            }
            if (k >= candidate.size()) {
                wholeMatched = true;
                break;
            }
        }
        if (wholeMatched)
            continue;
        length = lengthHere;
        score = bestHere;
        if (score < search.bestScore)
            break;
    }
    if (score > search.bestScore) {
        search.bestScore = score;
        search.bestPiece = std::u16string(candidate.substr(0, length));
    }
}

std::u16string bestCommonRunWithNumbers(const DerivationContext& context,
                                        const MiddleParts& parts) {
    const std::u16string_view base = pickBase(context, parts);
    if (base.empty())
        return {};
    RunSearch search{context, parts, 0, {}};
    for (size_t i = 0;
         static_cast<int64_t>(i) < static_cast<int64_t>(base.size()) - search.bestScore; ++i) {
        if (!context.inTable(base[i]))
            continue;
        size_t run = 0;
        while (i + run < base.size() && context.inTable(base[i + run]))
            ++run;
        const std::vector<int32_t> weights(run, 0);
        searchRun(search, base.substr(i), run, static_cast<int32_t>(run), weights, 0);
    }
    return search.bestPiece;
}

namespace {

// A marker takes every digit of the run it meets, at least one.
bool matchWithMarkers(const DerivationContext& context, std::u16string_view piece,
                      std::u16string_view part, size_t& start, size_t& end) {
    for (size_t t = 0; t < part.size(); ++t) {
        size_t k = 0;
        size_t n = t;
        while (k < piece.size()) {
            if (n < part.size() && piece[k] == part[n]) {
                ++k;
                ++n;
            } else if (piece[k] == context.marker && n < part.size() && isDigit(part[n])) {
                ++k;
                while (n < part.size() && isDigit(part[n]))
                    ++n;
            } else {
                break;
            }
        }
        if (k == piece.size()) {
            start = t;
            end = n;
            return true;
        }
    }
    return false;
}

} // namespace

std::u16string deriveMiddleWithNumbers(const DerivationContext& context, const MiddleParts& parts) {
    return splitAroundPieces(context, parts, bestCommonRunWithNumbers, matchWithMarkers);
}

} // namespace mr
