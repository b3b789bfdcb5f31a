#include "pattern/parser.h"
#include "pattern/tags.h"
#include "platform/common/utf8.h"
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
        if (text[i++] != u'<') {
            if (out.size() < kMaxTokenOutput)
                out += text[i - 1];
        } else {
            expandTag(text, i, &file, captures, &out);
        }
    }
    return out;
}

// IMG_0042.jpg, 1536 bytes, in D:\Work\2024\.
struct Sample {
    FolderRecord folder;
    FileRecord file;
    explicit Sample(std::u16string path = u"D:\\Work\\2024\\") {
        folder.path = std::move(path);
        file.name = u"IMG_0042.jpg";
        file.folder = &folder;
        file.lastWriteTime = fileTimeOf(2024, 3, 5, 3, 4, 5);   // Tue 5 Mar 2024 12:04:05 local
        file.creationTime = fileTimeOf(2019, 12, 27, 22, 8, 9); // Sat 28 Dec 2019 07:08:09 local
        file.size = 1536;
    }
};

struct TagCase {
    std::u16string text, expected;
};

void expectRendered(const FileRecord& file, const std::vector<TagCase>& cases,
                    const CaptureList* captures = nullptr) {
    for (const auto& c : cases)
        EXPECT_EQ(render(c.text, file, captures), c.expected) << toUtf8(c.text);
}

TEST(Tags, RenderTheSampleFile) {
    const Sample s;
    const std::u16string x92(92, u'x'), x99(99, u'x'), wide33(33, u'\u5E74'); // 3 bytes each
    // clang-format off
    expectRendered(s.file, {
        {u"<D>", u"20240305"}, {u"<D:d.m.yy>", u"5.3.24"},
        {u"<D:month day>", u"March Tuesday"}, {u"<D:mmm ddd>", u"Mar Tue"},
        {u"<D:yyyy-mm-dd timehms>", u"2024-03-05 120405"}, {u"<D:time>", u"1204"},
        {u"<D:sec>", u"05"}, {u"<D:y m d>", u"2024 3 5"},
        // longer words are tried first, and words follow each other
        {u"<D:dddd>", u"Tue5"}, {u"<D:mmmm>", u"Mar3"}, {u"<D:yyyyy>", u"20242024"}, {u"<D:daytime>", u"Tuesday1204"},
        // words are case-sensitive; no directive gets through, nor what a name cannot hold
        {u"<D:YYYY>", u"YYYY"}, {u"<D:Month>", u"Month"}, {u"<D:%d%Y>", u"5Y"}, {u"<D:%>", u""},
        {u"<D:a*b?c|e\"f/g\\h>", u"abcefgh"},
        {u"<D:yyyy\u5E74m\u6708d\u65E5>", u"2024\u5E743\u67085\u65E5"}, {u"IMG<D:_yymmdd>.jpg", u"IMG_240305.jpg"},
        {u"<C>", u"20191228"}, {u"<c:ddd d mmm timehms>", u"Sat 28 Dec 070809"}, {u"<C:yyyy><D:yyyy>", u"20192024"},
        // a date text of more than 99 bytes yields nothing
        {u"<D:" + x99 + u">", x99}, {u"<D:" + x99 + u"x>", u""}, {u"<D:" + wide33 + u">", wide33},
        {u"<D:" + wide33 + u"x>", u""}, {u"<D:" + x92 + u"yyyy>", x92 + u"2024"},
        {u"<D:" + std::u16string(96, u'x') + u"yyyy>", u""},
        {u"<S>", u"1536"}, {u"<S:K>", u"2"}, {u"<s:b>", u"2"}, {u"<S:A>", u"2K"}, {u"<S:6A>", u"000002K"},
        {u"<S:6>", u"001536"}, {u"<S:>", u"1536"}, {u"<S:M>", u"1"}, {u"<S:0003K>", u"002"},
        {u"<F>", u"2024"}, {u"<f>", u"2024"},
        // reading goes on after the first '>' or before a '<'
        {u"a<x<F>b", u"a2024b"}, {u"a<x>>b", u"a>b"}, {u"<F>><F>", u"2024>2024"}, {u"a<xyz", u"a"},
        {u"<D:yy<F>", u"24F2024"}, // a format that meets a '<' is still read to its '>'
    });
    // clang-format on
}

TEST(DateTags, LocalDayIsTheOneShown) {
    Sample s(u"D:\\Work\\");
    const struct {
        uint64_t time;
        std::u16string expected;
    } cases[] = {
        {fileTimeOf(2024, 3, 5, 23, 30), u"20240306 Wednesday 0830"},
        {fileTimeOf(2024, 12, 31, 15, 0), u"20250101 Wednesday 0000"},
        {fileTimeOf(1900, 1, 1), u"19000101 Monday 0900"},
        {fileTimeOf(1899, 12, 31), u"  "}, // local year before 1900
        {0, u"  "},
        {uint64_t{1} << 63, u"  "}, // cannot be converted
    };
    for (const auto& c : cases) {
        s.file.lastWriteTime = c.time;
        EXPECT_EQ(render(u"<D> <D:day> <D:time>", s.file), c.expected) << c.time;
    }
}

TEST(SizeTags, BytesAndRoundedUpUnits) {
    Sample s;
    const struct {
        uint64_t size;
        std::vector<TagCase> cases;
    } sizes[] = {
        {1023, {{u"<S:A>", u"1023B"}, {u"<S:K>", u"1"}, {u"<S:B>", u"1"}}},
        {1024, {{u"<S:A>", u"1K"}, {u"<S:K>", u"1"}}},
        {1048576, {{u"<S:A>", u"1M"}, {u"<S:K>", u"1024"}}},
        {1048577, {{u"<S:A>", u"2M"}}},
        {1073741824, {{u"<S:A>", u"1G"}, {u"<S:M>", u"1024"}}},
        {0, {{u"<S>", u"0"}, {u"<S:A>", u"0B"}, {u"<S:K>", u"0"}, {u"<S:3>", u"000"}}},
        {~uint64_t{0}, {{u"<S>", u"18446744073709551615"}, {u"<S:A>", u"17179869184G"}}},
    };
    for (const auto& size : sizes) {
        s.file.size = size.size;
        expectRendered(s.file, size.cases);
    }
}

TEST(FolderTag, LastComponentOfTheFolderPath) {
    // clang-format off
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:\\Users\\Ann\\Photos\\", u"Photos"}, {u"C:\\", u""}, {u"\\\\server\\share\\", u"share"},
        {u"/home/ann/", u"ann"}, {u"/", u""}, // a record set under POSIX rules
    };
    // clang-format on
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(render(u"<F>", Sample(path).file), expected);
}

TEST(OldFieldTag, CountsFieldsAndNonEmptyTextPieces) {
    const Sample s;
    auto capturesOf = [](const NamePattern& pattern, std::vector<std::u16string_view> texts) {
        CaptureList captures;
        for (size_t i = 0; i < pattern.tokens.size(); ++i)
            captures.push_back({&pattern.tokens[i], texts.at(i)});
        return captures;
    };
    NamePattern img;
    parsePattern(u"IMG_#", u".jpg", img, true);
    const CaptureList imgCaptures = capturesOf(img, {u"IMG_", u"0042", u".jpg"});
    // clang-format off
    expectRendered(s.file, {{u"<N:1>", u"IMG_"}, {u"<N:2>", u"0042"}, {u"<n:3>", u".jpg"}, {u"<N:0002>", u"0042"},
                            {u"<N:4>", u""}, {u"<N:0>", u""}, {u"<N:260>", u""}, {u"x<N:2>-<N:2>", u"x0042-0042"}},
                   &imgCaptures);
    // clang-format on
    // Empty text tokens around and between fields are not counted.
    NamePattern fields;
    parsePattern(u"#*", u".*", fields, true);
    const CaptureList fieldCaptures = capturesOf(fields, {u"", u"12", u"", u"ab", u"", u".txt"});
    expectRendered(s.file, {{u"<N:1>", u"12"}, {u"<N:2>", u"ab"}, {u"<N:3>", u".txt"}},
                   &fieldCaptures);
}

TEST(CounterTag, NumbersByListOrFolderPosition) {
    Sample s;
    // clang-format off
    const struct {
        std::u16string text;
        std::vector<std::u16string> expected; // list positions 0, 1, 2 (folder 2, 0, 1)
    } cases[] = {
        {u"<1>", {u"1", u"2", u"3"}}, {u"<1,5:3>", {u"001", u"006", u"011"}}, {u"<0,0>", {u"0", u"0", u"0"}},
        {u"<007>", {u"7", u"8", u"9"}}, {u"<5:0>", {u"5", u"6", u"7"}}, {u"<1f>", {u"3", u"1", u"2"}},
        {u"<10,10:4F>", {u"0030", u"0010", u"0020"}},
        {u"<18446744073709551615,1>", {u"18446744073709551615", u"0", u"1"}}, // wraps
    };
    // clang-format on
    for (const auto& c : cases)
        for (uint32_t p = 0; p < 3; ++p) {
            s.file.listPosition = p;
            s.file.folderPosition = (p + 2) % 3;
            EXPECT_EQ(render(c.text, s.file), c.expected[p]) << toUtf8(c.text) << " at " << p;
        }
    EXPECT_EQ(render(u"<1:300>", s.file), std::u16string(254, u'0') + u"3"); // at most 255 digits
}

TEST(Tags, UnrecognisedTagsVanishAndMakeTheTextInvalid) {
    const Sample s;
    // clang-format off
    const std::u16string closed[] = {
        u"<x>", u"<D:>", u"<S:Q>", u"<N>", u"<1,>", u"<1:>", u"<>", u"<Dx>", u"<D x>", u"<F >", u"<F:x>",
        u"<S:AK>", u"<S:A3>", u"<S6>", u"<N:>", u"<N:x>", u"<N:261>", u"<N:99999999999999999999>",
        u"<1,5:3G>", u"<1,x>", u"<1:3,5>", u"<1F2>", u"<-1>",
        u"<", u"<D", u"<C:", u"<1,5", u"<S:6A", // without a '>' the tag runs to the end
    };
    // clang-format on
    for (const auto& tag : closed) {
        EXPECT_EQ(render(u"a" + tag + u"b", s.file), tag.back() == u'>' ? u"ab" : u"a")
            << toUtf8(tag);
        EXPECT_FALSE(isValidNameText(u"a" + tag + u"b"));
    }
}

TEST(Tags, AValueIsCutWhereTheOutputFills) {
    const Sample s;
    const std::u16string before(258, u'x'), full(kMaxTokenOutput, u'x');
    EXPECT_EQ(render(u"<D>", s.file, nullptr, before), before + u"20");
    EXPECT_EQ(render(u"<F><1:255>", s.file, nullptr, full), full);
}

} // namespace
} // namespace mr
