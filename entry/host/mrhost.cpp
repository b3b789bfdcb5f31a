// A sample host: passes the paths on its command line, or the files picked in an open
// dialog, to multirename.dll the way a file manager would.
#include "multirename.h"

#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The open dialog's multi-select answer: the folder, then each name, NUL-separated;
// a single file comes back as one full path.
std::vector<std::wstring> splitSelection(const wchar_t* buffer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* p = buffer; *p; p += parts.back().size() + 1)
        parts.emplace_back(p);
    if (parts.size() <= 1)
        return parts;
    std::wstring folder = parts.front();
    if (folder.back() != L'\\')
        folder += L'\\';
    std::vector<std::wstring> paths;
    for (size_t i = 1; i < parts.size(); ++i)
        paths.push_back(folder + parts[i]);
    return paths;
}

std::vector<std::wstring> pickFiles() {
    std::vector<wchar_t> buffer(65536, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFilter = L"All files\0*.*\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = L"Files to rename";
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn))
        return {};
    return splitSelection(buffer.data());
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--version") {
        std::printf("mrhost (Multi Rename) %s\n", MR_VERSION);
        return 0;
    }
    std::vector<std::wstring> paths;
    for (int i = 1; i < argc; ++i)
        paths.emplace_back(argv[i]);
    if (paths.empty())
        paths = pickFiles();
    if (paths.empty())
        return 0;

    HMODULE module = LoadLibraryW(L"multirename.dll");
    if (!module) {
        std::fwprintf(stderr, L"mrhost: cannot load multirename.dll (error %lu)\n", GetLastError());
        return 1;
    }
    const auto run = reinterpret_cast<run_multirename_fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "run_multirename")));
    if (!run) {
        std::fwprintf(stderr, L"mrhost: multirename.dll exports no run_multirename\n");
        FreeLibrary(module);
        return 1;
    }
    std::vector<const wchar_t*> pointers;
    for (const auto& path : paths)
        pointers.push_back(path.c_str());
    run(nullptr, static_cast<int>(pointers.size()), pointers.data(), false, nullptr);
    FreeLibrary(module);
    return 0;
}
