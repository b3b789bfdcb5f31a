#include "rename/messages.h"
#include "rename/validation.h"
#include "support/memory_file_system.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace mr {
namespace {

using test::MemoryFileSystem;

// One entry of a folder; a null new name means the entry does not take part.
struct Entry {
    std::u16string name;
    const char16_t* newName = nullptr;
};

FolderRecord& makeFolder(RecordSet& set, const std::u16string& path,
                         const std::vector<Entry>& entries) {
    MemoryFileSystem fs;
    fs.folders[path];
    for (const auto& e : entries)
        fs.add(path, e.name);
    FolderRecord& folder = findOrAddFolder(set, path);
    scanFolder(folder, set.rules, fs);
    for (const auto& e : entries) {
        FileRecord* file = findFile(folder, e.name);
        if (file && file->name == e.name && e.newName) {
            file->takesPart = true;
            file->hidden = false;
            file->newName = e.newName;
        }
    }
    return folder;
}

std::vector<std::u16string> orderNames(const FolderRecord& folder) {
    std::vector<std::u16string> out;
    for (const FileRecord* f : folder.renameOrder)
        out.push_back(f->name);
    return out;
}

// The plain reference planning: walk after walk until a walk plans nothing.
void literalPlan(FolderRecord& folder) {
    folder.renameOrder.clear();
    bool changed = true;
    while (changed) {
        changed = false;
        for (auto& file : *folder.files) {
            if (file.status != FileStatus::Pending)
                continue;
            const FileRecord* holder = findFile(folder, file.newName);
            if (!holder || holder == &file || holder->status != FileStatus::Pending) {
                file.status = FileStatus::Good;
                folder.renameOrder.push_back(&file);
                changed = true;
            }
        }
    }
    for (auto& file : *folder.files)
        if (file.status == FileStatus::Pending)
            file.status = FileStatus::Exists;
}

// Both passes in their plain form, then the reference planning.
void literalValidate(FolderRecord& folder) {
    for (auto& file : *folder.files) {
        const auto& nn = file.newName;
        if (!file.takesPart)
            file.status = FileStatus::Good;
        else if (nn.empty())
            file.status = FileStatus::Empty;
        else if (nn == file.name)
            file.status = FileStatus::Unchanged;
        else if (nn.size() > 255)
            file.status = FileStatus::TooLong;
        else if (nn.front() == u' ' || nn.back() == u' ' || nn.back() == u'.')
            file.status = FileStatus::SpaceOrPeriod;
        else {
            file.status = FileStatus::Pending;
            const FileRecord* e = findFile(folder, nn);
            if (e && e != &file && (!e->takesPart || e->newName == e->name))
                file.status = FileStatus::Exists;
        }
    }
    std::map<std::u16string, FileRecord*> seen;
    for (auto& file : *folder.files) {
        if (!file.takesPart)
            continue;
        auto [it, added] = seen.emplace(makeKey(file.newName, folder.foldCase), &file);
        if (added)
            continue;
        if (it->second->status == FileStatus::Pending)
            it->second->status = FileStatus::Duplicate;
        if (file.status == FileStatus::Pending)
            file.status = FileStatus::Duplicate;
    }
    literalPlan(folder);
}

struct ValidateCase {
    const char* what;
    std::vector<Entry> entries;
    std::vector<int> statuses; // per entry, in the order given
    std::vector<std::u16string> order;
};

class ValidateFolder : public testing::TestWithParam<ValidateCase> {};

TEST_P(ValidateFolder, GivesStatusesAndOrder) {
    RecordSet set;
    FolderRecord& folder = makeFolder(set, u"C:\\D\\", GetParam().entries);
    validateFolder(folder);
    std::vector<int> statuses;
    for (const auto& e : GetParam().entries)
        statuses.push_back(static_cast<int>(findFile(folder, e.name)->status));
    EXPECT_EQ(statuses, GetParam().statuses);
    EXPECT_EQ(orderNames(folder), GetParam().order);
}

const std::u16string k255(255, u'n');
const std::u16string k256(256, u'n');

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidateFolder,
    testing::Values(
        ValidateCase{"case-only change is planned", {{u"a.txt", u"A.txt"}}, {2}, {u"a.txt"}},
        ValidateCase{"same name is unchanged", {{u"a.txt", u"a.txt"}}, {3}, {}},
        ValidateCase{"swap is a ring", {{u"a.txt", u"b.txt"}, {u"b.txt", u"a.txt"}}, {5, 5}, {}},
        ValidateCase{"chain moves the holder first",
                     {{u"a.txt", u"b.txt"}, {u"b.txt", u"c.txt"}},
                     {2, 2},
                     {u"b.txt", u"a.txt"}},
        ValidateCase{"chain in key order plans in one walk",
                     {{u"b.txt", u"a.txt"}, {u"a.txt", u"z.txt"}},
                     {2, 2},
                     {u"a.txt", u"b.txt"}},
        ValidateCase{"three-ring beside a free chain",
                     {{u"a", u"b"}, {u"b", u"c"}, {u"c", u"a"}, {u"d", u"e"}},
                     {5, 5, 5, 2},
                     {u"d"}},
        ValidateCase{"ring through other cases", {{u"a", u"B"}, {u"b", u"A"}}, {5, 5}, {}},
        ValidateCase{
            "unlisted entry holds the name", {{u"a.txt", u"x.txt"}, {u"x.txt"}}, {5, 2}, {}},
        ValidateCase{"entry keeping its name holds it",
                     {{u"a.txt", u"X.TXT"}, {u"x.txt", u"x.txt"}},
                     {5, 3},
                     {}},
        ValidateCase{"same name in another case is a duplicate",
                     {{u"a", u"X.txt"}, {u"b", u"x.txt"}},
                     {4, 4},
                     {}},
        ValidateCase{"three to one name are all duplicates",
                     {{u"a", u"q"}, {u"b", u"q"}, {u"c", u"Q"}},
                     {4, 4, 4},
                     {}},
        ValidateCase{"an earlier problem is kept over a duplicate",
                     {{u"a", u"x"}, {u"b", u"x"}, {u"x"}},
                     {5, 5, 2},
                     {}},
        ValidateCase{"empty names are never duplicates", {{u"a", u""}, {u"b", u""}}, {6, 6}, {}},
        ValidateCase{"leading and trailing spaces, trailing period",
                     {{u"a", u" a"}, {u"b", u"b "}, {u"c", u"c."}, {u"d", u"d e"}, {u"e", u".e"}},
                     {7, 7, 7, 2, 2},
                     {u"d", u"e"}},
        ValidateCase{"255 characters pass, 256 are too long",
                     {{u"a", k255.c_str()}, {u"b", k256.c_str()}},
                     {2, 8},
                     {u"a"}},
        ValidateCase{"a holder with a problem still moves away",
                     {{u"a", u"b"}, {u"b", u""}},
                     {2, 6},
                     {u"a"}},
        ValidateCase{"not taking part is good and never planned", {{u"a"}, {u"b"}}, {2, 2}, {}},
        ValidateCase{"renumbered series moves from the top",
                     {{u"f1", u"f2"}, {u"f2", u"f3"}, {u"f3", u"f4"}},
                     {2, 2, 2},
                     {u"f3", u"f2", u"f1"}}));

// Random folders whose names are drawn from a small pool, so that chains, rings,
// case-only changes, duplicates and unlisted holders all occur often.
struct RandomFolder {
    std::vector<Entry> entries;
    std::vector<std::u16string> storage;
};

RandomFolder randomFolder(std::mt19937& rng) {
    static const std::u16string pool[] = {u"1", u"2", u"3", u"4", u"5", u"6", u"7",
                                          u"8", u"a", u"A", u"b", u"B", u"c", u""};
    std::uniform_int_distribution<int> pick(0, 12), pickNew(0, 13), percent(0, 99);
    RandomFolder out;
    const int n = std::uniform_int_distribution<int>(1, 10)(rng);
    out.storage.reserve(n);
    std::vector<std::u16string> names;
    for (int i = 0; i < n; ++i)
        names.push_back(pool[pick(rng)]);
    for (int i = 0; i < n; ++i) {
        const int r = percent(rng);
        if (r < 15) {
            out.entries.push_back({names[i]});
            continue;
        }
        out.storage.push_back(r < 25 ? names[i] : pool[pickNew(rng)]);
        out.entries.push_back({names[i], out.storage.back().c_str()});
    }
    return out;
}

TEST(ValidateFolderRandom, MatchesTheRepeatedWalks) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 4000; ++round) {
        RandomFolder drawn = randomFolder(rng);
        RecordSet fast, slow;
        FolderRecord& a = makeFolder(fast, u"C:\\D\\", drawn.entries);
        FolderRecord& b = makeFolder(slow, u"C:\\D\\", drawn.entries);
        validateFolder(a);
        literalValidate(b);
        ASSERT_EQ(a.files->size(), b.files->size());
        for (size_t i = 0; i < a.files->size(); ++i)
            ASSERT_EQ((*a.files)[i].status, (*b.files)[i].status) << "round " << round;
        ASSERT_EQ(orderNames(a), orderNames(b)) << "round " << round;
    }
}

// Planning alone, from arbitrary statuses, as a caller other than validation leaves them.
TEST(PlanFolderRenamesRandom, MatchesTheRepeatedWalks) {
    std::mt19937 rng(77);
    const FileStatus statuses[] = {FileStatus::Pending, FileStatus::Pending,   FileStatus::Pending,
                                   FileStatus::Good,    FileStatus::Duplicate, FileStatus::Empty};
    for (int round = 0; round < 4000; ++round) {
        RandomFolder drawn = randomFolder(rng);
        RecordSet fast, slow;
        FolderRecord& a = makeFolder(fast, u"C:\\D\\", drawn.entries);
        FolderRecord& b = makeFolder(slow, u"C:\\D\\", drawn.entries);
        for (size_t i = 0; i < a.files->size(); ++i)
            (*a.files)[i].status = (*b.files)[i].status = statuses[rng() % 6];
        planFolderRenames(a);
        literalPlan(b);
        for (size_t i = 0; i < a.files->size(); ++i)
            ASSERT_EQ((*a.files)[i].status, (*b.files)[i].status) << "round " << round;
        ASSERT_EQ(orderNames(a), orderNames(b)) << "round " << round;
    }
}

TEST(PlanFolderRenames, LongChainIsPlannedTopDown) {
    std::vector<std::u16string> names, next;
    const int n = 2000;
    for (int i = 0; i <= n; ++i) {
        const std::string s = "IMG_" + std::to_string(10000 + i);
        names.emplace_back(s.begin(), s.end());
    }
    std::vector<Entry> entries;
    for (int i = 0; i < n; ++i)
        entries.push_back({names[i], names[i + 1].c_str()});
    RecordSet set;
    FolderRecord& folder = makeFolder(set, u"C:\\D\\", entries);
    validateFolder(folder);
    const auto order = orderNames(folder);
    ASSERT_EQ(order.size(), static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(order[i], names[n - 1 - i]);
}

// Several folders at once, as the dialog sees them.
struct Folders {
    std::vector<Entry> first, second;
};

RecordSet& build(RecordSet& set, const Folders& f) {
    makeFolder(set, u"C:\\A\\", f.first);
    makeFolder(set, u"C:\\B\\", f.second);
    validateAll(set);
    return set;
}

struct DecisionCase {
    const char* what;
    Folders folders;
    int summaryStatus;
    bool anyChange;
    RenameDecision::Action action;
    std::u16string message;
};

class DecideRename : public testing::TestWithParam<DecisionCase> {};

TEST_P(DecideRename, SummarizesAndComposesTheMessage) {
    RecordSet set;
    build(set, GetParam().folders);
    const RenameDecision d = decideRename(set);
    EXPECT_EQ(static_cast<int>(set.summaryStatus), GetParam().summaryStatus);
    EXPECT_EQ(set.anyChange, GetParam().anyChange);
    EXPECT_EQ(d.action, GetParam().action);
    EXPECT_EQ(d.message, GetParam().message);
    if (d.action == RenameDecision::Action::ShowProblems) {
        EXPECT_EQ(d.messageId, 2501u);
        EXPECT_EQ(d.icon, MessageIcon::Exclamation);
    } else if (d.action == RenameDecision::Action::NoChange) {
        EXPECT_EQ(d.messageId, 2502u);
        EXPECT_EQ(d.icon, MessageIcon::Information);
    }
}

const std::u16string k300(300, u'x');
using A = RenameDecision::Action;

INSTANTIATE_TEST_SUITE_P(
    Cases, DecideRename,
    testing::Values(
        DecisionCase{"nothing takes part",
                     {{{u"a"}}, {}},
                     2,
                     false,
                     A::NoChange,
                     u"No changes have been made, so no files have been renamed."},
        DecisionCase{"every name unchanged",
                     {{{u"a", u"a"}}, {{u"b", u"b"}}},
                     2,
                     false,
                     A::NoChange,
                     u"No changes have been made, so no files have been renamed."},
        DecisionCase{"a change renames", {{{u"a", u"b"}}, {{u"b", u"b"}}}, 2, true, A::Rename, u""},
        DecisionCase{"same names in two folders are fine",
                     {{{u"a", u"x"}}, {{u"a", u"x"}}},
                     2,
                     true,
                     A::Rename,
                     u""},
        DecisionCase{"two empty and one too long",
                     {{{u"a", u""}, {u"b", u""}}, {{u"c", k300.c_str()}}},
                     0,
                     true,
                     A::ShowProblems,
                     u"Unable to rename files:\r\n2 files are being renamed to empty names.\r\n"
                     u"1 file is being renamed to a name that is too long (> 255 characters)."},
        DecisionCase{"one kind in two folders keeps its status",
                     {{{u"a", u"b"}, {u"b", u"a"}}, {{u"c", u"d"}, {u"d"}}},
                     5,
                     true,
                     A::ShowProblems,
                     u"Unable to rename files:\r\n3 files are being renamed to the same name as "
                     u"existing files."},
        DecisionCase{"invalid names carry the rule",
                     {{{u"a", u"a."}}, {}},
                     7,
                     true,
                     A::ShowProblems,
                     u"Unable to rename files:\r\n1 file is being renamed to an invalid name. "
                     u"Filenames must not start or end with a space, and must not end with a "
                     u"period."},
        DecisionCase{"duplicates",
                     {{{u"a", u"x"}, {u"b", u"X"}}, {}},
                     4,
                     true,
                     A::ShowProblems,
                     u"Unable to rename files:\r\n2 files are being renamed to the same name."}));

TEST(DecideRename, InvalidCharactersSetByTheDialogAreReported) {
    RecordSet set;
    build(set, {{{u"a", u"b"}, {u"c"}}, {}});
    set.forEachFile([](FileRecord& f) { f.status = FileStatus::InvalidChars; });
    const RenameDecision d = decideRename(set);
    // Only the file that takes part counts.
    EXPECT_EQ(d.message, u"Unable to rename files:\r\n1 file is being renamed to an invalid "
                         u"name. Filenames cannot contain any of these characters: \\ / : * ? "
                         u"\" < > |");
    EXPECT_EQ(countProblems(set), (ProblemCounts{0, 0, 0, 0, 0, 1}));
}

struct LineCase {
    int64_t count;
    uint32_t id;
    std::u16string expected;
};

class AppendProblemLine : public testing::TestWithParam<LineCase> {};

TEST_P(AppendProblemLine, AppendsOneLine) {
    std::u16string message = u"M";
    appendProblemLine(message, GetParam().count, GetParam().id);
    EXPECT_EQ(message, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppendProblemLine,
    testing::Values(LineCase{0, 2505, u"M"}, LineCase{-3, 2505, u"M"},
                    LineCase{1, 2509, u"M\r\n1 file is being renamed to empty name."},
                    LineCase{12, 2509, u"M\r\n12 files are being renamed to empty names."},
                    LineCase{4294967295LL, 2505,
                             u"M\r\n4294967295 files are being renamed to the same name."}));

} // namespace
} // namespace mr
