#include "cli/tui/field_forms.h"

#include "cli/tui/form.h"
#include "resources/captions.h"
#include "settings/registry.h"
#include "ui/model/field_dialogs.h"

namespace mr::cli::tui {
namespace {

using Kind = FormItem::Kind;

FormItem item(Kind kind, std::string caption, int row, int column) {
    FormItem i;
    i.kind = kind;
    i.caption = std::move(caption);
    i.row = row;
    i.column = column;
    return i;
}

template <class Value, class Set>
FormItem radio(std::string caption, int row, const Value& current, Value value, Set set) {
    FormItem i = item(Kind::Radio, std::move(caption), row, 2);
    i.checked = [&current, value] { return current == value; };
    i.press = [set, value] { set(value); };
    return i;
}

FormItem edit(LineEdit& line, int row, int column, int width, size_t limit,
              std::function<bool()> enabled, std::function<void(const std::u16string&)> changed) {
    FormItem i = item(Kind::Edit, "", row, column);
    i.edit = &line;
    i.width = width;
    i.limit = limit;
    i.enabled = std::move(enabled);
    i.changed = std::move(changed);
    return i;
}

// The row both dialogs open with: Reset and Clear Text, enabled as their models say.
template <class Model>
void resetAndClearText(
    std::vector<FormItem>& items, Model& m, std::function<void()> afterClearText = [] {}) {
    items.push_back(item(Kind::Button, MR_CAPTION_RESET, 0, 6));
    items.back().enabled = [&m] { return m.resetEnabled(); };
    items.back().press = [&m] { m.reset(); };
    items.push_back(item(Kind::Button, MR_CAPTION_CLEAR_TEXT, 0, 17));
    items.back().enabled = [&m] { return m.clearTextEnabled(); };
    items.back().press = [&m, afterClearText] {
        m.clearText();
        afterClearText();
    };
}

} // namespace

bool changeWildForm(Screen& screen, const Backdrop& backdrop, PatternToken& token) {
    ChangeWildModel m(token);
    LineEdit length;
    length.set(m.lengthText);
    std::vector<FormItem> items;
    // Clear Text writes "0" into the length edit.
    resetAndClearText(items, m, [&] { length.set(m.lengthText); });
    items.push_back(item(Kind::Group, MR_CAPTION_LENGTH, 2, 0));
    items.push_back(item(Kind::Check, MR_CAPTION_TRUNCATE, 3, 2));
    items.back().checked = [&] { return m.truncate; };
    items.back().press = [&] { m.setTruncate(!m.truncate); };
    items.push_back(edit(
        length, 3, 35, 6, std::numeric_limits<size_t>::max(), [&] { return m.lengthEnabled(); },
        [&](const std::u16string& t) { m.setLengthText(t); }));
    items.push_back(item(Kind::Group, MR_CAPTION_CASE, 5, 0));
    const auto setCase = [&m](CaseMode mode) { m.setCase(mode); };
    items.push_back(radio(MR_CAPTION_NO_CHANGE, 6, m.caseMode, CaseMode::NoChange, setCase));
    items.push_back(radio(MR_CAPTION_UPPER, 7, m.caseMode, CaseMode::Upper, setCase));
    items.push_back(radio(MR_CAPTION_LOWER, 8, m.caseMode, CaseMode::Lower, setCase));
    if (!runForm(screen, backdrop, MR_CAPTION_CHANGE_WILD, 9, 42, items))
        return false;
    m.apply(token);
    return true;
}

bool changeNumberForm(Screen& screen, const Backdrop& backdrop, PatternToken& token,
                      const Registry& settings) {
    using Number = ChangeNumberModel::Number;
    using Zeros = ChangeNumberModel::Zeros;
    ChangeNumberModel m(token, settings);
    LineEdit start, digits;
    start.set(m.startText);
    digits.set(m.digitsText);
    std::vector<FormItem> items;
    resetAndClearText(items, m);
    items.push_back(item(Kind::Group, MR_CAPTION_NUMBER, 2, 0));
    const auto setNumber = [&m](Number n) { m.number = n; };
    items.push_back(radio(MR_CAPTION_NO_CHANGE, 3, m.number, Number::NoChange, setNumber));
    items.push_back(radio(MR_CAPTION_CLEAR_TEXT, 4, m.number, Number::ClearText, setNumber));
    items.push_back(radio(MR_CAPTION_RENUMBER, 5, m.number, Number::Renumber, setNumber));
    // The edits take as many characters as the dialog's: 20 for the start, 3 digits.
    items.push_back(edit(
        start, 5, 30, 21, 20, [&] { return m.startEnabled(); },
        [&](const std::u16string& t) { m.startText = t; }));
    items.push_back(item(Kind::Group, MR_CAPTION_LEADING_ZEROS, 7, 0));
    const auto setZeros = [&m](Zeros z) { m.zeros = z; };
    const auto zerosEnabled = [&] { return m.zerosEnabled(); };
    items.push_back(radio(MR_CAPTION_NO_CHANGE, 8, m.zeros, Zeros::NoChange, setZeros));
    items.back().enabled = zerosEnabled;
    items.push_back(radio(MR_CAPTION_REMOVE, 9, m.zeros, Zeros::Remove, setZeros));
    items.back().enabled = zerosEnabled;
    items.push_back(radio(MR_CAPTION_MAKE_NUMBER, 10, m.zeros, Zeros::Make, setZeros));
    items.back().enabled = zerosEnabled;
    items.push_back(edit(
        digits, 10, 25, 4, 3, [&] { return m.digitsEnabled(); },
        [&](const std::u16string& t) { m.digitsText = t; }));
    items.push_back(item(Kind::Label, MR_CAPTION_DIGITS, 10, 30));
    if (!runForm(screen, backdrop, MR_CAPTION_CHANGE_NUMBER, 11, 52, items))
        return false;
    m.apply(token, settings);
    return true;
}

} // namespace mr::cli::tui
