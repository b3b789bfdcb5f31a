#include "rename/validation.h"

#include "rename/device_names.h"
#include "rename/messages.h"
#include "text/number_text.h"
#include "text/two_halves.h"
#include "text/utf8.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace mr {
namespace {

constexpr uint32_t kNone = static_cast<uint32_t>(-1);

// A key's hash, four units at a time.
uint32_t keyHash(std::u16string_view key) {
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ key.size();
    size_t i = 0;
    for (; i + 4 <= key.size(); i += 4) {
        uint64_t word;
        std::memcpy(&word, key.data() + i, sizeof word);
        h = std::rotl((h ^ word) * 0xFF51AFD7ED558CCDULL, 29);
    }
    for (; i < key.size(); ++i)
        h = std::rotl((h ^ key[i]) * 0xC4CEB9FE1A85EC53ULL, 17);
    // Mixed once more: the slots are picked by the low bits.
    h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDULL;
    h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53ULL;
    return static_cast<uint32_t>(h ^ (h >> 33));
}

// Position of the entry whose key equals the given one, or kNone, without an index: a
// renumbered series mostly moves a file onto its neighbour in key order, so the
// neighbours of the file at `near` are tried before the search.
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

// Slots for count keys: at most half of them taken, so that probes stay short.
size_t slotCount(size_t count) {
    return std::bit_ceil(2 * count + 1);
}

// The folder's old names by the hash of their keys: the position of the entry whose
// key equals a given one, found without a search through the sorted records.
class OldKeys {
public:
    void build(const std::vector<FileRecord>& files) {
        files_ = files.data();
        count_ = files.size();
        hashes_.resize(files.size());
        slots_.assign(slotCount(files.size()), kNone);
        const size_t mask = slots_.size() - 1;
        for (uint32_t i = 0; i < files.size(); ++i) {
            const uint32_t h = keyHash(files[i].key());
            hashes_[i] = h;
            size_t slot = h & mask;
            while (slots_[slot] != kNone)
                slot = (slot + 1) & mask;
            slots_[slot] = i;
        }
    }
    bool builtFor(const std::vector<FileRecord>& files) const {
        return files_ == files.data() && count_ == files.size();
    }
    // Asks for the slot's memory ahead of find, which then seldom waits for it.
    void prefetch(uint32_t h) const { __builtin_prefetch(&slots_[h & (slots_.size() - 1)]); }
    uint32_t find(std::u16string_view key, uint32_t h) const {
        const size_t mask = slots_.size() - 1;
        for (size_t slot = h & mask; slots_[slot] != kNone; slot = (slot + 1) & mask) {
            const uint32_t i = slots_[slot];
            if (hashes_[i] == h && files_[i].key() == key)
                return i;
        }
        return kNone;
    }

private:
    const FileRecord* files_ = nullptr;
    size_t count_ = 0;
    std::vector<uint32_t> slots_;
    std::vector<uint32_t> hashes_;
};

// The keys of the files' new names, each half of a folder in a buffer of its own: no
// allocation per file, and none at all once the buffers have grown.
class NewKeys {
public:
    // Stores the key of file i, called by the half that owns i.
    void put(size_t i, std::u16string_view name, bool foldCase) {
        std::u16string& chars = chars_[i < secondFrom_ ? 0 : 1];
        const size_t at = chars.size();
        chars.append(name);
        if (foldCase)
            foldKey(chars.data() + at, chars.data() + chars.size());
        begin_[i] = static_cast<uint32_t>(at);
        end_[i] = static_cast<uint32_t>(chars.size());
    }
    void reset(size_t count) {
        chars_[0].clear();
        chars_[1].clear();
        begin_.assign(count, 0);
        end_.assign(count, 0);
        secondFrom_ = count;
    }
    // Where the second half begins, told before either half puts a key.
    void split(size_t from) { secondFrom_ = from; }
    std::u16string_view operator[](size_t i) const {
        const std::u16string& chars = chars_[i < secondFrom_ ? 0 : 1];
        return std::u16string_view(chars).substr(begin_[i], end_[i] - begin_[i]);
    }

private:
    std::u16string chars_[2];
    std::vector<uint32_t> begin_, end_;
    size_t secondFrom_ = 0;
};

// The buffers of planning a folder's order, kept for their capacity.
struct PlanBuffers {
    std::vector<uint32_t> waitsOn, firstWaiter, walk, queue, waiters, start;
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
void planWithTargets(FolderRecord& folder, const std::vector<uint32_t>& targets, PlanBuffers& b,
                     HalvesThread* halves) {
    folder.renameOrder.clear();
    if (!folder.files)
        return;
    auto& files = *folder.files;
    const uint32_t n = static_cast<uint32_t>(files.size());

    std::vector<uint32_t>& waitsOn = b.waitsOn;
    std::vector<uint32_t>& firstWaiter = b.firstWaiter; // waiters of t: [first[t], first[t+1])
    std::vector<uint32_t>& walk = b.walk;
    std::vector<uint32_t>& queue = b.queue;
    waitsOn.assign(n, kNone);
    firstWaiter.assign(n + 1, 0);
    walk.assign(n, 0);
    queue.clear();
    queue.reserve(n);
    forTwoHalves(
        n,
        [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                if (files[i].status != FileStatus::Pending)
                    continue;
                const uint32_t t = targets[i];
                if (t == kNone || t == i || files[t].status != FileStatus::Pending)
                    walk[i] = 1;
                else
                    waitsOn[i] = t;
            }
        },
        halves);
    for (uint32_t i = 0; i < n; ++i) {
        if (walk[i])
            queue.push_back(i);
        else if (waitsOn[i] != kNone)
            ++firstWaiter[waitsOn[i]];
    }
    for (uint32_t i = 0; i < n; ++i)
        firstWaiter[i + 1] += firstWaiter[i];
    // Filling from the back turns each end offset into the start offset.
    std::vector<uint32_t>& waiters = b.waiters;
    waiters.resize(firstWaiter[n]);
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
    std::vector<uint32_t>& start = b.start;
    start.assign(maxWalk + 2, 0);
    for (uint32_t i = 0; i < n; ++i)
        if (walk[i])
            ++start[walk[i] + 1];
    for (uint32_t w = 1; w <= maxWalk; ++w)
        start[w + 1] += start[w];
    folder.renameOrder.resize(queue.size());
    for (uint32_t i = 0; i < n; ++i)
        if (walk[i])
            folder.renameOrder[start[walk[i]]++] = &files[i];

    forTwoHalves(
        n,
        [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i)
                if (files[i].status == FileStatus::Pending)
                    files[i].status = walk[i] ? FileStatus::Good : FileStatus::Exists;
        },
        halves);
}

} // namespace

namespace {

// The rules one file meets alone, and whether its new name is an old name (target).
void checkOwnName(FolderRecord& folder, size_t i, std::u16string_view key, uint32_t hash,
                  const OldKeys& oldKeys, uint32_t& target) {
    auto& files = *folder.files;
    FileRecord& file = files[i];
    if (!file.takesPart) {
        file.status = FileStatus::Good;
        return;
    }
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
        target = oldKeys.find(key, hash);
        if (target != kNone && target != i && keepsItsName(files[target]))
            file.status = FileStatus::Exists;
    }
}

} // namespace

struct Validator::State {
    HalvesThread* halves = nullptr;
    std::unordered_map<const FolderRecord*, OldKeys> oldKeys;
    NewKeys newKeys;
    std::vector<uint32_t> targets, hashes, firstWithName;
    std::vector<uint8_t> takesPart; // the records, read again, would not fit a cache
    PlanBuffers plan;

    const OldKeys& oldKeysOf(const FolderRecord& folder) {
        OldKeys& keys = oldKeys[&folder];
        if (!keys.builtFor(*folder.files))
            keys.build(*folder.files);
        return keys;
    }
};

Validator::Validator(HalvesThread* halves) : state_(std::make_unique<State>()) {
    state_->halves = halves;
}
Validator::~Validator() = default;

void Validator::validateFolder(FolderRecord& folder) {
    if (!folder.files) {
        folder.renameOrder.clear();
        return;
    }
    State& s = *state_;
    auto& files = *folder.files;
    const size_t n = files.size();
    const OldKeys& oldKeys = s.oldKeysOf(folder);
    NewKeys& newKeys = s.newKeys;
    newKeys.reset(n);
    newKeys.split(secondHalfFrom(n));
    s.targets.assign(n, kNone);
    s.hashes.resize(n);
    s.takesPart.assign(n, 0);

    // Each file alone against the rules and the old names: a file writes only its own
    // status, key, target and hash. The keys of a block come first, so that the index's
    // slots are on their way while the rules are checked.
    constexpr size_t kBlock = 32;
    forTwoHalves(
        n,
        [&](size_t begin, size_t end) {
            for (size_t from = begin; from < end; from += kBlock) {
                const size_t to = std::min(end, from + kBlock);
                for (size_t i = from; i < to; ++i) {
                    FileRecord& file = files[i];
                    if (!file.takesPart)
                        continue;
                    s.takesPart[i] = 1;
                    newKeys.put(i, file.newName, folder.foldCase);
                    s.hashes[i] = keyHash(newKeys[i]);
                    oldKeys.prefetch(s.hashes[i]);
                }
                for (size_t i = from; i < to; ++i)
                    checkOwnName(folder, i, newKeys[i], s.hashes[i], oldKeys, s.targets[i]);
            }
        },
        s.halves);

    // Duplicates: the first file of a name stands for it; later ones mark both. An
    // open-addressing table of positions keeps this free of allocations per file.
    s.firstWithName.assign(slotCount(n), kNone);
    const size_t mask = s.firstWithName.size() - 1;
    constexpr uint32_t kAhead = 16;
    for (uint32_t i = 0; i < n; ++i) {
        if (i + kAhead < n)
            __builtin_prefetch(&s.firstWithName[s.hashes[i + kAhead] & mask]);
        if (!s.takesPart[i])
            continue;
        size_t slot = s.hashes[i] & mask;
        uint32_t first;
        while ((first = s.firstWithName[slot]) != kNone &&
               (s.hashes[first] != s.hashes[i] || newKeys[first] != newKeys[i]))
            slot = (slot + 1) & mask;
        if (first == kNone) {
            s.firstWithName[slot] = i;
            continue;
        }
        if (files[first].status == FileStatus::Pending)
            files[first].status = FileStatus::Duplicate;
        if (files[i].status == FileStatus::Pending)
            files[i].status = FileStatus::Duplicate;
    }

    planWithTargets(folder, s.targets, s.plan, s.halves);
}

void Validator::validateAll(RecordSet& set) {
    for (auto& [key, folder] : set.folders)
        validateFolder(*folder);
}

void validateFolder(FolderRecord& folder) {
    Validator().validateFolder(folder);
}

void validateAll(RecordSet& set) {
    Validator().validateAll(set);
}

void planFolderRenames(FolderRecord& folder) {
    std::vector<uint32_t> targets;
    if (folder.files) {
        auto& files = *folder.files;
        targets.assign(files.size(), kNone);
        std::u16string key;
        for (size_t i = 0; i < files.size(); ++i) {
            if (files[i].status != FileStatus::Pending)
                continue;
            assignKey(key, files[i].newName, folder.foldCase);
            targets[i] = findIndex(files, key, i);
        }
    }
    PlanBuffers buffers;
    planWithTargets(folder, targets, buffers, nullptr);
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
