#include "ui/win32/framework/gdi.h"

#include "ui/win32/framework/module_state.h"

namespace mr {

CMenu::~CMenu() {
    DestroyMenu();
}

BOOL CMenu::LoadMenu(UINT id) {
    DestroyMenu();
    m_hMenu = ::LoadMenuW(ModuleState::resourceInstance(), MAKEINTRESOURCEW(id));
    m_owned = m_hMenu != nullptr;
    return m_hMenu != nullptr;
}

void CMenu::Attach(HMENU menu, bool owned) {
    DestroyMenu();
    m_hMenu = menu;
    m_owned = owned;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    m_owned = false;
    return menu;
}

BOOL CMenu::DestroyMenu() {
    BOOL done = FALSE;
    if (m_hMenu && m_owned)
        done = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_owned = false;
    return done;
}

HMENU CMenu::GetSubMenu(int position) const {
    return ::GetSubMenu(m_hMenu, position);
}

int CMenu::GetMenuItemCount() const {
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int position) const {
    return ::GetMenuItemID(m_hMenu, position);
}

std::wstring CMenu::GetMenuString(int position) const {
    const int length =
        ::GetMenuStringW(m_hMenu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetMenuStringW(m_hMenu, static_cast<UINT>(position), text.data(),
                                        length + 1, MF_BYPOSITION);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

BOOL CMenu::SetMenuString(int position, const wchar_t* text) const {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    return SetMenuItemInfoW(m_hMenu, static_cast<UINT>(position), TRUE, &info);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner) const {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, nullptr);
}

CImageList::~CImageList() {
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

int CImageList::Add(HBITMAP image) {
    return m_hImageList ? ImageList_Add(m_hImageList, image, nullptr) : -1;
}

BOOL CImageList::DeleteImageList() {
    BOOL done = FALSE;
    if (m_hImageList)
        done = ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return done;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    return list;
}

CGdiHandle::~CGdiHandle() {
    DeleteObject();
}

BOOL CGdiHandle::DeleteObject() {
    BOOL done = FALSE;
    if (m_handle)
        done = ::DeleteObject(m_handle);
    m_handle = nullptr;
    return done;
}

BOOL CFont::CreateFontIndirect(const LOGFONTW& font) {
    DeleteObject();
    m_handle = ::CreateFontIndirectW(&font);
    return m_handle != nullptr;
}

bool CFont::GetLogFont(HFONT font, LOGFONTW* description) {
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return GetObjectW(font, sizeof(*description), description) == sizeof(*description);
}

BOOL CBitmap::LoadBitmap(UINT id) {
    DeleteObject();
    m_handle = ::LoadImageW(ModuleState::resourceInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0,
                            0, LR_CREATEDIBSECTION);
    return m_handle != nullptr;
}

} // namespace mr
