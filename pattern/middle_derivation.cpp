#include "pattern/middle_derivation.h"
#include "pattern/z_array.h"

#include <algorithm>

namespace mr {

std::u16string_view pickBase(const DerivationContext& context, const MiddleParts& parts) {
    std::u16string_view base;
    size_t fewest = SIZE_MAX;
    for (const auto& part : parts) {
        const auto count = static_cast<size_t>(std::count_if(
            part.begin(), part.end(), [&](char16_t c) { return context.inTable(c); }));
        if (count < fewest) { // the earliest part wins a tie
            fewest = count;
            base = part;
        }
    }
    return base;
}

namespace {

// The longest beginning of s[0 .. limit) that occurs somewhere in p, in linear time:
// the same answer as trying every start of p, without re-reading p.
size_t longestBeginningIn(std::u16string_view s, const std::vector<size_t>& z, size_t limit,
                          std::u16string_view p) {
    size_t best = 0;
    size_t l = 0;
    size_t r = 0; // p[l .. r) equals s[0 .. r - l)
    for (size_t t = 0; t < p.size() && best < limit; ++t) {
        size_t len = t < r ? std::min(z[t - l], r - t) : 0;
        while (len < limit && t + len < p.size() && p[t + len] == s[len])
            ++len;
        if (t + len > r) {
            l = t;
            r = t + len;
        }
        best = std::max(best, len);
    }
    return best;
}

} // namespace

// Kept on an explicit stack so that long parts cannot exhaust the call stack.
std::u16string splitAroundPieces(const DerivationContext& context, const MiddleParts& parts,
                                 FindPiece findPiece, MatchPiece matchPiece) {
    struct Work {
        MiddleParts parts;
        std::u16string piece; // emitted as is when parts is not in use
        bool isPiece = false;
    };
    std::u16string out;
    std::vector<Work> stack;
    stack.push_back({parts, {}, false});
    while (!stack.empty()) {
        Work work = std::move(stack.back());
        stack.pop_back();
        if (work.isPiece) {
            out += work.piece;
            continue;
        }
        std::u16string piece = findPiece(context, work.parts);
        if (piece.empty()) {
            out += context.wildcard;
            continue;
        }
        MiddleParts left;
        MiddleParts right;
        left.reserve(work.parts.size());
        right.reserve(work.parts.size());
        for (auto& part : work.parts) {
            size_t start = 0;
            size_t end = 0;
            if (matchPiece(context, piece, part, start, end)) {
                left.push_back(part.substr(0, start));
                right.push_back(part.substr(end));
            } else {
                left.emplace_back();
                right.push_back(std::move(part));
            }
        }
        stack.push_back({std::move(right), {}, false});
        stack.push_back({{}, std::move(piece), true});
        stack.push_back({std::move(left), {}, false});
    }
    return out;
}

std::u16string longestCommonRun(const DerivationContext& context, const MiddleParts& parts) {
    const std::u16string_view base = pickBase(context, parts);
    if (base.empty())
        return {};
    size_t best = 0;
    std::u16string_view piece;
    for (size_t i = 0; i + best < base.size(); ++i) {
        if (!context.inTable(base[i]))
            continue;
        size_t run = 0;
        while (i + run < base.size() && context.inTable(base[i + run]))
            ++run;
        const std::u16string_view stretch = base.substr(i, run);
        const std::vector<size_t> z = zArray(stretch);
        for (const auto& part : parts) {
            // run only shrinks: once it cannot beat the best, the rest cannot matter
            if (run <= best)
                break;
            run = std::min(run, longestBeginningIn(stretch, z, run, part));
        }
        if (run > best) { // a later start of the same length never replaces it
            best = run;
            piece = base.substr(i, run);
        }
    }
    return std::u16string(piece);
}

std::u16string deriveMiddle(const DerivationContext& context, const MiddleParts& parts) {
    return splitAroundPieces(context, parts, longestCommonRun,
                             [](const DerivationContext&, std::u16string_view piece,
                                std::u16string_view part, size_t& start, size_t& end) {
                                 const size_t k = part.find(piece);
                                 if (k == std::u16string_view::npos)
                                     return false;
                                 start = k;
                                 end = k + piece.size();
                                 return true;
                             });
}

} // namespace mr
