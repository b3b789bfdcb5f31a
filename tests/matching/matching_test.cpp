#include "pattern/matching.h"
#include "plain_matcher.h"
#include "support/pattern_support.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <random>

namespace mr {
namespace {

using test::parsed;
using Texts = std::vector<std::u16string>;

Texts texts(const CaptureList& captures) {
    Texts out;
    for (const auto& c : captures)
        out.emplace_back(c.text);
    return out;
}

TEST(MatchTokens, CapturesTheFirstMatchInTrialOrder) {
    const std::u16string k300Digits(300, u'7');
    std::u16string manyWildcards;
    for (int i = 0; i < 30; ++i)
        manyWildcards += u"*a";
    const struct {
        const char* what;
        std::u16string base, ext;
        bool includeExtension;
        std::u16string name; // already split
        bool matches;
        Texts captures; // what the list holds afterwards
    } cases[] = {
        // clang-format off
    {"text, number, extension text", u"IMG_#", u".jpg", true, u"IMG_0042.jpg", true, {u"IMG_", u"0042", u".jpg"}},
    {"number never gives digits back", u"#1", u"", false, u"121", false, {u"", u"121"}},
    {"extension wildcard from the first period that fits", u"*", u".*", true, u"x.tar.gz", true, {u"", u"x", u"", u".tar.gz"}},
    {"at most 260 digits, the rest goes on", u"#*", u"", false, k300Digits, true, {u"", k300Digits.substr(40), u"", k300Digits.substr(260), u""}},
    {"only 0 to 9 are digits", u"#", u"", false, u"\u0663", false, {u""}},
    {"text compares case-sensitively", u"abc", u"", false, u"ABC", false, {}},
    {"failure keeps what came before the failing token", u"ab#", u"", false, u"abx", false, {u"ab"}},
    {"many wildcards against a near miss", manyWildcards + u"*b", u"", false, std::u16string(255, u'a'), false, {u""}},
    {"empty pattern matches the empty text", u"", u"", false, u"", true, {u""}}};
    // clang-format on
    for (const auto& c : cases) {
        const NamePattern p = parsed(c.base, c.ext, c.includeExtension);
        CaptureList captures;
        EXPECT_EQ(matchTokens(c.name, p.tokens, 0, captures), c.matches) << c.what;
        EXPECT_EQ(texts(captures), c.captures) << c.what;
    }
}

TEST(SplitForPattern, SetsAsideFromTheLastPeriod) {
    const std::tuple<std::u16string, bool, std::u16string, std::u16string> cases[] = {
        {u"archive.tar.gz", false, u"archive.tar", u".gz"},
        {u".profile", false, u"", u".profile"},
        {u"a.tar.gz", true, u"a.tar.gz", u""}};
    for (const auto& [name, includes, base, extension] : cases) {
        const SplitName s = splitForPattern(name, includes);
        EXPECT_EQ(s.base, base);
        EXPECT_EQ(s.extension, extension);
    }
}

TEST(MatchTokens, AgreesWithThePlainMatcherOnRandomPatterns) {
    std::mt19937 rng(20261205);
    auto randomText = [&](std::u16string_view from, size_t maxLength) {
        std::u16string s(rng() % (maxLength + 1), u' ');
        for (auto& c : s)
            c = from[rng() % from.size()];
        return s;
    };
    int matched = 0;
    for (int round = 0; round < 10000; ++round) {
        const std::u16string base = randomText(u"ab1.*#*#", 8), name = randomText(u"ab1.", 11);
        const NamePattern p = parsed(base, rng() % 4 == 0 ? u".*" : u".a", rng() % 2 == 0);
        CaptureList actual;
        test::PlainMatcher plain{name, p.tokens, {}, {}};
        const bool want = plain.from(0, 0);
        const std::string where = toUtf8(base) + " vs " + toUtf8(name);
        ASSERT_EQ(matchTokens(name, p.tokens, 0, actual), want) << where;
        if (want) {
            ASSERT_EQ(texts(actual), Texts(plain.captures.begin(), plain.captures.end())) << where;
        }
        matched += want;
    }
    EXPECT_GT(matched, 300); // successes must be exercised too
}

TEST(MarkTakingPart, TakesTheListedFilesThatFit) {
    // clang-format off
    const struct {
        std::u16string base, ext;
        bool includesExtension;
        Texts takers; // in canonical order
        bool posix = false;
    } cases[] = {
        {u"", u"", false, {u"IMG_0001.jpg", u"img_12.JPG", u"notes.txt", u"README", u"x.#1", u"\u00E4b1.txt"}},
        {u"IMG_#", u"", false, {u"IMG_0001.jpg", u"img_12.JPG"}},
        {u"IMG_#", u".jpg", true, {u"IMG_0001.jpg", u"img_12.JPG"}},
        {u"*", u".*", true, {u"IMG_0001.jpg", u"img_12.JPG", u"notes.txt", u"x.#1", u"\u00E4b1.txt"}},
        {u"x", u".#1", true, {u"x.#1"}},          // the extension is literal text
        {u"README", u"", false, {u"README"}},
        {u"\u00C4B#", u"", false, {u"\u00E4b1.txt"}},  // case folds outside ASCII too
        {u"IMG_#", u"", false, {u"IMG_0001.jpg"}, true}, // a POSIX folder minds case
        {u"#*", u"", false, {}},                         // a number field needs a digit
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::u16string folder = c.posix ? u"/P/" : u"C:\\P\\";
        test::MemoryFileSystem fs;
        std::vector<std::u16string> paths;
        for (auto n : {u"IMG_0001.jpg", u"img_12.JPG", u"notes.txt", u"README", u"\u00E4b1.txt",
                       u"x.#1", u"IMG_9.jpg"}) {
            fs.add(folder, n);
            if (n != std::u16string_view(u"IMG_9.jpg"))
                paths.push_back(folder + n);
        }
        RecordSet set(c.posix ? NameRules::posix() : NameRules::windows());
        fillRecordSet(set, paths, fs);
        set.forEachFile([](FileRecord& f) { f.newName = u"x"; });
        markTakingPart(set, parsed(c.base, c.ext, c.includesExtension));
        Texts takers;
        set.forEachFile([&](FileRecord& f) {
            EXPECT_FALSE(f.hidden && f.takesPart) << "hidden files are left alone";
            EXPECT_EQ(f.newName.empty(), !f.hidden && !f.takesPart) << toUtf8(f.name);
            if (f.takesPart)
                takers.push_back(f.name);
        });
        EXPECT_EQ(takers, c.takers) << toUtf8(c.base + c.ext);
    }
}

TEST(CollectNumberMinimums, TakesTheSmallestValueOfEachField) {
    // A folder large enough to be read in two halves, its smallest number far into the
    // second ("a9" sorts after "a8999").
    std::vector<std::u16string> large{u"a9"};
    for (int i = 10; i < 9010; ++i)
        large.push_back(u"a" + fromUtf8(std::to_string(i)));
    // clang-format off
    const struct {
        const char* what;
        std::u16string base;
        std::vector<std::u16string> names, leftOut;
        std::vector<int64_t> minimums;
    } cases[] = {
    {"numeric, not textual, order", u"a#", {u"a7", u"a12", u"a003"}, {}, {3}},
    {"extension set aside", u"a#", {u"a5.jpg", u"a9.png"}, {}, {5}},
    {"a name that does not fit does not count", u"a#", {u"a5", u"b1"}, {}, {5}},
    {"no file reaches the field", u"a#", {u"b1"}, {}, {42}},
    {"more than 18 digits wrap around", u"#", {u"18446744073709551617"}, {}, {1}},
    {"a large folder", u"a#", large, {}, {9}}};
    // clang-format on
    for (const auto& c : cases) {
        RecordSet set;
        test::fillNameSet(set, c.names);
        for (const auto& name : c.leftOut)
            test::fileNamed(set, name)->takesPart = false;
        NamePattern p = parsed(c.base);
        for (auto& t : p.tokens)
            t.minimum = 42; // fields no file reaches keep what they had
        collectNumberMinimums(set, p);
        std::vector<int64_t> minimums;
        for (const auto& t : p.tokens)
            if (t.kind == TokenKind::Number)
                minimums.push_back(t.minimum);
        EXPECT_EQ(minimums, c.minimums) << c.what;
    }
}

} // namespace
} // namespace mr
