#include "cli/tui/form.h"

#include "cli/terminal_text.h"
#include "resources/captions.h"
#include "text/utf8.h"

#include <algorithm>

namespace mr::cli::tui {
namespace {

bool focusable(const FormItem& item) {
    return item.kind != FormItem::Kind::Group && item.kind != FormItem::Kind::Label;
}

bool isEnabled(const FormItem& item) {
    return !item.enabled || item.enabled();
}

std::string shown(const FormItem& item) {
    switch (item.kind) {
    case FormItem::Kind::Button:
        return "[ " + item.caption + " ]";
    case FormItem::Kind::Check:
        return std::string(item.checked() ? "[x] " : "[ ] ") + item.caption;
    case FormItem::Kind::Radio:
        return std::string(item.checked() ? "(•) " : "( ) ") + item.caption;
    default:
        return item.caption;
    }
}

} // namespace

bool runForm(Screen& screen, const Backdrop& backdrop, std::string_view title, int rows,
             int columns, std::vector<FormItem>& items) {
    bool done = false, ok = false;
    FormItem okButton{.kind = FormItem::Kind::Button, .caption = MR_CAPTION_OK};
    okButton.press = [&] { done = ok = true; };
    FormItem cancelButton{.kind = FormItem::Kind::Button, .caption = MR_CAPTION_CANCEL};
    cancelButton.press = [&] { done = true; };
    const int buttonsWidth = 6 + 2 + 10;
    okButton.row = cancelButton.row = rows + 1;
    okButton.column = columns - buttonsWidth;
    cancelButton.column = okButton.column + 8;

    // The dialogs' tab order: OK and Cancel first, then the controls in their order.
    std::vector<FormItem*> order{&okButton, &cancelButton};
    for (FormItem& item : items)
        if (focusable(item))
            order.push_back(&item);
    size_t focus = 0;
    auto moveFocus = [&](size_t to) {
        if (order[focus]->edit)
            order[focus]->edit->leave();
        focus = to;
        if (order[focus]->edit)
            order[focus]->edit->enter();
    };
    auto step = [&](int direction) {
        const size_t n = order.size();
        for (size_t k = 1; k < n; ++k) {
            const size_t next = direction > 0 ? (focus + k) % n : (focus + n - k) % n;
            if (isEnabled(*order[next]))
                return moveFocus(next);
        }
    };

    while (!done) {
        backdrop();
        const int h = rows + 4, w = columns + 4;
        const int y = std::max(0, (screen.height() - h) / 2);
        const int x = std::max(0, (screen.width() - w) / 2);
        screen.frame(y, x, h, w, title);
        auto draw = [&](FormItem& item) {
            const int iy = y + 1 + item.row, ix = x + 2 + item.column;
            const bool enabled = isEnabled(item);
            const bool hasFocus = order[focus] == &item;
            Look look{.tone = enabled ? Tone::Plain : Tone::Dim};
            if (item.kind == FormItem::Kind::Edit) {
                look.underline = true;
                item.edit->draw(screen, iy, ix, item.width, look, hasFocus);
                return;
            }
            look.bold = item.kind == FormItem::Kind::Group || (hasFocus && &item == &okButton);
            look.reverse = hasFocus;
            const std::string text = shown(item);
            screen.put(iy, ix, text, static_cast<int>(displayWidth(fromUtf8(text))), look);
        };
        for (FormItem& item : items)
            draw(item);
        draw(okButton);
        draw(cancelButton);
        screen.update();

        const Key key = screen.readKey();
        FormItem& item = *order[focus];
        const bool isEdit = item.kind == FormItem::Kind::Edit;
        switch (key.kind) {
        case KeyKind::Escape:
        case KeyKind::F9:
            return false;
        case KeyKind::Tab:
        case KeyKind::Down:
            step(1);
            break;
        case KeyKind::BackTab:
        case KeyKind::Up:
            step(-1);
            break;
        case KeyKind::Enter:
            // Enter presses the focused push button, else the default one.
            (item.kind == FormItem::Kind::Button ? item : okButton).press();
            break;
        default:
            if (isEdit) {
                if (item.edit->handle(key, true, item.limit) == LineEdit::Result::Changed &&
                    item.changed)
                    item.changed(item.edit->text());
            } else if (key.is(U' ')) {
                item.press();
            } else if (key.kind == KeyKind::Left || key.kind == KeyKind::Right) {
                step(key.kind == KeyKind::Right ? 1 : -1);
            }
            break;
        }
        if (!isEnabled(*order[focus]))
            moveFocus(0);
    }
    return ok;
}

} // namespace mr::cli::tui
