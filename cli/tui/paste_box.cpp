#include "cli/tui/paste_box.h"

#include "cli/terminal_text.h"
#include "text/utf8.h"

#include <algorithm>

namespace mr::cli::tui {
namespace {

// The last `count` lines of the text, the one being typed last.
std::vector<std::u16string_view> lastLines(std::u16string_view text, size_t count) {
    std::vector<std::u16string_view> lines;
    size_t end = text.size();
    while (lines.size() < count) {
        const size_t start = end == 0 ? std::u16string_view::npos : text.rfind(u'\n', end - 1);
        const size_t from = start == std::u16string_view::npos ? 0 : start + 1;
        lines.push_back(text.substr(from, end - from));
        if (start == std::u16string_view::npos)
            break;
        end = start;
    }
    std::reverse(lines.begin(), lines.end());
    return lines;
}

} // namespace

std::optional<std::u16string> pasteBox(Screen& screen, const Backdrop& backdrop,
                                       std::u16string_view title, std::u16string text) {
    size_t line = static_cast<size_t>(std::count(text.begin(), text.end(), u'\n')) + 1;
    while (true) {
        // A paste arrives as many keys: all that are there are taken before a redraw.
        Key key = screen.readKey(false);
        if (key.kind == KeyKind::None) {
            backdrop();
            const int w = std::min(screen.width(), 76);
            const int h = std::min(screen.height(), 18);
            const int y = std::max(0, (screen.height() - h) / 2);
            const int x = std::max(0, (screen.width() - w) / 2);
            const int area = std::max(1, h - 5);
            screen.frame(y, x, h, w, toUtf8(title));
            screen.put(y + 1, x + 2, "Paste or type the names, one per line:", w - 4);
            const auto lines = lastLines(text, static_cast<size_t>(area));
            for (size_t i = 0; i < lines.size(); ++i)
                screen.put(y + 2 + static_cast<int>(i), x + 2, lines[i], w - 4);
            const std::u16string_view current = lines.back();
            screen.placeCursor(y + 1 + static_cast<int>(lines.size()),
                               x + 2 +
                                   static_cast<int>(std::min<size_t>(displayWidth(current),
                                                                     static_cast<size_t>(w - 5))));
            screen.put(y + h - 2, x + 2,
                       "Line " + std::to_string(line) + "    Ctrl+D or F10: paste    Esc: cancel",
                       w - 4, {.tone = Tone::Dim});
            screen.update();
            key = screen.readKey();
        }
        switch (key.kind) {
        case KeyKind::CtrlD:
        case KeyKind::F10:
            return text;
        case KeyKind::Escape:
        case KeyKind::F9:
            return std::nullopt;
        case KeyKind::Enter:
            text += u'\n';
            ++line;
            break;
        case KeyKind::Tab:
            text += u'\t';
            break;
        case KeyKind::Text:
            text += key.text();
            break;
        case KeyKind::Backspace:
            if (!text.empty()) {
                line -= text.back() == u'\n';
                text.erase(previousCharacter(text, text.size()));
            }
            break;
        case KeyKind::CtrlU:
            text.clear();
            line = 1;
            break;
        default:
            break;
        }
    }
}

} // namespace mr::cli::tui
