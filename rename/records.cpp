#include "rename/records.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <map>
#include <numeric>
#include <optional>
#include <utility>

namespace mr {
namespace {

// The key of a folder path. Each name in the path folds as the keys of the folder
// holding it do: every name under rules that ignore case, else the names held by a
// folder that ignores case (`foldsCaseAt` answers for a folder path).
template <class FoldsCaseAt>
std::u16string folderKey(const NameRules& rules, std::u16string_view path,
                         FoldsCaseAt&& foldsCaseAt) {
    if (rules.foldCase)
        return makeKey(path, true);
    std::u16string key(path);
    for (size_t start = 0; start < path.size();) {
        const size_t end = std::min(path.find(rules.separator, start), path.size());
        if (end > start && foldsCaseAt(path.substr(0, start)))
            for (size_t k = start; k < end; ++k)
                key[k] = upperKeyChar(key[k]);
        start = end + 1;
    }
    return key;
}

FolderRecord& findOrAddKeyed(RecordSet& set, std::u16string_view folderPath, std::u16string key) {
    auto it = set.folders.find(key);
    if (it != set.folders.end())
        return *it->second;
    auto folder = std::make_unique<FolderRecord>();
    folder->pathKey = key;
    folder->path = std::u16string(folderPath);
    folder->foldCase = set.rules.foldCase;
    folder->lengthInBytes = set.rules.lengthInBytes;
    folder->deviceNames = set.rules.deviceNames();
    auto& ref = *folder;
    set.folders.emplace(std::move(key), std::move(folder));
    return ref;
}

template <class Files>
auto findKey(Files& files, std::u16string_view key) -> decltype(&files[0]) {
    auto it =
        std::lower_bound(files.begin(), files.end(), key,
                         [](const FileRecord& f, std::u16string_view k) { return f.key() < k; });
    if (it == files.end() || it->key() != key)
        return nullptr;
    return &*it;
}

// Keys of a folder's entries, kept only where they differ from the names: where keys
// are exact, a large folder then holds each name once.
class EntryKeys {
public:
    EntryKeys(const std::vector<DirEntry>& entries, bool foldCase) : entries_(entries) {
        if (!foldCase)
            return;
        folded_.resize(entries.size());
        for (size_t i = 0; i < entries.size(); ++i)
            if (std::u16string key = makeKey(entries[i].name, true); key != entries[i].name)
                folded_[i] = std::move(key);
    }
    std::u16string_view operator[](size_t i) const {
        return folded_.empty() || folded_[i].empty() ? std::u16string_view(entries_[i].name)
                                                     : std::u16string_view(folded_[i]);
    }
    // The key where it differs from the name, else empty.
    std::u16string take(size_t i) {
        return folded_.empty() ? std::u16string() : std::move(folded_[i]);
    }

private:
    const std::vector<DirEntry>& entries_;
    std::vector<std::u16string> folded_;
};

// Entry positions in key order; on equal keys the entry listed first comes first. Some
// file systems list in key order or in its reverse, which needs no sort.
void sortByKey(std::vector<uint32_t>& order, const EntryKeys& keys) {
    std::iota(order.begin(), order.end(), 0U);
    auto before = [&](uint32_t a, uint32_t b) {
        const int c = keys[a].compare(keys[b]);
        return c < 0 || (c == 0 && a < b);
    };
    auto descending = [&](uint32_t a, uint32_t b) { return keys[a] > keys[b]; };
    if (std::adjacent_find(order.begin(), order.end(), std::not_fn(descending)) == order.end())
        std::reverse(order.begin(), order.end());
    else if (!std::is_sorted(order.begin(), order.end(), before))
        std::sort(order.begin(), order.end(), before);
}

bool hasCaseTwins(const std::vector<uint32_t>& order, const EntryKeys& keys,
                  const std::vector<DirEntry>& entries) {
    for (size_t k = 1; k < order.size(); ++k)
        if (keys[order[k]] == keys[order[k - 1]] &&
            entries[order[k]].name != entries[order[k - 1]].name)
            return true;
    return false;
}

// One file found under two paths (hard links, or a folder reached twice that the paths
// could not show as one) counts once: the first path that found it. An open-addressing
// table of (volume, id) keeps this free of allocations per file.
void unlistRepeatedFiles(const std::vector<FileRecord*>& found) {
    const size_t capacity = std::bit_ceil(2 * found.size());
    std::vector<std::pair<uint64_t, uint64_t>> seen(capacity); // id 0: a free slot
    for (FileRecord* file : found) {
        const std::pair key(file->folder->volume, file->fileId);
        const uint64_t mix =
            (key.second ^ (key.first * 0x9E3779B97F4A7C15ULL)) * 0xBF58476D1CE4E5B9ULL;
        size_t slot = (mix ^ (mix >> 31)) & (capacity - 1);
        while (seen[slot].second && seen[slot] != key)
            slot = (slot + 1) & (capacity - 1);
        if (seen[slot].second)
            file->hidden = true;
        else
            seen[slot] = key;
    }
}

} // namespace

size_t RecordSet::fileCount() const {
    size_t n = 0;
    for (const auto& [key, folder] : folders)
        n += folder->files ? folder->files->size() : 0;
    return n;
}

FolderRecord& findOrAddFolder(RecordSet& set, std::u16string_view folderPath) {
    return findOrAddKeyed(set, folderPath, makeKey(folderPath, set.rules.foldCase));
}

void scanFolder(FolderRecord& folder, const NameRules& rules, FileSystem& fs) {
    folder.renameOrder.clear();
    folder.detailsSource = nullptr;
    std::vector<DirEntry> entries;
    if (auto listing = fs.listFolder(folder.path)) {
        folder.foldCase = rules.foldCase || listing->caseInsensitive;
        folder.volume = listing->volume;
        entries = std::move(listing->entries);
        if (listing->detailsPending)
            folder.detailsSource = &fs;
    }
    std::erase_if(entries, [](const DirEntry& e) {
        return e.isDirectory && (e.name == u"." || e.name == u"..");
    });
    std::optional<EntryKeys> keys(std::in_place, entries, folder.foldCase);
    // Records are large: the entries' order is sorted as indices and each record is
    // made once, in place. On equal keys the entry listed first stays.
    std::vector<uint32_t> order(entries.size());
    sortByKey(order, *keys);
    // A folder that holds two names differing only in case tells them apart (a Linux
    // folder under Wine): its keys are the names as they are, or one of the two files
    // could never be listed and the other would be renamed in its place.
    if (folder.foldCase && hasCaseTwins(order, *keys, entries)) {
        folder.foldCase = false;
        keys.emplace(entries, false);
        sortByKey(order, *keys);
    }
    std::vector<FileRecord> files;
    files.reserve(entries.size());
    std::vector<std::u16string> folded;
    if (folder.foldCase)
        folded.reserve(entries.size());
    std::u16string_view last; // the key of the last record made
    for (uint32_t i : order) {
        if (!files.empty() && last == (*keys)[i])
            continue;
        DirEntry& entry = entries[i];
        FileRecord& file = files.emplace_back();
        if (std::u16string key = keys->take(i); !key.empty()) {
            folded.resize(files.size());
            folded.back() = std::move(key);
        }
        file.name = std::move(entry.name);
        last = folded.size() == files.size() && !folded.back().empty()
                   ? std::u16string_view(folded.back())
                   : std::u16string_view(file.name);
        file.lastWriteTime = entry.lastWriteTime;
        file.creationTime = entry.creationTime;
        file.size = entry.size;
        file.fileId = entry.fileId;
        file.folder = &folder;
    }
    if (!folded.empty())
        folded.resize(files.size());
    folder.foldedKeys = std::move(folded);
    folder.files = std::move(files);
}

void readFileDetails(RecordSet& set) {
    std::vector<std::u16string_view> names;
    for (auto& [key, folder] : set.folders) {
        if (!folder->detailsSource || !folder->files)
            continue;
        names.clear();
        for (const FileRecord& file : *folder->files)
            names.push_back(file.name);
        const std::vector<FileDetails> details =
            folder->detailsSource->readDetails(folder->path, names);
        for (size_t i = 0; i < details.size() && i < folder->files->size(); ++i) {
            FileRecord& file = (*folder->files)[i];
            file.lastWriteTime = details[i].lastWriteTime;
            file.creationTime = details[i].creationTime;
            file.size = details[i].size;
        }
        folder->detailsSource = nullptr;
    }
}

const FileRecord* findFile(const FolderRecord& folder, std::u16string_view name) {
    if (!folder.files)
        return nullptr;
    return findKey(*folder.files, makeKey(name, folder.foldCase));
}

FileRecord* findFile(FolderRecord& folder, std::u16string_view name) {
    return const_cast<FileRecord*>(findFile(std::as_const(folder), name));
}

bool fillRecordSet(RecordSet& set, const std::vector<std::u16string>& paths, FileSystem& fs,
                   std::vector<bool>* foundEach) {
    const char16_t separator = set.rules.separator;
    return fillRecordSet(
        set, paths.size(),
        [&](size_t i) {
            const std::u16string_view path = paths[i];
            const size_t cut = path.rfind(separator);
            if (cut == std::u16string_view::npos)
                return SplitPath{{}, path};
            return SplitPath{path.substr(0, cut + 1), path.substr(cut + 1)};
        },
        fs, foundEach);
}

bool fillRecordSet(RecordSet& set, size_t count, const std::function<SplitPath(size_t)>& pathAt,
                   FileSystem& fs, std::vector<bool>* foundEach) {
    bool found = false;
    if (foundEach)
        foundEach->assign(count, false);
    // Where keys are exact, a folder path asks the file system which of the folders
    // on its way ignore case: once per spelling, and once per folder asked about.
    std::map<std::u16string, bool, std::less<>> folds;
    auto foldsCaseAt = [&](std::u16string_view folderPath) {
        auto it = folds.find(folderPath);
        if (it == folds.end()) {
            std::u16string path(folderPath);
            const bool answer = fs.foldsCase(path);
            it = folds.emplace(std::move(path), answer).first;
        }
        return it->second;
    };
    std::map<std::u16string, FolderRecord*, std::less<>> spellings;
    auto folderOf = [&](std::u16string_view folderPath) -> FolderRecord& {
        auto it = spellings.find(folderPath);
        if (it == spellings.end()) {
            FolderRecord& folder =
                findOrAddKeyed(set, folderPath, folderKey(set.rules, folderPath, foldsCaseAt));
            it = spellings.emplace(std::u16string(folderPath), &folder).first;
        }
        return *it->second;
    };
    FolderRecord* current = nullptr;
    FileRecord* previous = nullptr;
    std::u16string key;
    std::vector<FileRecord*> foundWithId; // in path order
    for (size_t i = 0; i < count; ++i) {
        const auto [folderPath, name] = pathAt(i);
        const size_t length = folderPath.size() + name.size();
        if (length == 0 || length >= set.rules.maxPath) // empty: names nothing usable
            continue;
        if (!folderPath.empty()) {
            // Paths of one folder mostly come together.
            if (!current || current->path != folderPath)
                current = &folderOf(folderPath);
        } else if (!current) {
            auto cwd = fs.workingDirectory();
            if (!cwd || cwd->size() >= set.rules.maxPath)
                continue;
            if (!cwd->empty() && cwd->back() != set.rules.separator)
                *cwd += set.rules.separator;
            current = &folderOf(*cwd);
        }
        if (!current->files)
            scanFolder(*current, set.rules, fs);
        // Paths mostly come in the records' own order (a sorted selection, a shell's
        // glob): the record after the last one found is tried first.
        assignKey(key, name, current->foldCase);
        std::vector<FileRecord>& files = *current->files;
        FileRecord* file = nullptr;
        if (previous && previous->folder == current &&
            previous + 1 != files.data() + files.size() && previous[1].key() == key)
            file = previous + 1;
        else
            file = findKey(files, key);
        if (file) {
            if (file->hidden && file->fileId)
                foundWithId.push_back(file);
            file->hidden = false;
            found = true;
            previous = file;
            if (foundEach)
                (*foundEach)[i] = true;
        }
    }
    if (foundWithId.size() > 1)
        unlistRepeatedFiles(foundWithId);
    return found;
}

void clearRecordSet(RecordSet& set) {
    set.folders.clear();
}

} // namespace mr
