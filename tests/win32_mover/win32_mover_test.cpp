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
#include <functional>
#include <iterator>
#include <map>

namespace mr {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::wstring, std::wstring>; // relative path -> content, "<dir>"

void writeFile(const std::wstring& path, const std::wstring& content) {
    std::ofstream(fs::path(path)) << std::string(content.begin(), content.end());
}

// Every entry below the folder, with names as the folder stores them.
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

struct ShellCase {
    const char* what;
    Tree before;                                  // files hold their own relative path
    std::map<std::wstring, std::wstring> renames; // relative path -> new name
    std::function<void(const std::wstring& root)> fault;
    Tree after;
    size_t failures;
};

class ShellMover : public testing::TestWithParam<ShellCase> {
protected:
    void SetUp() override {
        root = (fs::temp_directory_path() / L"mr-shell").wstring() + L"\\";
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }
    std::wstring root;
};

TEST_P(ShellMover, RenamesInOneOperation) {
    for (const auto& [rel, content] : GetParam().before) {
        if (content == L"<dir>")
            fs::create_directory(root + rel);
        else
            writeFile(root + rel, content);
    }
    RecordSet set;
    std::vector<std::u16string> paths;
    for (const auto& [rel, newName] : GetParam().renames)
        paths.push_back(fromWide(root + rel));
    fillRecordSet(set, paths, platformFileSystem());
    markTakingPart(set, u"", true);
    for (const auto& [rel, newName] : GetParam().renames) {
        const std::wstring full = root + rel;
        const size_t cut = full.rfind(L'\\');
        FolderRecord& folder = findOrAddFolder(set, fromWide(full.substr(0, cut + 1)));
        findFile(folder, fromWide(full.substr(cut + 1)))->newName = fromWide(newName);
    }
    validateAll(set);
    ASSERT_EQ(decideRename(set).action, RenameDecision::Action::Rename);
    GetParam().fault(root);
    RenameProgressDlg mover;
    executeRenames(nullptr, set, mover);
    EXPECT_EQ(scan(root), GetParam().after);
    EXPECT_EQ(mover.failures().size(), GetParam().failures);
}

void none(const std::wstring&) {}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ShellMover, testing::Values(
    ShellCase{"renumbered series", {{L"f1", L"f1"}, {L"f2", L"f2"}, {L"f3", L"f3"}},
              {{L"f1", L"f2"}, {L"f2", L"f3"}, {L"f3", L"f4"}}, none,
              {{L"f2", L"f1"}, {L"f3", L"f2"}, {L"f4", L"f3"}}, 0},
    ShellCase{"change of case", {{L"a.txt", L"a"}, {L"b.txt", L"b"}}, {{L"a.txt", L"A.TXT"}, {L"b.txt", L"c.txt"}},
              none, {{L"A.TXT", L"a"}, {L"c.txt", L"b"}}, 0},
    ShellCase{"change of case of a folder and its contents", {{L"sub", L"<dir>"}, {L"sub\\x", L"x"}, {L"sub\\y", L"y"}},
              {{L"sub", L"Sub"}, {L"sub\\x", L"X"}, {L"sub\\y", L"z"}}, none,
              {{L"Sub", L"<dir>"}, {L"Sub\\X", L"x"}, {L"Sub\\z", L"y"}}, 0},
    ShellCase{"folder renamed after its contents", {{L"sub", L"<dir>"}, {L"sub\\a", L"a"}, {L"sub\\b", L"b"}},
              {{L"sub", L"dir"}, {L"sub\\a", L"b"}, {L"sub\\b", L"c"}}, none,
              {{L"dir", L"<dir>"}, {L"dir\\b", L"a"}, {L"dir\\c", L"b"}}, 0},
    ShellCase{"target created after validation is kept", {{L"a", L"a"}, {L"b", L"b"}, {L"c", L"c"}},
              {{L"a", L"b"}, {L"b", L"x"}, {L"c", L"y"}}, [](const std::wstring& r) { writeFile(r + L"x", L"foreign"); },
              {{L"a", L"a"}, {L"b", L"b"}, {L"x", L"foreign"}, {L"y", L"c"}}, 2}));
// clang-format on

} // namespace
} // namespace mr
#endif
