#include "pattern/parser.h"
#include "pattern/tags.h"
#include "rename/records.h"
#include "test_zone.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using test::fileTimeOf;

// The new text of one text token rendered for one file, '<' by '<' as new names are.
std::u16string render(std::u16string_view text, const FileRecord& file,
                      const CaptureList* captures = nullptr, std::u16string out = {}) {
    for (size_t i = 0; i < text.size();) {
        if (text[i] == u'<') {
            ++i;
            expandTag(text, i, &file, captures, &out);
        } else {
            if (out.size() < kMaxTokenOutput)
                out += text[i];
            ++i;
        }
    }
    return out;
}

struct Folder {
    FolderRecord record;
    explicit Folder(std::u16string path) { record.path = std::move(path); }
};

FileRecord fileIn(Folder& folder) {
    FileRecord f;
    f.name = u"IMG_0042.jpg";
    f.folder = &folder.record;
    // Tuesday 5 March 2024, 12:04:05 in the tests' zone (UTC+9).
    f.lastWriteTime = fileTimeOf(2024, 3, 5, 3, 4, 5);
    // Saturday 28 December 2019, 07:08:09 local.
    f.creationTime = fileTimeOf(2019, 12, 27, 22, 8, 9);
    f.size = 1536;
    return f;
}

struct TagCase {
    std::u16string text;
    std::u16string expected;
};

void expectRendered(const FileRecord& file, const std::vector<TagCase>& cases,
                    const CaptureList* captures = nullptr) {
    for (const auto& c : cases)
        EXPECT_EQ(render(c.text, file, captures), c.expected)
            << "text: " << std::string(c.text.begin(), c.text.end());
}

TEST(DateSpecToFormat, WordsBecomeDirectivesAndNoDirectiveGetsThrough) {
    const struct {
        std::u16string words;
        std::string format;
    } cases[] = {
        {u"yyyymmdd", "%Y%m%d"},
        {u"yyyy-mm-dd", "%Y-%m-%d"},
        {u"d.m.yy", "%#d.%#m.%y"},
        {u"hour:min", "%H%M"},
        {u"timehms time", "%H%M%S %H%M"},
        {u"month day mmm ddd", "%B %A %b %a"},
        {u"%Y%%", "Y"},
        {u"\\\"%*/:<>?|", ""},
        {u"Sec", "Sec"},
        {u"\u00E9", "\xC3\xA9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dateSpecToFormat(c.words), c.format);
}

TEST(FormatPaddedNumber, ZerosInFrontUpTo255Digits) {
    const struct {
        uint64_t value;
        uint32_t minDigits;
        std::u16string expected;
    } cases[] = {
        {0, 0, u"0"},
        {0, 3, u"000"},
        {42, 1, u"42"},
        {42, 4, u"0042"},
        {~uint64_t{0}, 0, u"18446744073709551615"},
        {7, 255, std::u16string(254, u'0') + u"7"},
        {7, 4000000000u, std::u16string(254, u'0') + u"7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPaddedNumber(c.value, c.minDigits), c.expected);
}

TEST(DateTags, WordsFormatTheLocalModificationTime) {
    Folder folder(u"D:\\Work\\2024\\");
    const FileRecord file = fileIn(folder);
    expectRendered(file, {
                             {u"<D>", u"20240305"},
                             {u"<d>", u"20240305"},
                             {u"<D:d.m.yy>", u"5.3.24"},
                             {u"<D:month day>", u"March Tuesday"},
                             {u"<D:mmm ddd>", u"Mar Tue"},
                             {u"<D:yyyy-mm-dd timehms>", u"2024-03-05 120405"},
                             {u"<D:time>", u"1204"},
                             {u"<D:timehms>", u"120405"},
                             {u"<D:hour:min>", u"1204"},
                             {u"<D:sec>", u"05"},
                             {u"<D:y m d>", u"2024 3 5"},
                             // longer words are tried first, and words follow each other
                             {u"<D:dddd>", u"Tue5"},
                             {u"<D:mmmm>", u"Mar3"},
                             {u"<D:yyyyy>", u"20242024"},
                             {u"<D:daytime>", u"Tuesday1204"},
                             // words are case-sensitive; other letters are copied
                             {u"<D:YYYY>", u"YYYY"},
                             {u"<D:Month>", u"Month"},
                             // no directive can be written, nor what a name cannot hold
                             {u"<D:%d%Y>", u"5Y"},
                             {u"<D:a*b?c|e\"f/g\\h>", u"abcefgh"},
                             {u"<D:%>", u""},
                             {u"<D:yyyy\u5E74m\u6708d\u65E5>", u"2024\u5E743\u67085\u65E5"},
                             {u"IMG<D:_yymmdd>.jpg", u"IMG_240305.jpg"},
                         });
}

TEST(DateTags, CreationTimeHasItsOwnTag) {
    Folder folder(u"D:\\Work\\2024\\");
    const FileRecord file = fileIn(folder);
    expectRendered(file, {
                             {u"<C>", u"20191228"},
                             {u"<c:ddd d mmm timehms>", u"Sat 28 Dec 070809"},
                             {u"<C:yyyy><D:yyyy>", u"20192024"},
                         });
}

TEST(DateTags, LocalDayIsTheOneShown) {
    Folder folder(u"D:\\Work\\");
    FileRecord file = fileIn(folder);
    const struct {
        uint64_t time;
        std::u16string expected;
    } cases[] = {
        {fileTimeOf(2024, 3, 5, 23, 30), u"20240306 Wednesday 0830"},
        {fileTimeOf(2024, 12, 31, 15, 0), u"20250101 Wednesday 0000"},
        {fileTimeOf(1900, 1, 1), u"19000101 Monday 0900"},
        {fileTimeOf(1899, 12, 31), u""}, // local year before 1900
        {0, u""},
        {uint64_t{1} << 63, u""}, // cannot be converted
    };
    for (const auto& c : cases) {
        file.lastWriteTime = c.time;
        EXPECT_EQ(render(u"<D> <D:day> <D:time>", file), c.expected.empty() ? u"  " : c.expected)
            << c.time;
    }
}

TEST(DateTags, TextOfMoreThan99BytesYieldsNothing) {
    Folder folder(u"D:\\Work\\");
    const FileRecord file = fileIn(folder);
    const std::u16string x99(99, u'x');
    const std::u16string wide33(33, u'\u5E74'); // three bytes each
    expectRendered(file, {
                             {u"<D:" + x99 + u">", x99},
                             {u"<D:" + x99 + u"x>", u""},
                             {u"<D:" + wide33 + u">", wide33},
                             {u"<D:" + wide33 + u"x>", u""},
                             {u"<D:" + std::u16string(92, u'x') + u"yyyy>",
                              std::u16string(92, u'x') + u"2024"},
                             {u"<D:" + std::u16string(96, u'x') + u"yyyy>", u""},
                         });
}

TEST(SizeTags, BytesAndRoundedUpUnits) {
    Folder folder(u"D:\\Work\\");
    FileRecord file = fileIn(folder);
    const struct {
        uint64_t size;
        std::vector<TagCase> cases;
    } sizes[] = {
        {1536,
         {{u"<S>", u"1536"},
          {u"<S:K>", u"2"},
          {u"<S:B>", u"2"},
          {u"<s:b>", u"2"},
          {u"<S:A>", u"2K"},
          {u"<S:6A>", u"000002K"},
          {u"<S:6>", u"001536"},
          {u"<S:>", u"1536"},
          {u"<S:M>", u"1"},
          {u"<S:g>", u"1"},
          {u"<S:0003K>", u"002"}}},
        {1023, {{u"<S:A>", u"1023B"}, {u"<S:K>", u"1"}, {u"<S:B>", u"1"}}},
        {1024, {{u"<S:A>", u"1K"}, {u"<S:K>", u"1"}}},
        {1048575, {{u"<S:A>", u"1024K"}, {u"<S:M>", u"1"}}},
        {1048576, {{u"<S:A>", u"1M"}, {u"<S:K>", u"1024"}}},
        {1048577, {{u"<S:A>", u"2M"}}},
        {1073741824, {{u"<S:A>", u"1G"}, {u"<S:M>", u"1024"}}},
        {0, {{u"<S>", u"0"}, {u"<S:A>", u"0B"}, {u"<S:K>", u"0"}, {u"<S:3>", u"000"}}},
        {~uint64_t{0},
         {{u"<S>", u"18446744073709551615"},
          {u"<S:G>", u"17179869184"},
          {u"<S:A>", u"17179869184G"}}},
    };
    for (const auto& s : sizes) {
        file.size = s.size;
        expectRendered(file, s.cases);
    }
}

TEST(FolderTag, LastComponentOfTheFolderPath) {
    const struct {
        std::u16string path;
        std::u16string expected;
    } cases[] = {
        {u"D:\\Work\\2024\\", u"2024"},
        {u"C:\\Users\\Ann\\Photos\\", u"Photos"},
        {u"C:\\", u""},
        {u"\\\\server\\share\\", u"share"},
        {u"/home/ann/", u"ann"}, // a record set under POSIX rules
        {u"/", u""},
    };
    for (const auto& c : cases) {
        Folder folder(c.path);
        const FileRecord file = fileIn(folder);
        EXPECT_EQ(render(u"<F>", file), c.expected);
        EXPECT_EQ(render(u"<f>", file), c.expected);
    }
}

CaptureList capturesOf(const NamePattern& pattern, const std::vector<std::u16string_view>& texts) {
    CaptureList captures;
    for (size_t i = 0; i < pattern.tokens.size(); ++i)
        captures.push_back({&pattern.tokens[i], texts.at(i)});
    return captures;
}

TEST(OldFieldTag, CountsFieldsAndNonEmptyTextPieces) {
    Folder folder(u"D:\\Work\\");
    const FileRecord file = fileIn(folder);

    NamePattern img;
    parsePattern(u"IMG_#", u".jpg", img, true);
    const CaptureList imgCaptures = capturesOf(img, {u"IMG_", u"0042", u".jpg"});
    expectRendered(file,
                   {
                       {u"<N:1>", u"IMG_"},
                       {u"<N:2>", u"0042"},
                       {u"<n:3>", u".jpg"},
                       {u"<N:0002>", u"0042"},
                       {u"<N:4>", u""},
                       {u"<N:0>", u""},
                       {u"<N:260>", u""},
                       {u"x<N:2>-<N:2>", u"x0042-0042"},
                   },
                   &imgCaptures);

    // Empty text tokens around and between fields are not counted.
    NamePattern fields;
    parsePattern(u"#*", u".*", fields, true);
    const CaptureList fieldCaptures = capturesOf(fields, {u"", u"12", u"", u"ab", u"", u".txt"});
    expectRendered(file, {{u"<N:1>", u"12"}, {u"<N:2>", u"ab"}, {u"<N:3>", u".txt"}},
                   &fieldCaptures);
}

TEST(CounterTag, NumbersByListOrFolderPosition) {
    Folder folder(u"D:\\Work\\");
    FileRecord file = fileIn(folder);
    const struct {
        std::u16string text;
        std::vector<std::u16string> expected; // list positions 0, 1, 2 (folder 2, 0, 1)
    } cases[] = {
        {u"<1>", {u"1", u"2", u"3"}},
        {u"<1,5:3>", {u"001", u"006", u"011"}},
        {u"<0,0>", {u"0", u"0", u"0"}},
        {u"<007>", {u"7", u"8", u"9"}},
        {u"<5:0>", {u"5", u"6", u"7"}},
        {u"<10,10:4F>", {u"0030", u"0010", u"0020"}},
        {u"<1f>", {u"3", u"1", u"2"}},
        {u"<18446744073709551615,1>", {u"18446744073709551615", u"0", u"1"}}, // wraps
    };
    const uint32_t folderPositions[] = {2, 0, 1};
    for (const auto& c : cases)
        for (uint32_t p = 0; p < 3; ++p) {
            file.listPosition = p;
            file.folderPosition = folderPositions[p];
            EXPECT_EQ(render(c.text, file), c.expected[p]) << "position " << p;
        }
    EXPECT_EQ(render(u"<1:300>", file), std::u16string(254, u'0') + u"3"); // padding stops at 255
}

TEST(Tags, UnrecognisedTagsVanishAndMakeTheTextInvalid) {
    Folder folder(u"D:\\Work\\");
    const FileRecord file = fileIn(folder);
    const std::u16string closed[] = {
        u"<x>",      u"<D:>",  u"<S:Q>",   u"<N>",   u"<1,>",    u"<1:>",
        u"<>",       u"<Dx>",  u"<D x>",   u"<F >",  u"<F:x>",   u"<S:AK>",
        u"<S:A3>",   u"<S6>",  u"<N:>",    u"<N:x>", u"<N:261>", u"<N:99999999999999999999>",
        u"<1,5:3G>", u"<1,x>", u"<1:3,5>", u"<1F2>", u"<-1>",
    };
    for (const auto& tag : closed) {
        EXPECT_EQ(render(u"a" + tag + u"b", file), u"ab") << std::string(tag.begin(), tag.end());
        EXPECT_FALSE(isValidNameText(u"a" + tag + u"b"));
    }
    // Without a '>' the tag runs to the end of the text.
    for (const std::u16string tag : {u"<", u"<D", u"<C:", u"<1,5", u"<S:6A"}) {
        EXPECT_EQ(render(u"a" + tag + u"b", file), u"a") << std::string(tag.begin(), tag.end());
        EXPECT_FALSE(isValidNameText(u"a" + tag + u"b"));
    }
}

TEST(Tags, ReadingGoesOnAfterTheFirstCloseOrBeforeAnOpen) {
    Folder folder(u"D:\\Work\\2024\\");
    const FileRecord file = fileIn(folder);
    expectRendered(file, {
                             {u"a<x<F>b", u"a2024b"}, // stops before the '<'
                             {u"a<x>>b", u"a>b"},     // only the first '>' is the tag's
                             {u"<F>><F>", u"2024>2024"},
                             {u"a<xyz", u"a"},
                             // a format that meets a '<' is still read to its '>'
                             {u"<D:yy<F>", u"24F2024"},
                         });
}

TEST(Tags, OutputStopsAt260Characters) {
    Folder folder(u"D:\\Work\\2024\\");
    const FileRecord file = fileIn(folder);
    std::u16string many;
    for (int i = 0; i < 100; ++i)
        many += u"<S:6A>";
    std::u16string expected;
    while (expected.size() < kMaxTokenOutput)
        expected += u"000002K";
    expected.resize(kMaxTokenOutput);
    EXPECT_EQ(render(many, file), expected);

    // A value is cut where the buffer fills, whatever was rendered before it.
    const std::u16string before(258, u'x');
    EXPECT_EQ(render(u"<D>", file, nullptr, before), before + u"20");
    const std::u16string full(kMaxTokenOutput, u'x');
    EXPECT_EQ(render(u"<F><1:255>", file, nullptr, full), full);
}

} // namespace
} // namespace mr
