#include "cli/tui/line_edit.h"

#include "cli/terminal_text.h"

namespace mr::cli::tui {

void LineEdit::set(std::u16string text) {
    text_ = std::move(text);
    caret_ = text_.size();
    scroll_ = 0;
    allSelected_ = false;
}

void LineEdit::enter() {
    caret_ = text_.size();
    allSelected_ = true;
}

void LineEdit::leave() {
    caret_ = 0;
    scroll_ = 0;
    allSelected_ = false;
}

void LineEdit::replaceAll(std::u16string text) {
    text_ = std::move(text);
    caret_ = text_.size();
    allSelected_ = false;
}

LineEdit::Result LineEdit::handle(const Key& key, bool digitsOnly, size_t limit) {
    const bool selected = allSelected_ && !text_.empty();
    switch (key.kind) {
    case KeyKind::Text: {
        if (digitsOnly && (key.ch < U'0' || key.ch > U'9'))
            return Result::Ignored;
        const std::u16string units = key.text();
        std::u16string next =
            selected ? units : text_.substr(0, caret_) + units + text_.substr(caret_);
        if (next.size() > limit)
            return Result::Ignored;
        const size_t caret = selected ? units.size() : caret_ + units.size();
        replaceAll(std::move(next));
        caret_ = caret;
        return Result::Changed;
    }
    case KeyKind::Backspace:
    case KeyKind::Delete: {
        if (selected) {
            replaceAll({});
            return Result::Changed;
        }
        allSelected_ = false;
        const bool back = key.kind == KeyKind::Backspace;
        if (back ? caret_ == 0 : caret_ >= text_.size())
            return Result::Ignored;
        const size_t from = back ? previousCharacter(text_, caret_) : caret_;
        const size_t to = back ? caret_ : nextCharacter(text_, caret_);
        text_.erase(from, to - from);
        caret_ = from;
        return Result::Changed;
    }
    case KeyKind::CtrlU:
        if (text_.empty())
            return Result::Ignored;
        replaceAll({});
        return Result::Changed;
    case KeyKind::Left:
        caret_ = selected ? 0 : previousCharacter(text_, caret_);
        break;
    case KeyKind::Right:
        caret_ = selected ? text_.size() : nextCharacter(text_, caret_);
        break;
    case KeyKind::Home:
        caret_ = 0;
        break;
    case KeyKind::End:
        caret_ = text_.size();
        break;
    default:
        return Result::Ignored;
    }
    allSelected_ = false;
    return Result::Moved;
}

void LineEdit::draw(Screen& screen, int y, int x, int width, Look look, bool focused) {
    screen.fill(y, x, width, look);
    if (width <= 0)
        return;
    // The caret needs a cell of its own at the right end.
    if (caret_ < scroll_)
        scroll_ = caret_;
    const std::u16string_view text(text_);
    while (scroll_ < caret_ &&
           displayWidth(text.substr(scroll_, caret_ - scroll_)) >= static_cast<size_t>(width))
        scroll_ = nextCharacter(text, scroll_);
    Look shown = look;
    shown.reverse = focused && allSelected_ && !text_.empty();
    screen.put(y, x, text.substr(scroll_), width, shown);
    if (focused)
        screen.placeCursor(
            y, x + static_cast<int>(displayWidth(text.substr(scroll_, caret_ - scroll_))));
}

} // namespace mr::cli::tui
