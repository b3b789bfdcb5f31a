#include "platform/common/utf8.h"
#include "settings/registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace mr {
namespace {

TEST(Registry, EmptyProductNameIsRefused) {
    MemorySettingsStore store;
    try {
        Registry registry(u"", store);
        FAIL() << "no error";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Registry::Registry(): Product name cannot be empty");
    }
}

struct ComposeCase {
    std::u16string setting, keyPath, valueName;
};

class ComposeKeyPath : public testing::TestWithParam<ComposeCase> {};

TEST_P(ComposeKeyPath, SplitsAtTheLastBackslash) {
    MemorySettingsStore store;
    const auto path = Registry(u"Sorrelcast", store).composeKeyPath(GetParam().setting);
    EXPECT_EQ(path.keyPath, GetParam().keyPath);
    EXPECT_EQ(path.valueName, GetParam().valueName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComposeKeyPath,
    testing::Values(
        ComposeCase{u"NumberDlg Start", u"SOFTWARE\\Nombrel Software\\Sorrelcast",
                    u"NumberDlg Start"},
        ComposeCase{u"Sub\\Value", u"SOFTWARE\\Nombrel Software\\Sorrelcast\\Sub", u"Value"},
        ComposeCase{u"A\\B\\Value", u"SOFTWARE\\Nombrel Software\\Sorrelcast\\A\\B", u"Value"},
        ComposeCase{u"\\Value", u"SOFTWARE\\Nombrel Software\\Sorrelcast", u"Value"},
        ComposeCase{u"Sub\\", u"SOFTWARE\\Nombrel Software\\Sorrelcast\\Sub", u""}));

// What a read finds after the store was prepared; the variable starts at 77.
struct ReadCase {
    const char* what;
    void (*prepare)(MemorySettingsStore&);
    std::u16string setting;
    bool found;
    uint32_t value;
};

class ReadInt : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadInt, ReadsNumbersOnly) {
    MemorySettingsStore store;
    GetParam().prepare(store);
    uint32_t value = 77;
    EXPECT_EQ(Registry(u"Sorrelcast", store).readInt(GetParam().setting, value), GetParam().found);
    EXPECT_EQ(value, GetParam().value);
}

const std::u16string kKey = u"SOFTWARE\\Nombrel Software\\Sorrelcast";

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadInt,
    testing::Values(
        ReadCase{"no key", [](MemorySettingsStore&) {}, u"NumberDlg Start", false, 77},
        ReadCase{"written number",
                 [](MemorySettingsStore& s) { s.writeNumber(kKey, u"NumberDlg Start", 12); },
                 u"NumberDlg Start", true, 12},
        ReadCase{"names ignore case",
                 [](MemorySettingsStore& s) { s.writeNumber(kKey, u"NUMBERDLG START", 3); },
                 u"numberdlg start", true, 3},
        ReadCase{"zero is a value",
                 [](MemorySettingsStore& s) { s.writeNumber(kKey, u"MultiRenameDlgWidth", 0); },
                 u"MultiRenameDlgWidth", true, 0},
        ReadCase{"text of the same name leaves the variable",
                 [](MemorySettingsStore& s) { s.writeText(kKey, u"NumberDlg Start", u"12"); },
                 u"NumberDlg Start", false, 77},
        ReadCase{"another product's value is not seen",
                 [](MemorySettingsStore& s) {
                     s.writeNumber(u"SOFTWARE\\Nombrel Software\\Other", u"NumberDlg Start", 5);
                 },
                 u"NumberDlg Start", false, 77},
        ReadCase{"sub-key value",
                 [](MemorySettingsStore& s) { s.writeNumber(kKey + u"\\Sub", u"Value", 9); },
                 u"Sub\\Value", true, 9}));

TEST(Registry, SignedReadKeepsTheBits) {
    MemorySettingsStore store;
    Registry registry(u"Sorrelcast", store);
    EXPECT_TRUE(registry.writeInt(u"NumberDlg Start", 0xFFFFFFFEu));
    int32_t value = 0;
    EXPECT_TRUE(registry.readInt(u"NumberDlg Start", value));
    EXPECT_EQ(value, -2);
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
    ASSERT_TRUE(registry.writeInt(u"Sub\\Value", 0xDEADBEEF));
    const std::string shown = run(L"reg query \"" + key + L"\" /v \"NumberDlg Start\"");
    EXPECT_NE(shown.find("REG_DWORD"), std::string::npos) << shown;
    EXPECT_NE(shown.find("0xc"), std::string::npos) << shown;
    const std::string sub = run(L"reg query \"" + key + L"\\Sub\" /v Value");
    EXPECT_NE(sub.find("0xdeadbeef"), std::string::npos) << sub;

    // A text value written by another program is not a number.
    run(L"reg add \"" + key + L"\" /v Text /t REG_SZ /d 12 /f");
    uint32_t value = 77;
    EXPECT_FALSE(registry.readInt(u"Text", value));
    EXPECT_EQ(value, 77u);
    EXPECT_TRUE(registry.readInt(u"NumberDlg Start", value));
    EXPECT_EQ(value, 12u);
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
    void SetUp() override {
        dir = fs::temp_directory_path() / ("mr-settings-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        saved = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    void TearDown() override {
        if (saved)
            setenv("XDG_CONFIG_HOME", saved->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(dir);
    }
    fs::path dir;
    std::optional<std::string> saved;
};

TEST_F(PlatformSettings, FileRoundTrip) {
    const std::u16string product = testProduct();
    Registry registry(product);
    uint32_t value = 77;
    EXPECT_FALSE(registry.readInt(u"NumberDlg Start", value));
    ASSERT_TRUE(registry.writeInt(u"NumberDlg Start", 12));
    ASSERT_TRUE(registry.writeInt(u"NumberDlg NDigits", 3));
    ASSERT_TRUE(registry.writeInt(u"NumberDlg Start", 4000000000u));
    ASSERT_TRUE(registry.writeInt(u"Sub\\Value", 9));
    EXPECT_TRUE(Registry(product).readInt(u"numberdlg start", value));
    EXPECT_EQ(value, 4000000000u);
    EXPECT_TRUE(registry.readInt(u"NumberDlg NDigits", value));
    EXPECT_EQ(value, 3u);
    EXPECT_TRUE(registry.readInt(u"Sub\\Value", value));
    EXPECT_EQ(value, 9u);
    EXPECT_FALSE(Registry(u"Other").readInt(u"NumberDlg NDigits", value));

    // One file for the product and no temporary left behind.
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir / "Nombrel Software"))
        files.push_back(e.path().filename());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], toUtf8(product) + ".reg");
}

TEST_F(PlatformSettings, ValueOfAnotherTypeLeavesTheVariable) {
    fs::create_directories(dir / "Nombrel Software");
    std::ofstream(dir / "Nombrel Software" / "Sorrelcast.reg")
        << "[\"SOFTWARE\\\\Nombrel Software\\\\Sorrelcast\"]\n"
        << "\"NumberDlg Start\"=\"12\"\n"
        << "\"Short\"=dword:12\n"
        << "garbage line\n"
        << "\"NumberDlg NDigits\"=dword:0000000A\n";
    Registry registry(u"Sorrelcast");
    uint32_t value = 77;
    EXPECT_FALSE(registry.readInt(u"NumberDlg Start", value));
    EXPECT_FALSE(registry.readInt(u"Short", value));
    EXPECT_EQ(value, 77u);
    EXPECT_TRUE(registry.readInt(u"NumberDlg NDigits", value));
    EXPECT_EQ(value, 10u);
    // Writing keeps what it does not understand.
    ASSERT_TRUE(registry.writeInt(u"MultiRenameDlgWidth", 640));
    EXPECT_TRUE(registry.readInt(u"NumberDlg NDigits", value));
    EXPECT_EQ(value, 10u);
    EXPECT_FALSE(registry.readInt(u"NumberDlg Start", value));
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
