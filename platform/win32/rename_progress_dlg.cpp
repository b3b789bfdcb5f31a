#include "platform/win32/rename_progress_dlg.h"

#include "platform/win32/module_message.h"
#include "platform/win32/move_guard.h"
#include "platform/win32/move_paths.h"
#include "platform/win32/move_progress_window.h"
#include "platform/win32/own_moves.h"
#include "platform/win32/wide.h"
#include "rename/messages.h"
#include "rename/name_rules.h"
#include "rename/records.h"
#include "text/keys.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <shellapi.h>
#include <unordered_map>

namespace mr {
namespace {

constexpr size_t kNamedInMessage = 20;

std::wstring upper(const std::wstring& s) {
    return toWide(upperKey(fromWide(s)));
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

// A name as a message shows it: a NUL would end the text.
std::u16string shown(std::u16string name) {
    for (char16_t& c : name)
        if (c == u'\0')
            c = u'\x2400';
    return name;
}

// One message naming the files: the heading, then a line per file, at most a screenful.
std::u16string listMessage(uint32_t heading, const std::vector<RenameFailure>& list) {
    std::u16string text(moduleString(heading));
    for (size_t i = 0; i < list.size() && i < kNamedInMessage; ++i) {
        const RenameFailure& f = list[i];
        text += u"\r\n";
        text += shown(f.from);
        text += u" -> ";
        text += shown(f.to.substr(f.to.rfind(u'\\') + 1));
        text += u": ";
        text += f.reason;
    }
    if (list.size() > kNamedInMessage) {
        text += u"\r\n" + countedString(IDS_AND_MORE, list.size() - kNamedInMessage);
    }
    return text;
}

// Whether the shell's operation could move the file into a folder instead of renaming
// it: its target is, when the operation starts, the name of another entry moved away
// earlier in the list, and one of the two is a folder. Wine's operation looks at every
// target before the first move and takes an existing folder as the place to move into.
bool chainThroughAFolder(const FileRecord& f) {
    const FileRecord* holder = findFile(*f.folder, f.newName);
    if (!holder || holder == &f)
        return false;
    const std::wstring folder = longFolderPath(toWide(f.folder->path));
    for (const FileRecord* entry : {holder, &f}) {
        const DWORD attributes = GetFileAttributesW((folder + toWide(entry->name)).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
    }
    return false;
}

} // namespace

void RenameProgressDlg::renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) {
    failures_.clear();
    cancelled_ = false;
    if (files.empty())
        return;
    HWND window = static_cast<HWND>(owner);
    failures_ = refusedMoves(files);
    if (!failures_.empty()) {
        if (window)
            showModuleMessage(window, listMessage(IDS_NAMES_REFUSED, failures_),
                              MessageIcon::Exclamation);
        return;
    }
    const bool underWine = runningUnderWine();
    MoveRoute route = options_.route;
    if (route == MoveRoute::Automatic)
        route = underWine ? MoveRoute::OneByOne : MoveRoute::Shell;
    // The shell's operation takes plain paths: what they would not reach exactly goes by
    // the module's own '\\?\' paths, and with it the whole list, to keep its order.
    const auto plain = [](const FileRecord* f) {
        return plainPathIsExact(f->folder->path, f->name) &&
               plainPathIsExact(f->folder->path, f->newName) && !chainThroughAFolder(*f);
    };
    if (route == MoveRoute::Shell && !std::all_of(files.begin(), files.end(), plain))
        route = MoveRoute::OneByOne;
    if (route == MoveRoute::Shell)
        renameWithShell(owner, files);
    else
        renameWithOwnMoves(owner, files, underWine);
    if (window && !failures_.empty())
        showModuleMessage(window, listMessage(IDS_NOT_RENAMED, failures_),
                          MessageIcon::Exclamation);
}

void RenameProgressDlg::renameWithOwnMoves(void* owner, const std::vector<FileRecord*>& files,
                                           bool underWine) {
    std::optional<MoveProgressWindow> window;
    if (owner)
        window.emplace(static_cast<HWND>(owner), files.size(), options_.progressAfterMs);
    const size_t done = renameOneByOne(
        files, underWine, [&](size_t d) { return !window || window->update(d); }, failures_);
    if (done < files.size()) {
        cancelled_ = true;
        if (window)
            window->showCancelled(done);
    }
}

void RenameProgressDlg::renameWithShell(void* owner, const std::vector<FileRecord*>& files) {
    auto fail = [&](const FileRecord& f, std::u16string_view reason) {
        failures_.push_back(
            {f.folder->path + f.name, f.folder->path + f.newName, std::u16string(reason)});
    };
    std::wstring from, to;
    std::unordered_map<std::wstring, std::wstring> renamedTo; // old full path -> new leaf
    std::vector<const FileRecord*> shellMoves, caseMoves;
    for (const FileRecord* f : files) {
        if (compareAsFileSystem(f->name, f->newName) == CSTR_EQUAL) {
            caseMoves.push_back(f);
            continue;
        }
        const std::wstring folder = toWide(f->folder->path);
        renamedTo[upper(folder + toWide(f->name))] = toWide(f->newName);
        shellMoves.push_back(f);
        from += folder + toWide(f->name) + L'\0';
        to += folder + toWide(f->newName) + L'\0';
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
        for (const FileRecord* f : shellMoves) {
            const std::wstring folder = resolveFolder(toWide(f->folder->path), renamedTo);
            if (!exists(folder + toWide(f->newName)) &&
                !exists(toWide(f->folder->path + f->newName)))
                fail(*f, moduleString(IDS_REASON_SHELL_FAILED));
        }
    }

    for (size_t i = 0; i < caseMoves.size(); ++i) {
        const FileRecord& f = *caseMoves[i];
        std::wstring folder = resolveFolder(toWide(f.folder->path), renamedTo);
        if (!exists(folder + toWide(f.name)))
            folder = toWide(f.folder->path);
        const std::u16string reason =
            changeCase(longFolderPath(folder), toWide(f.name), toWide(f.newName), temporaryName(i));
        if (!reason.empty())
            fail(f, reason);
    }
}

std::unique_ptr<Mover> makePlatformMover() {
    return std::make_unique<RenameProgressDlg>();
}

} // namespace mr
