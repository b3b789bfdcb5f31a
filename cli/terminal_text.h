#pragma once
// Text for a terminal: names that cannot move the cursor or turn the line around,
// their widths in columns, colours.
#include <cstddef>
#include <string>
#include <string_view>

namespace mr::cli {

struct HumanStyle {
    bool colour = false; // ANSI colours and bold
    size_t columns = 0;  // the terminal's width; 0: lines may be as long as they need
};

// A name fit for a terminal: control characters (C0, DEL, C1), the bidirectional
// formatting characters, line separators and undecodable bytes shown as escapes.
std::string displayName(std::u16string_view name, const HumanStyle& style);
// The same, added to the end of out.
void appendDisplayName(std::string& out, std::u16string_view name, const HumanStyle& style);
// The same for UTF-8 text (a path or a message): every line meant for a person.
std::string displayText(std::string_view utf8);
// The columns a name takes on a terminal as displayName shows it.
size_t displayWidth(std::u16string_view name);
// The name in at most `width` columns: cut in the middle, "…" where it was cut.
std::string fitName(std::u16string_view name, size_t width, const HumanStyle& style);
// The beginning of the name as displayName shows it, in at most `width` columns, never
// cutting a character in two; `used` gets the columns it takes.
std::string displayHead(std::u16string_view name, size_t width, size_t* used = nullptr);
// Where the character shown at `at` ends, and where the one before `at` starts (a mark
// that combines with a character goes with it; a surrogate pair stays whole).
size_t nextCharacter(std::u16string_view text, size_t at);
size_t previousCharacter(std::u16string_view text, size_t at);
// NO_COLOR is unset or empty and TERM is not "dumb".
bool coloursAllowed();
// Text in an ANSI colour (or bold) when the style has colours.
std::string paint(const HumanStyle& style, const char* code, const std::string& text);

} // namespace mr::cli
