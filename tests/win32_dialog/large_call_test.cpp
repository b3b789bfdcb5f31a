// run_multirename with 100,000 paths: the dialog opens over those that exist (the rest
// are not in their folder's listing and drop out), and Cancel renames nothing.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace mr::test {
namespace {

using LargeCall = FolderTest;

TEST_F(LargeCall, HundredThousandPathsOpenTheDialogAndCancelKeepsEveryName) {
    // Creating files under Wine is slow: a few thousand of the paths are real.
    constexpr int kPaths = 100000, kFiles = 2000;
    std::vector<std::wstring> paths;
    for (int i = 0; i < kPaths; ++i) {
        const std::wstring name = L"IMG_" + std::to_wstring(i + 1) + L".jpg";
        paths.push_back(i < kFiles ? touch(name) : (root / name).wstring());
    }
    int rows = -1;
    std::wstring first;
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        first = listText(list, 0, 0);
    }));
    EXPECT_EQ(rows, kFiles);
    EXPECT_EQ(first, L"IMG_1.jpg");
    for (int i = 0; i < kFiles; ++i)
        ASSERT_TRUE(std::filesystem::exists(paths[i])) << i;
}

} // namespace
} // namespace mr::test
