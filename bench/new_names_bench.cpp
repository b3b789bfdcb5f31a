// New names over a large set with a typical edited pattern, and the matcher against
// names that nearly fit a pattern of many wildcards.
#include "pattern/new_names.h"
#include "pattern/parser.h"
#include "support/pattern_support.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace mr;

std::vector<std::u16string> holidayNames(size_t count) {
    const std::u16string places[] = {u"beach",  u"harbour",   u"old town",  u"mountain hut",
                                     u"market", u"cathedral", u"lake shore"};
    std::vector<std::u16string> names;
    names.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        std::u16string digits = u"00000";
        for (size_t k = 0, v = i; k < digits.size(); ++k, v /= 10)
            digits[digits.size() - 1 - k] = static_cast<char16_t>(u'0' + v % 10);
        names.push_back(u"trip-" + places[i % std::size(places)] + u"_" + digits + u".jpg");
    }
    return names;
}

void RegenerateEditedPattern(benchmark::State& state) {
    RecordSet set;
    test::fillNameSet(set, holidayNames(100000));
    NamePattern pattern;
    parsePattern(u"trip-*_#", u".jpg", pattern, false);
    collectNumberMinimums(set, pattern);
    setTokenText(pattern.tokens[0], u"Holiday <1> ");
    pattern.tokens[1].truncate = true;
    pattern.tokens[1].length = 3;
    pattern.tokens[1].caseMode = mr::CaseMode::Upper;
    pattern.tokens[3].renumber = true;
    pattern.tokens[3].startNumber = 1;
    pattern.tokens[3].zeroMode = mr::ZeroMode::Make;
    pattern.tokens[3].length = 6;
    for (auto _ : state) {
        regenerateNewNames(set, pattern);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(set.fileCount()));
}
BENCHMARK(RegenerateEditedPattern)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// '*a*b*c...*t*' against 255-character names holding every letter but the last: the
// literal trial order would try a number of splits exponential in the wildcards.
void ManyWildcardsNearMiss(benchmark::State& state) {
    std::u16string base = u"*";
    for (char16_t letter = u'a'; letter < u'a' + 19; ++letter) {
        base += letter;
        base += u'*';
    }
    NamePattern pattern;
    parsePattern(base, u"", pattern, false);
    std::mt19937 rng(1);
    std::vector<std::u16string> names;
    for (int n = 0; n < 64; ++n) {
        std::u16string name;
        while (name.size() < 255)
            name += static_cast<char16_t>(u'a' + rng() % 18); // never the last letter
        names.push_back(name);
    }
    TokenMatcher matcher;
    CaptureList captures;
    size_t i = 0;
    for (auto _ : state) {
        captures.clear();
        benchmark::DoNotOptimize(
            matcher.match(names[i++ % names.size()], pattern.tokens, 0, captures));
    }
}
BENCHMARK(ManyWildcardsNearMiss)->Unit(benchmark::kMicrosecond);

// The same letters, every one present, but the pattern asks for one more 'a' run than
// the name holds: the hardest shape for trial-and-error matching.
void RepeatedLetterNearMiss(benchmark::State& state) {
    std::u16string base = u"*";
    for (int k = 0; k < 20; ++k)
        base += u"a*";
    base += u"b";
    NamePattern pattern;
    parsePattern(base, u"", pattern, false);
    const std::u16string name(255, u'a');
    TokenMatcher matcher;
    CaptureList captures;
    for (auto _ : state) {
        captures.clear();
        benchmark::DoNotOptimize(matcher.match(name, pattern.tokens, 0, captures));
    }
}
BENCHMARK(RepeatedLetterNearMiss)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
