// The Windows mover on real files, by both routes: the shell's one operation and the
// module's own moves; the last guard; a run cancelled from the progress window.
#ifdef _WIN32
#include "platform/win32/move_paths.h"
#include "platform/win32/move_progress_window.h"
#include "platform/win32/rename_progress_dlg.h"
#include "platform/win32/wide.h"
#include "rename/records.h"
#include "win32_support/driving.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <thread>

namespace mr {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::wstring, std::wstring>; // relative path -> content, "<dir>"
using Moves = std::vector<std::pair<std::wstring, std::wstring>>; // relative path, new name

Tree scan(const fs::path& root) {
    Tree out;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::ifstream in(entry.path());
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        out[entry.path().lexically_relative(root).wstring()] =
            entry.is_directory() ? L"<dir>" : std::wstring(bytes.begin(), bytes.end());
    }
    return out;
}

void make(const fs::path& root, const Tree& tree) {
    fs::remove_all(root);
    fs::create_directories(root);
    for (const auto& [rel, content] : tree) {
        if (content == L"<dir>") {
            fs::create_directory(root / rel);
            continue;
        }
        // Straight through the system: a stream per file costs milliseconds under Wine.
        HANDLE file = CreateFileW((root / rel).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        const std::string bytes(content.begin(), content.end());
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
}

// The records of the moved files, with their new names, in list order.
std::vector<FileRecord*> moveList(RecordSet& set, const fs::path& root, const Moves& moves) {
    std::vector<std::u16string> paths;
    for (const auto& [rel, newName] : moves)
        paths.push_back(fromWide((root / rel).wstring()));
    fillRecordSet(set, paths, platformFileSystem());
    std::vector<FileRecord*> list;
    for (const auto& [rel, newName] : moves) {
        const fs::path full = root / rel;
        FolderRecord& folder = findOrAddFolder(set, fromWide(full.parent_path().wstring() + L"\\"));
        list.push_back(findFile(folder, fromWide(full.filename().wstring())));
        list.back()->newName = fromWide(newName);
    }
    return list;
}

TEST(WindowsMover, MovesInListOrderAndRefusesWhatTheFolderWouldNotTake) {
    const struct {
        const char* what;
        Tree before;
        Moves moves;
        const wchar_t* foreign; // made after the list, or removed when it is in `before`
        Tree after;
        size_t failures;
    } cases[] = {
        // clang-format off
        {"a chain, a change of case, a folder renamed after its contents",
         {{L"f1", L"1"}, {L"f2", L"2"}, {L"a.txt", L"a"}, {L"sub", L"<dir>"}, {L"sub\\x", L"x"}, {L"sub\\y", L"y"}},
         {{L"sub\\y", L"z"}, {L"sub\\x", L"y"}, {L"f2", L"f3"}, {L"f1", L"f2"}, {L"a.txt", L"A.TXT"}, {L"sub", L"Sub"}},
         nullptr, {{L"f2", L"1"}, {L"f3", L"2"}, {L"A.TXT", L"a"}, {L"Sub", L"<dir>"}, {L"Sub\\y", L"x"}, {L"Sub\\z", L"y"}}, 0},
        {"a target made after the list refuses everything", {{L"a", L"a"}, {L"b", L"b"}, {L"c", L"c"}},
         {{L"b", L"x"}, {L"a", L"b"}, {L"c", L"y"}}, L"x", {{L"a", L"a"}, {L"b", L"b"}, {L"c", L"c"}, {L"x", L"foreign"}}, 1},
        {"two targets the file system takes as one", {{L"x", L"x"}, {L"y", L"y"}},
         {{L"x", L"\u00c4.txt"}, {L"y", L"\u00e4.txt"}}, nullptr, {{L"x", L"x"}, {L"y", L"y"}}, 2},
        {"a target holding NUL", {{L"q", L"q"}, {L"r", L"r"}},
         {{L"r", L"s"}, {L"q", std::wstring(L"q\0.zip", 6)}}, nullptr, {{L"q", L"q"}, {L"r", L"r"}}, 1},
        {"a name freed only after it is taken", {{L"a", L"a"}, {L"b", L"b"}},
         {{L"a", L"b"}, {L"b", L"c"}}, nullptr, {{L"a", L"a"}, {L"b", L"b"}}, 1},
        {"a file gone since the list refuses everything", {{L"a", L"a"}, {L"gone", L"g"}},
         {{L"gone", L"g2"}, {L"a", L"b"}}, L"gone", {{L"a", L"a"}}, 1},
        // clang-format on
    };
    const fs::path root = fs::temp_directory_path() / L"mr-mover";
    for (MoveRoute route : {MoveRoute::Shell, MoveRoute::OneByOne})
        for (const auto& c : cases) {
            const std::string what =
                std::string(c.what) + (route == MoveRoute::Shell ? " (shell)" : " (own moves)");
            make(root, c.before);
            RecordSet set;
            const std::vector<FileRecord*> list = moveList(set, root, c.moves);
            if (c.foreign && c.before.count(c.foreign))
                fs::remove(root / c.foreign);
            else if (c.foreign)
                std::ofstream(root / c.foreign) << "foreign";
            RenameProgressDlg mover({route});
            mover.renameFiles(nullptr, list);
            EXPECT_EQ(scan(root), c.after) << what;
            EXPECT_EQ(mover.failures().size(), c.failures) << what;
        }
    fs::remove_all(root);
}

TEST(WindowsMover, ARefusalNamesTheFilesInOneMessage) {
    const fs::path root = fs::temp_directory_path() / L"mr-refusal";
    make(root, {{L"x", L"x"}, {L"y", L"y"}});
    RecordSet set;
    const auto list = moveList(set, root, {{L"x", L"\u00c4.txt"}, {L"y", L"\u00e4.txt"}});
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    std::wstring said;
    std::thread reader([&] { said = test::answerMessage(); });
    RenameProgressDlg({MoveRoute::OneByOne}).renameFiles(owner, list);
    reader.join();
    DestroyWindow(owner);
    EXPECT_EQ(said.rfind(L"No file has been renamed,", 0), 0u);
    for (const wchar_t* name : {L"\\x -> \u00c4.txt: ", L"\\y -> \u00e4.txt: "})
        EXPECT_NE(said.find(name), std::wstring::npos) << name;
    EXPECT_EQ(scan(root), (Tree{{L"x", L"x"}, {L"y", L"y"}}));
    fs::remove_all(root);
}

// Cancelled from the progress window: the moves made stay made, in list order, the
// rest keep their names, no change of case is left half done, and the window says so.
TEST(WindowsMover, ACancelledRunKeepsWhatMovedAndSaysSo) {
    constexpr int kFiles = 5000;
    const fs::path root = fs::temp_directory_path() / L"mr-cancel";
    make(root, {{L"a", L"a"}, {L"b", L"b"}, {L"k.txt", L"k"}});
    Moves moves{{L"b", L"c"}, {L"a", L"b"}, {L"k.txt", L"K.TXT"}};
    // Made through the mover's own paths: under Wine a new name given by a DOS path
    // costs a read of the whole folder.
    const std::wstring fast = moveFolderPath(root.wstring() + L"\\", runningUnderWine());
    for (int i = 0; i < kFiles; ++i) {
        moves.push_back({L"f" + std::to_wstring(i), L"g" + std::to_wstring(i)});
        CloseHandle(CreateFileW((fast + moves.back().first).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    RecordSet set;
    const std::vector<FileRecord*> list = moveList(set, root, moves);
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    RenameProgressDlg mover({MoveRoute::OneByOne, 0});
    std::wstring said;
    const bool shown = test::driveWhile(
        [&] { mover.renameFiles(owner, list); }, L"Renaming Files",
        [&](HWND window) {
            // Once the chain and the change of case are behind: "Renamed 4 of ..."
            const HWND text = GetDlgItem(window, MoveProgressWindow::kTextId);
            for (int i = 0; i < 2000 && _wtoi(test::windowText(text).c_str() + 8) < 4; ++i)
                Sleep(2);
            test::clickButton(window, IDCANCEL);
            for (int i = 0; i < 500 && test::windowText(text).rfind(L"Cancelled", 0) != 0; ++i)
                Sleep(10);
            said = test::windowText(text);
            test::clickButton(window, IDCANCEL);
        });
    DestroyWindow(owner);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(mover.cancelled());
    EXPECT_TRUE(mover.failures().empty());
    std::set<std::wstring> after;
    for (const auto& entry : fs::directory_iterator(root))
        after.insert(entry.path().filename().wstring());
    auto content = [&](const wchar_t* name) {
        std::ifstream in(root / name);
        return std::string{std::istreambuf_iterator<char>(in), {}};
    };
    EXPECT_EQ(content(L"b"), "a");
    EXPECT_EQ(content(L"c"), "b");
    EXPECT_TRUE(after.count(L"K.TXT") && !after.count(L"k.txt"));
    // The moved files are a start of the list; every other file keeps its name.
    size_t moved = 3;
    while (moved < moves.size() && after.count(moves[moved].second))
        ++moved;
    for (size_t i = 3; i < moves.size(); ++i)
        EXPECT_TRUE(after.count(i < moved ? moves[i].second : moves[i].first) &&
                    !after.count(i < moved ? moves[i].first : moves[i].second))
            << i;
    EXPECT_LT(moved, moves.size());
    EXPECT_EQ(said.rfind(L"Cancelled after " + std::to_wstring(moved) + L" of " +
                             std::to_wstring(moves.size()) + L" files.",
                         0),
              0u)
        << std::string(said.begin(), said.end());
    for (const auto& name : after)
        DeleteFileW((fast + name).c_str());
    fs::remove_all(root);
}

} // namespace
} // namespace mr
#endif
