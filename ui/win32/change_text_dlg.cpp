#include "ui/win32/change_text_dlg.h"

#include "platform/win32/module_message.h"
#include "platform/win32/wide.h"
#include "rename/messages.h"
#include "resources/captions.h"
#include "resources/resource.h"
#include "seams/mover.h"
#include "ui/win32/clipboard.h"

#include <commctrl.h>

#include <utility>

namespace mr {
namespace {

constexpr int32_t kFieldRowTopDips = 66;

// The wait cursor while the patterns are derived, then the one before.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace

ChangeTextDlg::ChangeTextDlg(std::u16string productName, CWnd* parent, RecordSet& records)
    : CDialog(IDD_MULTI_RENAME, parent), productName_(std::move(productName)),
      screenDpi_(std::make_shared<ScreenDpi>()), windowIcon_(IDI_HOST_APP, screenDpi_),
      layout_(productName_), sizeGrip_(screenDpi_), namesList_(boldFont_) {
    WaitCursor wait;
    // The check boxes open as the last dialog of this process left them.
    static CheckBoxMemory remembered;
    model_ = std::make_unique<ChangeTextModel>(productName_, records, remembered);
    fieldRow_ = std::make_unique<PatternFieldRow>(*this, *model_, screenDpi_);
}

ChangeTextDlg::~ChangeTextDlg() {
    if (watching_)
        screenDpi_->removeWatcher(this);
    fieldRow_.reset();
    if (dialogIcon_)
        DestroyIcon(dialogIcon_);
}

BOOL ChangeTextDlg::OnInitDialog() {
    CDialog::OnInitDialog();
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
    createBoldFont();
    fieldRowTop_ = screenDpi_->toPixels(kFieldRowTopDips);
    fieldRow_->setTop(fieldRowTop_);
    // Before the size is restored, so that the anchors move the list that stays.
    namesList_.create(m_hWnd, *model_);
    layout_.restoreSize();

    namesList_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    namesList_.InsertColumn(0, L"" MR_CAPTION_OLD_NAME);
    namesList_.InsertColumn(1, L"" MR_CAPTION_NEW_NAME);
    if (model_->hasFolderColumn())
        namesList_.InsertColumn(2, L"" MR_CAPTION_FOLDER);
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

    // The model lists its rows, builds the field row through fieldsRebuilt and ends in
    // the first refresh, which gives the list its rows; the columns are sized after.
    built_ = true;
    model_->initialise(this);
    // The boxes' states are the model's from its initialisation on.
    showCheckBoxes();
    sizeColumns();

    screenDpi_->addWatcher(this);
    watching_ = true;
    // FALSE: the first text edit has the focus already.
    return fieldRow_->empty() ? TRUE : FALSE;
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

void ChangeTextDlg::createBoldFont() {
    LOGFONTW description = {};
    if (!CFont::GetLogFont(GetFont(), &description))
        return;
    description.lfWeight = FW_BOLD;
    boldFont_.CreateFontIndirect(description);
}

void ChangeTextDlg::showCheckBoxes() const {
    const struct {
        const CButton& button;
        CheckBox box;
    } boxes[] = {{allowExtensionChanges_, CheckBox::AllowExtensionChanges},
                 {numbersAsText_, CheckBox::NumbersAsText}};
    for (const auto& b : boxes) {
        if (!b.button.GetHandle())
            continue;
        b.button.SetCheck(model_->boxChecked(b.box) ? BST_CHECKED : BST_UNCHECKED);
        b.button.EnableWindow(model_->boxEnabled(b.box));
    }
}

void ChangeTextDlg::sizeColumns() {
    const int columns = namesList_.GetColumnCount();
    if (columns < 2)
        return;
    namesList_.fitOldNameColumn();
    namesList_.sizeColumn(
        0, static_cast<int16_t>(namesList_.GetColumnWidth(0) + screenDpi_->toPixels(20)));
    if (columns == 3)
        namesList_.sizeColumn(1, namesList_.GetColumnWidth(0) + screenDpi_->toPixels(40));
    namesList_.sizeColumn(columns - 1, LVSCW_AUTOSIZE_USEHEADER);
}

void ChangeTextDlg::OnOK() {
    const std::unique_ptr<Mover> mover = makePlatformMover();
    if (model_->rename(*mover, m_hWnd) != RenameOutcome::Refused)
        EndDialog(IDOK);
}

BOOL ChangeTextDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const WORD id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == IDC_FIELD_EDIT || id == IDC_FIELD_BUTTON)
        return fieldRow_->onCommand(id, code, reinterpret_cast<HWND>(lParam), model_->ready());
    if (code != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_RESET: {
        WaitCursor wait;
        model_->resetAll();
        return TRUE;
    }
    case IDC_COPY_NAMES:
        model_->copyNames(false);
        return TRUE;
    case IDC_PASTE_NAMES:
        model_->pasteNames(false);
        return TRUE;
    case IDC_ALLOW_EXTENSION_CHANGES:
    case IDC_NUMBERS_AS_TEXT:
        model_->clickCheckBox(id == IDC_NUMBERS_AS_TEXT ? CheckBox::NumbersAsText
                                                        : CheckBox::AllowExtensionChanges);
        // The automatic box toggled itself; the model says what it shows.
        showCheckBoxes();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

BOOL ChangeTextDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_NAMES_LIST && namesList_.onNotify(*header, result))
        return TRUE;
    return CDialog::OnNotify(wParam, lParam, result);
}

void ChangeTextDlg::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    screenDpi_->updateFromWindow(m_hWnd);
    layout_.applyAnchors(cx, cy);
    sizeGrip_.place();
    if (built_ && !fieldRow_->empty())
        fieldRow_->layout();
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
    fieldRowTop_ = screenDpi_->toPixels(kFieldRowTopDips);
    fieldRow_->setTop(fieldRowTop_);
    if (built_)
        fieldRow_->layout();
    sizeColumns();
    setHostIcons();
}

BOOL ChangeTextDlg::DestroyWindow() {
    layout_.storeSize();
    return CDialog::DestroyWindow();
}

void ChangeTextDlg::fieldsRebuilt() {
    if (built_)
        fieldRow_->rebuild();
}

void ChangeTextDlg::editingEnabledChanged() {
    fieldRow_->setEnabled(model_->editingEnabled());
    showCheckBoxes();
}

void ChangeTextDlg::namesRefreshed() {
    namesList_.showRows();
}

void ChangeTextDlg::rowsRemoved() {
    namesList_.showRows();
    namesList_.showSelection();
}

void ChangeTextDlg::showMessage(uint32_t, std::u16string_view text, MessageIcon icon) {
    showModuleMessage(m_hWnd, text, icon);
}

bool ChangeTextDlg::putClipboardText(std::u16string_view text) {
    return mr::putClipboardText(text);
}

std::optional<std::u16string> ChangeTextDlg::clipboardText() {
    return mr::clipboardText();
}

} // namespace mr
