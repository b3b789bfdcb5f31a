#include "ui/model/field_dialogs.h"

#include "settings/registry.h"

#include <iterator>

namespace mr {
namespace {

std::u16string signedDecimal(int64_t v) {
    const bool negative = v < 0;
    uint64_t u = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    char16_t buffer[24];
    char16_t* p = std::end(buffer);
    do {
        *--p = static_cast<char16_t>(u'0' + u % 10);
        u /= 10;
    } while (u);
    if (negative)
        *--p = u'-';
    return std::u16string(p, std::end(buffer));
}

} // namespace

int64_t leadingNumber(std::u16string_view text) {
    uint64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + static_cast<uint64_t>(c - u'0');
    }
    return static_cast<int64_t>(value);
}

ChangeWildModel::ChangeWildModel(const PatternToken& token)
    : truncate(token.truncate), lengthText(signedDecimal(token.length)),
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
    startText = signedDecimal(start);
    digitsText = signedDecimal(digits);
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
