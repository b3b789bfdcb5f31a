#include "ui/win32/change_text_dlg.h"

#include "platform/win32/wide.h"
#include "resources/resource.h"
#include "ui/model/state_images.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace mr {

ChangeTextDlg::ChangeTextDlg(std::u16string productName, CWnd* parent, RecordSet& records)
    : CDialog(IDD_MULTI_RENAME, parent), productName_(std::move(productName)),
      screenDpi_(std::make_shared<ScreenDpi>()), windowIcon_(IDI_HOST_APP, screenDpi_),
      records_(&records), layout_(productName_), sizeGrip_(screenDpi_) {}

ChangeTextDlg::~ChangeTextDlg() {
    if (watching_)
        screenDpi_->removeWatcher(this);
    if (dialogIcon_)
        DestroyIcon(dialogIcon_);
}

BOOL ChangeTextDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    namesList_.Attach(GetDlgItem(IDC_NAMES_LIST));
    allowExtensionChanges_.Attach(GetDlgItem(IDC_ALLOW_EXTENSION_CHANGES));
    numbersAsText_.Attach(GetDlgItem(IDC_NUMBERS_AS_TEXT));

    // The size notification sent while the window is created comes before the dialog
    // procedure is installed, so the DPI is read here first.
    screenDpi_->updateFromWindow(m_hWnd);
    layout_.attach(m_hWnd, screenDpi_);
    const RECT outer = GetWindowRect();
    const POINT corner = {outer.right, outer.bottom};
    layout_.addAnchor(IDOK, AnchorMode::Move, AnchorMode::Move, corner);
    layout_.addAnchor(IDCANCEL, AnchorMode::Move, AnchorMode::Move, corner);
    layout_.addAnchor(IDC_NAMES_LIST, AnchorMode::Stretch, AnchorMode::Stretch, corner);
    sizeGrip_.create(m_hWnd);
    setHostIcons();
    layout_.restoreSize();

    namesList_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    namesList_.InsertColumn(0, L"Old Name");
    namesList_.InsertColumn(1, L"New Name");
    if (records_->folders.size() > 1)
        namesList_.InsertColumn(2, L"Folder");
    stateImages_.Create(16, 16, ILC_COLOR32, 0, 6);
    for (UINT id = IDB_STATUS_FIRST; id <= IDB_STATUS_LAST; ++id) {
        CBitmap bitmap;
        if (bitmap.LoadBitmap(id))
            stateImages_.Add(bitmap);
    }
    // The list shares image lists, so one it had before is ours to free.
    HIMAGELIST previous = namesList_.SetImageList(stateImages_, LVSIL_STATE);
    if (previous && previous != stateImages_.m_hImageList)
        ImageList_Destroy(previous);
    fillList();
    sizeColumns();
    showStatuses();

    screenDpi_->addWatcher(this);
    watching_ = true;
    return TRUE;
}

void ChangeTextDlg::setHostIcons() {
    SetIcon(windowIcon_.icon(), false);
    // The template's icon control names icon 250, which only the host carries.
    if (!dialogIcon_) {
        const int size = screenDpi_->toPixels(32);
        dialogIcon_ = static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_HOST_APP), IMAGE_ICON, size, size, 0));
    }
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            ::GetDlgCtrlID(child) == IDC_STATIC) {
            ::SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(dialogIcon_), 0);
            break;
        }
    }
}

void ChangeTextDlg::fillList() {
    int row = 0;
    records_->forEachFile([&](FileRecord& file) {
        if (!file.hidden)
            namesList_.InsertCallbackItem(row++, reinterpret_cast<LPARAM>(&file));
    });
}

void ChangeTextDlg::showStatuses() {
    const int count = namesList_.GetItemCount();
    for (int i = 0; i < count; ++i) {
        const auto* file = reinterpret_cast<const FileRecord*>(namesList_.GetItemData(i));
        namesList_.SetStateImage(i, stateImageForStatus(file ? file->status : FileStatus::Pending));
    }
    namesList_.Invalidate();
}

void ChangeTextDlg::sizeColumns() {
    const int columns = namesList_.GetColumnCount();
    if (columns < 2)
        return;
    namesList_.SetColumnWidth(0, LVSCW_AUTOSIZE);
    const int oldWidth =
        static_cast<int16_t>(namesList_.GetColumnWidth(0) + screenDpi_->toPixels(20));
    namesList_.SetColumnWidth(0, oldWidth);
    if (columns == 3)
        namesList_.SetColumnWidth(1, oldWidth + screenDpi_->toPixels(40));
    namesList_.SetColumnWidth(columns - 1, LVSCW_AUTOSIZE_USEHEADER);
}

bool ChangeTextDlg::listText(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    if (item.mask & LVIF_IMAGE)
        item.iImage = 0;
    if (item.mask & LVIF_INDENT)
        item.iIndent = 0;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return true;
    const auto* file = reinterpret_cast<const FileRecord*>(item.lParam);
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
    return true;
}

BOOL ChangeTextDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_NAMES_LIST && header->code == LVN_GETDISPINFOW) {
        listText(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        *result = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void ChangeTextDlg::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    screenDpi_->updateFromWindow(m_hWnd);
    layout_.applyAnchors(cx, cy);
    sizeGrip_.place();
}

void ChangeTextDlg::OnSizing(UINT edge, RECT* rect) {
    CDialog::OnSizing(edge, rect);
    if (!rect)
        return;
    PixelRect proposed{rect->left, rect->top, rect->right, rect->bottom};
    applyMinimumSize(proposed, static_cast<SizingEdge>(edge),
                     screenDpi_->toPixels(kMinimumDialogWidthDips),
                     screenDpi_->toPixels(kMinimumDialogHeightDips));
    *rect = {proposed.left, proposed.top, proposed.right, proposed.bottom};
}

void ChangeTextDlg::onDpiChanged(uint32_t, uint32_t) {
    sizeColumns();
    setHostIcons();
}

BOOL ChangeTextDlg::DestroyWindow() {
    layout_.storeSize();
    return CDialog::DestroyWindow();
}

} // namespace mr
