// The number-aware middle: a shared piece may hold markers, so pieces that differ only
// in their digit runs still count as shared. Candidates score the characters of the
// base they cover.
#include "pattern/derivation.h"
#include "pattern/middle_derivation.h"

#include <algorithm>

namespace mr {

using derive::isDigit;

namespace {

// Weights and scores never exceed the length of a name, so one code unit holds each.
std::u16string branchKey(std::u16string_view candidate, const std::vector<int32_t>& weights,
                         int32_t score, size_t firstPart) {
    std::u16string key(candidate);
    for (const int32_t w : weights)
        key += static_cast<char16_t>(w);
    key += static_cast<char16_t>(score);
    key += static_cast<char16_t>(firstPart);
    key += static_cast<char16_t>(firstPart >> 16);
    return key;
}

} // namespace

void searchRun(RunSearch& search, std::u16string_view candidate, size_t candidateLength,
               int32_t score, const std::vector<int32_t>& weights, size_t firstPart) {
    const char16_t marker = search.context.marker;
    size_t length = candidateLength;
    // The highest score a walk over the first k characters can give, and where the
    // first literal digit stands: without one in play no walk can branch.
    std::vector<int32_t> highestUpTo(length + 1, 0);
    size_t firstDigit = length;
    for (size_t k = 0; k < length; ++k) {
        highestUpTo[k + 1] =
            highestUpTo[k] + (candidate[k] == marker ? std::max(weights[k], int32_t{1}) : 1);
        if (firstDigit == length && isDigit(candidate[k]))
            firstDigit = k;
    }
    // Within one part the branch at a position is always the same search; the stamp
    // is the part's index plus one.
    std::vector<size_t> branchedAt(length, 0);
    const char16_t* const q = candidate.data();
    const size_t qSize = candidate.size();
    for (size_t j = firstPart; j < search.parts.size(); ++j) {
        const std::u16string_view part = search.parts[j];
        if (part.empty()) {
            length = 0;
            score = 0;
            if (search.bestScore > 0)
                break;
            continue;
        }
        const bool canBranch = firstDigit < length;
        const int32_t highest = highestUpTo[length];
        const char16_t* const p = part.data();
        const size_t pSize = part.size();
        int32_t bestHere = 0;
        size_t lengthHere = 0;
        bool wholeMatched = false;
        // Once a start reaches the highest score, only branches could still matter.
        for (size_t t = 0; t < pSize && (canBranch || bestHere < highest); ++t) {
            size_t k = 0;
            size_t n = t;
            int32_t w = 0;
            const size_t stop = std::min(length, qSize);
            while (k < stop) {
                const char16_t qc = q[k];
                if (n < pSize && qc == p[n]) {
                    ++w;
                    ++k;
                    ++n;
                } else if (n >= pSize || !isDigit(p[n])) {
                    break;
                } else if (qc == marker) {
                    w += weights[k];
                    ++k;
                    ++n;
                    while (n < pSize && isDigit(p[n]))
                        ++n;
                } else if (isDigit(qc)) {
                    // Branch: the differing digit run becomes a marker. Coming back from
                    // a branch without returning means bestScore < score, so a repeated
                    // one just stops the walk.
                    if (branchedAt[k] == j + 1)
                        break;
                    branchedAt[k] = j + 1;
                    std::u16string variant(candidate.substr(0, length));
                    const size_t first = markDigitRun(variant, k, marker) - 1;
                    const size_t replaced = length - variant.size() + 1;
                    std::vector<int32_t> variantWeights(weights.begin(),
                                                        weights.begin() + first + 1);
                    variantWeights[first] = static_cast<int32_t>(replaced);
                    variantWeights.insert(variantWeights.end(), weights.begin() + first + replaced,
                                          weights.begin() + length);
                    if (search.searched.insert(branchKey(variant, variantWeights, score, j)).second)
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
    RunSearch search{context, parts, 0, {}, {}};
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
