#pragma once
// The row of field editors of the Multi Rename dialog: an edit per text token and a
// flat button per field of the current variant, laid out in DIP and kept in step with
// the dialog model. The dialog owns one and forwards its commands to it.
#include "ui/win32/framework/dialog.h"
#include "ui/win32/screen_dpi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mr {

class ChangeTextModel;

// One control of the row, in step with the model's field of the same index. Sizes are
// DIP, so that a DPI change only needs a new layout.
struct PatternField {
    PatternField() = default;
    ~PatternField(); // takes its control down with it
    PatternField(const PatternField&) = delete;
    PatternField& operator=(const PatternField&) = delete;

    std::shared_ptr<ScreenDpi> screenDpi;
    std::u16string text;
    bool isButton = false;
    int32_t textWidth = 0; // 0 for an empty text
    int32_t width = 0;
    int32_t x = 0;
    CWnd control;
};

class PatternFieldRow {
public:
    PatternFieldRow(CDialog& dialog, ChangeTextModel& model, std::shared_ptr<ScreenDpi> dpi);
    ~PatternFieldRow();
    PatternFieldRow(const PatternFieldRow&) = delete;
    PatternFieldRow& operator=(const PatternFieldRow&) = delete;

    // Top of the row in client pixels (toPixels(66) at the current DPI).
    void setTop(int top);
    // Destroys the controls and builds them anew from the model's fields: measure,
    // lay out for the current client width, create, position; the first edit gets the
    // focus with its text selected. Disabled controls when editing is disabled.
    void rebuild();
    // Lays out for the current client width and moves the controls (size, DPI change).
    void layout();
    // Enables or disables every control (the model's editingEnabled).
    void setEnabled(bool on);
    // A command from an edit (1500) or a field button (1501). Edits count only when
    // `ready`. Returns true when the command was the row's.
    bool onCommand(WORD id, WORD code, HWND control, bool ready);
    bool empty() const;

private:
    void measure(PatternField& field) const;
    void layoutForClientWidth();
    void position();
    void createControl(PatternField& field);
    void onFieldTextChanged(HWND edit);
    void onFieldButton(HWND button);
    // The index of the field that owns a control, or the field count.
    size_t indexOf(HWND control) const;

    CDialog& dialog_;
    ChangeTextModel& model_;
    std::shared_ptr<ScreenDpi> dpi_;
    int top_ = 0;
    std::vector<std::unique_ptr<PatternField>> fields_;
};

} // namespace mr
