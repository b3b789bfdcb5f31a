#include "cli/tui/keys.h"

#include <cerrno>
#include <curses.h>

namespace mr::cli::tui {
namespace {

Key ofCode(wint_t code) {
    switch (code) {
    case KEY_BTAB:
        return {KeyKind::BackTab};
    case KEY_ENTER:
        return {KeyKind::Enter};
    case KEY_BACKSPACE:
        return {KeyKind::Backspace};
    case KEY_DC:
        return {KeyKind::Delete};
    case KEY_LEFT:
        return {KeyKind::Left};
    case KEY_RIGHT:
        return {KeyKind::Right};
    case KEY_UP:
        return {KeyKind::Up};
    case KEY_DOWN:
        return {KeyKind::Down};
    case KEY_HOME:
        return {KeyKind::Home};
    case KEY_END:
        return {KeyKind::End};
    case KEY_PPAGE:
        return {KeyKind::PageUp};
    case KEY_NPAGE:
        return {KeyKind::PageDown};
    case KEY_RESIZE:
        return {KeyKind::Resize};
    default:
        break;
    }
    if (code == KEY_F(1))
        return {KeyKind::F1};
    if (code == KEY_F(2))
        return {KeyKind::F2};
    if (code == KEY_F(9))
        return {KeyKind::F9};
    if (code == KEY_F(10))
        return {KeyKind::F10};
    if (code == KEY_F(22)) // Shift+F10 as terminfo numbers it
        return {KeyKind::ShiftF10};
    return {};
}

Key ofCharacter(wint_t c) {
    switch (c) {
    case 1:
        return {KeyKind::CtrlA};
    case 4:
        return {KeyKind::CtrlD};
    case 21:
        return {KeyKind::CtrlU};
    case 9:
        return {KeyKind::Tab};
    case 10:
    case 13:
        return {KeyKind::Enter};
    case 8:
    case 127:
        return {KeyKind::Backspace};
    default:
        break;
    }
    if (c < 32 || (c >= 0x7F && c < 0xA0))
        return {};
    return {KeyKind::Text, static_cast<char32_t>(c)};
}

// The rest of an escape sequence that the terminal's description does not name (a key
// with a modifier, mostly): read to its end, so that none of it is typed. Shift+F10 as
// xterm and tmux send it is known, whatever TERM says.
Key unnamedSequence(wint_t introducer) {
    std::string body;
    wint_t c = 0;
    while (body.size() < 16 && get_wch(&c) == OK) {
        body += static_cast<char>(c);
        // SS3 ends with its one character; CSI with a byte from '@' to '~'.
        if (introducer == 'O' || (c >= 0x40 && c <= 0x7E))
            break;
    }
    return introducer == '[' && body == "21;2~" ? Key{KeyKind::ShiftF10} : Key{};
}

} // namespace

std::u16string Key::text() const {
    if (ch < 0x10000)
        return std::u16string(1, static_cast<char16_t>(ch));
    const char32_t c = ch - 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

Key readKey(bool wait) {
    while (true) {
        wint_t c = 0;
        nodelay(stdscr, wait ? FALSE : TRUE);
        errno = 0; // an end of input leaves errno as it was
        const int got = get_wch(&c);
        nodelay(stdscr, FALSE);
        if (got == ERR && !wait)
            return {};
        if (got == KEY_CODE_YES)
            return ofCode(c);
        if (got == ERR && errno == EINTR)
            continue; // a signal came between: wait again
        if (got == ERR)
            return {KeyKind::Escape}; // the terminal is gone: whatever is open cancels
        if (c != 27)
            return ofCharacter(c);
        // Escape: on its own it is the key; with a character right behind it, Alt.
        nodelay(stdscr, TRUE);
        wint_t next = 0;
        const int more = get_wch(&next);
        const Key unnamed =
            more == OK && (next == '[' || next == 'O') ? unnamedSequence(next) : Key{};
        nodelay(stdscr, FALSE);
        if (more == ERR)
            return {KeyKind::Escape};
        if (more == OK && (next == '[' || next == 'O'))
            return unnamed;
        if (more == OK && (next == 'r' || next == 'R'))
            return {KeyKind::AltR};
        // Escape, and another key typed right after it: both count.
        if (more == KEY_CODE_YES) {
            ungetch(static_cast<int>(next));
            return {KeyKind::Escape};
        }
        if (next == 27) {
            unget_wch(next);
            return {KeyKind::Escape};
        }
        return {}; // another Alt combination: no key of ours
    }
}

} // namespace mr::cli::tui
