// Costs of the per-file work behind every refresh: tags rendered for each file, the
// name text check on each keystroke, and wildcard case mapping.
#include "pattern/parser.h"
#include "pattern/tags.h"
#include "rename/records.h"
#include "text/case_mapping.h"

#include <benchmark/benchmark.h>

namespace {

using namespace mr;

const std::u16string kText = u"IMG_<D:yyyy-mm-dd timehms>_<1,1:4>_<S:A>_<F>";

static void BM_RenderTags(benchmark::State& state) {
    FolderRecord folder;
    folder.path = u"D:\\Work\\2024\\";
    FileRecord file;
    file.folder = &folder;
    file.lastWriteTime = 133541234567890123ULL;
    file.size = 1536;
    std::u16string out;
    for (auto _ : state) {
        out.clear();
        for (size_t i = 0; i < kText.size();) {
            if (kText[i] == u'<') {
                ++i;
                expandTag(kText, i, &file, nullptr, &out);
            } else {
                out += kText[i++];
            }
        }
        ++file.listPosition;
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_RenderTags);

static void BM_IsValidNameText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(isValidNameText(kText));
}
BENCHMARK(BM_IsValidNameText);

static void BM_SimpleUpper(benchmark::State& state) {
    std::u16string text;
    for (int i = 0; i < 100; ++i)
        text += u"Stra\u00DFe \u00E9t\u00E9 \u0430\u0431\u0432 \u03B1\u03B2 x";
    for (auto _ : state) {
        std::u16string copy = text;
        toSimpleUpper(copy);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SimpleUpper);

} // namespace

BENCHMARK_MAIN();
