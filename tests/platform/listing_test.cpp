// The real directory listing on a temporary folder.
#include "platform/common/utf8.h"
#include "platform/file_system.h"
#include "rename/records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace mr {
namespace {

namespace fs = std::filesystem;

class RealListing : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("mr-listing-" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
               "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "Sub");
        std::ofstream(dir / "IMG_0001.jpg") << std::string(1536, 'x');
        std::ofstream(dir / "notes");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::u16string folderPath() const {
#ifdef _WIN32
        return std::u16string(reinterpret_cast<const char16_t*>(dir.wstring().c_str())) + u"\\";
#else
        return fromUtf8(dir.string()) + u"/";
#endif
    }
    fs::path dir;
};

TEST_F(RealListing, ListsEveryEntryWithSizeAndTimes) {
    auto listing = platformFileSystem().listFolder(folderPath());
    ASSERT_TRUE(listing);
    bool sawImage = false, sawSub = false, sawNotes = false;
    for (const auto& e : listing->entries) {
        if (e.name == u"IMG_0001.jpg") {
            sawImage = true;
            EXPECT_EQ(e.size, 1536u);
            EXPECT_FALSE(e.isDirectory);
            // Written just now: after 2020 in FILETIME units.
            EXPECT_GT(e.lastWriteTime, 132223104000000000ULL);
            EXPECT_GT(e.creationTime, 132223104000000000ULL);
        }
        sawSub |= e.name == u"Sub" && e.isDirectory;
        sawNotes |= e.name == u"notes";
    }
    EXPECT_TRUE(sawImage && sawSub && sawNotes);
}

TEST_F(RealListing, MissingFolderCannotBeListed) {
    EXPECT_FALSE(platformFileSystem().listFolder(folderPath() + u"nope" +
                                                 folderPath().substr(folderPath().size() - 1)));
}

TEST_F(RealListing, FillsARecordSetFromRealPaths) {
#ifdef _WIN32
    RecordSet set(NameRules::windows());
    const std::u16string image = u"IMG_0001.JPG"; // Windows ignores case
#else
    RecordSet set(NameRules::posix());
    const std::u16string image = u"IMG_0001.jpg";
#endif
    EXPECT_TRUE(fillRecordSet(set, {folderPath() + image, folderPath() + u"Sub"},
                              platformFileSystem()));
    std::vector<std::u16string> listed;
    set.forEachFile([&](const FileRecord& f) {
        if (!f.hidden)
            listed.push_back(f.name);
    });
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"IMG_0001.jpg", u"Sub"}));
}

TEST(WorkingDirectory, IsReadable) {
    auto cwd = platformFileSystem().workingDirectory();
    ASSERT_TRUE(cwd);
    EXPECT_FALSE(cwd->empty());
}

#ifndef _WIN32
TEST_F(RealListing, NameWithInvalidUtf8SurvivesTheRoundTrip) {
    const std::string raw = "caf\xE9-\xFF.jpg";
    std::ofstream(dir / raw);
    auto listing = platformFileSystem().listFolder(folderPath());
    ASSERT_TRUE(listing);
    bool found = false;
    for (const auto& e : listing->entries)
        if (toUtf8(e.name) == raw) {
            found = true;
            EXPECT_EQ(e.name, u"caf\xDCE9-\xDCFF.jpg");
            EXPECT_TRUE(fs::exists(dir / toUtf8(e.name)));
        }
    EXPECT_TRUE(found);
}
#endif

} // namespace
} // namespace mr
