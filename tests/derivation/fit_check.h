#pragma once
// Whether a listed name fits the variants derived from its set: the derived pattern is
// one that every name of the set fits, reading '#' as any run of digits.
#include "pattern/derivation.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace mr::test {

// One pattern text read exactly, by code unit: '*' any text, '#' one or more digits (as
// many as a fit needs: the matcher's greedy number is not the question here), '\'
// escapes. Built once and tried on many names.
class Fit {
public:
    explicit Fit(std::u16string_view pattern) {
        for (size_t i = 0; i < pattern.size(); ++i) {
            if (pattern[i] == u'\\' && i + 1 < pattern.size())
                tokens_.push_back({Literal, pattern[++i]});
            else
                tokens_.push_back({pattern[i] == u'*'   ? Any
                                   : pattern[i] == u'#' ? Digits
                                                        : Literal,
                                   pattern[i]});
        }
        seen_.assign(2 * tokens_.size() + 2, 0);
    }

    bool operator()(std::u16string_view name) {
        live_.clear();
        add(live_, 0);
        for (const char16_t c : name) {
            const bool digit = c >= u'0' && c <= u'9';
            ++stamp_;
            next_.clear();
            for (const size_t state : live_) {
                const size_t i = state / 2;
                if (state % 2 == 1) {
                    if (digit)
                        add(next_, state);
                } else if (i < tokens_.size()) {
                    const auto [kind, want] = tokens_[i];
                    if (kind == Any)
                        add(next_, state);
                    else if (kind == Literal ? c == want : digit)
                        add(next_, kind == Literal ? 2 * (i + 1) : state + 1);
                }
            }
            live_.swap(next_);
        }
        ++stamp_;
        return std::find(live_.begin(), live_.end(), 2 * tokens_.size()) != live_.end();
    }

private:
    enum Kind : char { Literal, Any, Digits };

    // States: 2i before token i, 2i + 1 inside the digits of token i. A state is added
    // with those it reaches without a character.
    void add(std::vector<size_t>& set, size_t state) {
        while (seen_[state] != stamp_) {
            seen_[state] = stamp_;
            set.push_back(state);
            const size_t i = state / 2;
            if (state % 2 == 0 && (i == tokens_.size() || tokens_[i].first != Any))
                return;
            state = 2 * (i + 1);
        }
    }

    std::vector<std::pair<Kind, char16_t>> tokens_;
    std::vector<size_t> live_, next_, seen_;
    size_t stamp_ = 1;
};

// Variants `first` and `first` + 1 (0: numbers detected, 2: numbers as text). An empty
// text stands for no pattern; the extension joins the text unescaped, so one holding
// '#', '*' or '\' is let off.
class VariantsFit {
public:
    VariantsFit(const PatternVariants& variants, const CheckBoxFlags& flags, size_t first)
        : base_(variants[first].patternText), whole_(variants[first + 1].patternText),
          extension_(std::u16string_view(variants[first + 1].patternText)
                         .substr(variants[first].patternText.size())),
          noBase_(variants[first].patternText.empty()) {
        extensionLetOff_ =
            !flags.allowExtensionChangesEnabled ||
            (extension_ != u".*" && extension_.find_first_of(u"#*\\") != std::u16string_view::npos);
    }

    bool operator()(std::u16string_view name) {
        if (noBase_)
            return true;
        const std::u16string_view bare = name.substr(0, std::min(name.rfind(u'.'), name.size()));
        // The same extension after a fitting base fits the whole: the common case, at once.
        return base_(bare) &&
               (extensionLetOff_ || name.substr(bare.size()) == extension_ || whole_(name));
    }

private:
    Fit base_, whole_;
    std::u16string_view extension_; // as joined to the base in the variant's text
    bool noBase_;
    bool extensionLetOff_ = false;
};

} // namespace mr::test
