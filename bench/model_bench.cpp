// One keystroke in the dialog model at up to 100,000 files: the field's text changes, every
// new name is rendered again and every folder validated.
#include "support/pattern_support.h"
#include "ui/model/change_text_model.h"

#include <benchmark/benchmark.h>

namespace {

using namespace mr;

// Camera names, or the same in Cyrillic, whose keys fold through the case table.
std::vector<std::u16string> cameraNames(size_t count, bool cyrillic = false) {
    std::vector<std::u16string> names;
    names.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        std::u16string digits = u"000000";
        for (size_t k = 0, v = i; k < digits.size(); ++k, v /= 10)
            digits[digits.size() - 1 - k] = static_cast<char16_t>(u'0' + v % 10);
        if (cyrillic)
            names.push_back(u"\u0444\u043E\u0442\u043E_" + digits +
                            (i % 3 ? u"_\u043E\u0442\u043F\u0443\u0441\u043A.jpg"
                                   : u"_\u043F\u043E\u0435\u0437\u0434\u043A\u0430.jpg"));
        else
            names.push_back(u"IMG_" + digits + (i % 3 ? u"_holiday.jpg" : u"_trip.jpg"));
    }
    return names;
}

void typeKeystrokes(benchmark::State& state, bool cyrillic) {
    const auto count = static_cast<size_t>(state.range(0));
    RecordSet set;
    test::fillNameSet(set, cameraNames(count, cyrillic));
    CheckBoxMemory remembered;
    ChangeTextModel model(u"Sorrelcast", set, remembered);
    model.initialise(nullptr);
    // A renumbered number field, then typing into the first text field.
    PatternToken* number = model.fieldToken(1);
    number->renumber = true;
    number->startNumber = 1;
    model.fieldChanged();
    const std::u16string typed[2] = {
        cyrillic ? u"\u0441\u043D\u0438\u043C\u043E\u043A <1>_" : u"Photo <1>_",
        cyrillic ? u"\u0441\u043D\u0438\u043C\u043E\u043A <1> " : u"Photo <1> "};
    bool flip = false;
    for (auto _ : state) {
        model.setFieldText(0, typed[flip]);
        flip = !flip;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Keystroke(benchmark::State& state) {
    typeKeystrokes(state, false);
}
BENCHMARK(Keystroke)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same with the processor time of every thread: the work a keystroke costs in all.
void KeystrokeAllThreads(benchmark::State& state) {
    typeKeystrokes(state, false);
}
BENCHMARK(KeystrokeAllThreads)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Names outside ASCII: every key folds through the case table.
void KeystrokeCyrillic(benchmark::State& state) {
    typeKeystrokes(state, true);
}
BENCHMARK(KeystrokeCyrillic)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void OpenModel100k(benchmark::State& state) {
    RecordSet set;
    test::fillNameSet(set, cameraNames(100000));
    for (auto _ : state) {
        CheckBoxMemory remembered;
        ChangeTextModel model(u"Sorrelcast", set, remembered);
        model.initialise(nullptr);
        benchmark::DoNotOptimize(model.rows().size());
    }
}
BENCHMARK(OpenModel100k)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
