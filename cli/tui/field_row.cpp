#include "cli/tui/field_row.h"

#include "cli/terminal_text.h"
#include "ui/model/dpi_math.h"
#include "ui/model/field_layout.h"

namespace mr::cli::tui {
namespace {

// A column stands for 8 DIP: the dialog's 6 DIP of padding becomes one column on each
// side, its 24 DIP of room for typing three columns, its gap of 4 DIP one column.
constexpr uint32_t kColumnDpi = 12;

} // namespace

void FieldRow::rebuild() {
    typedIn_.reset();
    edits_.assign(model_.fields().size(), LineEdit());
    for (size_t i = 0; i < edits_.size(); ++i)
        edits_[i].set(model_.fields()[i].text);
}

std::optional<size_t> FieldRow::firstEdit() const {
    for (size_t i = 0; i < count(); ++i)
        if (!isButton(i))
            return i;
    return std::nullopt;
}

LineEdit::Result FieldRow::type(size_t field, const Key& key) {
    const LineEdit::Result r = edits_[field].handle(key);
    if (r == LineEdit::Result::Changed) {
        if (typedIn_ && *typedIn_ != field)
            commit();
        typedIn_ = field;
    }
    return r;
}

void FieldRow::commit() {
    if (!typedIn_)
        return;
    const size_t field = *typedIn_;
    typedIn_.reset();
    model_.setFieldText(field, edits_[field].text());
}

void FieldRow::draw(Screen& screen, int y, std::optional<size_t> focused) {
    const auto& fields = model_.fields();
    std::vector<FieldBox> boxes(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::u16string_view text =
            fields[i].isButton ? std::u16string_view(fields[i].text) : edits_[i].text();
        boxes[i].isButton = fields[i].isButton;
        boxes[i].textWidth = toDips(static_cast<int32_t>(displayWidth(text)), kColumnDpi);
    }
    layoutFields(boxes, screen.width(), kColumnDpi);
    // What does not fit is cut off at the right, as in the dialog, unless the focused
    // field is there: then the row slides left until it shows.
    int shift = 0;
    if (focused && *focused < boxes.size()) {
        const int right =
            toPixels(boxes[*focused].x, kColumnDpi) + toPixels(boxes[*focused].width, kColumnDpi);
        shift = std::max(0, right - screen.width());
    }
    const Tone tone = model_.editingEnabled() ? Tone::Plain : Tone::Dim;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const int x = toPixels(boxes[i].x, kColumnDpi) - shift;
        const int w = toPixels(boxes[i].width, kColumnDpi);
        const bool hasFocus = focused == i;
        if (x + w <= 0)
            continue;
        if (fields[i].isButton) {
            const std::u16string caption = u"[" + fields[i].text + u"]";
            screen.put(y, x, caption, w, {.tone = tone, .bold = hasFocus, .reverse = hasFocus});
        } else {
            screen.fill(y, x, w, {.tone = tone, .underline = true});
            edits_[i].draw(screen, y, x + 1, w - 2, {.tone = tone, .underline = true}, hasFocus);
        }
    }
}

} // namespace mr::cli::tui
