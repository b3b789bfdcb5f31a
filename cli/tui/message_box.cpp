#include "cli/tui/message_box.h"

#include "cli/terminal_text.h"
#include "resources/captions.h"
#include "text/utf8.h"

#include <algorithm>

namespace mr::cli::tui {

std::vector<std::u16string> wrapText(std::u16string_view text, size_t width) {
    std::vector<std::u16string> lines;
    width = std::max<size_t>(width, 1);
    while (true) {
        const size_t end = text.find(u'\n');
        std::u16string_view paragraph = text.substr(0, end);
        if (!paragraph.empty() && paragraph.back() == u'\r')
            paragraph.remove_suffix(1);
        // Spaces in front of a paragraph indent each of its lines (a column of text).
        size_t indent = paragraph.find_first_not_of(u' ');
        indent = indent == std::u16string_view::npos ? 0 : std::min(indent, width - 1);
        paragraph.remove_prefix(indent);
        const std::u16string margin(indent, u' ');
        std::u16string line = margin;
        size_t used = indent;
        while (!paragraph.empty()) {
            const size_t space = paragraph.find(u' ');
            const std::u16string_view word = paragraph.substr(0, space);
            const size_t w = displayWidth(word);
            if (used > indent && used + 1 + w > width) {
                lines.push_back(std::move(line));
                line = margin;
                used = indent;
            }
            if (used > indent) {
                line += u' ';
                ++used;
            }
            line += word;
            used += w;
            paragraph.remove_prefix(space == std::u16string_view::npos ? paragraph.size()
                                                                       : space + 1);
        }
        lines.push_back(std::move(line));
        if (end == std::u16string_view::npos)
            return lines;
        text.remove_prefix(end + 1);
    }
}

void messageBox(Screen& screen, const Backdrop& backdrop, std::u16string_view title,
                std::u16string_view text, std::optional<MessageIcon> icon) {
    const std::u16string ok = u"[ " + fromUtf8(MR_CAPTION_OK) + u" ]";
    while (true) {
        backdrop();
        // The icon takes three columns in front of the text, as the dialog's picture does.
        const int indent = icon ? 4 : 2;
        const int most = std::max(10, std::min(72, screen.width() - 4) - indent - 2);
        const std::vector<std::u16string> lines = wrapText(text, static_cast<size_t>(most));
        size_t widest = static_cast<size_t>(std::min<int>(most, 20));
        for (const auto& l : lines)
            widest = std::max(widest, displayWidth(l));
        const int w = std::min(screen.width(), static_cast<int>(widest) + indent + 2);
        const int h = std::min(screen.height(), static_cast<int>(lines.size()) + 5);
        const int y = std::max(0, (screen.height() - h) / 2);
        const int x = std::max(0, (screen.width() - w) / 2);
        screen.frame(y, x, h, w, toUtf8(title));
        if (icon)
            screen.put(
                y + 2, x + 2, *icon == MessageIcon::Exclamation ? "!" : "i", 1,
                {.tone = *icon == MessageIcon::Exclamation ? Tone::Red : Tone::Cyan, .bold = true});
        for (size_t i = 0; i < lines.size() && static_cast<int>(i) + 2 < h - 2; ++i)
            screen.put(y + 2 + static_cast<int>(i), x + indent, lines[i], w - indent - 1);
        const int okX = x + (w - static_cast<int>(ok.size())) / 2;
        screen.put(y + h - 2, okX, ok, static_cast<int>(ok.size()),
                   {.bold = true, .reverse = true});
        screen.update();
        const Key key = screen.readKey();
        if (key.kind == KeyKind::Enter || key.kind == KeyKind::Escape || key.is(U' ') ||
            key.kind == KeyKind::F9)
            return;
    }
}

} // namespace mr::cli::tui
