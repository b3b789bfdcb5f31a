#include "pattern/new_names.h"
#include "pattern/parser.h"
#include "support/name_set.h"

#include <gtest/gtest.h>

#include <random>

namespace mr {
namespace {

// With no edit every file keeps its name; returns how many names matched the pattern,
// so a caller can tell the property was not met vacuously. Any source of patterns can
// use it, the derived variants included.
size_t expectEveryNameKept(RecordSet& set, NamePattern& pattern) {
    collectNumberMinimums(set, pattern);
    regenerateNewNames(set, pattern);
    size_t matched = 0;
    CaptureList captures;
    set.forEachFile([&](const FileRecord& file) {
        EXPECT_EQ(file.newName, file.name);
        captures.clear();
        const SplitName split = splitForPattern(file.name, pattern.includesExtension);
        matched += matchTokens(split.base, pattern.tokens, 0, captures);
    });
    return matched;
}

struct Family {
    std::u16string base; // pattern text
    std::u16string ext;  // extension text of the pattern
    bool includeExtension;
    std::vector<std::u16string> names;
};

// A family of names written the way the derivation describes them: shared literal
// pieces, digit runs where a number field stands, free text where a wildcard stands.
Family makeFamily(std::mt19937& rng) {
    const std::u16string letters = u"ab.# -_x9";
    auto randomText = [&](size_t maxLength) {
        std::u16string s;
        const size_t n = rng() % (maxLength + 1);
        for (size_t i = 0; i < n; ++i)
            s += letters[rng() % letters.size()];
        return s;
    };
    enum class Piece { Literal, Number, Wildcard };
    std::vector<std::pair<Piece, std::u16string>> pieces;
    const size_t count = 1 + rng() % 5;
    for (size_t i = 0; i < count; ++i) {
        const Piece kind = static_cast<Piece>(rng() % 3);
        pieces.emplace_back(kind, kind == Piece::Literal ? randomText(4) : u"");
    }
    Family f;
    for (const auto& [kind, literal] : pieces) {
        if (kind == Piece::Number)
            f.base += u"#";
        else if (kind == Piece::Wildcard)
            f.base += u"*";
        for (char16_t c : literal) {
            if (c == u'#')
                f.base += u'\\';
            f.base += c;
        }
    }
    const int extChoice = static_cast<int>(rng() % 3);
    f.includeExtension = rng() % 2 == 0;
    f.ext = extChoice == 0 ? u"" : extChoice == 1 ? u".jpg" : u".*";
    for (int n = 0; n < 12; ++n) {
        std::u16string name;
        for (const auto& [kind, literal] : pieces) {
            if (kind == Piece::Literal)
                name += literal;
            else if (kind == Piece::Wildcard)
                name += randomText(5);
            else
                for (size_t d = 1 + rng() % 4; d > 0; --d)
                    name += static_cast<char16_t>(u'0' + rng() % 10);
        }
        name += extChoice == 1 ? u".jpg" : extChoice == 2 ? u".p" + randomText(2) : u"";
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
        NamePattern p;
        parsePattern(f.base, f.ext, p, f.includeExtension);
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
