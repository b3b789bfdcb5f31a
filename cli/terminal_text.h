#pragma once
// Text for a terminal: names that cannot move the cursor, their widths, colours.
#include <cstddef>
#include <string>
#include <string_view>

namespace mr::cli {

struct HumanStyle {
    bool colour = false; // ANSI colours and bold
};

// A name fit for a terminal: control characters and undecodable bytes shown as escapes.
std::string displayName(std::u16string_view name, const HumanStyle& style);
// The same, added to the end of out.
void appendDisplayName(std::string& out, std::u16string_view name, const HumanStyle& style);
// The columns a name takes on a terminal.
size_t displayWidth(std::u16string_view name);
// Text in an ANSI colour (or bold) when the style has colours.
std::string paint(const HumanStyle& style, const char* code, const std::string& text);

} // namespace mr::cli
