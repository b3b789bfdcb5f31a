// multirename --json --records over 100,000 files with a typical edit, end to end in
// the process (records read, the dialog's events, validation, the JSON written), and
// reading the records alone, quickly and through a document tree.
#include "cli/records_input.h"
#include "cli/run.h"
#include "support/memory_settings_store.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 100000;

// A camera folder as the records file gives it, with times and sizes.
std::string recordsText(int files) {
    std::string entries, paths;
    char line[256];
    for (int i = 0; i < files; ++i) {
        std::snprintf(line, sizeof line,
                      "%s\n    {\"name\": \"IMG_%05d.JPG\", \"directory\": false, "
                      "\"lastWriteTime\": %llu, \"creationTime\": %llu, \"size\": %d}",
                      i ? "," : "", i, 133540128000000000ULL + i * 10000000ULL,
                      133540128000000000ULL, 1536 + i);
        entries += line;
        std::snprintf(line, sizeof line, "%s\n  \"C:\\\\Photos\\\\IMG_%05d.JPG\"", i ? "," : "", i);
        paths += line;
    }
    return "{\"rules\": \"windows\", \"workingDirectory\": \"C:\\\\Users\\\\Ann\\\\\",\n"
           "\"folders\": [{\"path\": \"C:\\\\Photos\\\\\", \"entries\": [" +
           entries + "]}],\n\"paths\": [" + paths + "]}\n";
}

const std::string& recordsFile() {
    static const std::string path = [] {
        const std::string dir = "/dev/shm/mr-bench-cli";
        std::filesystem::create_directories(dir);
        const std::string file = dir + "/records-100000.json";
        std::ofstream(file, std::ios::binary) << recordsText(kFiles);
        return file;
    }();
    return path;
}

// IMG_# .JPG: the text before the number typed over, the number renumbered from 1.
std::vector<std::string> typicalEdit() {
    return {"--json", "--records", recordsFile(), "-t", "0=Rome_", "--number", "1=renumber:1"};
}

struct Run {
    int status;
    size_t outBytes;
};

Run runOnce(const std::vector<std::string>& args) {
    mr::MemorySettingsStore settings;
    mr::cli::RunEnvironment env;
    env.settings = &settings;
    std::istringstream in;
    std::ostringstream out, err;
    const int status = mr::cli::runMultirename(args, in, out, err, env);
    return {status, out.str().size()};
}

struct Seconds {
    double wall;
    double cpu; // the process's processor time: what the wall time is on an idle machine
};

template <class F>
Seconds medianSeconds(F&& f, int runs = 5) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        f();
        cpu.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        wall.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

void printReport() {
    const auto args = typicalEdit();
    Run last{};
    const Seconds whole = medianSeconds([&] { last = runOnce(args); });
    std::ifstream file(recordsFile(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const Seconds read = medianSeconds([&] {
        std::string error;
        benchmark::DoNotOptimize(mr::cli::readRecords(text, error));
    });
    std::printf("multirename --json --records, %d files, -t 0=Rome_ --number 1=renumber:1: "
                "%.0f ms (processor %.0f ms; goal < 1000 ms; exit %d, %zu bytes of JSON)\n",
                kFiles, whole.wall * 1e3, whole.cpu * 1e3, last.status, last.outBytes);
    const Seconds tree = medianSeconds([&] {
        std::string error;
        benchmark::DoNotOptimize(mr::cli::readRecordsTree(text, error));
    });
    std::printf("reading the records alone (%zu bytes): %.0f ms (processor %.0f ms); through "
                "a document tree: %.0f ms (processor %.0f ms)\n",
                text.size(), read.wall * 1e3, read.cpu * 1e3, tree.wall * 1e3, tree.cpu * 1e3);
}

void CliJsonRecords100k(benchmark::State& state) {
    const auto args = typicalEdit();
    for (auto _ : state)
        benchmark::DoNotOptimize(runOnce(args));
}
BENCHMARK(CliJsonRecords100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void ReadRecords100k(benchmark::State& state) {
    std::ifstream file(recordsFile(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(mr::cli::readRecords(text, error));
    }
}
BENCHMARK(ReadRecords100k)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    printReport();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
