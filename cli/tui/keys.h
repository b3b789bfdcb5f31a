#pragma once
// Keys as the dialog understands them, read from the terminal.
#include <cstdint>
#include <string>

namespace mr::cli::tui {

enum class KeyKind {
    None,
    Text, // a character to type: `ch`
    Tab,
    BackTab,
    Enter,
    Escape,
    Backspace,
    Delete,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    F1,
    F2,
    F9,
    F10,
    ShiftF10,
    AltR,
    CtrlA,
    CtrlD,
    CtrlU,
    Resize,
};

struct Key {
    KeyKind kind = KeyKind::None;
    char32_t ch = 0;

    bool is(char32_t c) const { return kind == KeyKind::Text && ch == c; }
    // The typed character in UTF-16 (a pair above U+FFFF).
    std::u16string text() const;
};

// The next key from the current terminal, waiting for it unless `wait` is false (then
// None when no key is there). Alt+R comes as Escape and 'r' together; a lone Escape is
// Escape.
Key readKey(bool wait = true);

} // namespace mr::cli::tui
