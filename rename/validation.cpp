#include "rename/validation.h"

#include "rename/device_names.h"
#include "rename/messages.h"
#include "text/number_text.h"
#include "text/two_halves.h"
#include "text/utf8.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <string_view>

namespace mr {
namespace {

constexpr uint32_t kNone = static_cast<uint32_t>(-1);

// Position of the entry whose key equals the given one, or kNone. A renumbered series
// mostly moves a file onto its neighbour in key order, so the neighbours of the file
// at `near` are tried before the search.
uint32_t findIndex(const std::vector<FileRecord>& files, std::u16string_view key, size_t near) {
    for (size_t k : {near + 1, near - 1})
        if (k < files.size() && files[k].key() == key)
            return static_cast<uint32_t>(k);
    auto it =
        std::lower_bound(files.begin(), files.end(), key,
                         [](const FileRecord& f, std::u16string_view k) { return f.key() < k; });
    if (it == files.end() || it->key() != key)
        return kNone;
    return static_cast<uint32_t>(it - files.begin());
}

// The keys of the files' new names, side by side in one buffer: no allocation per file.
// Each half of the folder fills its own part of the buffer.
class NewKeys {
public:
    NewKeys(const FolderRecord& folder, bool (*wanted)(const FileRecord&)) {
        const auto& files = *folder.files;
        start_.assign(files.size() + 1, 0);
        forTwoHalves(files.size(), [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i)
                if (wanted(files[i]))
                    start_[i + 1] = static_cast<uint32_t>(files[i].newName.size());
        });
        for (size_t i = 0; i < files.size(); ++i)
            start_[i + 1] += start_[i];
        chars_.resize(start_.back());
        forTwoHalves(files.size(), [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                if (start_[i] == start_[i + 1])
                    continue;
                char16_t* const at = chars_.data() + start_[i];
                std::copy(files[i].newName.begin(), files[i].newName.end(), at);
                if (folder.foldCase)
                    foldKey(at, chars_.data() + start_[i + 1]);
            }
        });
    }
    std::u16string_view operator[](size_t i) const {
        return std::u16string_view(chars_).substr(start_[i], start_[i + 1] - start_[i]);
    }

private:
    std::u16string chars_;
    std::vector<uint32_t> start_;
};

// Longer than a name may be: 255 UTF-16 units, or 255 bytes where names are stored as
// UTF-8. A unit takes one to three bytes (a pair four), so only middling names are
// counted.
bool tooLong(std::u16string_view name, bool inBytes) {
    if (name.size() > kMaxNameLength)
        return true;
    return inBytes && name.size() * 3 > kMaxNameLength && utf8Length(name) > kMaxNameLength;
}

bool keepsItsName(const FileRecord& file) {
    return !file.takesPart || file.newName == file.name;
}

// A file waits for the entry holding its new name until that entry is planned. Planning
// walks the folder in key order again and again, so a file is planned in the walk of
// its entry when it comes after that entry in key order, else in the next walk. Files
// that are ready from the start form walk 1; everything waiting on a ring never gets
// a walk. Sorting the planned files by (walk, key position) gives the walks' order
// without repeating them.
void planWithTargets(FolderRecord& folder, const std::vector<uint32_t>& targets) {
    folder.renameOrder.clear();
    if (!folder.files)
        return;
    auto& files = *folder.files;
    const uint32_t n = static_cast<uint32_t>(files.size());

    std::vector<uint32_t> waitsOn(n, kNone);
    std::vector<uint32_t> firstWaiter(n + 1, 0); // waiters of entry t: [first[t], first[t+1])
    std::vector<uint32_t> walk(n, 0);
    std::vector<uint32_t> queue;
    queue.reserve(n);
    forTwoHalves(n, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            if (files[i].status != FileStatus::Pending)
                continue;
            const uint32_t t = targets[i];
            if (t == kNone || t == i || files[t].status != FileStatus::Pending)
                walk[i] = 1;
            else
                waitsOn[i] = t;
        }
    });
    for (uint32_t i = 0; i < n; ++i) {
        if (walk[i])
            queue.push_back(i);
        else if (waitsOn[i] != kNone)
            ++firstWaiter[waitsOn[i]];
    }
    for (uint32_t i = 0; i < n; ++i)
        firstWaiter[i + 1] += firstWaiter[i];
    // Filling from the back turns each end offset into the start offset.
    std::vector<uint32_t> waiters(firstWaiter[n]);
    for (uint32_t i = n; i-- > 0;)
        if (waitsOn[i] != kNone)
            waiters[--firstWaiter[waitsOn[i]]] = i;
    uint32_t maxWalk = 0;
    for (size_t q = 0; q < queue.size(); ++q) {
        const uint32_t p = queue[q];
        maxWalk = std::max(maxWalk, walk[p]);
        for (uint32_t k = firstWaiter[p]; k < firstWaiter[p + 1]; ++k) {
            const uint32_t c = waiters[k];
            walk[c] = walk[p] + (c < p ? 1 : 0);
            queue.push_back(c);
        }
    }

    // Counting sort by walk; positions ascend within each walk.
    std::vector<uint32_t> start(maxWalk + 2, 0);
    for (uint32_t i = 0; i < n; ++i)
        if (walk[i])
            ++start[walk[i] + 1];
    for (uint32_t w = 1; w <= maxWalk; ++w)
        start[w + 1] += start[w];
    folder.renameOrder.resize(queue.size());
    for (uint32_t i = 0; i < n; ++i)
        if (walk[i])
            folder.renameOrder[start[walk[i]]++] = &files[i];

    forTwoHalves(n, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i)
            if (files[i].status == FileStatus::Pending)
                files[i].status = walk[i] ? FileStatus::Good : FileStatus::Exists;
    });
}

} // namespace

void validateFolder(FolderRecord& folder) {
    if (!folder.files) {
        folder.renameOrder.clear();
        return;
    }
    auto& files = *folder.files;
    const size_t n = files.size();
    std::vector<uint32_t> targets(n, kNone);
    const NewKeys newKeys(folder, [](const FileRecord& f) { return f.takesPart; });
    const std::hash<std::u16string_view> hash;
    std::vector<size_t> hashes(n);
    std::vector<uint8_t> takesPart(n, 0); // the records, read again, would not fit a cache

    // Each file alone against the rules and the old names: a file writes only its own
    // status, target and hash.
    forTwoHalves(n, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            FileRecord& file = files[i];
            if (!file.takesPart) {
                file.status = FileStatus::Good;
                continue;
            }
            takesPart[i] = 1;
            hashes[i] = hash(newKeys[i]);
            const std::u16string& nn = file.newName;
            if (nn.empty())
                file.status = FileStatus::Empty;
            else if (nn == file.name)
                file.status = FileStatus::Unchanged;
            else if (tooLong(nn, folder.lengthInBytes))
                file.status = FileStatus::TooLong;
            else if (nn.front() == u' ' || nn.back() == u' ' || nn.back() == u'.')
                file.status = FileStatus::SpaceOrPeriod;
            else if (folder.deviceNames && isDeviceName(nn))
                file.status = FileStatus::InvalidChars;
            else {
                file.status = FileStatus::Pending;
                targets[i] = findIndex(files, newKeys[i], i);
                if (targets[i] != kNone && targets[i] != i && keepsItsName(files[targets[i]]))
                    file.status = FileStatus::Exists;
            }
        }
    });

    // Duplicates: the first file of a name stands for it; later ones mark both. An
    // open-addressing table of positions keeps this free of allocations per file.
    const size_t capacity = std::bit_ceil(2 * n + 1);
    std::vector<uint32_t> firstWithName(capacity, kNone);
    for (uint32_t i = 0; i < n; ++i) {
        if (!takesPart[i])
            continue;
        size_t slot = hashes[i] & (capacity - 1);
        while (firstWithName[slot] != kNone && newKeys[firstWithName[slot]] != newKeys[i])
            slot = (slot + 1) & (capacity - 1);
        if (firstWithName[slot] == kNone) {
            firstWithName[slot] = i;
            continue;
        }
        FileRecord& first = files[firstWithName[slot]];
        if (first.status == FileStatus::Pending)
            first.status = FileStatus::Duplicate;
        if (files[i].status == FileStatus::Pending)
            files[i].status = FileStatus::Duplicate;
    }

    planWithTargets(folder, targets);
}

void validateAll(RecordSet& set) {
    for (auto& [key, folder] : set.folders)
        validateFolder(*folder);
}

void planFolderRenames(FolderRecord& folder) {
    std::vector<uint32_t> targets;
    if (folder.files) {
        auto& files = *folder.files;
        targets.assign(files.size(), kNone);
        const NewKeys newKeys(folder,
                              [](const FileRecord& f) { return f.status == FileStatus::Pending; });
        for (size_t i = 0; i < files.size(); ++i)
            if (files[i].status == FileStatus::Pending)
                targets[i] = findIndex(files, newKeys[i], i);
    }
    planWithTargets(folder, targets);
}

void summarize(RecordSet& set) {
    set.summaryStatus = FileStatus::Good;
    set.anyChange = false;
    for (const auto& [key, folder] : set.folders) {
        FileStatus verdict = FileStatus::Good;
        if (folder->files) {
            for (const auto& file : *folder->files) {
                if (!file.takesPart)
                    continue;
                if (file.status != FileStatus::Unchanged)
                    set.anyChange = true;
                if (file.status == FileStatus::Good || file.status == FileStatus::Unchanged)
                    continue;
                if (verdict == FileStatus::Good) {
                    verdict = file.status;
                } else if (verdict != file.status) {
                    verdict = FileStatus::Pending;
                    break;
                }
            }
        }
        if (set.summaryStatus == FileStatus::Good)
            set.summaryStatus = verdict;
        else if (verdict != FileStatus::Good && verdict != set.summaryStatus)
            set.summaryStatus = FileStatus::Pending;
    }
}

ProblemCounts countProblems(const RecordSet& set) {
    ProblemCounts counts{};
    set.forEachFile([&](const FileRecord& file) {
        const auto s = static_cast<uint32_t>(file.status);
        if (file.takesPart && s >= 4 && s <= 9)
            ++counts[s - 4];
    });
    return counts;
}

void appendProblemLine(std::u16string& message, int64_t count, uint32_t singularId) {
    if (count <= 0)
        return;
    message += u"\r\n";
    message += signedDecimalText(count);
    message += u' ';
    message += moduleString(count == 1 ? singularId : singularId + 1);
    if (singularId == IDS_SPACE_OR_PERIOD_ONE) {
        message += u' ';
        message += moduleString(IDS_SPACE_OR_PERIOD);
    } else if (singularId == IDS_INVALID_CHARS_ONE) {
        message += u' ';
        message += moduleString(IDS_FORBIDDEN_CHARACTERS);
    }
}

RenameDecision decideRename(RecordSet& set) {
    static constexpr uint32_t kSingular[6] = {IDS_SAME_NAME_ONE,  IDS_EXISTING_NAME_ONE,
                                              IDS_EMPTY_NAME_ONE, IDS_SPACE_OR_PERIOD_ONE,
                                              IDS_TOO_LONG_ONE,   IDS_INVALID_CHARS_ONE};
    summarize(set);
    RenameDecision decision;
    if (set.summaryStatus != FileStatus::Good) {
        decision.action = RenameDecision::Action::ShowProblems;
        decision.messageId = IDS_UNABLE_TO_RENAME;
        decision.message = moduleString(IDS_UNABLE_TO_RENAME);
        decision.icon = MessageIcon::Exclamation;
        const ProblemCounts counts = countProblems(set);
        for (size_t k = 0; k < counts.size(); ++k)
            appendProblemLine(decision.message, counts[k], kSingular[k]);
    } else if (!set.anyChange) {
        decision.action = RenameDecision::Action::NoChange;
        decision.messageId = IDS_NO_CHANGES;
        decision.message = moduleString(IDS_NO_CHANGES);
        decision.icon = MessageIcon::Information;
    }
    return decision;
}

} // namespace mr
