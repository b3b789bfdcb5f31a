#include "pattern/new_names.h"
#include "pattern/parser.h"
#include "pattern/tags.h"
#include "rename/records.h"
#include "test_zone.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mr {
namespace {

using test::fileTimeOf;

// One edited text token rendered for one file.
std::u16string render(std::u16string_view text, const FileRecord& file,
                      const CaptureList& captures = {}) {
    PatternToken t;
    setTokenText(t, text);
    return renderCapture({&t, u""}, file, captures);
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

using TagCase = std::pair<std::u16string, std::u16string>;

void expectRendered(const FileRecord& file, const std::vector<TagCase>& cases,
                    const CaptureList& captures = {}) {
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(render(text, file, captures), expected) << toUtf8(text);
}

TEST(Tags, RenderTheSampleFile) {
    const Sample s;
    const std::u16string x92(92, u'x'), x99(99, u'x'), wide33(33, u'\u5E74'); // 3 bytes each
    // clang-format off
    expectRendered(s.file, {
        {u"<D>", u"20240305"}, {u"<D:d.m.yy>", u"5.3.24"}, {u"<D:month day>", u"March Tuesday"},
        {u"<D:mmm ddd timehms>", u"Mar Tue 120405"}, {u"<D:time sec>", u"1204 05"},
        // longer words are tried first, and words follow each other
        {u"<D:dddd>", u"Tue5"}, {u"<D:yyyyy>", u"20242024"}, {u"<D:daytime>", u"Tuesday1204"},
        // words are case-sensitive; no directive gets through, nor what a name cannot hold
        {u"<D:Month>", u"Month"}, {u"<D:%d%Y>", u"5Y"}, {u"<D:a*b?c|e\"f/g\\h>", u"abcefgh"},
        {u"IMG<D:_yymmdd>.jpg", u"IMG_240305.jpg"}, {u"<c:ddd d mmm>", u"Sat 28 Dec"}, {u"<C>", u"20191228"},
        // a date text of more than 99 bytes yields nothing
        {u"<D:" + x99 + u">", x99}, {u"<D:" + x99 + u"x>", u""}, {u"<D:" + wide33 + u"x>", u""},
        {u"<D:" + x92 + u"yyyy>", x92 + u"2024"}, {u"<D:" + std::u16string(96, u'x') + u"yyyy>", u""},
        {u"<S>", u"1536"}, {u"<s:b>", u"2"}, {u"<S:A>", u"2K"}, {u"<S:6A>", u"000002K"},
        {u"<S:6>", u"001536"}, {u"<S:M>", u"1"}, {u"<S:0003K>", u"002"}, {u"<f>", u"2024"},
        // reading goes on after the first '>' or before a '<'
        {u"a<x<F>b", u"a2024b"}, {u"a<x>>b", u"a>b"}, {u"a<xyz", u"a"},
        {u"<D:yy<F>", u"24F2024"}, // a format that meets a '<' is still read to its '>'
    });
    // clang-format on
}

TEST(Tags, LocalDayAndAutomaticSizeUnit) {
    Sample s;
    const std::tuple<uint64_t, uint64_t, std::u16string> cases[] = {
        {fileTimeOf(2024, 12, 31, 15, 0), 1024, u"20250101 Wednesday 0000 1K 1"},
        {fileTimeOf(1900, 1, 1), 1048577, u"19000101 Monday 0900 2M 1025"},
        {fileTimeOf(1899, 12, 31), 1073741824, u"   1G 1048576"}, // local year before 1900
        {uint64_t{1} << 63, 0, u"   0B 0"},                       // cannot be converted
        {0, ~uint64_t{0}, u"   17179869184G 18014398509481984"},
    };
    for (const auto& [time, size, expected] : cases) {
        s.file.lastWriteTime = time;
        s.file.size = size;
        EXPECT_EQ(render(u"<D> <D:day> <D:time> <S:A> <S:K>", s.file), expected) << time;
    }
}

TEST(FolderTag, LastComponentOfTheFolderPath) {
    // clang-format off
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:\\Users\\Ann\\Photos\\", u"Photos"}, {u"C:\\", u""}, {u"/home/ann/", u"ann"},
    };
    // clang-format on
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(render(u"<F>", Sample(path).file), expected);
}

TEST(OldFieldTag, CountsFieldsAndNonEmptyTextPieces) {
    NamePattern p;
    parsePattern(u"a#*", u".*", p, true); // 'a' # '' * '' .*
    const std::u16string_view texts[] = {u"a", u"12", u"", u"ab", u"", u".txt"};
    CaptureList captures;
    for (size_t i = 0; i < p.tokens.size(); ++i)
        captures.push_back({&p.tokens[i], texts[i]});
    // clang-format off
    expectRendered(Sample().file, {{u"<N:1>", u"a"}, {u"<n:3>", u"ab"}, {u"<N:0004>", u".txt"}, {u"<N:5>", u""},
                                   {u"<N:0>", u""}, {u"x<N:2>-<N:2>", u"x12-12"}}, captures);
    // clang-format on
}

TEST(CounterTag, NumbersByListOrFolderPosition) {
    Sample s;
    // clang-format off
    const struct {
        std::u16string text;
        std::vector<std::u16string> expected; // list positions 0, 1, 2 (folder 2, 0, 1)
    } cases[] = {
        {u"<1>", {u"1", u"2", u"3"}}, {u"<1,5:3>", {u"001", u"006", u"011"}},
        {u"<5:0>", {u"5", u"6", u"7"}}, {u"<1f>", {u"3", u"1", u"2"}},
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
        u"<x>", u"<D:>", u"<S:Q>", u"<N>", u"<1,>", u"<>", u"<Dx>", u"<F:x>", u"<S:AK>",
        u"<N:261>", u"<1,5:3G>", u"<-1>", u"<", u"<1,5", // without a '>' the tag runs to the end
    };
    // clang-format on
    for (const auto& tag : closed) {
        EXPECT_EQ(render(u"a" + tag + u"b", s.file), tag.back() == u'>' ? u"ab" : u"a")
            << toUtf8(tag);
        EXPECT_FALSE(isValidNameText(u"a" + tag + u"b"));
    }
}

TEST(Tags, AValueIsCutWhereTheOutputFills) {
    const std::u16string x258(258, u'x'), full(kMaxTokenOutput, u'x');
    EXPECT_EQ(render(x258 + u"<D>", Sample().file), x258 + u"20");
    EXPECT_EQ(render(full + u"<F><1:255>", Sample().file), full);
}

} // namespace
} // namespace mr
