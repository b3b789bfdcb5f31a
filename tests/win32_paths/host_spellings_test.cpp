// A host that passes one file under many spellings, and relative paths while it changes
// its working folder: run_multirename lists each file once and renames the files of
// the folder that was current when the dialog opened.
#include "linux_side.h"
#include "win32_dialog/driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mr::test {
namespace {

TEST(HostPaths, EverySpellingOfAFileIsOneRowAndRelativePathsKeepTheirFolder) {
    const std::wstring root = makeLinuxTree({{"longfoldername", 'd'},
                                             {"longfoldername/a.txt"},
                                             {"longfoldername/b.txt"},
                                             {"other", 'd'},
                                             {"other/a.txt"},
                                             {"other/b.txt"},
                                             {"link", 'l', "longfoldername"}});
    const std::wstring folder = root + L"longfoldername\\";
    wchar_t shortFolder[MAX_PATH] = {};
    GetShortPathNameW(folder.c_str(), shortFolder, MAX_PATH);
    ASSERT_EQ(std::wstring(shortFolder).find(L"longfoldername"), std::wstring::npos)
        << "no short name";
    std::wstring slashes = folder + L"b.txt";
    std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
    const std::vector<std::wstring> paths = {L".\\b.txt",
                                             folder + L"a.txt",
                                             folder + L".\\b.txt",
                                             shortFolder + std::wstring(L"b.txt"),
                                             root + L"link\\b.txt",
                                             L"b.txt",
                                             L"\\\\?\\" + folder + L"b.txt",
                                             root + L"other\\..\\longfoldername\\B.TXT",
                                             slashes,
                                             L"..\\longfoldername\\a.txt"};
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(folder.c_str());
    ListRows rows, same;
    bool closed = false;
    std::wstring said;
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        rows = readList(dialog);
        if (rows.oldNames.size() != 2)
            return;
        pasteNames(dialog, {L"c.txt", L"c.txt"});
        same = readList(dialog);
        // The host moves on before "Rename": the relative paths still mean the first folder.
        SetCurrentDirectoryW((root + L"other").c_str());
        pasteNames(dialog, {L"x.txt", L"y.txt"});
        clickButton(dialog, IDOK);
        // A message (a move that failed) is answered, so that the dialog can close.
        for (int i = 0; i < 3000 && IsWindow(dialog); ++i, Sleep(10))
            if (FindWindowW(nullptr, L"Nombrels - Multi Rename"))
                said = answerMessage();
        closed = !IsWindow(dialog);
    }));
    SetCurrentDirectoryW(before);
    EXPECT_EQ(rows.oldNames, (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
    EXPECT_EQ(same.stateImages, (std::vector<int>{5, 5})) << "one folder: one new name twice";
    EXPECT_TRUE(closed);
    EXPECT_EQ(said, L"");
    LinuxTree after = treeOf({{"longfoldername", 'd'},
                              {"other", 'd'},
                              {"other/a.txt"},
                              {"other/b.txt"},
                              {"link", 'l', "longfoldername"}});
    after["longfoldername/x.txt"] = "longfoldername/a.txt";
    after["longfoldername/y.txt"] = "longfoldername/b.txt";
    EXPECT_EQ(readLinuxTree(), after);
}

} // namespace
} // namespace mr::test
