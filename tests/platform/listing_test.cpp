// The real directory listing on a temporary folder.
#include "rename/records.h"
#include "seams/file_system.h"
#include "support/disk_state.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace mr {
namespace {

namespace fs = std::filesystem;

class RealListing : public testing::Test {
protected:
    RealListing() {
        scratch.sub("Sub");
        scratch.write("IMG_0001.jpg", std::string(1536, 'x'));
        scratch.write("notes", "");
    }
    std::u16string folderPath() const {
#ifdef _WIN32
        return std::u16string(reinterpret_cast<const char16_t*>(dir.wstring().c_str())) + u"\\";
#else
        return fromUtf8(dir.string()) + u"/";
#endif
    }
    test::ScratchDir scratch;
    const fs::path dir = scratch.path();
};

// Only the named paths are listed; times and sizes come with the listing or are read later.
TEST_F(RealListing, ListsTheNamedEntriesWithSizeAndTimes) {
#ifdef _WIN32
    RecordSet set(NameRules::windows());
    const std::u16string image = u"IMG_0001.JPG"; // Windows ignores case
#else
    RecordSet set(NameRules::posix());
    const std::u16string image = u"IMG_0001.jpg";
#endif
    EXPECT_TRUE(
        fillRecordSet(set, {folderPath() + image, folderPath() + u"Sub"}, platformFileSystem()));
    std::vector<std::u16string> listed;
    set.forEachFile([&](const FileRecord& f) {
        if (!f.hidden)
            listed.push_back(f.name);
    });
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"IMG_0001.jpg", u"Sub"}));
    readFileDetails(set);
    FolderRecord& folder = *set.folders.begin()->second;
    ASSERT_EQ(folder.files->size(), 3u);
    const FileRecord* file = findFile(folder, u"IMG_0001.jpg");
    EXPECT_EQ(file->size, 1536u);
    EXPECT_GT(file->lastWriteTime, 132223104000000000ULL); // after 2020 in FILETIME units
    EXPECT_GT(file->creationTime, 132223104000000000ULL);
    const auto listing = platformFileSystem().listFolder(folderPath());
    for (const auto& e : listing->entries)
        EXPECT_EQ(e.isDirectory, e.name == u"Sub" || e.name == u"." || e.name == u"..");
}

#ifdef _WIN32
// The batch read gives what the find-file loop gives, entry for entry.
TEST_F(RealListing, BatchesMatchTheFindFileLoop) {
    std::vector<std::tuple<std::u16string, bool, uint64_t, uint64_t, uint64_t>> expected, got;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir.wstring() + L"\\*").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    auto u64 = [](DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; };
    do
        expected.emplace_back(
            reinterpret_cast<const char16_t*>(data.cFileName),
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
            u64(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
            u64(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime),
            u64(data.nFileSizeHigh, data.nFileSizeLow));
    while (FindNextFileW(find, &data));
    FindClose(find);
    auto listing = platformFileSystem().listFolder(folderPath());
    ASSERT_TRUE(listing);
    EXPECT_TRUE(listing->caseInsensitive);
    for (const auto& e : listing->entries)
        got.emplace_back(e.name, e.isDirectory, e.lastWriteTime, e.creationTime, e.size);
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected);
}
#endif

#ifndef _WIN32
// Bytes that are no UTF-8 come back as lone surrogates and name the same file again.
TEST_F(RealListing, NameWithInvalidUtf8SurvivesTheRoundTrip) {
    const std::u16string name = u"caf\xDCE9-\xDCFF.jpg";
    std::ofstream(dir / "caf\xE9-\xFF.jpg");
    std::vector<std::u16string> names;
    const auto listing = platformFileSystem().listFolder(folderPath());
    for (const auto& e : listing->entries)
        names.push_back(e.name);
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
    EXPECT_TRUE(fs::exists(dir / toUtf8(name)));
}
#endif

} // namespace
} // namespace mr
