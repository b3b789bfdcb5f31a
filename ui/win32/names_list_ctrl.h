#pragma once
// The names list of the Multi Rename dialog: an owner-data report list whose rows are
// the model's rows, so that no text or item of its own exists per file. Its selection
// lives in the model; the context menu's commands come back to it.
#include "ui/win32/framework/controls.h"

#include <windows.h>

#include <commctrl.h>

namespace mr {

class CFont;
class ChangeTextModel;

class CNamesListCtrl : public CListCtrl {
public:
    // Pasted new names are drawn in boldFont, which the dialog makes from its own font.
    explicit CNamesListCtrl(const CFont& boldFont) : boldFont_(boldFont) {}

    // Replaces the template's list (1503) by an owner-data one of the same place, style,
    // font and tab position, and subclasses it.
    bool create(HWND dialogWindow, ChangeTextModel& model);
    // The list shows the model's rows: count, and a repaint of every cell and image.
    void showRows();
    // The model's selection, pushed after Select All, Invert Selection and removals.
    void showSelection();
    // Gives the Old Name column its automatic width, the width of its widest text.
    void fitOldNameColumn();
    // Sets a column's width (or LVSCW_AUTOSIZE_USEHEADER), never narrower than its
    // header's text.
    void sizeColumn(int column, int width) const;

    // Notifications of the list that reach the dialog; true when answered.
    bool onNotify(const NMHDR& header, LRESULT* result);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int headerTextWidth(int column) const;
    void getDisplayInfo(NMLVDISPINFOW& info) const;
    LRESULT customDraw(const NMLVCUSTOMDRAW& draw) const;
    // The row that type-to-find moves to, or -1.
    LRESULT findItem(const NMLVFINDITEMW& find) const;
    void selectionChanged(int from, int to, UINT oldState, UINT newState);
    void showContextMenu(LPARAM point);
    bool onMenuCommand(UINT id);

    const CFont& boldFont_;
    ChangeTextModel* model_ = nullptr;
    // Set while the list is told the model's selection, so its echo is not taken back.
    bool pushingSelection_ = false;
};

} // namespace mr
