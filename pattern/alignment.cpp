#include "pattern/alignment.h"

#include <algorithm>
#include <optional>

namespace mr {
namespace {

struct AlignmentContext {
    std::vector<const PatternToken*> x; // previous variant
    std::vector<const PatternToken*> y; // new variant
};

bool agree(const PatternToken* a, const PatternToken* b) {
    return a->kind == TokenKind::Text && b->kind == TokenKind::Text && a->matchText == b->matchText;
}

bool isText(const PatternToken* t) {
    return t->kind == TokenKind::Text;
}

// Beyond this many tokens on a side no name set can have derived the variants; such
// lists are aligned by their common run only, so memory and depth stay bounded.
constexpr size_t kMaxAlignedTokens = 600;

// The alignment from (i, j) on depends only on (i, j), so every pair is solved once:
// the search is exhaustive over skips but polynomial instead of exponential.
class Aligner {
public:
    explicit Aligner(const AlignmentContext& c)
        : x_(c.x), y_(c.y), width_(c.y.size() + 1),
          counts_((c.x.size() + 1) * (c.y.size() + 1), kUnknown) {}

    // Aligned text pairs from (i, j) on.
    int count(size_t i, size_t j) {
        if (j >= y_.size() || i >= x_.size())
            return 0;
        int& memo = counts_[i * width_ + j];
        if (memo == kUnknown) {
            const Step step = decide(i, j);
            memo = step.run + (step.next ? count(step.next->first, step.next->second) : 0);
        }
        return memo;
    }

    // Writes the entries of map that the alignment from (i, j) sets.
    void fill(size_t i, size_t j, std::vector<int32_t>& map) {
        while (j < y_.size()) {
            if (i >= x_.size()) {
                std::fill(map.begin() + static_cast<std::ptrdiff_t>(j),
                          map.begin() + static_cast<std::ptrdiff_t>(y_.size()), -1);
                return;
            }
            const Step step = decide(i, j);
            for (int r = 0; r < step.run; ++r)
                map[j + static_cast<size_t>(r)] = static_cast<int32_t>(i + static_cast<size_t>(r));
            if (!step.next)
                return;
            i = step.next->first;
            j = step.next->second;
        }
    }

private:
    static constexpr int kUnknown = -1;

    struct Step {
        int run = 0; // length of the common run at (i, j)
        std::optional<std::pair<size_t, size_t>> next;
    };

    Step decide(size_t i, size_t j) {
        Step step;
        while (i < x_.size() && j < y_.size() && agree(x_[i], y_[j])) {
            ++step.run;
            ++i;
            ++j;
        }
        if (i >= x_.size() || j >= y_.size())
            return step;
        const size_t rX = x_.size() - i;
        const size_t rY = y_.size() - j;
        const size_t m = std::max(rX, rY);
        for (size_t d = 1; d < m; ++d) {
            std::optional<std::pair<size_t, size_t>> best;
            int bestCount = 0;
            if (d < rY && isText(y_[j + d])) {
                for (size_t k = 0; k < d && k < rX; ++k) {
                    if (agree(x_[i + k], y_[j + d])) {
                        best = {i + k, j + d};
                        bestCount = count(i + k, j + d);
                        break;
                    }
                }
            }
            if (d < rX && isText(x_[i + d])) {
                for (size_t k = 0; k < d && k < rY; ++k) {
                    if (agree(y_[j + k], x_[i + d])) {
                        const int c = count(i + d, j + k);
                        // On a tie the skip in y stays.
                        if (!best || c > bestCount)
                            best = {i + d, j + k};
                        break;
                    }
                }
            }
            if (!best && d < rX && d < rY && agree(x_[i + d], y_[j + d]))
                best = {i + d, j + d};
            if (best) {
                step.next = best;
                return step;
            }
        }
        return step;
    }

    const std::vector<const PatternToken*>& x_;
    const std::vector<const PatternToken*>& y_;
    size_t width_;
    std::vector<int> counts_;
};

int commonRunOnly(const AlignmentContext& c, size_t i, size_t j, std::vector<int32_t>& map) {
    if (i >= c.x.size()) {
        for (; j < c.y.size(); ++j)
            map[j] = -1;
        return 0;
    }
    int run = 0;
    for (; i < c.x.size() && j < c.y.size() && agree(c.x[i], c.y[j]); ++i, ++j, ++run)
        map[j] = static_cast<int32_t>(i);
    return run;
}

void copySettings(const PatternToken& from, PatternToken& to) {
    switch (to.kind) {
    case TokenKind::Number:
        to.length = from.length;
        to.clearNumber = from.clearNumber;
        to.zeroMode = from.zeroMode;
        to.renumber = from.renumber;
        to.startNumber = from.startNumber; // the minimum belongs to the variant's own matches
        break;
    case TokenKind::Wildcard:
        to.length = from.length;
        to.truncate = from.truncate;
        to.caseMode = from.caseMode;
        break;
    case TokenKind::Text:
        if (from.matchText != to.matchText)
            break;
        to.keepMatched = from.keepMatched;
        if (!from.keepMatched)
            to.newText = from.newText;
        to.hasInvalidChars = from.hasInvalidChars;
        break;
    }
}

AlignmentContext makeAlignmentContext(const NamePattern& previous, const NamePattern& newVariant) {
    AlignmentContext context;
    context.x.reserve(previous.tokens.size());
    context.y.reserve(newVariant.tokens.size());
    for (const PatternToken& t : previous.tokens)
        context.x.push_back(&t);
    for (const PatternToken& t : newVariant.tokens)
        context.y.push_back(&t);
    return context;
}

// Fills map[j..] (one entry per token of y: the index of its partner in x, or -1) and
// returns the number of aligned text pairs.
int alignTokens(const AlignmentContext& context, size_t i, size_t j, std::vector<int32_t>& map) {
    if (map.size() < context.y.size())
        map.resize(context.y.size(), -1);
    if (context.x.size() > kMaxAlignedTokens || context.y.size() > kMaxAlignedTokens)
        return commonRunOnly(context, i, j, map);
    Aligner aligner(context);
    const int pairs = aligner.count(i, j);
    aligner.fill(i, j, map);
    return pairs;
}

} // namespace

std::vector<int32_t> alignVariants(const NamePattern& newVariant, const NamePattern& previous) {
    const AlignmentContext context = makeAlignmentContext(previous, newVariant);
    const auto& x = context.x;
    const auto& y = context.y;
    std::vector<int32_t> map(y.size(), -1);
    alignTokens(context, 0, 0, map);

    // Fields between aligned texts pair up; the first and last token of y never do.
    for (size_t j = 1; j + 1 < y.size(); ++j) {
        const int32_t left = map[j - 1];
        if (left < 0)
            continue;
        const size_t i = static_cast<size_t>(left) + 1;
        if (i >= x.size())
            continue;
        if (y[j]->kind == TokenKind::Number && x[i]->kind == TokenKind::Number)
            map[j] = static_cast<int32_t>(i);
        else if (y[j]->kind == TokenKind::Wildcard && x[i]->kind == TokenKind::Wildcard &&
                 map[j + 1] == left + 2)
            map[j] = static_cast<int32_t>(i);
    }
    return map;
}

void transferFieldSettings(NamePattern& newVariant, const NamePattern& previous) {
    const std::vector<int32_t> map = alignVariants(newVariant, previous);
    for (size_t j = 0; j < map.size(); ++j) {
        if (map[j] < 0)
            continue;
        const PatternToken& from = previous.tokens[static_cast<size_t>(map[j])];
        PatternToken& to = newVariant.tokens[j];
        if (from.kind == to.kind)
            copySettings(from, to);
    }
}

} // namespace mr
