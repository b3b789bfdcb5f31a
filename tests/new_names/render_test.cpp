#include "pattern/new_names.h"
#include "support/pattern_support.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using test::parsed;
using test::wildcard;

PatternToken number(bool clear, bool renumber, int64_t start, int64_t minimum, ZeroMode zeroMode,
                    int32_t length) {
    PatternToken t = test::numberField(clear, renumber, zeroMode, start, length);
    t.minimum = minimum;
    return t;
}

struct FieldCase {
    const char* what;
    PatternToken token;
    std::u16string captured, expected;
};

TEST(RenderCapture, AppliesTheFieldsSettings) {
    // clang-format off
    const FieldCase cases[] = {
    //                                                      clear  renum  start min zero len
    {"no settings keep the digits",        number(false, false, -1,   0, ZeroMode::NoChange,   4), u"007",  u"007"},
    {"renumbered keeps its old width",     number(false, true,   1,   7, ZeroMode::NoChange,   4), u"007",  u"001"},
    {"renumbered without zeros, no width", number(false, true,   1,  10, ZeroMode::NoChange,   4), u"10",   u"1"},
    {"no start leaves the value",          number(false, true,  -1,   5, ZeroMode::NoChange,   4), u"0012", u"0012"},
    {"below the minimum clamps at 0",      number(false, true,   0,  10, ZeroMode::NoChange,   4), u"3",    u"0"},
    {"wider value keeps all its digits",   number(false, true, 100,   9, ZeroMode::NoChange,   4), u"09",   u"100"},
    {"overflow wraps",                     number(false, true,   5,   0, ZeroMode::NoChange,   4), u"99999999999999999999", u"7766279631452241924"},
    {"make 3 digits pads",                 number(false, false, -1,   0, ZeroMode::Make,   3), u"5",     u"005"},
    {"make 3 digits drops surplus zeros",  number(false, false, -1,   0, ZeroMode::Make,   3), u"00012", u"012"},
    {"make 0 digits means 1",              number(false, false, -1,   0, ZeroMode::Make,   0), u"000",   u"0"},
    {"remove strips leading zeros only",   number(false, false, -1,   0, ZeroMode::Remove,   4), u"0070",  u"70"},
    {"remove leaves a zero its last digit", number(false, false, -1,  0, ZeroMode::Remove,   4), u"000",   u"0"},
    {"clear gives nothing",                number(true,  true,   1,   0, ZeroMode::Make,   4), u"0070",  u""},
    //                                                      trunc  len case
    {"truncated and upper-cased",          wildcard(true,  3,  CaseMode::Upper), u"holiday", u"HOL"},
    {"length without truncate is ignored", wildcard(false, 3,  CaseMode::NoChange), u"holiday", u"holiday"},
    {"truncated to nothing",               wildcard(true,  0,  CaseMode::NoChange), u"abc",     u""},
    {"lower-cased",                        wildcard(false, 8,  CaseMode::Lower), u"MiXeD",   u"mixed"},
    {"a cut inside a pair drops its half", wildcard(true,  2,  CaseMode::NoChange), u"x\U0001F600y", u"x"},
    {"a cut after a pair keeps it",        wildcard(true,  3,  CaseMode::NoChange), u"x\U0001F600y", u"x\U0001F600"},
    {"a lone first half is no pair",       wildcard(true,  2,  CaseMode::NoChange), u"x\xD83Dy",     u"x\xD83D"}};
    // clang-format on
    for (const FieldCase& c : cases)
        EXPECT_EQ(renderCapture({&c.token, c.captured}, FileRecord(), {}), c.expected) << c.what;
}

TEST(GenerateNewName, JoinsTheRenderedCaptures) {
    constexpr size_t kNone = std::u16string::npos;
    const std::u16string k300(300, u'x');
    const struct {
        const char* what;
        std::u16string base, ext;
        bool includeExtension;
        size_t editedToken; // a Text token that gets editText, or kNone
        std::u16string editText, name, expected;
    } cases[] = {
        // clang-format off
    {"no edit reproduces the name",        u"IMG_#", u".jpg", false, kNone, u"", u"IMG_0042.jpg", u"IMG_0042.jpg"},
    {"edited text, extension kept aside",  u"IMG_#", u".jpg", false, 0, u"Photo ", u"IMG_0042.jpg", u"Photo 0042.jpg"},
    {"edited empty text between fields",   u"*#",    u"",     false, 2, u"-",   u"ab12.txt", u"ab-12.txt"},
    {"a name that does not fit keeps it",  u"",      u"",     false, 0, u"x",   u"notes.txt", u"notes.txt"},
    {"the empty base still renames",       u"",      u"",     false, 0, u"x",   u".bashrc", u"x.bashrc"},
    {"an unedited text holding a tag stays", u"a<1>b", u"",   false, kNone, u"", u"a<1>b.txt", u"a<1>b.txt"},
    {"a text token yields at most 260",    u"a",     u"",     false, 0, k300,   u"a.txt",
             std::u16string(260, u'x') + u".txt"}};
    // clang-format on
    for (const auto& c : cases) {
        NamePattern p = parsed(c.base, c.ext, c.includeExtension);
        if (c.editedToken != kNone)
            setTokenText(p.tokens[c.editedToken], c.editText);
        FileRecord file;
        file.name = c.name;
        generateNewName(p, file);
        EXPECT_EQ(file.newName, c.expected) << c.what;
    }
}

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

} // namespace
} // namespace mr
