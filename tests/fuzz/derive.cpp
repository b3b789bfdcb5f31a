// Any names: shaped token lists, check boxes that follow the texts, names that fit.
#include "derivation/fit_check.h"
#include "fuzz/input.h"
#include "pattern_language/token_shape.h"
#include "support/pattern_support.h"

using namespace mr;
using fuzz::require;

// Byte 0: bit 0 picks POSIX rules; then up to 24 names of 40 characters, one a line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool posix = data[0] & 1;
    std::vector<std::u16string> names;
    for (std::u16string line : fuzz::lines(data, size, 1)) {
        std::erase_if(line, [&](char16_t c) {
            return c == u'\0' || c == u'/' || (!posix && (c == u'\\' || c == u':' || c == u'*'));
        });
        line.resize(std::min<size_t>(line.size(), 40));
        if (!line.empty() && line != u"." && line != u".." && names.size() < 24)
            names.push_back(line);
    }
    RecordSet set(posix ? NameRules::posix() : NameRules::windows());
    test::fillNameSet(set, names, posix ? u"/f/" : u"C:\\F\\");

    PatternVariants variants;
    CheckBoxFlags flags;
    buildPatternVariants(set, variants, flags, false);
    buildPatternVariants(set, variants, flags, true);
    for (const auto& variant : variants)
        require(test::shapeFault(variant.tokens).empty(), "token list out of shape");
    const std::u16string& base = variants[0].patternText;
    require(flags.allowExtensionChangesEnabled == (variants[1].patternText.size() > base.size()),
            "extension check box disagrees with the extension text");
    require(flags.numbersAsTextEnabled == (base.find(u'#') != std::u16string::npos),
            "numbers check box disagrees with the pattern text");
    test::VariantsFit fits(variants, flags, 2);
    set.forEachFile([&](const FileRecord& file) {
        require(file.hidden || fits(file.name), "a name misses its pattern");
    });
    return 0;
}
