#include "cli/tui/row_menu.h"

#include "cli/terminal_text.h"
#include "resources/captions.h"
#include "text/utf8.h"

#include <algorithm>
#include <cwctype>

namespace mr::cli::tui {
namespace {

struct Item {
    const char* text; // with '&' before its letter
    MenuCommand command;
};

// Menu 1516, a separator before Select All.
constexpr Item kItems[] = {
    {MR_MENU_COPY_NAMES, MenuCommand::CopyNames},
    {MR_MENU_PASTE_NAMES, MenuCommand::PasteNames},
    {MR_MENU_RESET_NAMES, MenuCommand::ResetNames},
    {MR_MENU_REMOVE_FILES, MenuCommand::RemoveFiles},
    {MR_MENU_SELECT_ALL, MenuCommand::SelectAll},
    {MR_MENU_INVERT_SELECTION, MenuCommand::InvertSelection},
};
constexpr size_t kCount = sizeof kItems / sizeof kItems[0];
constexpr size_t kSeparatorBefore = 4;

struct Shown {
    std::u16string text; // without the '&'
    size_t letter;       // where the underlined letter is; npos: none
};

Shown shownText(const ChangeTextModel& model, const char* text) {
    const std::u16string resolved = model.menuText(fromUtf8(text));
    Shown s{{}, std::u16string::npos};
    for (char16_t c : resolved) {
        if (c == u'&' && s.letter == std::u16string::npos) {
            s.letter = s.text.size();
            continue;
        }
        s.text += c;
    }
    return s;
}

} // namespace

std::optional<MenuCommand> rowMenu(Screen& screen, const Backdrop& backdrop,
                                   const ChangeTextModel& model, int y) {
    Shown items[kCount];
    size_t widest = 0;
    for (size_t i = 0; i < kCount; ++i) {
        items[i] = shownText(model, kItems[i].text);
        widest = std::max(widest, displayWidth(items[i].text));
    }
    const int h = static_cast<int>(kCount) + 3, w = static_cast<int>(widest) + 4;
    // Appended piece by piece: "literal" + string trips a false -Wrestrict at -O3.
    std::u16string separator(u"├");
    separator.append(static_cast<size_t>(w - 2), u'─').append(u"┤");
    size_t focus = 0;
    while (true) {
        backdrop();
        const int top = y + h <= screen.height() ? y : std::max(0, y - h + 1);
        const int x = std::min(4, std::max(0, screen.width() - w));
        screen.frame(top, x, h, w, "");
        int row = top + 1;
        for (size_t i = 0; i < kCount; ++i) {
            if (i == kSeparatorBefore)
                screen.put(row++, x, separator, w);
            const Look look{.reverse = i == focus};
            screen.fill(row, x + 1, w - 2, look);
            const Shown& s = items[i];
            screen.put(row, x + 2, s.text, w - 3, look);
            if (s.letter < s.text.size()) {
                const int at =
                    static_cast<int>(displayWidth(std::u16string_view(s.text).substr(0, s.letter)));
                screen.put(row, x + 2 + at, std::u16string(1, s.text[s.letter]), 1,
                           {.reverse = i == focus, .underline = true});
            }
            ++row;
        }
        screen.update();
        const Key key = screen.readKey();
        switch (key.kind) {
        case KeyKind::Escape:
        case KeyKind::F9:
        case KeyKind::F2:
        case KeyKind::ShiftF10:
            return std::nullopt;
        case KeyKind::Up:
        case KeyKind::BackTab:
            focus = (focus + kCount - 1) % kCount;
            break;
        case KeyKind::Down:
        case KeyKind::Tab:
            focus = (focus + 1) % kCount;
            break;
        case KeyKind::Home:
            focus = 0;
            break;
        case KeyKind::End:
            focus = kCount - 1;
            break;
        case KeyKind::Enter:
            return kItems[focus].command;
        case KeyKind::Text:
            if (key.is(U' '))
                return kItems[focus].command;
            for (size_t i = 0; i < kCount; ++i)
                if (items[i].letter < items[i].text.size() &&
                    std::towlower(static_cast<wint_t>(items[i].text[items[i].letter])) ==
                        std::towlower(static_cast<wint_t>(key.ch)))
                    return kItems[i].command;
            break;
        default:
            break;
        }
    }
}

} // namespace mr::cli::tui
