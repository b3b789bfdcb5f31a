// Derivation of the common pattern over large and adversarial name sets.
#include "derivation/corpus.h"
#include "derivation/derivation_support.h"
#include "derivation/name_families.h"
#include "pattern/derivation.h"
#include "pattern/middle_derivation.h"
#include "rename/records.h"
#include "text/utf8.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>

namespace mr {
namespace {

using Folders = test::FolderNames;

Folders cameraNumbers(size_t count) {
    Folders folders;
    for (size_t i = 0; i < count; ++i) {
        if (i % 10000 == 0)
            folders.push_back(
                {u"C:\\DCIM\\" + fromUtf8(std::to_string(100 + i / 10000)) + u"\\", {}});
        std::string n = std::to_string(i % 10000);
        n.insert(0, 4 - n.size(), '0');
        folders.back().second.push_back(u"IMG_" + fromUtf8(n) + u".JPG");
    }
    return folders;
}

// The largest folders of the corpus of real names, until `count` names are taken.
Folders corpusLargest(size_t count) {
    auto corpus = test::readCorpusFolders();
    if (!corpus)
        return {};
    Folders folders;
    for (auto& [folder, names] : *corpus)
        folders.push_back({fromUtf8(folder), std::move(names)});
    std::stable_sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) {
        return a.second.size() > b.second.size();
    });
    size_t taken = 0;
    size_t keep = 0;
    while (keep < folders.size() && taken < count)
        taken += folders[keep++].second.size();
    folders.resize(keep);
    return folders;
}

Folders mixedFamilies(size_t count) {
    test::Rng rng(7);
    Folders folders;
    size_t taken = 0;
    for (size_t round = 0; taken < count; ++round) {
        const auto& family = test::nameFamilies()[round % test::nameFamilies().size()];
        if (family.posix)
            continue;
        auto names = family.make(rng);
        for (auto& n : names)
            n = fromUtf8(std::to_string(round)) + u"_" + n; // unique across rounds
        taken += names.size();
        if (folders.empty() || folders.back().second.size() > 5000)
            folders.push_back(
                {u"C:\\Mixed\\" + fromUtf8(std::to_string(folders.size())) + u"\\", {}});
        auto& dest = folders.back().second;
        dest.insert(dest.end(), names.begin(), names.end());
    }
    return folders;
}

void runVariants(benchmark::State& state, const RecordSet& set, bool numbersAsText) {
    size_t names = 0;
    set.forEachFile([&](const FileRecord& f) { names += f.hidden ? 0 : 1; });
    for (auto _ : state) {
        PatternVariants variants;
        CheckBoxFlags flags;
        buildPatternVariants(set, variants, flags, numbersAsText);
        benchmark::DoNotOptimize(variants);
    }
    state.counters["names"] = static_cast<double>(names);
    state.counters["per_name"] = benchmark::Counter(static_cast<double>(names),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

// Arguments: the number of names, then numbers as text (0 or 1).
void BM_CameraNumbers(benchmark::State& state) {
    static std::map<int64_t, std::unique_ptr<RecordSet>> sets;
    auto& set = sets[state.range(0)];
    if (!set)
        set = test::makeSetOfFolders(cameraNumbers(static_cast<size_t>(state.range(0))),
                                     NameRules::windows());
    runVariants(state, *set, state.range(1) != 0);
}
BENCHMARK(BM_CameraNumbers)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_CorpusLargestFolders(benchmark::State& state) {
    static const auto set = test::makeSetOfFolders(corpusLargest(100000), NameRules::posix());
    if (set->folders.empty()) {
        state.SkipWithError("corpus of real names not found");
        return;
    }
    runVariants(state, *set, state.range(0) != 0);
}
BENCHMARK(BM_CorpusLargestFolders)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MixedFamilies(benchmark::State& state) {
    static const auto set = test::makeSetOfFolders(mixedFamilies(100000), NameRules::windows());
    runVariants(state, *set, state.range(0) != 0);
}
BENCHMARK(BM_MixedFamilies)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Middle parts full of digit runs that differ, the worst case of the number-aware
// search's branching: 1,000 parts of 255 characters.
std::vector<std::u16string> digitRunParts(int shape, size_t count, size_t length) {
    test::Rng rng(42);
    std::vector<std::u16string> parts;
    for (size_t p = 0; p < count; ++p) {
        std::u16string s;
        while (s.size() < length) {
            switch (shape) {
            case 0: // one digit, one letter
                s += static_cast<char16_t>(u'0' + rng() % 10);
                s += u'a';
                break;
            case 1: // runs of random width between single letters
                s += static_cast<char16_t>(u'0' + rng() % 10);
                if (rng() % 3 == 0)
                    s += u'a';
                break;
            case 2: // two digits only, so many runs agree for a while
                s += static_cast<char16_t>(u'0' + rng() % 2);
                if (rng() % 2 == 0)
                    s += u'a';
                break;
            case 3: // like 0, but the last part stops sharing early
                s += (p + 1 == count && s.size() > 20) ? u'b'
                                                       : static_cast<char16_t>(u'0' + rng() % 10);
                s += u'a';
                break;
            case 5: // a digit of two, then one of three letters: short pieces, many starts
                s += static_cast<char16_t>(u'0' + rng() % 2);
                s += static_cast<char16_t>(u'a' + rng() % 3);
                break;
            case 6: // copies of the first part, a digit in five redrawn
                if (!parts.empty()) {
                    const char16_t c = parts.front()[s.size()];
                    s +=
                        isDigit(c) && rng() % 5 == 0 ? static_cast<char16_t>(u'0' + rng() % 10) : c;
                    break;
                }
                [[fallthrough]];
            default: // wide runs with two separators
                for (size_t d = 1 + rng() % 6; d > 0; --d)
                    s += static_cast<char16_t>(u'0' + rng() % 10);
                s += rng() % 2 ? u'-' : u'.';
                break;
            }
        }
        s.resize(length);
        parts.push_back(std::move(s));
    }
    return parts;
}

void BM_NumberSearchStress(benchmark::State& state) {
    const auto parts =
        digitRunParts(static_cast<int>(state.range(0)), static_cast<size_t>(state.range(1)), 255);
    for (auto _ : state) {
        DerivationContext context(true);
        context.names.assign(parts.begin(), parts.end());
        buildCommonCharTable(context);
        benchmark::DoNotOptimize(deriveMiddleWithNumbers(context, context.names));
    }
}
BENCHMARK(BM_NumberSearchStress)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {100, 1000}})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mr

BENCHMARK_MAIN();
