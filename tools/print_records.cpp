// Prints the record set that the given paths make: every folder, every entry, and
// which entries the host passed.
#include "rename/records.h"
#include "text/utf8.h"

#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    using namespace mr;
#ifdef _WIN32
    RecordSet set(NameRules::windows());
#else
    RecordSet set(NameRules::posix());
#endif
    std::vector<std::u16string> paths;
    for (int i = 1; i < argc; ++i)
        paths.push_back(fromUtf8(argv[i]));
    fillRecordSet(set, paths, platformFileSystem());
    readFileDetails(set);
    for (const auto& [key, folder] : set.folders) {
        std::printf("%s  (%zu entries)\n", toUtf8(folder->path).c_str(), folder->files->size());
        for (const auto& f : *folder->files) {
            const std::time_t t =
                static_cast<std::time_t>((f.lastWriteTime - kUnixEpochAsFileTime) / 10000000ULL);
            char when[32];
            std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", std::gmtime(&t));
            std::printf("  %c %-40s %12llu  %s UTC\n", f.hidden ? ' ' : '*', toUtf8(f.name).c_str(),
                        static_cast<unsigned long long>(f.size), when);
        }
    }
    return 0;
}
