// The number-aware middle: a shared piece may hold markers, so pieces that differ only
// in their digit runs still count as shared. Candidates score the characters of the
// base they cover.
#include "pattern/derivation.h"
#include "pattern/middle_derivation.h"
#include "pattern/z_array.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace mr {

// Best piece found so far by one number-aware search.
struct RunSearch {
    const DerivationContext& context;
    const MiddleParts& parts;
    int32_t bestScore = 0;
    std::u16string bestPiece;
    // Branches already searched, by candidate (its span of the base and its markers),
    // score and first part. A branch searched again finds nothing above what its first
    // search left in bestScore, so it is skipped; without this the digit branching
    // grows exponentially. Emptied for each start in the base, which the key holds.
    std::unordered_set<std::u16string> searched;
    // When no part holds the marker character, a walk's score is a function of how far
    // it got, so two walks of one candidate over one part that meet in the same place
    // end alike; the later one is cut short. One stamp per candidate and part.
    bool walksMerge = false;
    std::vector<uint32_t> reached;
    uint32_t stamp = 0;
    // Each part as tokens, a digit run being one token, for matching the part of a
    // candidate before its first literal digit against every start at once.
    struct PartTokens {
        std::vector<uint32_t> tokens;
        std::vector<uint32_t> tokenEnd; // index after each token in the part
        std::vector<uint32_t> tokenOf;  // the token holding each character
    };
    std::vector<PartTokens> partTokens;
    // What any candidate of the current start covers at most in every part from j on,
    // with all its digit runs read as markers: a search that cannot get above the best
    // score under it changes nothing, so it is cut short. Read from the last part
    // backwards, one part per part visited, so it never costs more than the search.
    struct Ceiling {
        std::vector<uint32_t> tokens; // the start's stretch, a digit run being one token
        std::vector<size_t> z;
        std::vector<int32_t> covered;  // base characters under the first x tokens
        std::vector<int32_t> overLast; // [x]: the ceiling over the last x parts
        std::vector<uint32_t> reach;
    } ceiling;
};

namespace {

constexpr uint32_t kDigitRunToken = 0x10000; // above every code unit

// reach[x]: how many tokens of generic[0 .. limit) match from token x of the part on.
void matchFromEveryToken(const std::vector<uint32_t>& generic, const std::vector<size_t>& z,
                         size_t limit, const std::vector<uint32_t>& part,
                         std::vector<uint32_t>& reach) {
    reach.assign(part.size(), 0);
    size_t l = 0;
    size_t r = 0; // part[l .. r) equals generic[0 .. r - l)
    for (size_t x = 0; x < part.size(); ++x) {
        size_t len = x < r ? std::min(z[x - l], r - x) : 0;
        while (len < limit && x + len < part.size() && part[x + len] == generic[len])
            ++len;
        reach[x] = static_cast<uint32_t>(len);
        if (x + len > r) {
            l = x;
            r = x + len;
        }
    }
}

// A part as tokens, a digit run being one token.
RunSearch::PartTokens tokenise(std::u16string_view part) {
    RunSearch::PartTokens pt;
    pt.tokenOf.resize(part.size());
    pt.tokens.reserve(part.size());
    pt.tokenEnd.reserve(part.size());
    for (size_t n = 0; n < part.size();) {
        size_t end = n + 1;
        if (isDigit(part[n]))
            derive::skipDigits(part, end);
        for (size_t x = n; x < end; ++x)
            pt.tokenOf[x] = static_cast<uint32_t>(pt.tokens.size());
        pt.tokens.push_back(isDigit(part[n]) ? kDigitRunToken : part[n]);
        pt.tokenEnd.push_back(static_cast<uint32_t>(end));
        n = end;
    }
    return pt;
}

// The current start's stretch of the base as tokens; no part read yet.
void startCeiling(RunSearch::Ceiling& ceiling, std::u16string_view stretch) {
    ceiling.tokens.clear();
    ceiling.covered.assign(1, 0);
    for (size_t k = 0; k < stretch.size();) {
        size_t end = k + 1;
        if (isDigit(stretch[k]))
            derive::skipDigits(stretch, end);
        ceiling.tokens.push_back(isDigit(stretch[k]) ? kDigitRunToken : stretch[k]);
        ceiling.covered.push_back(ceiling.covered.back() + static_cast<int32_t>(end - k));
        k = end;
    }
    ceiling.z = zArray(ceiling.tokens);
    ceiling.overLast.assign(1, INT32_MAX);
}

// A candidate matches a part no further than the longest token prefix of its stretch
// found there. Nothing more is read once the ceiling is down to the best score.
void readOnePart(RunSearch& search) {
    RunSearch::Ceiling& c = search.ceiling;
    const size_t read = c.overLast.size() - 1;
    if (read == search.parts.size() || c.overLast.back() <= search.bestScore)
        return;
    const size_t j = search.parts.size() - read - 1;
    matchFromEveryToken(c.tokens, c.z, c.tokens.size(), search.partTokens[j].tokens, c.reach);
    const uint32_t longest =
        c.reach.empty() ? 0 : *std::max_element(c.reach.begin(), c.reach.end());
    c.overLast.push_back(std::min(c.overLast.back(), c.covered[longest]));
}

// Parts not read yet are left out, which only raises the ceiling.
int32_t ceilingAt(const RunSearch& search, size_t j) {
    const auto& overLast = search.ceiling.overLast;
    return overLast[std::min(search.parts.size() - j, overLast.size() - 1)];
}

// A candidate is its span of the base with some digit runs read as markers, so the
// span and each marker's place and weight name it; a weight of 0 is a marker
// character that stood in the base itself. Each number takes two code units.
std::u16string branchKey(std::u16string_view candidate, const std::vector<int32_t>& weights,
                         const std::vector<uint32_t>& origins, char16_t marker, int32_t score,
                         size_t firstPart) {
    const auto put = [](std::u16string& key, size_t value) {
        key += static_cast<char16_t>(value & 0xFFFF);
        key += static_cast<char16_t>(value >> 16);
    };
    std::u16string key;
    key.reserve(8 + 3 * weights.size());
    const size_t last = candidate.size() - 1;
    put(key, origins[0]);
    put(key, origins[last] + (candidate[last] == marker
                                  ? static_cast<size_t>(std::max(weights[last], int32_t{1}))
                                  : 1));
    put(key, static_cast<size_t>(score));
    put(key, firstPart);
    for (size_t k = 0; k < candidate.size(); ++k)
        if (candidate[k] == marker) {
            put(key, origins[k]);
            put(key, static_cast<size_t>(std::max(weights[k], int32_t{0})));
        }
    return key;
}

} // namespace

// origins[k]: where the candidate's character k begins in the base. Not in the
// anonymous namespace: with internal linkage the number-search benchmarks run a few
// per cent slower.
void searchRun(RunSearch& search, std::u16string_view candidate, size_t candidateLength,
               int32_t score, const std::vector<int32_t>& weights, size_t firstPart,
               const std::vector<uint32_t>& origins) {
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
    // The candidate before its first literal digit, as tokens: no walk can branch in it.
    const bool useTokens = search.walksMerge && firstDigit > 0;
    std::vector<uint32_t> genericTokens;
    std::vector<size_t> genericZ;
    std::vector<uint32_t> reach;
    if (useTokens) {
        for (size_t k = 0; k < firstDigit; ++k)
            genericTokens.push_back(candidate[k] == marker ? kDigitRunToken : candidate[k]);
        genericZ = zArray(genericTokens);
    }
    // Within one part the branch at a position is always the same search; the stamp
    // is the part's index plus one.
    std::vector<size_t> branchedAt(length, 0);
    const char16_t* const q = candidate.data();
    const size_t qSize = candidate.size();
    for (size_t j = firstPart; j < search.parts.size(); ++j) {
        if (search.walksMerge) {
            // Here a score never grows from part to part, so one that cannot get above
            // the best score, now or under the ceiling, ends the search unchanged.
            readOnePart(search);
            if (score <= search.bestScore || ceilingAt(search, j) <= search.bestScore)
                return;
        }
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
        const size_t width = pSize + 1;
        const bool merge = search.walksMerge && (length + 1) * width <= search.reached.size();
        const uint32_t stamp = merge ? ++search.stamp : 0;
        const size_t generic = std::min(firstDigit, length);
        // Only worth it while every start must be walked.
        const RunSearch::PartTokens* tokens =
            useTokens && canBranch ? &search.partTokens[j] : nullptr;
        if (tokens)
            matchFromEveryToken(genericTokens, genericZ, generic, tokens->tokens, reach);
        // Once a start reaches the highest score, only branches could still matter.
        for (size_t t = 0; t < pSize && (canBranch || bestHere < highest); ++t) {
            size_t k = 0;
            size_t n = t;
            int32_t w = 0;
            size_t stop = std::min(length, qSize);
            if (tokens) {
                // A start inside the digit run of the start before walks the same way.
                if (t > 0 && tokens->tokenOf[t] == tokens->tokenOf[t - 1])
                    continue;
                // The walk through the part before the first literal digit, read off.
                const uint32_t at = tokens->tokenOf[t];
                k = reach[at];
                n = k == 0 ? t : tokens->tokenEnd[at + k - 1];
                w = highestUpTo[k];
                if (k < generic)
                    stop = k;
            }
            bool merged = false;
            while (k < stop) {
                if (merge) {
                    uint32_t& seen = search.reached[k * width + n];
                    if (seen == stamp) {
                        merged = true;
                        break;
                    }
                    seen = stamp;
                }
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
                    std::vector<uint32_t> variantOrigins(origins.begin(),
                                                         origins.begin() + first + 1);
                    variantOrigins.insert(variantOrigins.end(), origins.begin() + first + replaced,
                                          origins.begin() + length);
                    if (search.searched
                            .insert(branchKey(variant, variantWeights, variantOrigins, marker,
                                              score, j))
                            .second)
                        searchRun(search, variant, variant.size(), score, variantWeights, j,
                                  variantOrigins);
                    if (search.bestScore >= score)
                        return;
                    break;
                } else {
                    break;
                }
            }
            if (merged) // an earlier walk went on from here already
                continue;
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
    RunSearch search{context, parts, 0, {}, {}, true, {}, 0, {}, {}};
    size_t longest = 0;
    for (const auto& part : parts) {
        longest = std::max(longest, part.size());
        if (part.find(context.marker) != std::u16string::npos)
            search.walksMerge = false;
    }
    // Room for every place a walk can reach, for names of ordinary length.
    if (search.walksMerge && (longest + 1) * (longest + 1) <= (size_t{1} << 20))
        search.reached.assign((longest + 1) * (longest + 1), 0);
    if (search.walksMerge) {
        search.partTokens.reserve(parts.size());
        for (const auto& part : parts)
            search.partTokens.push_back(tokenise(part));
    }
    for (size_t i = 0;
         static_cast<int64_t>(i) < static_cast<int64_t>(base.size()) - search.bestScore; ++i) {
        if (!context.inTable(base[i]))
            continue;
        size_t run = 0;
        while (i + run < base.size() && context.inTable(base[i + run]))
            ++run;
        const std::vector<int32_t> weights(run, 0);
        std::vector<uint32_t> origins(run);
        for (size_t k = 0; k < run; ++k)
            origins[k] = static_cast<uint32_t>(i + k);
        search.searched.clear();
        if (search.walksMerge)
            startCeiling(search.ceiling, base.substr(i, run));
        searchRun(search, base.substr(i), run, static_cast<int32_t>(run), weights, 0, origins);
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
                derive::skipDigits(part, n);
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
