#include "ui/model/field_dialogs.h"

#include "settings/registry.h"

namespace mr {
ChangeWildModel::ChangeWildModel(const PatternToken& token)
    : truncate(token.truncate), lengthText(signedDecimalText(token.length)),
      caseMode(token.caseMode == CaseMode::Upper || token.caseMode == CaseMode::Lower
                   ? token.caseMode
                   : CaseMode::NoChange) {}

bool ChangeWildModel::isEnabled(Control c) const {
    switch (c) {
    case Control::Reset:
        return resetEnabled();
    case Control::ClearText:
        return clearTextEnabled();
    case Control::Length:
        return lengthEnabled();
    default:
        return true;
    }
}

void ChangeWildModel::reset() {
    caseMode = CaseMode::NoChange;
    truncate = false;
}

void ChangeWildModel::clearText() {
    truncate = true;
    lengthText.assign(1, u'0');
}

void ChangeWildModel::apply(PatternToken& token) const {
    token.caseMode = caseMode;
    token.truncate = truncate;
    token.length = static_cast<int32_t>(leadingNumber(lengthText));
}

ChangeNumberModel::ChangeNumberModel(const PatternToken& token, const Registry& settings) {
    number = token.clearNumber ? Number::ClearText
             : token.renumber  ? Number::Renumber
                               : Number::NoChange;
    zeros = token.zeroMode == Zeros::Make || token.zeroMode == Zeros::Remove ? token.zeroMode
                                                                             : Zeros::NoChange;
    int32_t start = 1, digits = 4;
    settings.readInt(u"NumberDlg Start", start);
    settings.readInt(u"NumberDlg NDigits", digits);
    startText = signedDecimalText(start);
    digitsText = signedDecimalText(digits);
}

bool ChangeNumberModel::isEnabled(Control c) const {
    switch (c) {
    case Control::Reset:
        return resetEnabled();
    case Control::ClearText:
        return clearTextEnabled();
    case Control::ZerosNoChange:
    case Control::Remove:
    case Control::Make:
        return zerosEnabled();
    case Control::Start:
        return startEnabled();
    case Control::Digits:
        return digitsEnabled();
    default:
        return true;
    }
}

void ChangeNumberModel::reset() {
    number = Number::NoChange;
    zeros = Zeros::NoChange;
}

void ChangeNumberModel::apply(PatternToken& token, const Registry& settings) const {
    const int64_t start = leadingNumber(startText);
    token.clearNumber = number == Number::ClearText;
    token.renumber = number == Number::Renumber;
    if (number == Number::Renumber)
        token.startNumber = start;
    token.zeroMode = zeros;
    const int64_t digits = leadingNumber(digitsText);
    token.length = static_cast<int32_t>(digits);
    settings.writeInt(u"NumberDlg Start", static_cast<uint32_t>(start));
    settings.writeInt(u"NumberDlg NDigits", static_cast<uint32_t>(digits));
}

} // namespace mr
