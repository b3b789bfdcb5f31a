#include "platform/win32/own_moves.h"

#include "platform/win32/move_guard.h"
#include "platform/win32/move_paths.h"
#include "platform/win32/wide.h"
#include "rename/messages.h"

#include <windows.h>

#include <unordered_map>

namespace mr {
namespace {

bool move(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), 0) != FALSE;
}

// The name as the folder stores it, or empty.
std::wstring storedName(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return {};
    FindClose(find);
    return data.cFileName;
}

} // namespace

std::u16string systemErrorText(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring out = length ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!out.empty() &&
           (out.back() == L'\n' || out.back() == L'\r' || out.back() == L' ' || out.back() == L'.'))
        out.pop_back();
    return fromWide(out);
}

std::wstring temporaryName(size_t i) {
    return L".~mr-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(i);
}

std::u16string changeCase(const std::wstring& folder, const std::wstring& name,
                          const std::wstring& newName, const std::wstring& temp) {
    if (!move(folder + name, folder + temp))
        return systemErrorText(GetLastError());
    if (!move(folder + temp, folder + newName)) {
        const DWORD error = GetLastError();
        if (!move(folder + temp, folder + name))
            return std::u16string(moduleString(IDS_REASON_CASE_UNCHANGED)) + u": " + fromWide(temp);
        return systemErrorText(error);
    }
    if (storedName(folder + newName) != newName)
        return std::u16string(moduleString(IDS_REASON_SPELLING_REFUSED));
    return {};
}

size_t renameOneByOne(const std::vector<FileRecord*>& files, bool underWine,
                      const MoveProgress& progress, std::vector<RenameFailure>& failures) {
    std::unordered_map<const FolderRecord*, std::wstring> prefixes;
    size_t cases = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!progress(i))
            return i;
        const FileRecord& f = *files[i];
        auto [at, added] = prefixes.try_emplace(f.folder);
        if (added)
            at->second = moveFolderPath(toWide(f.folder->path), underWine);
        const std::wstring& folder = at->second;
        const std::wstring name = toWide(f.name), newName = toWide(f.newName);
        std::u16string reason;
        if (compareAsFileSystem(f.name, f.newName) == CSTR_EQUAL)
            reason = changeCase(folder, name, newName, temporaryName(cases++));
        else if (!move(folder + name, folder + newName))
            reason = systemErrorText(GetLastError());
        if (!reason.empty())
            failures.push_back(
                {f.folder->path + f.name, f.folder->path + f.newName, std::move(reason)});
    }
    progress(files.size());
    return files.size();
}

} // namespace mr
