#include "cli/session.h"

#include "cli/human_view.h"
#include "cli/state_json.h"
#include "text/utf8.h"
#include "ui/model/name_transfer.h"

namespace mr::cli {
namespace {

const char* boxName(CheckBox box) {
    return box == CheckBox::AllowExtensionChanges ? "\"Allow Extension Changes\""
                                                  : "\"Treat Numbers as Text\"";
}

} // namespace

std::string Session::check(const Action& a) {
    if (model_.boxChecked(a.box) == a.checked)
        return {};
    if (!model_.boxEnabled(a.box))
        return std::string("the check box ") + boxName(a.box) + " is disabled" +
               (model_.editingEnabled() ? " for these names"
                                        : " while every file has a pasted name");
    model_.clickCheckBox(a.box);
    return {};
}

// Checks that the action's field exists and can be edited now.
std::string Session::fieldIndex(const Action& a) {
    const size_t count = model_.fields().size();
    if (a.field >= count)
        return "there is no field " + std::to_string(a.field) + ": the pattern has " +
               (count == 0 ? std::string("no fields")
                           : std::to_string(count) + " (0 to " + std::to_string(count - 1) + ")");
    if (!model_.editingEnabled())
        return "the fields are disabled while every file has a pasted name (reset the names "
               "first)";
    return {};
}

std::string Session::changeNumber(const Action& a, PatternToken& token) {
    using C = ChangeNumberModel::Control;
    ChangeNumberModel dlg(token, settings_);
    // The controls are set in the dialog's order; setting one to what it shows is no event.
    if (a.number && *a.number != dlg.number)
        dlg.number = *a.number;
    if (a.start && *a.start != dlg.startText) {
        if (!dlg.isEnabled(C::Start))
            return "the start edit is disabled unless \"Renumber starting from:\" is selected";
        dlg.startText = *a.start;
    }
    if (a.zeros && *a.zeros != dlg.zeros) {
        const C radio = *a.zeros == ChangeNumberModel::Zeros::Remove ? C::Remove
                        : *a.zeros == ChangeNumberModel::Zeros::Make ? C::Make
                                                                     : C::ZerosNoChange;
        if (!dlg.isEnabled(radio))
            return "the Leading Zeros radio buttons are disabled while \"Clear Text\" is "
                   "selected";
        dlg.zeros = *a.zeros;
    }
    if (a.digits && *a.digits != dlg.digitsText) {
        if (!dlg.isEnabled(C::Digits))
            return "the digits edit is disabled unless \"Make number with\" is selected";
        dlg.digitsText = *a.digits;
    }
    dlg.apply(token, settings_);
    model_.fieldChanged();
    return {};
}

std::string Session::changeWild(const Action& a, PatternToken& token) {
    using C = ChangeWildModel::Control;
    ChangeWildModel dlg(token);
    if (a.truncate && *a.truncate != dlg.truncate)
        dlg.setTruncate(*a.truncate);
    if (a.length && *a.length != dlg.lengthText) {
        if (!dlg.isEnabled(C::Length))
            return "the length edit is disabled unless Truncate is checked";
        dlg.setLengthText(*a.length);
    }
    if (a.caseMode && *a.caseMode != dlg.caseMode)
        dlg.setCase(*a.caseMode);
    dlg.apply(token);
    model_.fieldChanged();
    return {};
}

void Session::paste(bool selectedOnly, const std::optional<std::u16string>& text) {
    if (text)
        view_.putClipboardText(*text);
    const size_t shown = view_.messages.size();
    model_.pasteNames(selectedOnly);
    // The dialog refuses a paste with a message box and changes nothing.
    for (size_t i = shown; i < view_.messages.size(); ++i)
        pasteRefused |= view_.messages[i].icon == MessageIcon::Exclamation;
}

std::string Session::editNames() {
    if (!editor)
        return "there is no editor round trip in this build";
    // What "Copy Names" would copy.
    const EditedNames edited = editor(copiedNamesText(model_.rows()));
    switch (edited.outcome) {
    case EditedNames::Outcome::Failed:
        return edited.problem + "; nothing was renamed";
    case EditedNames::Outcome::Unchanged:
        editUnchanged = true;
        closed = "cancel";
        return {};
    case EditedNames::Outcome::Edited:
        paste(false, edited.text);
        return {};
    }
    return {};
}

std::string Session::run(const Action& a) {
    if (closed)
        return std::string("the dialog has already closed with ") +
               (std::string(closed) == "ok" ? "\"Rename\"" : "Cancel");
    switch (a.kind) {
    case ActionKind::Check:
        return check(a);
    case ActionKind::SetText: {
        if (auto e = fieldIndex(a); !e.empty())
            return e;
        if (model_.fields()[a.field].isButton)
            return "field " + std::to_string(a.field) + " is a \"" +
                   toUtf8(model_.fields()[a.field].text) +
                   "\" field, not a text: use Change Number or Change Wild";
        model_.setFieldText(a.field, a.text);
        return {};
    }
    case ActionKind::ChangeNumber:
    case ActionKind::ChangeWild: {
        if (auto e = fieldIndex(a); !e.empty())
            return e;
        PatternToken* token = model_.fieldToken(a.field);
        const bool number = a.kind == ActionKind::ChangeNumber;
        const TokenKind want = number ? TokenKind::Number : TokenKind::Wildcard;
        if (!token || token->kind != want)
            return "field " + std::to_string(a.field) + " is " +
                   (token ? std::string(token->kind == TokenKind::Number ? "a number field"
                                                                         : "a wildcard field")
                          : "a text field") +
                   ", not a " + (number ? "number (#)" : "wildcard (*)") + " field";
        return number ? changeNumber(a, *token) : changeWild(a, *token);
    }
    case ActionKind::Select: {
        std::vector<size_t> rows;
        for (uint64_t r : a.rows) {
            if (r >= model_.rows().size())
                return "there is no row " + std::to_string(r) + ": the list has " +
                       std::to_string(model_.rows().size()) + " rows";
            rows.push_back(static_cast<size_t>(r));
        }
        model_.selectOnly(rows);
        return {};
    }
    case ActionKind::SelectAll:
        model_.selectAll();
        return {};
    case ActionKind::InvertSelection:
        model_.invertSelection();
        return {};
    case ActionKind::CopyNames:
        model_.copyNames(a.selectedOnly);
        return {};
    case ActionKind::PasteNames:
        paste(a.selectedOnly, a.clipboard);
        return {};
    case ActionKind::EditNames:
        return editNames();
    case ActionKind::ResetNames:
        model_.resetNames();
        return {};
    case ActionKind::RemoveFiles:
        model_.removeFiles();
        return {};
    case ActionKind::Reset:
        model_.resetAll();
        return {};
    case ActionKind::Rename: {
        const RenameOutcome outcome = model_.rename(mover, nullptr);
        refused = outcome == RenameOutcome::Refused;
        if (!refused)
            closed = "ok";
        return {};
    }
    case ActionKind::Cancel:
        closed = "cancel";
        return {};
    case ActionKind::Snapshot:
        snapshots.push_back(json_ ? stateText(model_, 2) : humanState(model_, style));
        return {};
    }
    return {};
}

} // namespace mr::cli
