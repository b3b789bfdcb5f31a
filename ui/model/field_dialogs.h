#pragma once
// The logic of the Change Wild and Change Number dialogs: what they show when they
// open, which controls are enabled, and what OK writes.
#include "pattern/token.h"
#include "text/number_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mr {

class Registry;

class ChangeWildModel {
public:
    enum class Control { Ok, Cancel, Reset, ClearText, Truncate, Length, NoChange, Upper, Lower };

    explicit ChangeWildModel(const PatternToken& token);

    bool truncate = false;
    std::u16string lengthText;
    CaseMode caseMode = CaseMode::NoChange; // the selected radio

    bool lengthEnabled() const { return truncate; }
    bool resetEnabled() const { return caseMode != CaseMode::NoChange || truncate; }
    bool clearTextEnabled() const { return !(truncate && leadingNumber(lengthText) == 0); }
    bool isEnabled(Control c) const;

    void reset();
    void clearText();
    void setTruncate(bool on) { truncate = on; }
    void setCase(CaseMode mode) { caseMode = mode; }
    void setLengthText(std::u16string_view text) { lengthText = text; }
    // OK: the settings go into the token.
    void apply(PatternToken& token) const;
};

class ChangeNumberModel {
public:
    enum class Number { NoChange, ClearText, Renumber };
    using Zeros = ZeroMode;
    enum class Control {
        Ok,
        Cancel,
        Reset,
        ClearText,
        NoChange,
        ClearRadio,
        Renumber,
        Start,
        ZerosNoChange,
        Remove,
        Make,
        Digits
    };

    // Opens on the token; the edits show the values last confirmed in this dialog.
    ChangeNumberModel(const PatternToken& token, const Registry& settings);

    Number number = Number::NoChange;
    Zeros zeros = Zeros::NoChange;
    std::u16string startText;
    std::u16string digitsText;

    bool resetEnabled() const { return number != Number::NoChange || zeros != Zeros::NoChange; }
    bool clearTextEnabled() const { return number != Number::ClearText; }
    bool zerosEnabled() const { return number != Number::ClearText; }
    bool startEnabled() const { return number == Number::Renumber; }
    bool digitsEnabled() const { return zeros == Zeros::Make; }
    bool isEnabled(Control c) const;

    void reset();
    void clearText() { number = Number::ClearText; }
    // OK: the settings go into the token and the two values into the settings store.
    void apply(PatternToken& token, const Registry& settings) const;
};

} // namespace mr
