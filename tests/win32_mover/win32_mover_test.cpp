// The shell mover on real files: chains, changes of case, folders renamed after their contents.
#ifdef _WIN32
#include "platform/win32/rename_progress_dlg.h"
#include "platform/win32/wide.h"
#include "rename/execution.h"
#include "rename/validation.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace mr {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::wstring, std::wstring>; // relative path -> content, "<dir>"

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

TEST(ShellMover, RenamesInOneOperationAndKeepsATargetMadeAfterValidation) {
    const struct {
        const char* what;
        Tree before;
        std::map<std::wstring, std::wstring> renames; // relative path -> new name
        const wchar_t* foreign; // a file made between validation and the operation
        Tree after;
        size_t failures;
    } cases[] = {
        // clang-format off
        {"a chain, a change of case, a folder renamed after its contents",
         {{L"f1", L"f1"}, {L"f2", L"f2"}, {L"a.txt", L"a"}, {L"sub", L"<dir>"}, {L"sub\\x", L"x"}, {L"sub\\y", L"y"}},
         {{L"f1", L"f2"}, {L"f2", L"f3"}, {L"a.txt", L"A.TXT"}, {L"sub", L"Sub"}, {L"sub\\x", L"y"}, {L"sub\\y", L"z"}},
         nullptr, {{L"f2", L"f1"}, {L"f3", L"f2"}, {L"A.TXT", L"a"}, {L"Sub", L"<dir>"}, {L"Sub\\y", L"x"}, {L"Sub\\z", L"y"}}, 0},
        {"a target made after validation is kept", {{L"a", L"a"}, {L"b", L"b"}, {L"c", L"c"}},
         {{L"a", L"b"}, {L"b", L"x"}, {L"c", L"y"}}, L"x", {{L"a", L"a"}, {L"b", L"b"}, {L"x", L"foreign"}, {L"y", L"c"}}, 2},
        // clang-format on
    };
    const fs::path root = fs::temp_directory_path() / L"mr-shell";
    for (const auto& c : cases) {
        fs::remove_all(root);
        fs::create_directories(root);
        for (const auto& [rel, content] : c.before)
            if (content == L"<dir>")
                fs::create_directory(root / rel);
            else
                std::ofstream(root / rel) << std::string(content.begin(), content.end());
        RecordSet set;
        std::vector<std::u16string> paths;
        for (const auto& [rel, newName] : c.renames)
            paths.push_back(fromWide((root / rel).wstring()));
        fillRecordSet(set, paths, platformFileSystem());
        markTakingPart(set, u"", true);
        for (const auto& [rel, newName] : c.renames) {
            const fs::path full = root / rel;
            FolderRecord& folder =
                findOrAddFolder(set, fromWide(full.parent_path().wstring() + L"\\"));
            findFile(folder, fromWide(full.filename().wstring()))->newName = fromWide(newName);
        }
        validateAll(set);
        ASSERT_EQ(decideRename(set).action, RenameDecision::Action::Rename) << c.what;
        if (c.foreign)
            std::ofstream(root / c.foreign) << "foreign";
        RenameProgressDlg mover;
        executeRenames(nullptr, set, mover);
        EXPECT_EQ(scan(root), c.after) << c.what;
        EXPECT_EQ(mover.failures().size(), c.failures) << c.what;
    }
    fs::remove_all(root);
}

} // namespace
} // namespace mr
#endif
