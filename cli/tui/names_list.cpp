#include "cli/tui/names_list.h"

#include "cli/status_marks.h"
#include "cli/terminal_text.h"
#include "resources/captions.h"
#include "ui/model/type_to_find.h"

#include <algorithm>

namespace mr::cli::tui {
namespace {

// Letters typed within this time extend the text being found.
constexpr auto kTypingPause = std::chrono::milliseconds(1000);
constexpr int kGap = 2;

} // namespace

void NamesList::rowsChanged() {
    const auto& rows = model_.rows();
    oldWidth_ = 0;
    for (const FileRecord* f : rows)
        oldWidth_ = std::max(oldWidth_, displayWidth(f->name));
    focus(std::min(focused_, rows.empty() ? 0 : rows.size() - 1));
}

const FileRecord* NamesList::focusedRecord() const {
    return focused_ < model_.rows().size() ? model_.rows()[focused_] : nullptr;
}

void NamesList::focus(size_t row) {
    focused_ = row;
    if (focused_ < top_)
        top_ = focused_;
    else if (focused_ >= top_ + page_)
        top_ = focused_ + 1 - page_;
}

bool NamesList::handle(const Key& key) {
    const size_t count = model_.rows().size();
    if (count == 0)
        return false;
    const size_t last = count - 1;
    switch (key.kind) {
    case KeyKind::Up:
        focus(focused_ > 0 ? focused_ - 1 : 0);
        return true;
    case KeyKind::Down:
        focus(std::min(focused_ + 1, last));
        return true;
    case KeyKind::PageUp:
        focus(focused_ > page_ ? focused_ - page_ : 0);
        return true;
    case KeyKind::PageDown:
        focus(std::min(focused_ + page_, last));
        return true;
    case KeyKind::Home:
        focus(0);
        return true;
    case KeyKind::End:
        focus(last);
        return true;
    case KeyKind::Text:
        break;
    default:
        return false;
    }
    if (key.ch == U' ') {
        model_.setSelected(focused_, !model_.isSelected(focused_));
        return true;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - lastTyped_ > kTypingPause)
        typed_.clear();
    lastTyped_ = now;
    if (key.ch < 0x10000)
        typed_ += static_cast<char16_t>(key.ch);
    if (auto row = findTypedRow(model_.rows(), typed_, focused_))
        focus(*row);
    return true;
}

void NamesList::draw(Screen& screen, int y, int height, bool hasFocus) {
    const auto& rows = model_.rows();
    page_ = static_cast<size_t>(std::max(1, height - 1));
    focus(std::min(focused_, rows.empty() ? 0 : rows.size() - 1));
    if (top_ + page_ > rows.size())
        top_ = rows.size() > page_ ? rows.size() - page_ : 0;

    // Two columns for the focus and the mark, then the names; the old names get what
    // they need up to a half (a third beside a Folder column).
    const int x0 = 3;
    const bool folders = model_.hasFolderColumn();
    const int room = std::max(0, screen.width() - x0 - kGap * (folders ? 2 : 1));
    const int oldWidth =
        std::max(8, std::min<int>(static_cast<int>(oldWidth_), room / (folders ? 3 : 2)));
    // As the dialog sizes them: New Name 40 DIP (five columns) wider than Old Name
    // beside a Folder column, which takes the rest; else New Name takes the rest.
    const int newWidth =
        folders ? std::max(8, std::min(oldWidth + 5, room - oldWidth - 6)) : room - oldWidth;
    const int folderWidth = folders ? std::max(6, room - oldWidth - newWidth) : 0;
    const int newX = x0 + oldWidth + kGap;
    focusedLine_ = y + 1 + static_cast<int>(focused_ - top_);
    const int folderX = newX + newWidth + kGap;

    screen.put(y, x0, MR_CAPTION_OLD_NAME, oldWidth, {.bold = true});
    screen.put(y, newX, MR_CAPTION_NEW_NAME, newWidth, {.bold = true});
    if (folders)
        screen.put(y, folderX, MR_CAPTION_FOLDER, folderWidth, {.bold = true});
    const HumanStyle plain;
    for (size_t i = top_; i < rows.size() && i < top_ + page_; ++i) {
        const FileRecord& f = *rows[i];
        const int row = y + 1 + static_cast<int>(i - top_);
        const bool selected = model_.isSelected(i);
        const Look base{.selected = selected};
        screen.fill(row, 0, screen.width(), base);
        if (i == focused_)
            screen.put(row, 0, hasFocus ? u"▸" : u"›", 1, {.bold = hasFocus, .selected = selected});
        const StatusMark mark = statusMark(f);
        screen.put(row, 1, mark.symbol, 1, {.tone = mark.tone});
        screen.put(row, x0, fitName(f.name, static_cast<size_t>(oldWidth), plain), oldWidth, base);
        Look look = base;
        look.bold = f.pastedName;
        if (keepsItsName(f) && !selected)
            look.tone = Tone::Dim;
        const std::string newName =
            f.takesPart ? fitName(f.newName, static_cast<size_t>(newWidth), plain) : "—";
        screen.put(row, newX, newName, newWidth, look);
        if (folders)
            screen.put(row, folderX,
                       fitName(f.folder->path, static_cast<size_t>(folderWidth), plain),
                       folderWidth, base);
    }
    if (rows.empty())
        screen.put(y + 1, x0, "(no files)", room, {.tone = Tone::Dim});
}

} // namespace mr::cli::tui
