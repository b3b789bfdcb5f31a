#include "rename/records.h"

#include <algorithm>
#include <utility>

namespace mr {
namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Boolean wildcard matching in polynomial time. '*' may take any run, '#' takes a
// whole digit run and never gives digits back, '\' makes the next character literal.
// Only stars branch; a star that failed from text position t fails from every later
// position too, so each star remembers the earliest position it failed from.
class WildcardMatcher {
public:
    // failFrom is scratch space of the caller's, so that matching many names against one
    // pattern allocates once.
    WildcardMatcher(std::u16string_view pattern, std::u16string_view text,
                    std::vector<size_t>& failFrom)
        : p_(pattern), t_(text), failFrom_(failFrom) {
        failFrom_.assign(pattern.size(), kUnknown);
    }

    bool run(size_t pi, size_t ti) {
        for (;;) {
            if (ti == t_.size()) {
                while (pi < p_.size() && p_[pi] == u'*')
                    ++pi;
                return pi == p_.size();
            }
            if (pi == p_.size())
                return false;
            switch (p_[pi]) {
            case u'*':
                return pi + 1 == p_.size() || star(pi, ti);
            case u'#':
                if (!isDigit(t_[ti]))
                    return false;
                while (ti < t_.size() && isDigit(t_[ti]))
                    ++ti;
                ++pi;
                break;
            case u'\\':
                if (pi + 1 == p_.size() || p_[pi + 1] != t_[ti])
                    return false;
                pi += 2;
                ++ti;
                break;
            default:
                if (p_[pi] != t_[ti])
                    return false;
                ++pi;
                ++ti;
                break;
            }
        }
    }

private:
    static constexpr size_t kUnknown = static_cast<size_t>(-1);

    bool star(size_t pi, size_t ti) {
        const size_t stop = std::min(failFrom_[pi], t_.size());
        for (size_t k = ti; k < stop; ++k)
            if (run(pi + 1, k))
                return true;
        failFrom_[pi] = std::min(failFrom_[pi], ti);
        return false;
    }

    std::u16string_view p_, t_;
    std::vector<size_t>& failFrom_;
};

bool keyLess(const FileRecord& a, const FileRecord& b) {
    return a.nameKey < b.nameKey;
}

// makeKey into a buffer that is reused from name to name.
void assignKey(std::u16string& key, std::u16string_view text, bool foldCase) {
    key.assign(text);
    if (foldCase)
        for (auto& c : key)
            c = upperKeyChar(c);
}

const FileRecord* findByKey(const FolderRecord& folder, const std::u16string& key) {
    if (!folder.files)
        return nullptr;
    auto it = std::lower_bound(
        folder.files->begin(), folder.files->end(), key,
        [](const FileRecord& f, const std::u16string& k) { return f.nameKey < k; });
    if (it == folder.files->end() || it->nameKey != key)
        return nullptr;
    return &*it;
}

} // namespace

size_t RecordSet::fileCount() const {
    size_t n = 0;
    for (const auto& [key, folder] : folders)
        n += folder->files ? folder->files->size() : 0;
    return n;
}

FolderRecord& findOrAddFolder(RecordSet& set, std::u16string_view folderPath) {
    std::u16string key = makeKey(folderPath, set.rules.foldCase);
    auto it = set.folders.find(key);
    if (it != set.folders.end())
        return *it->second;
    auto folder = std::make_unique<FolderRecord>();
    folder->pathKey = key;
    folder->path = std::u16string(folderPath);
    folder->foldCase = set.rules.foldCase;
    auto& ref = *folder;
    set.folders.emplace(std::move(key), std::move(folder));
    return ref;
}

void scanFolder(FolderRecord& folder, const NameRules& rules, FileSystem& fs) {
    folder.renameOrder.clear();
    std::vector<FileRecord> files;
    if (auto listing = fs.listFolder(folder.path)) {
        folder.foldCase = rules.foldCase || listing->caseInsensitive;
        files.reserve(listing->entries.size());
        for (auto& entry : listing->entries) {
            if (entry.isDirectory && (entry.name == u"." || entry.name == u".."))
                continue;
            FileRecord& file = files.emplace_back();
            file.nameKey = makeKey(entry.name, folder.foldCase);
            file.name = std::move(entry.name);
            file.lastWriteTime = entry.lastWriteTime;
            file.creationTime = entry.creationTime;
            file.size = entry.size;
        }
    }
    // On equal keys the entry listed first stays.
    std::stable_sort(files.begin(), files.end(), keyLess);
    files.erase(std::unique(files.begin(), files.end(),
                            [](const FileRecord& a, const FileRecord& b) {
                                return a.nameKey == b.nameKey;
                            }),
                files.end());
    folder.files = std::move(files);
    for (auto& file : *folder.files)
        file.folder = &folder;
}

const FileRecord* findFile(const FolderRecord& folder, std::u16string_view name) {
    return findByKey(folder, makeKey(name, folder.foldCase));
}

FileRecord* findFile(FolderRecord& folder, std::u16string_view name) {
    return const_cast<FileRecord*>(findFile(std::as_const(folder), name));
}

bool fillRecordSet(RecordSet& set, const std::vector<std::u16string>& paths, FileSystem& fs) {
    bool found = false;
    FolderRecord* current = nullptr;
    std::u16string key;
    for (const auto& path : paths) {
        if (path.size() >= set.rules.maxPath)
            continue;
        std::u16string_view name;
        const size_t cut = path.rfind(set.rules.separator);
        if (cut != std::u16string::npos) {
            const std::u16string_view folderPath = std::u16string_view(path).substr(0, cut + 1);
            // Paths mostly come folder by folder: the same spelling is the same folder.
            if (!current || current->path != folderPath)
                current = &findOrAddFolder(set, folderPath);
            name = std::u16string_view(path).substr(cut + 1);
        } else {
            name = path;
            if (!current) {
                auto cwd = fs.workingDirectory();
                if (!cwd || cwd->size() >= set.rules.maxPath)
                    continue;
                if (!cwd->empty() && cwd->back() != set.rules.separator)
                    *cwd += set.rules.separator;
                current = &findOrAddFolder(set, *cwd);
            }
        }
        if (!current->files)
            scanFolder(*current, set.rules, fs);
        assignKey(key, name, current->foldCase);
        if (auto* file = const_cast<FileRecord*>(findByKey(*current, key))) {
            file->hidden = false;
            found = true;
        }
    }
    return found;
}

bool markTakingPart(RecordSet& set, std::u16string_view patternText, bool includesExtension) {
    const std::u16string pattern = upperKey(patternText);
    std::u16string key;
    std::vector<size_t> failFrom;
    bool changed = false;
    set.forEachFile([&](FileRecord& file) {
        if (file.hidden)
            return;
        bool takes = true;
        if (!pattern.empty()) {
            std::u16string_view name = file.name;
            if (!includesExtension) {
                const size_t dot = name.rfind(u'.');
                if (dot != std::u16string_view::npos)
                    name = name.substr(0, dot);
            }
            assignKey(key, name, true);
            takes = WildcardMatcher(pattern, key, failFrom).run(0, 0);
        }
        changed |= takes != file.takesPart;
        file.takesPart = takes;
        if (!takes)
            file.newName.clear();
    });
    return changed;
}

bool wildcardMatch(std::u16string_view pattern, std::u16string_view text) {
    std::vector<size_t> failFrom;
    return WildcardMatcher(pattern, text, failFrom).run(0, 0);
}

void clearRecordSet(RecordSet& set) {
    set.folders.clear();
}

} // namespace mr
