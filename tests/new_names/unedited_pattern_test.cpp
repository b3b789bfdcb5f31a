#include "pattern/new_names.h"
#include "support/pattern_support.h"

#include <gtest/gtest.h>

#include <random>

namespace mr {
namespace {

// With no edit every file keeps its name. Returns how many names matched, so the
// caller can tell the property was not met vacuously; fits any source of patterns,
// the derived variants included.
size_t expectEveryNameKept(RecordSet& set, NamePattern& pattern) {
    collectNumberMinimums(set, pattern);
    regenerateNewNames(set, pattern);
    size_t matched = 0;
    CaptureList captures;
    set.forEachFile([&](const FileRecord& file) {
        EXPECT_EQ(file.newName, file.name);
        const SplitName split = splitForPattern(file.name, pattern.includesExtension);
        matched += matchTokens(split.base, pattern.tokens, 0, captures);
    });
    return matched;
}

// Names written the way a derived pattern describes them: shared literal pieces,
// digit runs where a number field stands, free text where a wildcard stands.
struct Family {
    std::u16string base, ext;
    bool includeExtension;
    std::vector<std::u16string> names;
};

Family makeFamily(std::mt19937& rng) {
    auto randomText = [&](std::u16string_view from, size_t maxLength) {
        std::u16string s(rng() % (maxLength + 1), u' ');
        for (auto& c : s)
            c = from[rng() % from.size()];
        return s;
    };
    std::vector<std::u16string> pieces; // "#", "*" or a literal
    for (size_t n = 1 + rng() % 5; n > 0; --n) {
        const unsigned kind = rng() % 3;
        pieces.push_back(kind == 0 ? u"#" : kind == 1 ? u"*" : u"=" + randomText(u"ab.# -9", 3));
    }
    Family f;
    const unsigned extChoice = rng() % 3;
    f.ext = extChoice == 0 ? u"" : extChoice == 1 ? u".jpg" : u".*";
    f.includeExtension = rng() % 2 == 0;
    for (const auto& piece : pieces)
        for (char16_t c : piece.starts_with(u'=') ? piece.substr(1) : piece)
            f.base += c == u'#' && piece.starts_with(u'=') ? u"\\#" : std::u16string(1, c);
    for (int n = 0; n < 12; ++n) {
        std::u16string name;
        for (const auto& piece : pieces) {
            if (piece == u"#")
                name += randomText(u"0123456789", 3) + u"7";
            else if (piece == u"*")
                name += randomText(u"ab.# -9", 5);
            else
                name += piece.substr(1);
        }
        name += extChoice == 1 ? u".jpg" : extChoice == 2 ? u".p" + randomText(u"ab.", 2) : u"";
        if (!name.empty())
            f.names.push_back(name);
    }
    return f;
}

TEST(UneditedPattern, EveryFileKeepsItsName) {
    std::mt19937 rng(7);
    size_t names = 0, matched = 0;
    for (int round = 0; round < 400; ++round) {
        const Family f = makeFamily(rng);
        RecordSet set;
        test::fillNameSet(set, f.names);
        NamePattern p = test::parsed(f.base, f.ext, f.includeExtension);
        matched += expectEveryNameKept(set, p);
        names += set.fileCount();

        // Renumbering without a start counts from the minimum to itself.
        for (auto& t : p.tokens)
            t.renumber = t.kind == TokenKind::Number;
        expectEveryNameKept(set, p);
    }
    EXPECT_GT(matched * 2, names);
}

} // namespace
} // namespace mr
