#include "platform/win32/move_guard.h"

#include "platform/win32/move_paths.h"
#include "rename/messages.h"
#include "rename/name_rules.h"
#include "seams/file_system.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace mr {
namespace {

constexpr size_t kStays = std::numeric_limits<size_t>::max();

// One name of a folder: an entry as listed now, or the target of a move.
struct Name {
    std::u16string_view text;
    size_t move; // the move that takes it (a target) or frees it (an entry); kStays
    bool target;
};

// Each source must be the entry the list showed, and the only one Windows shows under
// its name. With its id checked, an entry of the source's exact name is the moved file
// itself; comparing ids alone would take a hard link of it for the file.
void checkSources(const std::vector<FileRecord*>& files, const std::vector<size_t>& moves,
                  const std::optional<FolderListing>& listing, std::vector<uint32_t>& reasons) {
    std::unordered_map<std::u16string_view, const DirEntry*> now; // null: listed twice
    if (listing)
        for (const DirEntry& e : listing->entries)
            if (auto [at, fresh] = now.emplace(e.name, &e); !fresh)
                at->second = nullptr;
    for (size_t i : moves) {
        const FileRecord& f = *files[i];
        const auto it = now.find(f.name);
        uint32_t reason = 0;
        if (it == now.end())
            reason = IDS_REASON_SOURCE_GONE;
        else if (!it->second)
            reason = IDS_REASON_AMBIGUOUS_NAME;
        else if (it->second->fileId && f.fileId && it->second->fileId != f.fileId)
            reason = IDS_REASON_SOURCE_REPLACED;
        if (reason && !reasons[i])
            reasons[i] = reason;
    }
}

int utf8Bytes(std::u16string_view name) {
    return WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(name.data()),
                               static_cast<int>(name.size()), nullptr, 0, nullptr, nullptr);
}

// Marks the refused moves of one folder; `moves` are list positions in list order.
void checkFolder(const std::vector<FileRecord*>& files, const std::vector<size_t>& moves,
                 std::vector<uint32_t>& reasons) {
    const FolderRecord& folder = *files[moves.front()]->folder;
    const std::optional<FolderListing> listing = platformFileSystem().listFolder(folder.path);
    std::unordered_map<std::u16string_view, size_t> freedBy; // exact source name -> move
    for (size_t i : moves)
        freedBy.emplace(files[i]->name, i);
    checkSources(files, moves, listing, reasons);
    std::vector<Name> names;
    names.reserve(moves.size() + (listing ? listing->entries.size() : 0));
    if (listing)
        for (const DirEntry& e : listing->entries) {
            const auto it = freedBy.find(e.name);
            names.push_back({e.name, it == freedBy.end() ? kStays : it->second, false});
        }
    for (size_t i : moves)
        names.push_back({files[i]->newName, i, true});
    std::stable_sort(names.begin(), names.end(), [](const Name& a, const Name& b) {
        return compareAsFileSystem(a.text, b.text) == CSTR_LESS_THAN;
    });
    for (size_t start = 0, end; start < names.size(); start = end) {
        size_t targets = 0, target = 0;
        for (end = start; end < names.size() &&
                          compareAsFileSystem(names[start].text, names[end].text) == CSTR_EQUAL;
             ++end)
            if (names[end].target) {
                ++targets;
                target = names[end].move;
            }
        if (targets > 1) {
            for (size_t k = start; k < end; ++k)
                if (names[k].target && !reasons[names[k].move])
                    reasons[names[k].move] = IDS_REASON_SAME_NAME;
            continue;
        }
        if (targets == 0 || reasons[target])
            continue;
        // An entry of that name is fine when it is the file itself (a change of case)
        // or moves away before the target is taken.
        for (size_t k = start; k < end; ++k)
            if (!names[k].target && (names[k].move == kStays || names[k].move > target))
                reasons[target] = IDS_REASON_EXISTS;
    }
}

} // namespace

int compareAsFileSystem(std::u16string_view a, std::u16string_view b) {
    return CompareStringOrdinal(
        reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
        reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()), TRUE);
}

std::vector<RenameFailure> refusedMoves(const std::vector<FileRecord*>& files) {
    std::vector<uint32_t> reasons(files.size(), 0);
    std::vector<const FolderRecord*> folders;
    std::unordered_map<const FolderRecord*, std::vector<size_t>> movesOf;
    for (size_t i = 0; i < files.size(); ++i) {
        const FileRecord& f = *files[i];
        if (f.newName.find(u'\0') != std::u16string::npos) {
            reasons[i] = IDS_REASON_NUL;
            continue;
        }
        if (runningUnderWine() && static_cast<size_t>(utf8Bytes(f.newName)) > kMaxNameLength)
            reasons[i] = IDS_REASON_TOO_LONG_FOR_LINUX;
        auto& moves = movesOf[f.folder];
        if (moves.empty())
            folders.push_back(f.folder);
        moves.push_back(i);
    }
    for (const FolderRecord* folder : folders)
        checkFolder(files, movesOf[folder], reasons);
    std::vector<RenameFailure> refused;
    for (size_t i = 0; i < files.size(); ++i)
        if (reasons[i]) {
            const FileRecord& f = *files[i];
            refused.push_back({f.folder->path + f.name, f.folder->path + f.newName,
                               std::u16string(moduleString(reasons[i]))});
        }
    return refused;
}

} // namespace mr
