#pragma once
#include "pattern/token.h"

#include <string_view>
#include <vector>

namespace mr {

// One matched token of one old name. The text views the old name or the token's own
// matchText; a capture list never outlives the name and the pattern it was made from.
struct FieldCapture {
    const PatternToken* token = nullptr;
    std::u16string_view text;
};

using CaptureList = std::vector<FieldCapture>;

} // namespace mr
