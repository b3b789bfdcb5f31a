// Record set benchmarks: listing a large folder against the bare system calls, and
// memory per record.
#include "rename/records.h"
#include "seams/canonical_paths.h"
#include "text/utf8.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kFiles = 100000;

// One folder of `count` camera files on tmpfs, made once and kept for later runs.
const std::string& bigFolder(int count = kFiles) {
    static std::map<int, std::string> made;
    auto [it, added] = made.try_emplace(count);
    if (!added)
        return it->second;
    const std::string d = "/dev/shm/mr-bench-records-" + std::to_string(count);
    char last[64];
    std::snprintf(last, sizeof last, "/IMG_%05d.JPG", count - 1);
    if (!std::filesystem::exists(d + last)) {
        std::filesystem::remove_all(d);
        std::filesystem::create_directories(d);
        for (int i = 0; i < count; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "%s/IMG_%05d.JPG", d.c_str(), i);
            close(open(name, O_CREAT | O_WRONLY, 0644));
        }
    }
    it->second = d;
    return it->second;
}

// What the kernel can do at best: getdents64 and one statx per entry.
size_t bareListing(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    alignas(8) char buffer[1 << 16];
    size_t n = 0;
    for (;;) {
        const long got = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (long off = 0; off < got;) {
            struct Dirent64 {
                uint64_t ino;
                int64_t off;
                unsigned short reclen;
                unsigned char type;
                char name[1];
            };
            auto* e = reinterpret_cast<Dirent64*>(buffer + off);
            struct statx st;
            statx(fd, e->name, AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_SIZE | STATX_MTIME, &st);
            benchmark::DoNotOptimize(st);
            ++n;
            off += e->reclen;
        }
    }
    close(fd);
    return n;
}

// With times and sizes, as a typed date tag needs them: the same work as the bare
// listing. The fill alone leaves them out.
size_t scan(const std::string& dir) {
    mr::RecordSet set(mr::NameRules::posix());
    auto& folder = mr::findOrAddFolder(set, mr::fromUtf8(dir) + u"/");
    mr::scanFolder(folder, set.rules, mr::platformFileSystem());
    mr::readFileDetails(set);
    return folder.files->size();
}

template <class F>
double medianSeconds(F&& f, int runs = 7) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        t.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void printReport() {
    const std::string& dir = bigFolder();
    const double bare = medianSeconds([&] { benchmark::DoNotOptimize(bareListing(dir)); });
    const double ours = medianSeconds([&] { benchmark::DoNotOptimize(scan(dir)); });
    std::printf("scanFolder, %d entries on tmpfs: %.1f ms; bare getdents64+statx: %.1f ms; "
                "ratio %.2f (goal <= 1.5)\n",
                kFiles, ours * 1e3, bare * 1e3, ours / bare);

    // Heap bytes per record beyond the texts of name and key (short names fit inline).
    malloc_trim(0);
    const size_t before = mallinfo2().uordblks;
    mr::RecordSet set(mr::NameRules::posix());
    auto& folder = mr::findOrAddFolder(set, mr::fromUtf8(dir) + u"/");
    mr::scanFolder(folder, set.rules, mr::platformFileSystem());
    const size_t after = mallinfo2().uordblks;
    size_t textBytes = 0;
    for (const auto& f : *folder.files)
        textBytes += f.name.size() > 7 ? (f.name.capacity() + 1) * 2 : 0;
    for (const auto& k : folder.foldedKeys)
        textBytes += k.size() > 7 ? (k.capacity() + 1) * 2 : 0;
    std::printf("memory: %zu B per record in all, %zu B beyond name texts (sizeof FileRecord "
                "%zu; goal < 300)\n",
                (after - before) / folder.files->size(),
                (after - before - textBytes) / folder.files->size(), sizeof(mr::FileRecord));
}

void BM_ScanFolder(benchmark::State& state) {
    const std::string& dir = bigFolder(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(scan(dir));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScanFolder)->Arg(1000)->Arg(10000)->Arg(kFiles)->Unit(benchmark::kMillisecond);

// The whole fill as the host starts it: every file of the folder selected by its path.
void BM_FillRecordSet(benchmark::State& state) {
    const std::string& dir = bigFolder(static_cast<int>(state.range(0)));
    std::vector<std::u16string> paths;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        paths.push_back(mr::fromUtf8(e.path().string()));
    for (auto _ : state) {
        mr::RecordSet set(mr::NameRules::posix());
        mr::fillRecordSet(set, paths, mr::platformFileSystem());
        benchmark::DoNotOptimize(set.folders.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FillRecordSet)->Arg(1000)->Arg(10000)->Arg(kFiles)->Unit(benchmark::kMillisecond);

// What the entry point and the command line do before the fill: every path made canonical.
void BM_CanonicalPaths(benchmark::State& state) {
    const std::string& dir = bigFolder(static_cast<int>(state.range(0)));
    std::vector<std::u16string> paths;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        paths.push_back(mr::fromUtf8(e.path().string()));
    for (auto _ : state)
        benchmark::DoNotOptimize(mr::canonicalPaths(paths));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CanonicalPaths)->Arg(1000)->Arg(10000)->Arg(kFiles)->Unit(benchmark::kMillisecond);

void BM_BareListing(benchmark::State& state) {
    const std::string& dir = bigFolder(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(bareListing(dir));
}
BENCHMARK(BM_BareListing)->Arg(1000)->Arg(10000)->Arg(kFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    printReport();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
