#include "pattern/new_names.h"
#include "support/pattern_support.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using test::parsed;

struct NumberCase {
    const char* what;
    std::u16string digits;
    bool clearNumber;
    bool renumber;
    int64_t startNumber;
    int64_t minimum;
    uint32_t zeroMode;
    int32_t length;
    std::u16string expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.what;
}

class RenderNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(RenderNumber, AppliesClearRenumberAndLeadingZeros) {
    const NumberCase& c = GetParam();
    PatternToken token;
    token.kind = TokenKind::Number;
    token.clearNumber = c.clearNumber;
    token.renumber = c.renumber;
    token.startNumber = c.startNumber;
    token.minimum = c.minimum;
    token.zeroMode = c.zeroMode;
    token.length = c.length;
    EXPECT_EQ(renderNumber({&token, c.digits}), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, RenderNumber, testing::Values(
    //         what                                  digits   clear  renum  start min zero len expected
    NumberCase{"no settings keep the digits",         u"007",  false, false, -1,   0, 0,   4, u"007"},
    NumberCase{"renumbered keeps its old width",      u"007",  false, true,   1,   7, 0,   4, u"001"},
    NumberCase{"renumbered keeps its old width too",  u"010",  false, true,   1,   7, 0,   4, u"004"},
    NumberCase{"renumbered without zeros, no width",  u"10",   false, true,   1,  10, 0,   4, u"1"},
    NumberCase{"renumbered without zeros, later",     u"12",   false, true,   1,  10, 0,   4, u"3"},
    NumberCase{"renumbered from 0",                   u"5",    false, true,   0,   5, 0,   4, u"0"},
    NumberCase{"no start leaves the value",           u"0012", false, true,  -1,   5, 0,   4, u"0012"},
    NumberCase{"below the minimum clamps at 0",       u"3",    false, true,   0,  10, 0,   4, u"0"},
    NumberCase{"wider value keeps all its digits",    u"09",   false, true, 100,   9, 0,   4, u"100"},
    NumberCase{"overflow wraps",                      u"99999999999999999999", false, true, 5, 0, 0, 4,
               u"7766279631452241924"},
    NumberCase{"wrapped negative clamps at 0",        u"18446744073709551615", false, true, 0, 0, 0, 4,
               u"0"},
    NumberCase{"make 3 digits pads",                  u"5",    false, false, -1,   0, 1,   3, u"005"},
    NumberCase{"make 3 digits drops surplus zeros",   u"00012", false, false, -1,  0, 1,   3, u"012"},
    NumberCase{"make 3 digits never drops a digit",   u"12345", false, false, -1,  0, 1,   3, u"12345"},
    NumberCase{"make 0 digits means 1",               u"000",  false, false, -1,   0, 1,   0, u"0"},
    NumberCase{"renumbered then made 3 digits",       u"7",    false, true,   1,   7, 1,   3, u"001"},
    NumberCase{"remove leaves one zero",              u"000",  false, false, -1,   0, 2,   4, u"0"},
    NumberCase{"remove strips leading zeros only",    u"0070", false, false, -1,   0, 2,   4, u"70"},
    NumberCase{"clear gives nothing",                 u"0070", true,  true,   1,   0, 1,   4, u""}));
// clang-format on

struct WildCase {
    const char* what;
    std::u16string text;
    bool truncate;
    int32_t length;
    uint32_t caseMode;
    std::u16string expected;
};

void PrintTo(const WildCase& c, std::ostream* os) {
    *os << c.what;
}

class RenderWildcard : public testing::TestWithParam<WildCase> {};

TEST_P(RenderWildcard, AppliesTruncationAndCase) {
    const WildCase& c = GetParam();
    PatternToken token;
    token.kind = TokenKind::Wildcard;
    token.truncate = c.truncate;
    token.length = c.length;
    token.caseMode = c.caseMode;
    EXPECT_EQ(renderWildcard({&token, c.text}), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, RenderWildcard, testing::Values(
    WildCase{"truncated and upper-cased",       u"holiday", true,  3,  1, u"HOL"},
    WildCase{"length without truncate is kept", u"holiday", false, 3,  0, u"holiday"},
    WildCase{"shorter than the length",         u"abc",     true,  10, 0, u"abc"},
    WildCase{"clear text",                      u"abc",     true,  0,  0, u""},
    WildCase{"negative length",                 u"abc",     true,  -5, 0, u""},
    WildCase{"lower-cased",                     u"MiXeD",   false, 8,  2, u"mixed"}));
// clang-format on

struct NameCase {
    const char* what;
    std::u16string base;
    std::u16string ext;
    bool includeExtension;
    size_t editedToken; // a Text token that gets editText, or npos
    std::u16string editText;
    std::u16string name;
    std::u16string expected;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.what;
}

class GenerateNewName : public testing::TestWithParam<NameCase> {};

TEST_P(GenerateNewName, JoinsTheRenderedCaptures) {
    const NameCase& c = GetParam();
    NamePattern p = parsed(c.base, c.ext, c.includeExtension);
    if (c.editedToken != std::u16string::npos)
        setTokenText(p.tokens[c.editedToken], c.editText);
    FileRecord file;
    file.name = c.name;
    generateNewName(p, file);
    EXPECT_EQ(file.newName, c.expected);
}

constexpr size_t kNone = std::u16string::npos;
const std::u16string k300(300, u'x');

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, GenerateNewName, testing::Values(
    NameCase{"no edit reproduces the name",        u"IMG_#", u".jpg", false, kNone, u"", u"IMG_0042.jpg", u"IMG_0042.jpg"},
    NameCase{"edited text, extension kept aside",  u"IMG_#", u".jpg", false, 0, u"Photo ", u"IMG_0042.jpg", u"Photo 0042.jpg"},
    NameCase{"edited extension text",              u"IMG_#", u".jpg", true,  2, u".jpeg", u"IMG_0042.jpg", u"IMG_0042.jpeg"},
    NameCase{"edited empty text between fields",   u"*#",    u"",     false, 2, u"-",   u"ab12.txt", u"ab-12.txt"},
    NameCase{"a name that does not fit keeps it",  u"",      u"",     false, 0, u"x",   u"notes.txt", u"notes.txt"},
    NameCase{"the empty base still renames",       u"",      u"",     false, 0, u"x",   u".bashrc", u"x.bashrc"},
    NameCase{"an unedited text holding a tag stays", u"a<1>b", u"",   false, kNone, u"", u"a<1>b.txt", u"a<1>b.txt"},
    NameCase{"an unknown tag vanishes",            u"a",     u"",     false, 0, u"b<x>c", u"a", u"bc"},
    NameCase{"a text token yields at most 260",    u"a",     u"",     false, 0, k300,   u"a.txt",
             std::u16string(260, u'x') + u".txt"}));
// clang-format on

TEST(RegenerateNewNames, MarksEveryFileGoodAndLeavesPastedAndLeftOutNamesAlone) {
    RecordSet set;
    test::fillNameSet(set, {u"a1.txt", u"a2.txt", u"a3.txt", u"b.txt"});
    NamePattern p = parsed(u"a#");
    setTokenText(p.tokens[0], u"z");
    test::fileNamed(set, u"a2.txt")->pastedName = true;
    test::fileNamed(set, u"a2.txt")->newName = u"pasted";
    test::fileNamed(set, u"a3.txt")->takesPart = false;
    set.forEachFile([](FileRecord& f) { f.status = FileStatus::Duplicate; });

    regenerateNewNames(set, p);

    std::vector<std::u16string> names;
    set.forEachFile([&](const FileRecord& f) {
        names.push_back(f.newName);
        EXPECT_EQ(f.status, FileStatus::Good);
    });
    EXPECT_EQ(names, (std::vector<std::u16string>{u"z1.txt", u"pasted", u"", u"b.txt"}));
}

TEST(RegenerateNewNames, RenumbersFromTheCollectedMinimum) {
    RecordSet set;
    test::fillNameSet(set, {u"f007.jpg", u"f010.jpg"});
    NamePattern p = parsed(u"f#");
    collectNumberMinimums(set, p);
    p.tokens[1].renumber = true;
    p.tokens[1].startNumber = 1;
    regenerateNewNames(set, p);
    EXPECT_EQ(test::fileNamed(set, u"f007.jpg")->newName, u"f001.jpg");
    EXPECT_EQ(test::fileNamed(set, u"f010.jpg")->newName, u"f004.jpg");
}

} // namespace
} // namespace mr
