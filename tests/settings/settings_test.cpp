#include "seams/settings_store.h"
#include "settings/registry.h"
#include "support/memory_settings_store.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <tuple>

namespace mr {
namespace {

TEST(Registry, ReadIntReadsNumbersOnly) {
    const std::u16string key = u"SOFTWARE\\Nombrel Software\\Sorrelcast";
    MemorySettingsStore store;
    store.writeNumber(key, u"NUMBERDLG START", 3);
    store.writeText(key, u"Text", u"12");
    store.writeNumber(u"SOFTWARE\\Nombrel Software\\Other", u"Other", 5);
    store.writeNumber(key + u"\\A\\B", u"Value", 9);
    store.writeNumber(key, u"Signed", 0xFFFFFFFEu);
    const std::tuple<std::u16string, bool, uint32_t> cases[] = {
        {u"numberdlg start", true, 3}, // names ignore case
        {u"Text", false, 77},
        {u"Missing", false, 77},
        {u"Other", false, 77},
        {u"A\\B\\Value", true, 9}, // split at the last '\\'
        {u"\\NumberDlg Start", true, 3},
    };
    EXPECT_THROW(Registry(u"", store), std::invalid_argument);
    Registry registry(u"Sorrelcast", store);
    for (const auto& [setting, found, expected] : cases) {
        uint32_t value = 77;
        EXPECT_EQ(registry.readInt(setting, value), found) << toUtf8(setting);
        EXPECT_EQ(value, expected) << toUtf8(setting);
    }
    int32_t signedValue = 0; // a signed read keeps the bits
    EXPECT_TRUE(registry.readInt(u"Signed", signedValue));
    EXPECT_EQ(signedValue, -2);
}

// The real store of the platform, with a product of the test's own.
std::u16string testProduct() {
    const std::string s =
        "MultiRename Test " + std::to_string(testing::UnitTest::GetInstance()->random_seed());
    return std::u16string(s.begin(), s.end());
}

#ifdef _WIN32

std::string run(const std::wstring& command) {
    std::string out;
    if (FILE* p = _wpopen(command.c_str(), L"r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, p))
            out += buffer;
        _pclose(p);
    }
    return out;
}

TEST(PlatformSettings, ValuesWrittenAreInTheUsersRegistry) {
    const std::u16string product = testProduct();
    const std::wstring key =
        L"HKCU\\SOFTWARE\\Nombrel Software\\" + std::wstring(product.begin(), product.end());
    Registry registry(product, platformSettingsStore());
    ASSERT_TRUE(registry.writeInt(u"NumberDlg Start", 12));
    const std::string shown = run(L"reg query \"" + key + L"\" /v \"NumberDlg Start\"");
    EXPECT_NE(shown.find("REG_DWORD"), std::string::npos) << shown;
    EXPECT_NE(shown.find("0xc"), std::string::npos) << shown;
    // A text value written by another program is not a number.
    run(L"reg add \"" + key + L"\" /v Text /t REG_SZ /d 12 /f");
    uint32_t value = 77;
    EXPECT_FALSE(registry.readInt(u"Text", value));
    EXPECT_EQ(value, 77u);
    run(L"reg delete \"" + key + L"\" /f");
    EXPECT_FALSE(Registry(product, platformSettingsStore()).readInt(u"NumberDlg Start", value));
}

#else

} // namespace
} // namespace mr

#include "support/scoped_env.h"

#include <unistd.h>

namespace mr {
namespace {

namespace fs = std::filesystem;

class PlatformSettings : public testing::Test {
protected:
    const fs::path dir = fs::temp_directory_path() / ("mr-settings-" + std::to_string(::getpid()));
    test::ScopedEnv config{"XDG_CONFIG_HOME", dir.c_str()};
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(PlatformSettings, FileRoundTripKeepsWhatItDoesNotUnderstand) {
    const std::u16string product = testProduct();
    Registry registry(product, platformSettingsStore());
    uint32_t value = 77;
    EXPECT_FALSE(registry.readInt(u"NumberDlg Start", value));
    for (auto [setting, number] : {std::pair{u"NumberDlg Start", 12u},
                                   {u"NumberDlg NDigits", 3u},
                                   {u"NumberDlg Start", 4000000000u}})
        ASSERT_TRUE(registry.writeInt(setting, number));
    EXPECT_TRUE(Registry(product, platformSettingsStore()).readInt(u"numberdlg start", value));
    EXPECT_EQ(value, 4000000000u);
    // One file for the product and no temporary left behind.
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir / "Nombrel Software"))
        files.push_back(e.path().filename());
    EXPECT_EQ(files, std::vector<fs::path>{toUtf8(product) + ".reg"});

    std::ofstream(dir / "Nombrel Software" / "Sorrelcast.reg")
        << "[\"SOFTWARE\\\\Nombrel Software\\\\Sorrelcast\"]\n\"NumberDlg Start\"=\"12\"\n"
        << "\"Short\"=dword:12\ngarbage line\n\"NumberDlg NDigits\"=dword:0000000A\n";
    Registry other(u"Sorrelcast", platformSettingsStore());
    value = 77;
    EXPECT_FALSE(other.readInt(u"NumberDlg Start", value)); // a value of another type
    EXPECT_FALSE(other.readInt(u"Short", value));
    ASSERT_TRUE(other.writeInt(u"MultiRenameDlgWidth", 640));
    EXPECT_TRUE(other.readInt(u"NumberDlg NDigits", value));
    EXPECT_EQ(value, 10u);
    EXPECT_FALSE(other.readInt(u"NumberDlg Start", value));
}

TEST_F(PlatformSettings, NoConfigHomeReadsNothing) {
    test::ScopedEnv config("XDG_CONFIG_HOME", nullptr), home("HOME", nullptr);
    uint32_t value = 77;
    EXPECT_FALSE(Registry(u"Sorrelcast", platformSettingsStore()).writeInt(u"X", 1));
    EXPECT_FALSE(Registry(u"Sorrelcast", platformSettingsStore()).readInt(u"X", value));
}

#endif

} // namespace
} // namespace mr
