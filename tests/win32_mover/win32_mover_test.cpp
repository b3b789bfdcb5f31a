// The shell mover on real files under Wine: chains, changes of case, and folders
// renamed after their contents.
#ifdef _WIN32
#include "platform/win32/rename_progress_dlg.h"
#include "platform/win32/wide.h"
#include "rename/execution.h"
#include "rename/validation.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>

namespace mr {
namespace {

using Tree = std::map<std::wstring, std::wstring>; // relative path -> content, "<dir>"

void writeFile(const std::wstring& path, const std::wstring& content) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const std::string bytes(content.begin(), content.end());
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::wstring readFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[256];
    DWORD got = 0;
    ReadFile(h, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(h);
    return std::wstring(buffer, buffer + got);
}

// Every entry below the folder, with names as the folder stores them.
void scan(const std::wstring& root, const std::wstring& rel, Tree& out) {
    WIN32_FIND_DATAW d;
    HANDLE h = FindFirstFileW((root + rel + L"*").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = d.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[rel + name] = L"<dir>";
            scan(root, rel + name + L"\\", out);
        } else {
            out[rel + name] = readFile(root + rel + name);
        }
    } while (FindNextFileW(h, &d));
    FindClose(h);
}

void removeTree(const std::wstring& path) {
    Tree all;
    scan(path, L"", all);
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        const std::wstring p = path + it->first;
        if (it->second == L"<dir>")
            RemoveDirectoryW(p.c_str());
        else
            DeleteFileW(p.c_str());
    }
    RemoveDirectoryW(path.c_str());
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
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"mr-shell-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        removeTree(root);
        CreateDirectoryW(root.c_str(), nullptr);
    }
    void TearDown() override { removeTree(root); }
    std::wstring root;
};

TEST_P(ShellMover, RenamesInOneOperation) {
    for (const auto& [rel, content] : GetParam().before) {
        if (content == L"<dir>")
            CreateDirectoryW((root + rel).c_str(), nullptr);
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
    Tree now;
    scan(root, L"", now);
    EXPECT_EQ(now, GetParam().after);
    EXPECT_EQ(mover.failures().size(), GetParam().failures);
}

void none(const std::wstring&) {}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShellMover,
    testing::Values(ShellCase{"chain",
                              {{L"a", L"a"}, {L"b", L"b"}},
                              {{L"a", L"b"}, {L"b", L"c"}},
                              none,
                              {{L"b", L"a"}, {L"c", L"b"}},
                              0},
                    ShellCase{"renumbered series",
                              {{L"f1", L"f1"}, {L"f2", L"f2"}, {L"f3", L"f3"}},
                              {{L"f1", L"f2"}, {L"f2", L"f3"}, {L"f3", L"f4"}},
                              none,
                              {{L"f2", L"f1"}, {L"f3", L"f2"}, {L"f4", L"f3"}},
                              0},
                    ShellCase{"change of case",
                              {{L"a.txt", L"a"}, {L"b.txt", L"b"}},
                              {{L"a.txt", L"A.TXT"}, {L"b.txt", L"c.txt"}},
                              none,
                              {{L"A.TXT", L"a"}, {L"c.txt", L"b"}},
                              0},
                    ShellCase{"change of case of a folder and its contents",
                              {{L"sub", L"<dir>"}, {L"sub\\x", L"x"}, {L"sub\\y", L"y"}},
                              {{L"sub", L"Sub"}, {L"sub\\x", L"X"}, {L"sub\\y", L"z"}},
                              none,
                              {{L"Sub", L"<dir>"}, {L"Sub\\X", L"x"}, {L"Sub\\z", L"y"}},
                              0},
                    ShellCase{"folder renamed after its contents",
                              {{L"sub", L"<dir>"}, {L"sub\\a", L"a"}, {L"sub\\b", L"b"}},
                              {{L"sub", L"dir"}, {L"sub\\a", L"b"}, {L"sub\\b", L"c"}},
                              none,
                              {{L"dir", L"<dir>"}, {L"dir\\b", L"a"}, {L"dir\\c", L"b"}},
                              0},
                    ShellCase{"change of case inside a renamed folder",
                              {{L"sub", L"<dir>"}, {L"sub\\a", L"a"}},
                              {{L"sub", L"dir"}, {L"sub\\a", L"A"}},
                              none,
                              {{L"dir", L"<dir>"}, {L"dir\\A", L"a"}},
                              0},
                    ShellCase{"target created after validation is kept",
                              {{L"a", L"a"}, {L"b", L"b"}, {L"c", L"c"}},
                              {{L"a", L"b"}, {L"b", L"x"}, {L"c", L"y"}},
                              [](const std::wstring& r) { writeFile(r + L"x", L"foreign"); },
                              {{L"a", L"a"}, {L"b", L"b"}, {L"x", L"foreign"}, {L"y", L"c"}},
                              2}));

} // namespace
} // namespace mr
#endif
