// A host that passes files under many spellings, relative paths while it changes its
// working folder, '\\?\' paths alone, a hard link: run_multirename lists each file once,
// renames the files of the folder that was current when the dialog opened, and names
// in one message every file it could not rename.
#include "linux_side.h"
#include "win32_dialog/driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mr::test {
namespace {

// A host's path: "%F" is the folder's full path, "%S" its short form, "%R" the test
// folder; "%/" first: written with forward slashes.
std::wstring spelled(std::wstring path, const std::wstring& root, const std::wstring& folder,
                     const std::wstring& shortFolder) {
    const bool slashes = path.starts_with(L"%/");
    for (const auto& [mark, text] :
         {std::pair(L"%/", std::wstring()), {L"%F", folder}, {L"%S", shortFolder}, {L"%R", root}})
        for (size_t at; (at = path.find(mark)) != std::wstring::npos;)
            path.replace(at, 2, text);
    if (slashes)
        std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

TEST(HostPaths, EachFileIsOneRowInTheFolderCurrentAtOpeningAndFailuresAreNamed) {
    const std::vector<LinuxEntry> tree = {{"longfoldername", 'd'},
                                          {"longfoldername/a.txt"},
                                          {"longfoldername/b.txt"},
                                          {"longfoldername/c.txt"},
                                          {"longfoldername/hard.txt", 'h', "longfoldername/a.txt"},
                                          {"other", 'd'},
                                          {"other/a.txt"},
                                          {"other/b.txt"},
                                          {"link", 'l', "longfoldername"}};
    const struct {
        const char* what;
        std::vector<std::wstring> paths; // the dialog opens in %F, "Rename" is pressed in other
        std::vector<std::wstring> rows, newNames;
        const wchar_t* heldOpen; // a file of %F held open without sharing while renaming
        LinuxTree after;         // what differs from the tree: a path with "" is gone
        const wchar_t* said;     // the start of the message, or "" for none
    } cases[] = {
        // clang-format off
        {"one file under every spelling, relative paths against the folder at opening",
         {L".\\b.txt", L"%Fa.txt", L"%F.\\b.txt", L"%Sb.txt", L"%Rlink\\b.txt", L"b.txt", L"\\\\?\\%Fb.txt",
          L"%Rother\\..\\longfoldername\\B.TXT", L"%/%Fb.txt", L"..\\longfoldername\\a.txt"},
         {L"a.txt", L"b.txt"}, {L"x.txt", L"y.txt"}, nullptr,
         {{"longfoldername/a.txt", ""}, {"longfoldername/b.txt", ""}, {"longfoldername/x.txt", "longfoldername/a.txt"},
          {"longfoldername/y.txt", "longfoldername/b.txt"}}, L""},
        {"'\\\\?\\' paths alone", {L"\\\\?\\%Fa.txt", L"\\\\?\\%Fb.txt"},
         {L"a.txt", L"b.txt"}, {L"x.txt", L"y.txt"}, nullptr,
         {{"longfoldername/a.txt", ""}, {"longfoldername/b.txt", ""}, {"longfoldername/x.txt", "longfoldername/a.txt"},
          {"longfoldername/y.txt", "longfoldername/b.txt"}}, L""},
        {"a hard link of a file passed before it", {L"%Fhard.txt", L"%Fa.txt", L"%Fb.txt"},
         {L"b.txt", L"hard.txt"}, {L"y.txt", L"z.txt"}, nullptr,
         {{"longfoldername/b.txt", ""}, {"longfoldername/hard.txt", ""}, {"longfoldername/y.txt", "longfoldername/b.txt"},
          {"longfoldername/z.txt", "longfoldername/a.txt"}}, L""},
        {"a file that cannot be moved is named after the others moved", {L"%Fa.txt", L"%Fb.txt", L"%Fc.txt"},
         {L"a.txt", L"b.txt", L"c.txt"}, {L"x.txt", L"y.txt", L"z.txt"}, L"b.txt",
         {{"longfoldername/a.txt", ""}, {"longfoldername/c.txt", ""}, {"longfoldername/x.txt", "longfoldername/a.txt"},
          {"longfoldername/z.txt", "longfoldername/c.txt"}},
         L"These files could not be renamed:\r\n%Fb.txt -> y.txt: "},
        // clang-format on
    };
    for (const auto& c : cases) {
        const std::wstring root = makeLinuxTree(tree);
        const std::wstring folder = root + L"longfoldername\\";
        wchar_t shortFolder[MAX_PATH] = {};
        GetShortPathNameW(folder.c_str(), shortFolder, MAX_PATH);
        ASSERT_EQ(std::wstring(shortFolder).find(L"longfoldername"), std::wstring::npos)
            << "no short name";
        std::vector<std::wstring> paths;
        for (const std::wstring& path : c.paths)
            paths.push_back(spelled(path, root, folder, shortFolder));
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.heldOpen)
            held = CreateFileW((folder + c.heldOpen).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        wchar_t before[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, before);
        SetCurrentDirectoryW(folder.c_str());
        ListRows rows, same;
        bool closed = false;
        std::wstring said;
        ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
            rows = readList(dialog);
            if (rows.oldNames != c.rows)
                return;
            pasteNames(dialog, std::vector<std::wstring>(c.rows.size(), L"twice.txt"));
            same = readList(dialog);
            // The host moves on before "Rename": relative paths still mean the first folder.
            SetCurrentDirectoryW((root + L"other").c_str());
            pasteNames(dialog, c.newNames);
            clickButton(dialog, IDOK);
            for (int i = 0; i < 3000 && IsWindow(dialog); ++i, Sleep(10))
                if (FindWindowW(nullptr, L"Nombrels - Multi Rename"))
                    said = answerMessage();
            closed = !IsWindow(dialog);
        })) << c.what;
        SetCurrentDirectoryW(before);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(rows.oldNames, c.rows) << c.what;
        EXPECT_EQ(same.stateImages, std::vector<int>(c.rows.size(), 5))
            << c.what << ": one folder, so one new name given twice";
        EXPECT_TRUE(closed) << c.what;
        const std::wstring expectedStart = spelled(c.said, root, folder, shortFolder);
        EXPECT_EQ(said.substr(0, expectedStart.size()), expectedStart) << c.what;
        LinuxTree after = treeOf(tree);
        for (const auto& [path, content] : c.after)
            if (content.empty())
                after.erase(path);
            else
                after[path] = content;
        EXPECT_EQ(readLinuxTree(), after) << c.what;
    }
}

} // namespace
} // namespace mr::test
