#include "platform/common/utf8.h"
#include "settings/registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <tuple>

namespace mr {
namespace {

TEST(Registry, ComposeKeyPathSplitsAtTheLastBackslash) {
    const std::u16string key = u"SOFTWARE\\Nombrel Software\\Sorrelcast";
    const std::u16string cases[][3] = {
        {u"NumberDlg Start", key, u"NumberDlg Start"},
        {u"A\\B\\Value", key + u"\\A\\B", u"Value"},
        {u"\\Value", key, u"Value"},
    };
    MemorySettingsStore store;
    EXPECT_THROW(Registry(u"", store), std::invalid_argument);
    for (const auto& [setting, keyPath, valueName] : cases) {
        const auto path = Registry(u"Sorrelcast", store).composeKeyPath(setting);
        EXPECT_EQ(std::tie(path.keyPath, path.valueName), std::tie(keyPath, valueName));
    }
}

TEST(Registry, ReadIntReadsNumbersOnly) {
    const std::u16string key = u"SOFTWARE\\Nombrel Software\\Sorrelcast";
    const struct {
        std::u16string key, name;       // where a value is written, if anywhere
        std::optional<uint32_t> number; // none: the text "12"
        std::u16string setting;
        bool found;
        uint32_t value; // starts at 77
    } cases[] = {
        {u"", u"", 0, u"NumberDlg Start", false, 77},
        {key, u"NumberDlg Start", 12, u"NumberDlg Start", true, 12},
        {key, u"NUMBERDLG START", 3, u"numberdlg start", true, 3}, // names ignore case
        {key, u"NumberDlg Start", std::nullopt, u"NumberDlg Start", false, 77},
        {u"SOFTWARE\\Nombrel Software\\Other", u"NumberDlg Start", 5, u"NumberDlg Start", false,
         77},
        {key + u"\\Sub", u"Value", 9, u"Sub\\Value", true, 9},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        if (!c.key.empty() && c.number)
            store.writeNumber(c.key, c.name, *c.number);
        else if (!c.key.empty())
            store.writeText(c.key, c.name, u"12");
        uint32_t value = 77;
        EXPECT_EQ(Registry(u"Sorrelcast", store).readInt(c.setting, value), c.found)
            << toUtf8(c.name);
        EXPECT_EQ(value, c.value) << toUtf8(c.name);
    }
    MemorySettingsStore store;
    EXPECT_TRUE(Registry(u"Sorrelcast", store).writeInt(u"NumberDlg Start", 0xFFFFFFFEu));
    int32_t signedValue = 0; // a signed read keeps the bits
    EXPECT_TRUE(Registry(u"Sorrelcast", store).readInt(u"NumberDlg Start", signedValue));
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
    Registry registry(product);
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
    EXPECT_FALSE(Registry(product).readInt(u"NumberDlg Start", value));
}

#else

} // namespace
} // namespace mr

#include <unistd.h>

namespace mr {
namespace {

namespace fs = std::filesystem;

class PlatformSettings : public testing::Test {
protected:
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    const fs::path dir = fs::temp_directory_path() / ("mr-settings-" + std::to_string(::getpid()));
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    void TearDown() override {
        old ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(dir);
    }
};

TEST_F(PlatformSettings, FileRoundTripKeepsWhatItDoesNotUnderstand) {
    const std::u16string product = testProduct();
    Registry registry(product);
    uint32_t value = 77;
    EXPECT_FALSE(registry.readInt(u"NumberDlg Start", value));
    for (auto [setting, number] : {std::pair{u"NumberDlg Start", 12u},
                                   {u"NumberDlg NDigits", 3u},
                                   {u"NumberDlg Start", 4000000000u}})
        ASSERT_TRUE(registry.writeInt(setting, number));
    EXPECT_TRUE(Registry(product).readInt(u"numberdlg start", value));
    EXPECT_EQ(value, 4000000000u);
    // One file for the product and no temporary left behind.
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir / "Nombrel Software"))
        files.push_back(e.path().filename());
    EXPECT_EQ(files, std::vector<fs::path>{toUtf8(product) + ".reg"});

    std::ofstream(dir / "Nombrel Software" / "Sorrelcast.reg")
        << "[\"SOFTWARE\\\\Nombrel Software\\\\Sorrelcast\"]\n\"NumberDlg Start\"=\"12\"\n"
        << "\"Short\"=dword:12\ngarbage line\n\"NumberDlg NDigits\"=dword:0000000A\n";
    Registry other(u"Sorrelcast");
    value = 77;
    EXPECT_FALSE(other.readInt(u"NumberDlg Start", value)); // a value of another type
    EXPECT_FALSE(other.readInt(u"Short", value));
    ASSERT_TRUE(other.writeInt(u"MultiRenameDlgWidth", 640));
    EXPECT_TRUE(other.readInt(u"NumberDlg NDigits", value));
    EXPECT_EQ(value, 10u);
    EXPECT_FALSE(other.readInt(u"NumberDlg Start", value));
}

TEST_F(PlatformSettings, NoConfigHomeReadsNothing) {
    unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    unsetenv("HOME");
    uint32_t value = 77;
    EXPECT_FALSE(Registry(u"Sorrelcast").writeInt(u"X", 1));
    EXPECT_FALSE(Registry(u"Sorrelcast").readInt(u"X", value));
    if (home)
        setenv("HOME", savedHome.c_str(), 1);
}

#endif

} // namespace
} // namespace mr
