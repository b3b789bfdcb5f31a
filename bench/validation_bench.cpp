// Validation and planning of 100,000 files, and the POSIX mover against a bare
// renameat2 loop over the same number of files on tmpfs.
#include "pattern/matching.h"
#include "rename/execution.h"
#include "rename/validation.h"
#include "support/memory_file_system.h"
#include "text/utf8.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#ifndef _WIN32
#include "platform/posix/posix_mover.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#endif

namespace mr {
namespace {

constexpr int kFiles = 100000;

std::u16string numbered(const char* prefix, int i) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%06d.jpg", prefix, i);
    return fromUtf8(name);
}

// One folder of kFiles camera files, every one taking part with the given new name.
void fill(RecordSet& set, std::u16string (*newName)(int)) {
    test::MemoryFileSystem fs;
    auto& entries = fs.folders[u"C:\\Photos\\"].entries;
    entries.reserve(kFiles);
    for (int i = 1; i <= kFiles; ++i)
        entries.push_back({numbered("IMG_", i), false, 0, 0, 0});
    fillRecordSet(set, {u"C:\\Photos\\IMG_000001.jpg"}, fs);
    set.forEachFile([](FileRecord& f) { f.hidden = false; });
    markTakingPart(set, NamePattern{});
    int i = 1;
    set.forEachFile([&](FileRecord& f) { f.newName = newName(i++); });
}

std::u16string holiday(int i) {
    return numbered("Holiday_", i);
}
std::u16string oneUp(int i) {
    return numbered("IMG_", i + 1);
}

// As the dialog validates after each keystroke: the folder's index of old names is kept.
void BM_ValidateAll(benchmark::State& state) {
    RecordSet set;
    fill(set, holiday);
    Validator validator;
    for (auto _ : state) {
        validator.validateAll(set);
        benchmark::DoNotOptimize(set.folders.begin()->second->renameOrder.data());
    }
}
BENCHMARK(BM_ValidateAll)->Unit(benchmark::kMillisecond);

// Every name moves one up: 100,000 walks if planned literally.
void BM_ChainPlan(benchmark::State& state) {
    RecordSet set;
    fill(set, oneUp);
    validateAll(set);
    FolderRecord& folder = *set.folders.begin()->second;
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& f : *folder.files)
            f.status = FileStatus::Pending;
        state.ResumeTiming();
        planFolderRenames(folder);
    }
    if (folder.renameOrder.size() != kFiles ||
        folder.renameOrder.front()->name != numbered("IMG_", kFiles))
        state.SkipWithError("wrong plan");
}
BENCHMARK(BM_ChainPlan)->Unit(benchmark::kMillisecond);

void BM_ChainValidate(benchmark::State& state) {
    RecordSet set;
    fill(set, oneUp);
    Validator validator;
    for (auto _ : state)
        validator.validateAll(set);
}
BENCHMARK(BM_ChainValidate)->Unit(benchmark::kMillisecond);

#ifndef _WIN32
namespace fs = std::filesystem;

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void createFiles(const fs::path& dir, int count = kFiles) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (int i = 1; i <= count; ++i)
        ::close(::open((dir / toUtf8(numbered("IMG_", i))).c_str(), O_CREAT | O_WRONLY, 0644));
}

fs::path bareBase() {
    return "/dev/shm/mr-bench-bare-" + std::to_string(::getpid());
}

// Renames from[i] to to[i] in dir with nothing but renameat2; returns the failures.
size_t renameLoop(const fs::path& dir, const std::vector<std::string>& from,
                  const std::vector<std::string>& to) {
    const int fd = ::open(dir.c_str(), O_PATH | O_DIRECTORY);
    size_t failures = 0;
    for (size_t i = 0; i < from.size(); ++i)
        failures += ::renameat2(fd, from[i].c_str(), fd, to[i].c_str(), RENAME_NOREPLACE) != 0;
    ::close(fd);
    return failures;
}

// The physical limit of a rename: a plain renameat2 loop over `count` files on tmpfs,
// IMG_ to Holiday_ and back on alternate iterations.
void BM_BareRenameat2(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const fs::path dir = bareBase() / std::to_string(count);
    if (!fs::exists(dir))
        createFiles(dir, count);
    std::vector<std::string> img, holiday;
    for (int i = 1; i <= count; ++i) {
        img.push_back(toUtf8(numbered("IMG_", i)));
        holiday.push_back(toUtf8(numbered("Holiday_", i)));
    }
    bool forward = fs::exists(dir / img[0]);
    size_t failures = 0;
    for (auto _ : state) {
        failures += renameLoop(dir, forward ? img : holiday, forward ? holiday : img);
        forward = !forward;
    }
    if (failures)
        state.SkipWithError("renameat2 failed");
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BareRenameat2)->Arg(1000)->Arg(10000)->Arg(kFiles)->Unit(benchmark::kMillisecond);

// Renames every IMG_ file to Holiday_ with a plain renameat2 loop.
double bareLoop(const fs::path& dir) {
    createFiles(dir);
    std::vector<std::string> from, to;
    for (int i = 1; i <= kFiles; ++i) {
        from.push_back(toUtf8(numbered("IMG_", i)));
        to.push_back(toUtf8(holiday(i)));
    }
    const auto start = std::chrono::steady_clock::now();
    renameLoop(dir, from, to);
    return seconds(std::chrono::steady_clock::now() - start);
}

double firstRename = 0, undoSeconds = 0;

// The same renames through the record set, executeRenames and the journalled mover.
double moverRun(const fs::path& dir, const fs::path& journal, size_t* failures) {
    createFiles(dir);
    RecordSet set(NameRules::posix());
    const std::u16string folder = fromUtf8(dir.string() + "/");
    fillRecordSet(set, {folder + numbered("IMG_", 1)}, platformFileSystem());
    set.forEachFile([](FileRecord& f) { f.hidden = false; });
    markTakingPart(set, NamePattern{});
    set.forEachFile([](FileRecord& f) { f.newName = u"Holiday_" + f.name.substr(4); });
    validateAll(set);
    PosixMoverOptions options;
    options.journalDir = journal.string();
    auto start = std::chrono::steady_clock::now();
    // Planning and the journal, up to the first rename.
    double* toFirst = &firstRename;
    options.afterRename = [&start, toFirst](size_t n) {
        if (n == 1)
            *toFirst = seconds(std::chrono::steady_clock::now() - start);
    };
    PosixMover mover(options);
    start = std::chrono::steady_clock::now();
    executeRenames(nullptr, set, mover);
    const double t = seconds(std::chrono::steady_clock::now() - start);
    *failures = mover.failures().size();
    const auto undoStart = std::chrono::steady_clock::now();
    const UndoReport undo = undoFromJournal(mover.journalPath());
    undoSeconds = seconds(std::chrono::steady_clock::now() - undoStart);
    *failures += undo.failures.size() + (kFiles - undo.restored);
    return t;
}

void compareApply() {
    const fs::path base = "/dev/shm/mr-bench-apply-" + std::to_string(::getpid());
    std::vector<double> bare, mover, toFirst, undo;
    size_t failures = 0;
    for (int round = 0; round < 5; ++round) {
        bare.push_back(bareLoop(base / "bare"));
        mover.push_back(moverRun(base / "mover", base / "journal", &failures));
        toFirst.push_back(firstRename);
        undo.push_back(undoSeconds);
    }
    fs::remove_all(base);
    std::sort(bare.begin(), bare.end());
    std::sort(mover.begin(), mover.end());
    std::sort(toFirst.begin(), toFirst.end());
    std::sort(undo.begin(), undo.end());
    const double b = bare[2], m = mover[2];
    std::printf("\napply %d renames in one folder on /dev/shm (median of 5):\n", kFiles);
    std::printf("  bare renameat2 loop : %8.1f ms  (%.0f renames/s)\n", b * 1e3, kFiles / b);
    std::printf(
        "  mover with journal  : %8.1f ms  (%.0f renames/s), %zu failures (renames and undo)\n",
        m * 1e3, kFiles / m, failures);
    std::printf("    of which planning and journal before the first rename: %.1f ms\n",
                toFirst[2] * 1e3);
    std::printf("  undo of the whole journal: %8.1f ms\n", undo[2] * 1e3);
    std::printf("  mover throughput / bare throughput: %.0f%%\n", 100.0 * b / m);
}
#endif

} // namespace
} // namespace mr

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
#ifndef _WIN32
    std::filesystem::remove_all(mr::bareBase());
    mr::compareApply();
#endif
    return 0;
}
