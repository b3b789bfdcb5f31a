#include "ui/win32/names_list_ctrl.h"

#include "platform/win32/wide.h"
#include "resources/resource.h"
#include "ui/model/change_text_model.h"
#include "ui/model/state_images.h"
#include "ui/model/type_to_find.h"
#include "ui/win32/framework/gdi.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace mr {

bool CNamesListCtrl::create(HWND dialogWindow, ChangeTextModel& model) {
    model_ = &model;
    HWND old = ::GetDlgItem(dialogWindow, IDC_NAMES_LIST);
    if (!old)
        return false;
    // The owner-data style only takes effect when the window is created with it.
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_STYLE)) | LVS_OWNERDATA;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_EXSTYLE));
    RECT rect = {};
    ::GetWindowRect(old, &rect);
    MapWindowPoints(HWND_DESKTOP, dialogWindow, reinterpret_cast<POINT*>(&rect), 2);
    HWND list = CreateWindowExW(
        exStyle, WC_LISTVIEWW, L"", style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, dialogWindow,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_NAMES_LIST)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialogWindow, GWLP_HINSTANCE)), nullptr);
    if (!list)
        return false;
    ::SetWindowPos(list, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageW(list, WM_SETFONT, ::SendMessageW(dialogWindow, WM_GETFONT, 0, 0), FALSE);
    ::DestroyWindow(old);
    SubclassWindow(list);
    // State images are asked for with the texts.
    SendMessage(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK);
    return true;
}

void CNamesListCtrl::showRows() {
    if (!m_hWnd || !model_)
        return;
    const int rows = static_cast<int>(model_->rows().size());
    if (GetItemCount() != rows) {
        SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), LVSICF_NOSCROLL);
        showSelection();
    }
    // The list draws a state image over what the cell shows and blends its soft edges,
    // so the cells are erased first or the previous image shows through.
    Invalidate(true);
}

void CNamesListCtrl::showSelection() {
    if (!m_hWnd || !model_)
        return;
    pushingSelection_ = true;
    const size_t rows = model_->rows().size();
    const size_t selected = model_->selectedCount();
    if (selected == 0 || selected == rows) {
        SetItemState(-1, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    } else {
        for (size_t i = 0; i < rows; ++i) {
            const UINT want = model_->isSelected(i) ? LVIS_SELECTED : 0;
            if (GetItemState(static_cast<int>(i), LVIS_SELECTED) != want)
                SetItemState(static_cast<int>(i), want, LVIS_SELECTED);
        }
    }
    pushingSelection_ = false;
}

namespace {

// The estimate below sums character widths, which the drawn text may differ from a
// little; the hidden list measures this many of the names estimated widest.
constexpr size_t kWidestCandidates = 16;

} // namespace

void CNamesListCtrl::fitOldNameColumn() {
    if (!m_hWnd || !model_)
        return;
    // Automatic width on an owner-data list asks for every row's text, one notification
    // each: seconds over 100,000 files. A hidden list of the same style, font and images
    // holding only the names that can be widest gives the same width.
    const auto& rows = model_->rows();
    std::vector<std::pair<long, size_t>> estimates;
    estimates.reserve(rows.size());
    {
        HDC dc = ::GetDC(m_hWnd);
        const HGDIOBJ oldFont = SelectObject(dc, GetFont());
        std::vector<int> widths(0x10000, -1);
        for (size_t i = 0; i < rows.size(); ++i) {
            long width = 0;
            for (const char16_t c : rows[i]->name) {
                if (widths[c] < 0) {
                    INT w = 0;
                    widths[c] = GetCharWidth32W(dc, c, c, &w) ? w : 0;
                }
                width += widths[c];
            }
            estimates.emplace_back(width, i);
        }
        SelectObject(dc, oldFont);
        ::ReleaseDC(m_hWnd, dc);
    }
    const size_t keep = std::min(kWidestCandidates, estimates.size());
    std::partial_sort(estimates.begin(), estimates.begin() + static_cast<std::ptrdiff_t>(keep),
                      estimates.end(), std::greater<>());

    const DWORD style =
        (static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)) & ~(LVS_OWNERDATA | WS_VISIBLE)) |
        LVS_SHAREIMAGELISTS;
    HWND probe = CreateWindowExW(
        0, WC_LISTVIEWW, L"", style, 0, 0, 100, 100, ::GetParent(m_hWnd), nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE)), nullptr);
    if (!probe) {
        SetColumnWidth(0, LVSCW_AUTOSIZE);
        return;
    }
    ::SendMessageW(probe, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()), FALSE);
    ::SendMessageW(probe, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    ::SendMessageW(probe, LVM_SETIMAGELIST, LVSIL_STATE,
                   SendMessage(LVM_GETIMAGELIST, LVSIL_STATE, 0));
    LVCOLUMNW column = {};
    ::SendMessageW(probe, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (size_t k = 0; k < keep; ++k) {
        std::wstring text = toWide(rows[estimates[k].second]->name);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_STATE;
        item.iItem = static_cast<int>(k);
        item.pszText = text.data();
        item.state = INDEXTOSTATEIMAGEMASK(1);
        item.stateMask = LVIS_STATEIMAGEMASK;
        ::SendMessageW(probe, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(probe, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    const int width = static_cast<int>(::SendMessageW(probe, LVM_GETCOLUMNWIDTH, 0, 0));
    ::DestroyWindow(probe);
    SetColumnWidth(0, width);
}

void CNamesListCtrl::sizeColumn(int column, int width) const {
    SetColumnWidth(column, width);
    const int least = headerTextWidth(column);
    if (GetColumnWidth(column) < least)
        SetColumnWidth(column, least);
}

int CNamesListCtrl::headerTextWidth(int column) const {
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (!header)
        return 0;
    wchar_t text[64] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    if (!::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column),
                        reinterpret_cast<LPARAM>(&item)))
        return 0;
    HDC dc = ::GetDC(header);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(header, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
    SelectObject(dc, oldFont);
    ::ReleaseDC(header, dc);
    // The header keeps this margin on both sides of its text.
    const auto margin = static_cast<int>(::SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0));
    return extent.cx + 2 * margin;
}

bool CNamesListCtrl::onNotify(const NMHDR& header, LRESULT* result) {
    if (!model_ || header.hwndFrom != m_hWnd)
        return false;
    switch (header.code) {
    case LVN_GETDISPINFOW:
        getDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
        *result = 0;
        return true;
    case NM_CUSTOMDRAW:
        *result = customDraw(*reinterpret_cast<const NMLVCUSTOMDRAW*>(&header));
        return true;
    case LVN_ITEMCHANGED: {
        const auto& change = *reinterpret_cast<const NMLISTVIEW*>(&header);
        if (change.uChanged & LVIF_STATE) {
            const int last = static_cast<int>(model_->rows().size()) - 1;
            // -1 stands for every row.
            const int from = change.iItem < 0 ? 0 : change.iItem;
            const int to = change.iItem < 0 ? last : change.iItem;
            selectionChanged(from, to, change.uOldState, change.uNewState);
        }
        *result = 0;
        return true;
    }
    case LVN_ODFINDITEMW:
        *result = findItem(*reinterpret_cast<const NMLVFINDITEMW*>(&header));
        return true;
    case LVN_ODSTATECHANGED: {
        const auto& change = *reinterpret_cast<const NMLVODSTATECHANGE*>(&header);
        selectionChanged(change.iFrom, change.iTo, change.uOldState, change.uNewState);
        *result = 0;
        return true;
    }
    default:
        return false;
    }
}

LRESULT CNamesListCtrl::findItem(const NMLVFINDITEMW& find) const {
    // Typed letters come as a partial text; the list keeps the text and its timing.
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz)
        return -1;
    const int focusedRow = GetNextItem(-1, LVNI_FOCUSED);
    const std::optional<size_t> focused =
        focusedRow >= 0 ? std::optional<size_t>(focusedRow) : std::nullopt;
    const std::optional<size_t> row =
        findTypedRow(model_->rows(), fromWide(find.lvfi.psz), focused);
    return row ? static_cast<LRESULT>(*row) : -1;
}

void CNamesListCtrl::selectionChanged(int from, int to, UINT oldState, UINT newState) {
    if (pushingSelection_ || !((oldState ^ newState) & LVIS_SELECTED))
        return;
    const bool selected = (newState & LVIS_SELECTED) != 0;
    for (int i = std::max(from, 0); i <= to; ++i)
        model_->setSelected(static_cast<size_t>(i), selected);
}

void CNamesListCtrl::getDisplayInfo(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    const auto& rows = model_->rows();
    const FileRecord* file = item.iItem >= 0 && static_cast<size_t>(item.iItem) < rows.size()
                                 ? rows[item.iItem]
                                 : nullptr;
    if (item.mask & LVIF_IMAGE)
        item.iImage = 0;
    if (item.mask & LVIF_INDENT)
        item.iIndent = 0;
    if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_STATEIMAGEMASK) && file)
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                     INDEXTOSTATEIMAGEMASK(static_cast<UINT>(stateImageForStatus(file->status)));
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    std::u16string_view text = u"null";
    if (file) {
        if (item.iSubItem == 0)
            text = file->name;
        else if (item.iSubItem == 1)
            text = file->newName;
        else if (file->folder)
            text = file->folder->path;
    }
    // The list's buffer may be shorter than a long path: cut, never overrun.
    const size_t n = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    const std::wstring wide = toWide(text.substr(0, n));
    wide.copy(item.pszText, n);
    item.pszText[n] = L'\0';
}

LRESULT CNamesListCtrl::customDraw(const NMLVCUSTOMDRAW& draw) const {
    const DWORD stage = draw.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    const auto& rows = model_->rows();
    const size_t row = draw.nmcd.dwItemSpec;
    if (row >= rows.size())
        return CDRF_DODEFAULT;
    if (stage == CDDS_ITEMPREPAINT)
        return rows[row]->pastedName ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
        // A pasted new name in bold; the other cells of the row keep the list's font.
        SelectObject(draw.nmcd.hdc, draw.iSubItem == 1 ? static_cast<HFONT>(boldFont_) : GetFont());
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

void CNamesListCtrl::showContextMenu(LPARAM point) {
    // Signed: a second monitor may lie left of or above the first.
    POINT at = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    if (at.x == -1 && at.y == -1) { // from the keyboard
        at = {5, 5};
        ClientToScreen(m_hWnd, &at);
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_NAMES_MENU))
        return;
    CMenu popup;
    popup.Attach(menu.GetSubMenu(0), false);
    for (int i = 0; i < popup.GetMenuItemCount(); ++i) {
        if (static_cast<int>(popup.GetMenuItemID(i)) <= 0)
            continue;
        const std::wstring text = popup.GetMenuString(i);
        popup.SetMenuString(i, toWide(model_->menuText(fromWide(text))).c_str());
    }
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, m_hWnd);
}

bool CNamesListCtrl::onMenuCommand(UINT id) {
    switch (id) {
    case ID_COPY_NAMES:
        model_->copyNames(true);
        return true;
    case ID_PASTE_NAMES:
        model_->pasteNames(true);
        return true;
    case ID_RESET_NAMES:
        model_->resetNames();
        return true;
    case ID_REMOVE_FILES:
        model_->removeFiles();
        return true;
    case ID_SELECT_ALL:
        model_->selectAll();
        showSelection();
        return true;
    case ID_INVERT_SELECTION:
        model_->invertSelection();
        showSelection();
        return true;
    default:
        return false;
    }
}

LRESULT CNamesListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (model_) {
        if (message == WM_CONTEXTMENU) {
            showContextMenu(lParam);
            return 0;
        }
        if (message == WM_COMMAND && HIWORD(wParam) == 0 && onMenuCommand(LOWORD(wParam)))
            return 0;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

} // namespace mr
