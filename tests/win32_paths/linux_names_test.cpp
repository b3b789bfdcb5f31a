// Names a Linux folder holds, renamed through the module's path from the host's paths to
// the moves, by both routes of the Windows mover: every file is followed by its content.
#include "linux_side.h"
#include "platform/win32/rename_progress_dlg.h"
#include "platform/win32/wide.h"
#include "rename/execution.h"
#include "rename/validation.h"
#include "seams/canonical_paths.h"

#include <gtest/gtest.h>

namespace mr::test {
namespace {

enum class Outcome { Renamed, Problems, Refused };

const char* nameOf(Outcome o) {
    return o == Outcome::Renamed ? "renamed" : o == Outcome::Problems ? "problems" : "refused";
}

struct Rename {
    const wchar_t* hostPath; // under the test folder, as the host spells it
    const wchar_t* newName;
};

// The host's paths filled into a record set as the entry point does, the new names
// given to the files they found, validated, and renamed unless validation objects.
Outcome renameAsHost(const std::wstring& root, const std::vector<Rename>& renames,
                     MoveRoute route) {
    std::vector<std::u16string> paths;
    for (const Rename& r : renames)
        paths.push_back(fromWide(root + r.hostPath));
    paths = canonicalPaths(paths);
    RecordSet set;
    fillRecordSet(set, paths, platformFileSystem());
    set.forEachFile([](FileRecord& f) {
        f.takesPart = !f.hidden;
        f.newName = f.name;
    });
    for (size_t i = 0; i < paths.size(); ++i) {
        const size_t cut = paths[i].rfind(u'\\');
        if (cut == std::u16string::npos)
            continue;
        FolderRecord& folder = findOrAddFolder(set, paths[i].substr(0, cut + 1));
        if (FileRecord* file = findFile(folder, paths[i].substr(cut + 1)); file && !file->hidden)
            file->newName = fromWide(renames[i].newName);
    }
    validateAll(set);
    if (decideRename(set).action != RenameDecision::Action::Rename)
        return Outcome::Problems;
    RenameProgressDlg mover({route});
    executeRenames(nullptr, set, mover);
    return mover.failures().empty() ? Outcome::Renamed : Outcome::Refused;
}

TEST(LinuxNames, TheListedFileIsTheOneMovedOrNothingMoves) {
    const std::wstring tooLong(130, L'\u00e9'); // 260 bytes in UTF-8
    const struct {
        const char* what;
        std::vector<LinuxEntry> before;
        std::vector<Rename> renames;
        Outcome outcome;
        LinuxTree after; // only what differs from `before`: a path with "" is gone
    } cases[] = {
        // clang-format off
        {"wildcards in old names, and a chain",
         {{"a", 'd'}, {"a/f*1.txt"}, {"a/fa1.txt"}, {"a/q?.txt"}, {"p", 'd'}, {"p/w.txt"}, {"p/x.txt"}},
         {{L"a\\f*1.txt", L"g.txt"}, {L"a\\q?.txt", L"q.txt"}, {L"p\\w.txt", L"x.txt"}, {L"p\\x.txt", L"y.txt"}},
         Outcome::Renamed,
         {{"a/f*1.txt", ""}, {"a/q?.txt", ""}, {"a/g.txt", "a/f*1.txt"}, {"a/q.txt", "a/q?.txt"},
          {"p/w.txt", ""}, {"p/x.txt", "p/w.txt"}, {"p/y.txt", "p/x.txt"}}},
        {"names that differ only in case: the host's own one moves",
         {{"a.txt"}, {"A.txt"}}, {{L"a.txt", L"d.txt"}}, Outcome::Renamed,
         {{"a.txt", ""}, {"d.txt", "a.txt"}}},
        {"names that differ only in case, the other one passed",
         {{"a.txt"}, {"A.txt"}}, {{L"A.txt", L"d.txt"}}, Outcome::Renamed,
         {{"A.txt", ""}, {"d.txt", "A.txt"}}},
        {"a new name held by the case twin of a file moved away",
         {{"a.txt"}, {"A.txt"}, {"c.txt"}}, {{L"A.txt", L"b.txt"}, {L"c.txt", L"a.txt"}},
         Outcome::Problems, {}},
        {"trailing space and period",
         {{"w.txt "}, {"w.txt"}, {"dot."}, {"dot"}}, {{L"w.txt ", L"v.txt"}, {L"dot.", L"e.txt"}},
         Outcome::Renamed, {{"w.txt ", ""}, {"v.txt", "w.txt "}, {"dot.", ""}, {"e.txt", "dot."}}},
        {"device names as old names",
         {{"nul"}, {"com1"}, {"aux.txt"}}, {{L"nul", L"rnul"}, {L"com1", L"rcom1"}, {L"aux.txt", L"raux.txt"}},
         Outcome::Renamed,
         {{"nul", ""}, {"rnul", "nul"}, {"com1", ""}, {"rcom1", "com1"}, {"aux.txt", ""}, {"raux.txt", "aux.txt"}}},
        {"device names as new names",
         {{"a"}, {"b"}, {"c"}, {"d"}, {"e"}},
         {{L"a", L"NUL"}, {L"b", L"con.txt"}, {L"c", L"COM1"}, {L"d", L"AUX .txt"}, {L"e", L"f"}},
         Outcome::Problems, {}},
        {"folder chains, a file taking a folder's old name, a file inside",
         {{"d1", 'd'}, {"d1/x"}, {"d2", 'd'}, {"d2/y"}, {"f"}},
         {{L"d1\\x", L"x2"}, {L"d1", L"d2"}, {L"d2", L"d3"}, {L"f", L"d1"}}, Outcome::Renamed,
         {{"d1", "f"}, {"d1/x", ""}, {"d2/x2", "d1/x"}, {"d2/y", ""}, {"d3", "<dir>"}, {"d3/y", "d2/y"},
          {"f", ""}}},
        {"two folders whose names differ only in case: the files of the one met first",
         {{"D", 'd'}, {"D/x"}, {"d", 'd'}, {"d/y"}}, {{L"D\\x", L"x2"}, {L"d\\y", L"y2"}}, Outcome::Renamed,
         {{"D/x", ""}, {"D/x2", "D/x"}}},
        {"two Linux names Windows shows alike: neither moves",
         {{"\xff.txt"}, {"\xfe.txt"}, {"b.txt"}}, {{L"\ufffd.txt", L"r.txt"}, {L"b.txt", L"s.txt"}},
         Outcome::Refused, {}},
        {"a new name longer than the Linux file system takes: nothing moves",
         {{"a"}, {"b"}}, {{L"a", tooLong.c_str()}, {L"b", L"c"}},
         Outcome::Refused, {}},
        // clang-format on
    };
    for (const MoveRoute route : {MoveRoute::OneByOne, MoveRoute::Shell})
        for (const auto& c : cases) {
            const std::string what =
                std::string(c.what) + (route == MoveRoute::Shell ? " (shell)" : " (own moves)");
            const std::wstring root = makeLinuxTree(c.before);
            EXPECT_STREQ(nameOf(renameAsHost(root, c.renames, route)), nameOf(c.outcome)) << what;
            LinuxTree after = treeOf(c.before);
            for (const auto& [path, content] : c.after)
                if (content.empty())
                    after.erase(path);
                else
                    after[path] = content;
            EXPECT_EQ(readLinuxTree(), after) << what;
        }
}

} // namespace
} // namespace mr::test
