#include "cli/tui/terminal_dialog.h"

#include "cli/cli_view.h"
#include "cli/session.h"
#include "cli/status_marks.h"
#include "cli/terminal_text.h"
#include "cli/tui/field_forms.h"
#include "cli/tui/field_row.h"
#include "cli/tui/message_box.h"
#include "cli/tui/names_list.h"
#include "cli/tui/paste_box.h"
#include "cli/tui/row_menu.h"
#include "cli/tui/screen.h"
#include "rename/messages.h"
#include "resources/captions.h"
#include "text/utf8.h"

#include <algorithm>
#include <deque>

namespace mr::cli::tui {
namespace {

// Below this the forms do not fit.
constexpr int kMinWidth = 60;
constexpr int kMinHeight = 16;

const char16_t* const kKeys =
    u"Tab, Shift+Tab    the next, the previous control\n"
    u"Up, Down          the previous, the next control; in the list, rows\n"
    u"typing            edits a text field; Ctrl+U empties it\n"
    u"Space             ticks a check box, presses a button, selects a row\n"
    u"Enter             on [#] Change Number, on [*] Change Wild;\n"
    u"                  presses a button\n"
    u"letters           in the list: the row whose old name begins so\n"
    u"PgUp, PgDn        in the list: a page up, down (Home, End: the ends)\n"
    u"F2, Shift+F10     the menu of the list's rows\n"
    u"F10, Alt+R        Rename: renames at once\n"
    u"Esc, F9           Cancel: nothing is renamed\n"
    u"?, F1             these keys";

enum class Control {
    AllowExtensionChanges,
    NumbersAsText,
    Field,
    Reset,
    CopyNames,
    PasteNames,
    List,
    Rename,
    Cancel,
};

struct Focus {
    Control control = Control::List;
    size_t field = 0;
    bool operator==(const Focus&) const = default;
};

class TerminalDialog final : public ChangeTextView {
public:
    TerminalDialog(Screen& screen, InteractiveRun& run)
        : screen_(screen), run_(run), model_(run.model), fields_(model_), list_(model_) {
        model_.setView(this);
        // As the dialog opens: the first text field, its whole text selected.
        const auto first = fields_.firstEdit();
        if (first && model_.editingEnabled())
            setFocus({Control::Field, *first});
    }
    ~TerminalDialog() override { model_.setView(&run_.view); }
    TerminalDialog(const TerminalDialog&) = delete;
    TerminalDialog& operator=(const TerminalDialog&) = delete;

    void run() {
        while (true) {
            while (!messages_.empty()) {
                const auto [text, icon] = messages_.front();
                messages_.pop_front();
                messageBox(screen_, backdrop(), moduleString(IDS_TITLE), text, icon);
            }
            if (run_.session.closed)
                return;
            // Keys already there (a paste, a held key) are taken before the names are
            // made again and drawn.
            Key key = screen_.readKey(false);
            if (key.kind == KeyKind::None) {
                fields_.commit();
                draw();
                screen_.update();
                key = screen_.readKey();
            }
            handle(key);
        }
    }

    // --- the model's view ---
    void fieldsRebuilt() override { fields_.rebuild(); }
    void rowsRemoved() override { list_.rowsChanged(); }
    void showMessage(uint32_t, std::u16string_view text, MessageIcon icon) override {
        messages_.emplace_back(std::u16string(text), icon);
    }
    bool putClipboardText(std::u16string_view text) override {
        run_.view.putClipboardText(text);
        screen_.toClipboard(toUtf8(text));
        return true;
    }
    std::optional<std::u16string> clipboardText() override { return run_.view.clipboardText(); }

private:
    Backdrop backdrop() {
        return [this] { draw(); };
    }
    bool tooSmall() const { return screen_.width() < kMinWidth || screen_.height() < kMinHeight; }
    bool inEdit() const {
        return focus_.control == Control::Field && !fields_.isButton(focus_.field);
    }

    // A key that the focused text field takes as an edit.
    bool typesInField(const Key& key) const {
        switch (key.kind) {
        case KeyKind::Text:
        case KeyKind::Backspace:
        case KeyKind::Delete:
        case KeyKind::Left:
        case KeyKind::Right:
        case KeyKind::Home:
        case KeyKind::End:
        case KeyKind::CtrlU:
            return inEdit() && !tooSmall();
        default:
            return false;
        }
    }

    bool enabled(const Focus& f) const {
        switch (f.control) {
        case Control::AllowExtensionChanges:
            return model_.boxEnabled(CheckBox::AllowExtensionChanges);
        case Control::NumbersAsText:
            return model_.boxEnabled(CheckBox::NumbersAsText);
        case Control::Field:
            return model_.editingEnabled() && f.field < fields_.count();
        default:
            return true;
        }
    }

    std::vector<Focus> tabStops() const {
        std::vector<Focus> stops{{Control::AllowExtensionChanges}, {Control::NumbersAsText}};
        for (size_t i = 0; i < fields_.count(); ++i)
            stops.push_back({Control::Field, i});
        for (Control c : {Control::Reset, Control::CopyNames, Control::PasteNames, Control::List,
                          Control::Rename, Control::Cancel})
            stops.push_back({c});
        return stops;
    }

    void setFocus(const Focus& f) {
        if (inEdit())
            fields_.leave(focus_.field);
        focus_ = f;
        if (inEdit())
            fields_.enter(focus_.field);
    }

    // The next enabled control after (or before) the focused one, wrapping round.
    void moveFocus(int direction) {
        const std::vector<Focus> stops = tabStops();
        const size_t n = stops.size();
        const size_t at =
            static_cast<size_t>(std::find(stops.begin(), stops.end(), focus_) - stops.begin()) % n;
        for (size_t k = 1; k <= n; ++k) {
            const size_t next = direction > 0 ? (at + k) % n : (at + n - k % n) % n;
            if (enabled(stops[next]))
                return setFocus(stops[next]);
        }
    }

    void runAction(ActionKind kind) {
        Action a;
        a.kind = kind;
        run_.session.run(a);
    }

    void openField(size_t field) {
        PatternToken* token = model_.fieldToken(field);
        if (!token)
            return;
        const bool ok = token->kind == TokenKind::Number
                            ? changeNumberForm(screen_, backdrop(), *token, run_.settings)
                            : changeWildForm(screen_, backdrop(), *token);
        if (ok)
            model_.fieldChanged();
    }

    // The terminal's clipboard comes in through a box; what it holds then is what the
    // paste reads.
    void paste(bool selectedOnly, std::u16string_view title) {
        auto text = pasteBox(screen_, backdrop(), title, run_.view.clipboard.value_or(u""));
        if (!text)
            return;
        run_.view.putClipboardText(*text);
        model_.pasteNames(selectedOnly);
    }

    void menu() {
        setFocus({Control::List});
        // As a right click on a row: a row outside the selection becomes the selection.
        const size_t row = list_.focusedRow();
        if (row < model_.rows().size() && !model_.isSelected(row))
            model_.selectOnly({row});
        draw();
        const auto command = rowMenu(screen_, backdrop(), model_, list_.focusedLine() + 1);
        if (!command)
            return;
        switch (*command) {
        case MenuCommand::CopyNames:
            return model_.copyNames(true);
        case MenuCommand::PasteNames: {
            std::u16string title = model_.menuText(fromUtf8(MR_MENU_PASTE_NAMES));
            title.erase(std::remove(title.begin(), title.end(), u'&'), title.end());
            return paste(true, title);
        }
        case MenuCommand::ResetNames:
            return model_.resetNames();
        case MenuCommand::RemoveFiles:
            return model_.removeFiles();
        case MenuCommand::SelectAll:
            return model_.selectAll();
        case MenuCommand::InvertSelection:
            return model_.invertSelection();
        }
    }

    void press(Control c) {
        switch (c) {
        case Control::AllowExtensionChanges:
            model_.clickCheckBox(CheckBox::AllowExtensionChanges);
            break;
        case Control::NumbersAsText:
            model_.clickCheckBox(CheckBox::NumbersAsText);
            break;
        case Control::Reset:
            model_.resetAll();
            break;
        case Control::CopyNames:
            model_.copyNames(false);
            break;
        case Control::PasteNames:
            paste(false, fromUtf8(MR_CAPTION_PASTE_NAMES));
            break;
        case Control::Rename:
            runAction(ActionKind::Rename);
            break;
        case Control::Cancel:
            runAction(ActionKind::Cancel);
            break;
        default:
            break;
        }
    }

    void handle(const Key& key) {
        if (!typesInField(key))
            fields_.commit();
        switch (key.kind) {
        case KeyKind::Resize:
            return;
        case KeyKind::Escape:
        case KeyKind::F9:
            return runAction(ActionKind::Cancel);
        default:
            break;
        }
        if (tooSmall())
            return;
        switch (key.kind) {
        case KeyKind::F10:
        case KeyKind::AltR:
            return runAction(ActionKind::Rename);
        case KeyKind::F1:
            return messageBox(screen_, backdrop(), u"Keys", kKeys, std::nullopt);
        case KeyKind::F2:
        case KeyKind::ShiftF10:
            return menu();
        case KeyKind::Tab:
            return moveFocus(1);
        case KeyKind::BackTab:
            return moveFocus(-1);
        default:
            break;
        }
        if (key.is(U'?') && !inEdit())
            return messageBox(screen_, backdrop(), u"Keys", kKeys, std::nullopt);
        const bool activate = key.kind == KeyKind::Enter || key.is(U' ');
        if (focus_.control == Control::List) {
            list_.handle(key);
        } else if (key.kind == KeyKind::Up || key.kind == KeyKind::Down) {
            moveFocus(key.kind == KeyKind::Down ? 1 : -1);
        } else if (inEdit()) {
            fields_.type(focus_.field, key);
        } else if (focus_.control == Control::Field) {
            if (activate)
                openField(focus_.field);
        } else if (activate) {
            press(focus_.control);
        }
        // A paste disables the fields; a focused control that went out goes on.
        if (!enabled(focus_))
            moveFocus(1);
    }

    // --- drawing ---
    void drawBox(int y, int x, CheckBox box, Control control, const char* caption) {
        const bool on = model_.boxChecked(box);
        const std::string text = std::string(on ? "[x] " : "[ ] ") + caption;
        screen_.put(y, x, text, static_cast<int>(text.size()),
                    {.tone = model_.boxEnabled(box) ? Tone::Plain : Tone::Dim,
                     .reverse = focus_.control == control});
    }

    // Push buttons side by side from x; returns where the row ends.
    int drawButtons(int y, int x, std::initializer_list<std::pair<Control, const char*>> buttons) {
        for (const auto& [control, caption] : buttons) {
            const std::string text = std::string("[ ") + caption + " ]";
            screen_.put(y, x, text, static_cast<int>(text.size()),
                        {.bold = control == Control::Rename, .reverse = focus_.control == control});
            x += static_cast<int>(text.size()) + 2;
        }
        return x - 2;
    }

    void draw() {
        screen_.erase();
        const int h = screen_.height(), w = screen_.width();
        if (tooSmall()) {
            const std::u16string text =
                fromUtf8("Multi Rename needs a terminal of " + std::to_string(kMinWidth) + " x " +
                         std::to_string(kMinHeight) + " or more.\nEsc cancels.");
            int y = 0;
            for (const std::u16string& line : wrapText(text, static_cast<size_t>(w)))
                screen_.put(y++, 0, line, w);
            return;
        }
        screen_.fill(0, 0, w, {.reverse = true});
        const std::string title = MR_CAPTION_MULTI_RENAME;
        screen_.put(0, (w - static_cast<int>(title.size())) / 2, title, w,
                    {.bold = true, .reverse = true});
        screen_.put(0, w - 9, "?: keys", 8, {.reverse = true});

        const bool roomy = h >= 20;
        drawBox(1, 2, CheckBox::AllowExtensionChanges, Control::AllowExtensionChanges,
                MR_CAPTION_ALLOW_EXTENSION_CHANGES);
        drawBox(1, 32, CheckBox::NumbersAsText, Control::NumbersAsText, MR_CAPTION_NUMBERS_AS_TEXT);
        const int fieldsY = roomy ? 3 : 2;
        const int buttonsY = fieldsY + (roomy ? 2 : 1);
        const int listY = buttonsY + 1 + (roomy ? 1 : 0);
        const int statusY = h - 2;

        const int buttonsWidth = 9 + 2 + 14 + 2 + 15;
        drawButtons(buttonsY, (w - buttonsWidth) / 2,
                    {{Control::Reset, MR_CAPTION_RESET},
                     {Control::CopyNames, MR_CAPTION_COPY_NAMES},
                     {Control::PasteNames, MR_CAPTION_PASTE_NAMES}});
        list_.draw(screen_, listY, statusY - listY, focus_.control == Control::List);

        // The counts, and what is wrong with the focused row.
        int x = 1;
        for (const SummaryPiece& piece : summaryLine(model_.rows()))
            x += screen_.put(statusY, x, piece.text, w - 26 - x, {.tone = piece.tone});
        const FileRecord* row = list_.focusedRecord();
        if (row && focus_.control == Control::List) {
            const StatusMark mark = statusMark(*row);
            if (*mark.note)
                screen_.put(statusY, x, std::string(" · ") + mark.note, w - 26 - x,
                            {.tone = mark.tone});
        }
        drawButtons(statusY, w - 25,
                    {{Control::Rename, MR_CAPTION_RENAME}, {Control::Cancel, MR_CAPTION_CANCEL}});
        // The hints that fit, each whole.
        x = 1;
        for (const char* hint : {"Tab: next", "Space: select", "Enter: [#] [*]", "F2: menu",
                                 "F10: Rename", "Esc: Cancel"}) {
            const int width = static_cast<int>(std::string_view(hint).size());
            if (x + width > w - 1)
                break;
            x += screen_.put(h - 1, x, hint, width, {.tone = Tone::Dim}) + 2;
        }

        // Last, so that the caret of the focused text field is where the cursor stays.
        fields_.draw(screen_, fieldsY,
                     focus_.control == Control::Field ? std::optional<size_t>(focus_.field)
                                                      : std::nullopt);
    }

    Screen& screen_;
    InteractiveRun& run_;
    ChangeTextModel& model_;
    FieldRow fields_;
    NamesList list_;
    Focus focus_;
    std::deque<std::pair<std::u16string, MessageIcon>> messages_;
};

} // namespace

std::optional<std::string> runTerminalDialog(InteractiveRun& run) {
    std::string problem;
    const auto screen = Screen::open(run.terminal, problem);
    if (!screen)
        return problem;
    TerminalDialog dialog(*screen, run);
    dialog.run();
    return std::nullopt;
}

} // namespace mr::cli::tui
