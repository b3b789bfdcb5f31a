#include "rename/validation.h"
#include "support/memory_file_system.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

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
        if (e.newName)
            std::tie(file->takesPart, file->hidden, file->newName) =
                std::tuple(true, false, e.newName);
    }
    return folder;
}

// Statuses by entry as digits (2 good, 3 unchanged, 4 duplicate, 5 exists, 6 empty, 7
// space or period, 8 too long, 9 invalid) and the planned order.
TEST(ValidateFolder, GivesStatusesAndOrder) {
    const std::u16string k255(255, u'n'), k256(256, u'n');
    // 255 and 258 bytes as UTF-8; 255 escaped invalid bytes; 64 emoji, 256 bytes.
    const std::u16string euro85(85, u'\u20AC'), euro86(86, u'\u20AC'), bytes255(255, u'\xDCFF');
    std::u16string emoji64;
    for (int i = 0; i < 64; ++i)
        emoji64 += u"\U0001F600";
    using O = std::vector<std::u16string>;
    const struct {
        std::vector<Entry> entries;
        std::string statuses;
        O order;
        bool posix = false;
    } cases[] = {
        // clang-format off
        {{{u"a.txt", u"A.txt"}}, "2", {u"a.txt"}}, // a case-only change is planned
        {{{u"a.txt", u"a.txt"}}, "3", {}},
        {{{u"a.txt", u"b.txt"}, {u"b.txt", u"a.txt"}}, "55", {}}, // a swap is a ring
        {{{u"a.txt", u"b.txt"}, {u"b.txt", u"c.txt"}}, "22", {u"b.txt", u"a.txt"}},
        {{{u"a.txt", u"x.txt"}, {u"x.txt"}}, "52", {}}, // an unlisted entry holds the name
        {{{u"a", u"X.txt"}, {u"b", u"x.txt"}}, "44", {}},
        {{{u"a", u"x"}, {u"b", u"x"}, {u"x"}}, "552", {}}, // an earlier problem is kept
        {{{u"a", u"a"}, {u"b", u"a"}}, "35", {}}, // an unchanged file taking part holds its name
        {{{u"a", u""}, {u"b", u""}}, "66", {}}, // empty names are never duplicates
        {{{u"a", u" a"}, {u"b", u"b "}, {u"c", u"c."}, {u"d", u"d e"}, {u"e", u".e"}}, "77722", {u"d", u"e"}},
        {{{u"a", k255.c_str()}, {u"b", k256.c_str()}}, "28", {u"a"}},
        // device names, counted with the invalid names; an entry holding one is no excuse
        {{{u"a", u"NUL"}, {u"b", u"con.txt"}, {u"c", u"Com9.x.y"}, {u"d", u"lpt1 .txt"}, {u"e", u"COM10"},
          {u"f", u"nul "}, {u"g", u"CONSOLE"}, {u"h", u"aux"}, {u"aux"}}, "999927292", {u"e", u"g"}},
        {{{u"a", u"b"}, {u"b", u""}}, "26", {u"a"}}, // a holder with a problem still moves away
        {{{u"a", u"z"}, {u"b", u"a"}, {u"c", u"d"}}, "222", {u"a", u"b", u"c"}}, // a later waiter moves in the same walk
        // Case folds as the file system folds it, outside ASCII too.
        {{{u"a", u"\u00C4.txt"}, {u"b", u"\u00E4.txt"}}, "44", {}},
        {{{u"a", u"\u03C3"}, {u"\u03A3"}}, "52", {}},
        {{{u"a", u"X"}, {u"b", u"x"}}, "22", {u"a", u"b"}, true}, // a POSIX folder minds case
        // POSIX names are limited in bytes, Windows names in units.
        {{{u"a", euro85.c_str()}, {u"b", euro86.c_str()}}, "28", {u"a"}, true},
        {{{u"a", euro85.c_str()}, {u"b", euro86.c_str()}}, "22", {u"a", u"b"}},
        {{{u"a", bytes255.c_str()}, {u"b", emoji64.c_str()}}, "28", {u"a"}, true},
        {{{u"a", u"NUL"}}, "2", {u"a"}, true}, // POSIX has no device names
        // clang-format on
    };
    for (const auto& c : cases) {
        RecordSet set(c.posix ? NameRules::posix() : NameRules::windows());
        FolderRecord& folder = makeFolder(set, c.posix ? u"/d/" : u"C:\\D\\", c.entries);
        validateFolder(folder);
        std::string statuses;
        for (const auto& e : c.entries)
            statuses += static_cast<char>('0' + static_cast<int>(findFile(folder, e.name)->status));
        EXPECT_EQ(statuses, c.statuses) << toUtf8(c.entries[0].name);
        O order;
        for (const FileRecord* f : folder.renameOrder)
            order.push_back(f->name);
        EXPECT_EQ(order, c.order) << toUtf8(c.entries[0].name);
    }
}

// A folder large enough to be validated in two halves, with every relation reaching
// from one half into the other: a chain of 9,000 renames, a duplicate pair and a name
// held by a file that keeps it.
TEST(ValidateFolder, ALargeFolderIsValidatedWhole) {
    constexpr int kChain = 9000;
    auto chainName = [](int i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%05d", i);
        return fromUtf8(name);
    };
    std::vector<std::u16string> names{u"a_dup", u"a_exists"}, newNames{u"dup", u"zz_keep"};
    for (int i = 0; i < kChain; ++i) {
        names.push_back(chainName(i));
        newNames.push_back(i + 1 < kChain ? chainName(i + 1) : u"g");
    }
    names.insert(names.end(), {u"y_dup", u"zz_keep"});
    newNames.push_back(u"dup");
    std::vector<Entry> entries;
    for (size_t i = 0; i < names.size(); ++i)
        entries.push_back({names[i], i < newNames.size() ? newNames[i].c_str() : nullptr});
    RecordSet set;
    FolderRecord& folder = makeFolder(set, u"C:\\D\\", entries);
    validateFolder(folder);

    std::string statuses;
    for (const FileRecord& f : *folder.files)
        statuses += static_cast<char>('0' + static_cast<int>(f.status));
    EXPECT_EQ(statuses, "45" + std::string(kChain, '2') + "42");
    // The chain moves from its end, one walk each; nothing else moves.
    ASSERT_EQ(folder.renameOrder.size(), size_t{kChain});
    for (int k = 0; k < kChain; ++k)
        ASSERT_EQ(folder.renameOrder[k]->name, chainName(kChain - 1 - k)) << k;
}

TEST(DecideRename, SummarizesAndComposesTheMessage) {
    const std::u16string k300(300, u'x');
    const std::u16string unable = u"Unable to rename files:\r\n";
    const std::u16string noChange = u"No changes have been made, so no files have been renamed.";
    using A = RenameDecision::Action;
    const struct {
        std::vector<Entry> first, second; // two folders, as the dialog sees them
        int summaryStatus;
        bool anyChange;
        A action;
        std::u16string message;
    } cases[] = {
        // clang-format off
        {{{u"a"}}, {}, 2, false, A::NoChange, noChange},
        {{{u"a", u"b"}}, {{u"b", u"b"}}, 2, true, A::Rename, u""},
        {{{u"a", u"x"}}, {{u"a", u"x"}}, 2, true, A::Rename, u""}, // folders apart
        {{{u"a", u""}, {u"b", u""}}, {{u"c", k300.c_str()}}, 0, true, A::ShowProblems,
         unable + u"2 files are being renamed to empty names.\r\n1 file is being renamed to a name that is too long (> 255 characters)."},
        {{{u"a", u""}, {u"c", k300.c_str()}}, {}, 0, true, A::ShowProblems, // two kinds in one folder
         unable + u"1 file is being renamed to empty name.\r\n1 file is being renamed to a name that is too long (> 255 characters)."},
        {{{u"a", u"b"}, {u"b", u"a"}}, {{u"c", u"d"}, {u"d"}}, 5, true, A::ShowProblems, // one kind keeps its status
         unable + u"3 files are being renamed to the same name as existing files."},
        // clang-format on
    };
    for (const auto& c : cases) {
        RecordSet set;
        makeFolder(set, u"C:\\A\\", c.first);
        makeFolder(set, u"C:\\B\\", c.second);
        validateAll(set);
        const RenameDecision d = decideRename(set);
        EXPECT_EQ(static_cast<int>(set.summaryStatus), c.summaryStatus);
        EXPECT_EQ(set.anyChange, c.anyChange);
        EXPECT_EQ(d.action, c.action);
        EXPECT_EQ(d.message, c.message);
    }
}

TEST(DecideRename, InvalidCharactersSetByTheDialogAreReported) {
    RecordSet set;
    makeFolder(set, u"C:\\A\\", {{u"a", u"b"}, {u"c"}});
    validateAll(set);
    set.forEachFile([](FileRecord& f) { f.status = FileStatus::InvalidChars; });
    EXPECT_EQ(decideRename(set).action, RenameDecision::Action::ShowProblems);
    EXPECT_EQ(countProblems(set), (ProblemCounts{0, 0, 0, 0, 0, 1})); // only the one taking part
}

} // namespace
} // namespace mr
