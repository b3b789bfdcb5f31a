// Derives the variants of any set of names and checks what must always hold: the
// token lists keep their shape, the check box rules follow the texts, and a name that
// misses its pattern does so only for one of the two known causes.
#include "derivation/fit_check.h"
#include "pattern/derivation.h"
#include "platform/common/utf8.h"
#include "support/memory_file_system.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "derive: %s\n", what);
    std::abort();
}

bool wellShaped(const mr::NamePattern& pattern) {
    const auto& tokens = pattern.tokens;
    if (tokens.empty() || tokens.front().kind != mr::TokenKind::Text)
        return false;
    for (size_t i = 1; i < tokens.size(); ++i) {
        const bool text = tokens[i].kind == mr::TokenKind::Text;
        const bool previousText = tokens[i - 1].kind == mr::TokenKind::Text;
        if (tokens[i].isExtension)
            return i + 1 == tokens.size() && previousText;
        if (text == previousText)
            return false;
    }
    return tokens.back().kind == mr::TokenKind::Text;
}

// Characters a name cannot hold under the rules; the first byte picks the rules.
bool allowed(char16_t c, bool posix) {
    if (c == u'\0' || c == u'/')
        return false;
    return posix || (c != u'\\' && c != u':' && c != u'*');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool posix = data[0] & 1;
    const mr::NameRules rules = posix ? mr::NameRules::posix() : mr::NameRules::windows();
    const std::u16string text =
        mr::fromUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

    // Small sets of short names keep every run quick; the search is what is tested.
    std::vector<std::u16string> names(1);
    for (char16_t c : text) {
        if (c == u'\n') {
            if (names.size() == 24)
                break;
            names.emplace_back();
        } else if (allowed(c, posix) && names.back().size() < 40) {
            names.back() += c;
        }
    }
    const std::u16string folder = posix ? u"/f/" : u"C:\\F\\";
    mr::test::MemoryFileSystem fs;
    std::vector<std::u16string> paths;
    for (const auto& name : names)
        if (!name.empty() && name != u"." && name != u"..") {
            fs.add(folder, name);
            paths.push_back(folder + name);
        }
    mr::RecordSet set(rules);
    mr::fillRecordSet(set, paths, fs);

    mr::PatternVariants variants;
    mr::CheckBoxFlags flags;
    mr::buildPatternVariants(set, variants, flags, false);
    mr::buildPatternVariants(set, variants, flags, true);

    for (const auto& variant : variants)
        if (!wellShaped(variant))
            fail("token list out of shape");
    const std::u16string& withExtension = variants[1].patternText;
    const std::u16string& base = variants[0].patternText;
    if (flags.allowExtensionChangesEnabled != (withExtension.size() > base.size()))
        fail("extension check box disagrees with the extension text");
    if (flags.numbersAsTextEnabled != (base.find(u'#') != std::u16string::npos))
        fail("numbers check box disagrees with the pattern text");
    const auto overlapped = mr::test::overlappedNames(set);
    set.forEachFile([&](const mr::FileRecord& file) {
        if (!file.hidden &&
            !mr::test::checkName(variants, flags, file.name, overlapped.count(file.name) > 0)
                 .explained)
            fail("a name misses its pattern for an unknown reason");
    });
    return 0;
}
