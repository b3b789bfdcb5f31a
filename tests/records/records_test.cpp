#include "pattern/new_names.h"
#include "rename/records.h"
#include "support/memory_file_system.h"
#include "support/pattern_support.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mr {
namespace {

using test::MemoryFileSystem;

std::vector<std::u16string> listed(const RecordSet& set) {
    std::vector<std::u16string> out;
    set.forEachFile([&](const FileRecord& f) {
        if (!f.hidden)
            out.push_back(f.folder->path + f.name);
    });
    return out;
}

// Space-separated paths.
std::vector<std::u16string> split(std::u16string_view text) {
    std::vector<std::u16string> out;
    for (size_t at = 0, end; at < text.size(); at = end + 1) {
        end = std::min(text.find(u' ', at), text.size());
        out.emplace_back(text.substr(at, end - at));
    }
    return out;
}

const std::u16string k259 = u"C:\\Data\\" + std::u16string(251, u'n'); // 259 characters

struct FillCase {
    const char* what;
    std::u16string paths;
    std::u16string expected; // listed files, canonical order
};

TEST(FillRecordSet, ListsExactlyTheFilesTheHostPassed) {
    const FillCase cases[] = {
        {"folder in another case shares the record", u"C:\\Data\\a.txt c:\\DATA\\b.txt",
         u"C:\\Data\\a.txt C:\\Data\\b.txt"},
        {"name found in any case, listed spelling kept", u"C:\\Data\\A.TXT", u"C:\\Data\\a.txt"},
        {"case folds outside ASCII too", u"C:\\Data\\\u00E4.TXT", u"C:\\Data\\\u00C4.txt"},
        {"bare name in the folder of the path before it", u"C:\\Data\\a.txt b.txt",
         u"C:\\Data\\a.txt C:\\Data\\b.txt"},
        {"bare name first in the working directory", u"b.txt C:\\Data\\a.txt",
         u"C:\\Data\\a.txt C:\\Work\\b.txt"},
        {"a folder path lists its entry in the parent", u"C:\\Data\\Sub", u"C:\\Data\\Sub"},
        {"missing name, unlistable folder, trailing separator",
         u"C:\\Data\\zzz D:\\Gone\\a.txt C:\\Data\\", u""},
        {"259 characters kept, 260 dropped", k259 + u"n " + k259, k259},
        {"one file under two names counts once; one id on two volumes is two files",
         u"C:\\Data\\link.txt C:\\Data\\a.txt C:\\Work\\b.txt C:\\Data\\b.txt",
         u"C:\\Data\\b.txt C:\\Data\\link.txt C:\\Work\\b.txt"},
    };
    for (const auto& c : cases) {
        MemoryFileSystem fs;
        fs.cwd = u"C:\\Work";
        for (auto n : {u"a.txt", u"b.txt", u"Sub", u".", u"..", u"\u00C4.txt"})
            fs.add(u"C:\\Data\\", n, 0, n[0] == u'S' || n[0] == u'.');
        fs.add(u"C:\\Work\\", u"b.txt").fileId = 9;
        fs.add(u"C:\\Data\\", u"link.txt").fileId = 7; // a.txt's hard link
        fs.folders[u"C:\\Data\\"].entries[0].fileId = 7;
        fs.folders[u"C:\\Data\\"].entries[1].fileId = 9;
        fs.folders[u"C:\\Work\\"].volume = 1;
        fs.add(u"C:\\Data\\", k259.substr(8));
        fs.add(u"C:\\Data\\", k259.substr(8) + u"n");
        RecordSet set;
        EXPECT_EQ(fillRecordSet(set, split(c.paths), fs), !c.expected.empty()) << c.what;
        EXPECT_EQ(listed(set), split(c.expected)) << c.what;
    }
}

// A name in a path, of a file or of a folder, folds where the folder holding it ignores case.
TEST(ScanFolder, PosixKeysAreExactUnlessTheFolderFoldsCase) {
    MemoryFileSystem fs;
    for (auto name : {u"a.txt", u"A.txt", u"\u00C4.txt"})
        fs.add(u"/d/", name);
    for (auto name : {u"a.txt", u"\u00C4.txt"}) // a folder that folds case has no case twins
        fs.add(u"/fat/", name);
    fs.add(u"/fat/", u"Sub", 0, true);
    fs.add(u"/fat/Sub/", u"b.txt");
    fs.add(u"/fat/Sub/", u"c.txt");
    fs.folders[u"/fat/"].caseInsensitive = true;
    fs.folders[u"/fat/Sub/"].caseInsensitive = true;
    fs.add(u"/d/", u"Sub", 0, true);
    fs.add(u"/d/Sub/", u"b.txt");
    RecordSet set(NameRules::posix());
    fillRecordSet(set,
                  {u"/d/a.txt", u"/d/A.txt", u"/d/\u00E4.txt", u"/fat/A.TXT", u"/D/a.txt",
                   u"/fat/\u00E4.txt", u"/fat/Sub/b.txt", u"/fat/SUB/C.txt", u"/d/Sub/b.txt",
                   u"/d/SUB/b.txt"},
                  fs);
    EXPECT_EQ(listed(set), split(u"/d/A.txt /d/a.txt /d/Sub/b.txt /fat/a.txt /fat/\u00C4.txt "
                                 u"/fat/Sub/b.txt /fat/Sub/c.txt"));
}

// Whatever the listing's order, records come sorted and the first listed of equal keys
// stays; names that differ only in case are told apart.
struct OrderCase {
    const char* what;
    std::vector<std::u16string> listing; // the size of each entry is its listed position
    std::vector<std::u16string> names;   // the records, in order
    uint64_t sizeOfB;                    // which of the entries with key "B" stayed
};

TEST(ScanFolder, RecordsAreSortedWhateverTheListingOrder) {
    const OrderCase cases[] = {
        {"ascending with equal keys", {u"a", u"b", u"b", u"c"}, {u"a", u"b", u"c"}, 1},
        {"descending with equal keys", {u"c", u"b", u"b", u"a"}, {u"a", u"b", u"c"}, 1},
        {"names that differ only in case", {u"a", u"B", u"b", u"c"}, {u"B", u"a", u"b", u"c"}, 1},
    };
    for (const auto& c : cases) {
        MemoryFileSystem fs;
        for (size_t i = 0; i < c.listing.size(); ++i)
            fs.add(u"C:\\D\\", c.listing[i]).size = i;
        RecordSet set;
        auto& folder = findOrAddFolder(set, u"C:\\D\\");
        scanFolder(folder, set.rules, fs);
        std::vector<std::u16string> names;
        for (const auto& f : *folder.files)
            names.push_back(f.name);
        EXPECT_EQ(names, c.names) << c.what;
        EXPECT_EQ(findFile(folder, u"B")->size, c.sizeOfB) << c.what;
    }
}

// Reading times and sizes costs a call per file: only typed tags that show them pay.
TEST(FileDetails, AreReadOnlyWhenATagShowsThem) {
    const struct {
        std::u16string typed; // the new text of the pattern's 'IMG_' token
        int reads;
        std::u16string firstName;
    } cases[] = {
        {u"IMG_", 0, u"IMG_1.jpg"},    {u"x", 0, u"x1.jpg"},
        {u"<F>_", 0, u"P_1.jpg"},      {u"<1:2>_", 0, u"01_1.jpg"},
        {u"<N:1>_", 0, u"IMG__1.jpg"}, {u"<S>_", 1, u"1_1.jpg"},
        {u"<s:3b>_", 1, u"001_1.jpg"}, {u"<D:yyyy><c:yy>", 1, u"1.jpg"},
        {u"<<D>", 1, u"1.jpg"},        {u"<Dx>_", 0, u"_1.jpg"},
    };
    for (const auto& c : cases) {
        MemoryFileSystem fs; // without times and sizes, as the POSIX listing
        fs.add(u"/P/", u"IMG_1.jpg");
        fs.add(u"/P/", u"IMG_2.jpg");
        fs.folders[u"/P/"].detailsPending = true;
        RecordSet set(NameRules::posix());
        fillRecordSet(set, {u"/P/IMG_1.jpg", u"/P/IMG_2.jpg"}, fs);
        set.forEachFile([](FileRecord& f) { f.takesPart = true; });
        NamePattern pattern = test::parsed(u"IMG_#");
        pattern.tokens[0].newText = c.typed;
        for (int pass = 0; pass < 2; ++pass)
            regenerateNewNames(set, pattern);
        EXPECT_EQ(fs.detailReads, c.reads) << toUtf8(c.typed);
        EXPECT_EQ(test::fileNamed(set, u"IMG_1.jpg")->newName, c.firstName) << toUtf8(c.typed);
        EXPECT_EQ(test::fileNamed(set, u"IMG_2.jpg")->size, c.reads ? 2u : 0u);
    }
}

} // namespace
} // namespace mr
