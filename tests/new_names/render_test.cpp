#include "pattern/new_names.h"
#include "support/pattern_support.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using test::parsed;
using test::wildcard;

PatternToken number(bool clear, bool renumber, int64_t start, int64_t minimum, uint32_t zeroMode,
                    int32_t length) {
    PatternToken t;
    t.kind = TokenKind::Number;
    t.clearNumber = clear;
    t.renumber = renumber;
    t.startNumber = start;
    t.minimum = minimum;
    t.zeroMode = zeroMode;
    t.length = length;
    return t;
}

struct FieldCase {
    const char* what;
    PatternToken token;
    std::u16string captured, expected;
};
void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.what;
}

class RenderField : public testing::TestWithParam<FieldCase> {};

TEST_P(RenderField, AppliesTheFieldsSettings) {
    const FieldCase& c = GetParam();
    const FileRecord file;
    EXPECT_EQ(renderCapture({&c.token, c.captured}, file, {}), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, RenderField, testing::Values(
    //                                                      clear  renum  start min zero len
    FieldCase{"no settings keep the digits",        number(false, false, -1,   0, 0,   4), u"007",  u"007"},
    FieldCase{"renumbered keeps its old width",     number(false, true,   1,   7, 0,   4), u"007",  u"001"},
    FieldCase{"renumbered keeps its old width too", number(false, true,   1,   7, 0,   4), u"010",  u"004"},
    FieldCase{"renumbered without zeros, no width", number(false, true,   1,  10, 0,   4), u"10",   u"1"},
    FieldCase{"renumbered without zeros, later",    number(false, true,   1,  10, 0,   4), u"12",   u"3"},
    FieldCase{"renumbered from 0",                  number(false, true,   0,   5, 0,   4), u"5",    u"0"},
    FieldCase{"no start leaves the value",          number(false, true,  -1,   5, 0,   4), u"0012", u"0012"},
    FieldCase{"below the minimum clamps at 0",      number(false, true,   0,  10, 0,   4), u"3",    u"0"},
    FieldCase{"wider value keeps all its digits",   number(false, true, 100,   9, 0,   4), u"09",   u"100"},
    FieldCase{"overflow wraps",                     number(false, true,   5,   0, 0,   4), u"99999999999999999999", u"7766279631452241924"},
    FieldCase{"wrapped negative clamps at 0",       number(false, true,   0,   0, 0,   4), u"18446744073709551615", u"0"},
    FieldCase{"make 3 digits pads",                 number(false, false, -1,   0, 1,   3), u"5",     u"005"},
    FieldCase{"make 3 digits drops surplus zeros",  number(false, false, -1,   0, 1,   3), u"00012", u"012"},
    FieldCase{"make 3 digits never drops a digit",  number(false, false, -1,   0, 1,   3), u"12345", u"12345"},
    FieldCase{"make 0 digits means 1",              number(false, false, -1,   0, 1,   0), u"000",   u"0"},
    FieldCase{"renumbered then made 3 digits",      number(false, true,   1,   7, 1,   3), u"7",     u"001"},
    FieldCase{"remove leaves one zero",             number(false, false, -1,   0, 2,   4), u"000",   u"0"},
    FieldCase{"remove strips leading zeros only",   number(false, false, -1,   0, 2,   4), u"0070",  u"70"},
    FieldCase{"clear gives nothing",                number(true,  true,   1,   0, 1,   4), u"0070",  u""},
    //                                                      trunc  len case
    FieldCase{"truncated and upper-cased",          wildcard(true,  3,  1), u"holiday", u"HOL"},
    FieldCase{"length without truncate is ignored", wildcard(false, 3,  0), u"holiday", u"holiday"},
    FieldCase{"shorter than the length",            wildcard(true,  10, 0), u"abc",     u"abc"},
    FieldCase{"truncated to nothing",               wildcard(true,  0,  0), u"abc",     u""},
    FieldCase{"negative length",                    wildcard(true,  -5, 0), u"abc",     u""},
    FieldCase{"lower-cased",                        wildcard(false, 8,  2), u"MiXeD",   u"mixed"}));
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
