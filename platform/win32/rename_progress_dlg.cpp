#include "platform/win32/rename_progress_dlg.h"

#include "platform/win32/wide.h"
#include "rename/name_rules.h"

#include <windows.h>

#include <shellapi.h>
#include <unordered_map>
#include <unordered_set>

namespace mr {
namespace {

std::wstring upper(const std::wstring& s) {
    return toWide(upperKey(fromWide(s)));
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

// The folder path after the operation: every component that the list renamed (by
// its full path before the operation) gets its new name.
std::wstring resolveFolder(const std::wstring& folder,
                           const std::unordered_map<std::wstring, std::wstring>& renamedTo) {
    std::wstring before, after;
    size_t start = 0;
    for (size_t cut; (cut = folder.find(L'\\', start)) != std::wstring::npos; start = cut + 1) {
        const std::wstring leaf = folder.substr(start, cut - start);
        before += leaf;
        auto it = renamedTo.find(upper(before));
        after += it != renamedTo.end() ? it->second : leaf;
        before += L'\\';
        after += L'\\';
    }
    return after + folder.substr(start);
}

} // namespace

void RenameProgressDlg::renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) {
    failures_.clear();
    if (files.empty())
        return;
    auto fail = [&](const FileRecord& f, std::u16string reason) {
        failures_.push_back(
            {f.folder->path + f.name, f.folder->path + f.newName, std::move(reason)});
    };

    // Wine overwrites an existing target without asking: a target that appeared
    // since validation, and that no earlier move frees, keeps its file and the move
    // is left out, as is every move that waits for it.
    std::wstring from, to;
    std::unordered_set<std::wstring> freed;
    std::unordered_map<std::wstring, std::wstring> renamedTo; // old full path -> new leaf
    std::vector<const FileRecord*> shellMoves, caseMoves;
    for (const FileRecord* f : files) {
        const std::wstring folder = toWide(f->folder->path);
        const std::wstring source = folder + toWide(f->name);
        const std::wstring target = folder + toWide(f->newName);
        if (upperKey(f->name) == upperKey(f->newName)) {
            caseMoves.push_back(f);
            continue;
        }
        if (exists(target) && !freed.count(upper(target))) {
            fail(*f, u"the new name is taken");
            continue;
        }
        freed.insert(upper(source));
        renamedTo[upper(source)] = toWide(f->newName);
        shellMoves.push_back(f);
        from += source + L'\0';
        to += target + L'\0';
    }

    if (!shellMoves.empty()) {
        from += L'\0';
        to += L'\0';
        SHFILEOPSTRUCTW op{};
        op.hwnd = static_cast<HWND>(owner);
        op.wFunc = FO_MOVE;
        op.pFrom = from.c_str();
        op.pTo = to.c_str();
        op.fFlags = FOF_MULTIDESTFILES | FOF_ALLOWUNDO;
        SHFileOperationW(&op);
        // The shell has shown its own errors; keep a list for a command line.
        for (const FileRecord* f : shellMoves) {
            const std::wstring folder = resolveFolder(toWide(f->folder->path), renamedTo);
            if (!exists(folder + toWide(f->newName)) &&
                !exists(toWide(f->folder->path + f->newName)))
                fail(*f, u"the shell did not rename it");
        }
    }

    const std::wstring unique = L".~mr-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (size_t i = 0; i < caseMoves.size(); ++i) {
        const FileRecord& f = *caseMoves[i];
        std::wstring folder = resolveFolder(toWide(f.folder->path), renamedTo);
        if (!exists(folder + toWide(f.name)))
            folder = toWide(f.folder->path);
        const std::wstring source = folder + toWide(f.name);
        const std::wstring target = folder + toWide(f.newName);
        const std::wstring temp = folder + unique + std::to_wstring(i);
        if (!MoveFileW(source.c_str(), temp.c_str())) {
            fail(f, u"the case of the name could not be changed");
            continue;
        }
        if (!MoveFileW(temp.c_str(), target.c_str())) {
            MoveFileW(temp.c_str(), source.c_str());
            fail(f, u"the case of the name could not be changed");
            continue;
        }
        if (storedName(target) != toWide(f.newName))
            fail(f, u"the folder did not take the new spelling");
    }
}

std::unique_ptr<Mover> makePlatformMover() {
    return std::make_unique<RenameProgressDlg>();
}

} // namespace mr
