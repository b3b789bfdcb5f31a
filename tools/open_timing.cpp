// Times the Multi Rename dialog over many files, as a host sees it: from the call of
// run_multirename to the dialog shown with its list filled and painted, and one typed
// character (every new name recomputed, the list repainted). The same steps without a
// window first, so that the time can be told apart: listing the folder, deriving the
// patterns, the model's first refresh, one refresh after a change.
// Usage: open_timing FOLDER COUNT...   (files IMG_000001.jpg ... in FOLDER\COUNT\,
//        created when missing; times in milliseconds)
#include "pattern/matching.h"
#include "pattern/parser.h"
#include "platform/win32/wide.h"
#include "rename/records.h"
#include "seams/file_system.h"
#include "tour_support.h"
#include "ui/model/change_text_model.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

constexpr int kFieldEdit = 1500;
constexpr int kNamesList = 1503;
constexpr int kKeystrokes = 5;

std::wstring fileName(int i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"IMG_%06d.jpg", i);
    return name;
}

// The files of one size of run, made once and kept for the next run.
std::vector<std::wstring> makeFiles(const std::wstring& folder, int count) {
    CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<std::wstring> paths;
    paths.reserve(static_cast<size_t>(count));
    int made = 0;
    const Clock::time_point start = Clock::now();
    for (int i = 1; i <= count; ++i) {
        paths.push_back(folder + L"\\" + fileName(i));
        if (GetFileAttributesW(paths.back().c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        HANDLE file = CreateFileW(paths.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            ++made;
        }
    }
    if (made)
        std::printf("  made %d files in %.0f ms\n", made, msSince(start));
    return paths;
}

// The folder as the system lists it, with nothing kept: what listing costs by itself.
double bareListing(const std::wstring& folder) {
    const Clock::time_point start = Clock::now();
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        while (FindNextFileW(find, &data)) {
        }
        FindClose(find);
    }
    return msSince(start);
}

// The same folder read in 1 MB batches through its handle, with nothing kept.
double batchListing(const std::wstring& folder) {
    const Clock::time_point start = Clock::now();
    HANDLE dir = CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (dir != INVALID_HANDLE_VALUE) {
        std::vector<DWORD> buffer((1 << 20) / sizeof(DWORD));
        while (GetFileInformationByHandleEx(dir, FileFullDirectoryInfo, buffer.data(),
                                            static_cast<DWORD>(buffer.size() * sizeof(DWORD)))) {
        }
        CloseHandle(dir);
    }
    return msSince(start);
}

// The heap alone: one small text per file made and freed, as deriving copies the names.
double smallTexts(size_t count) {
    const Clock::time_point start = Clock::now();
    {
        std::vector<std::u16string> texts;
        texts.reserve(count);
        for (size_t i = 0; i < count; ++i)
            texts.emplace_back(u"IMG_000001");
    }
    return msSince(start);
}

// What the dialog does before it has a window, step by step.
void timeModel(const std::wstring& folder, const std::vector<std::wstring>& paths) {
    const double oneByOne = bareListing(folder);
    const double batches = batchListing(folder);
    std::printf("  the system's own listing of the folder %.0f, in 1 MB batches %.0f; a small "
                "text per file made and freed %.0f\n",
                oneByOne, batches, smallTexts(paths.size()));
    std::vector<std::u16string> list;
    list.reserve(paths.size());
    for (const auto& p : paths)
        list.push_back(mr::fromWide(p));
    Clock::time_point start = Clock::now();
    const size_t kept = mr::platformFileSystem()
                            .listFolder(mr::fromWide(folder + L"\\"))
                            .value_or(mr::FolderListing{})
                            .entries.size();
    std::printf("  the platform's listing with its %zu entries kept %.0f\n", kept, msSince(start));
    mr::RecordSet set;
    start = Clock::now();
    mr::fillRecordSet(set, list, mr::platformFileSystem());
    const double listing = msSince(start);
    // The model's construction below marks the files that take part too: alone first.
    mr::NamePattern pattern;
    mr::parsePattern(u"IMG_#", u"", pattern, false);
    start = Clock::now();
    mr::markTakingPart(set, pattern);
    const double taking = msSince(start);
    start = Clock::now();
    mr::CheckBoxMemory remembered;
    mr::ChangeTextModel model(u"Sorrelcast Timing", set, remembered);
    const double derive = msSince(start);
    start = Clock::now();
    model.initialise(nullptr);
    const double first = msSince(start);
    start = Clock::now();
    model.setFieldText(0, u"IMG_a");
    const double refresh = msSince(start);
    std::printf("  without a window: folder listed %.0f, patterns derived %.0f (of which the "
                "files taking part marked %.0f), first refresh %.0f, refresh after a change "
                "%.0f\n",
                listing, derive, taking, first, refresh);
    mr::clearRecordSet(set);
}

double ms(const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           1e4;
}

// The processor time a thread has used so far: with other programs running beside this
// one, the wall time alone says little.
double cpuMs(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return -1;
    return ms(kernel) + ms(user);
}

// The same for every thread of the process: the dialog's work on a second core counts.
double processCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return -1;
    return ms(kernel) + ms(user);
}

HWND visibleDialog() {
    HWND dialog = FindWindowW(nullptr, L"Multi Rename");
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

// The real dialog through the module, driven from a second thread.
void timeDialog(run_multirename_fn run, const std::vector<std::wstring>& paths) {
    std::vector<const wchar_t*> raw;
    for (const auto& p : paths)
        raw.push_back(p.c_str());
    std::atomic<bool> returned{false};
    double shown = -1, painted = -1, fitted = -1;
    std::vector<double> keys, keyPaints;
    Clock::time_point start;
    // The dialog's thread is this one.
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    double cpuStart = 0, cpuShown = 0, cpuKeys = 0, processKeys = 0;
    std::thread driver([&] {
        HWND dialog = nullptr;
        HWND list = nullptr;
        while (!returned) {
            dialog = visibleDialog();
            list = dialog ? GetDlgItem(dialog, kNamesList) : nullptr;
            if (list &&
                SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == static_cast<LRESULT>(raw.size()))
                break;
            Sleep(1);
        }
        if (returned)
            return;
        shown = msSince(start);
        cpuShown = cpuMs(self) - cpuStart;
        // Sent to the dialog's thread: returns once the list has painted.
        UpdateWindow(list);
        painted = msSince(start);
        const Clock::time_point fit = Clock::now();
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
        fitted = msSince(fit);
        if (HWND edit = GetDlgItem(dialog, kFieldEdit)) {
            SendMessageW(edit, EM_SETSEL, 0, -1);
            cpuKeys = cpuMs(self);
            processKeys = processCpuMs();
            for (int k = 0; k < kKeystrokes; ++k) {
                const Clock::time_point key = Clock::now();
                SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(L'a' + k), 1);
                keys.push_back(msSince(key));
                UpdateWindow(list);
                keyPaints.push_back(msSince(key));
            }
            cpuKeys = (cpuMs(self) - cpuKeys) / kKeystrokes;
            processKeys = (processCpuMs() - processKeys) / kKeystrokes;
        }
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    cpuStart = cpuMs(self);
    start = Clock::now();
    run(nullptr, static_cast<int>(raw.size()), raw.data(), false, nullptr);
    const double closed = msSince(start);
    returned = true;
    driver.join();
    std::printf("  dialog: shown with %zu rows %.0f, painted %.0f (closed after %.0f); "
                "the Old Name column fitted to its texts again %.0f\n",
                raw.size(), shown, painted, closed, fitted);
    CloseHandle(self);
    std::printf("  processor time of the dialog's thread: until shown %.0f, per typed character "
                "%.0f (%.0f in all threads)\n",
                cpuShown, cpuKeys, processKeys);
    std::printf("  one typed character: names and statuses");
    for (double k : keys)
        std::printf(" %.0f", k);
    std::printf("; with the list repainted");
    for (double k : keyPaints)
        std::printf(" %.0f", k);
    std::printf("\n");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: open_timing FOLDER COUNT...\n");
        return 2;
    }
    const run_multirename_fn run = mr::tour::loadModule(L"open_timing");
    if (!run)
        return 1;
    const std::wstring root = argv[1];
    CreateDirectoryW(root.c_str(), nullptr);
    for (int a = 2; a < argc; ++a) {
        const int count = std::max(1, _wtoi(argv[a]));
        std::printf("%d files (ms):\n", count);
        const std::wstring folder = root + L"\\" + std::to_wstring(count);
        const std::vector<std::wstring> paths = makeFiles(folder, count);
        timeModel(folder, paths);
        timeDialog(run, paths);
        std::fflush(stdout);
    }
    return 0;
}
