// run_multirename with 100,000 paths: the dialog opens over the files among them that
// exist (the rest are not in their folder's listing and drop out), and Cancel renames
// nothing.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace mr::test {
namespace {

namespace fs = std::filesystem;

using LargeCall = FolderTest;

TEST_F(LargeCall, HundredThousandPathsOpenTheDialogAndCancelKeepsEveryName) {
    // Creating files under Wine is slow: a few thousand of the paths are real.
    constexpr int kPaths = 100000, kFiles = 2000;
    std::vector<std::wstring> paths;
    paths.reserve(kPaths);
    for (int i = 0; i < kPaths; ++i) {
        const std::wstring name = L"IMG_" + std::to_wstring(i + 1) + L".jpg";
        paths.push_back(i < kFiles ? touch(name) : (root / name).wstring());
    }
    std::vector<const wchar_t*> raw;
    for (const auto& p : paths)
        raw.push_back(p.c_str());
    int rows = -1;
    std::wstring first;
    ASSERT_TRUE(runAndInspect(kPaths, raw.data(), [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        first = listText(list, 0, 0);
    }));
    EXPECT_EQ(rows, kFiles);
    EXPECT_EQ(first, L"IMG_1.jpg");
    size_t kept = 0;
    for (int i = 0; i < kFiles; ++i)
        kept += fs::exists(paths[i]);
    EXPECT_EQ(kept, static_cast<size_t>(kFiles));
}

} // namespace
} // namespace mr::test
