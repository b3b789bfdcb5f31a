#pragma once
// Owners of menus, image lists, fonts and bitmaps: each frees its handle when it goes.
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace mr {

class CMenu {
public:
    CMenu() = default;
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // From the current resources (the module's during a call).
    BOOL LoadMenu(UINT id);
    // Wraps a menu owned elsewhere, such as a popup of a loaded menu.
    void Attach(HMENU menu, bool owned);
    HMENU Detach();
    BOOL DestroyMenu();
    HMENU GetSubMenu(int position) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    std::wstring GetMenuString(int position) const;
    BOOL SetMenuString(int position, const wchar_t* text) const;
    // Returns the chosen command when TPM_RETURNCMD is given.
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner) const;

    HMENU m_hMenu = nullptr;

private:
    bool m_owned = false;
};

class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    int Add(HBITMAP image);
    BOOL DeleteImageList();
    HIMAGELIST Detach();
    operator HIMAGELIST() const { return m_hImageList; }

    HIMAGELIST m_hImageList = nullptr;
};

class CGdiHandle {
public:
    CGdiHandle() = default;
    ~CGdiHandle();
    CGdiHandle(const CGdiHandle&) = delete;
    CGdiHandle& operator=(const CGdiHandle&) = delete;
    BOOL DeleteObject();
    HGDIOBJ m_handle = nullptr;
};

class CFont : public CGdiHandle {
public:
    BOOL CreateFontIndirect(const LOGFONTW& font);
    // The description of any font, such as a dialog's.
    static bool GetLogFont(HFONT font, LOGFONTW* description);
    operator HFONT() const { return static_cast<HFONT>(m_handle); }
};

class CBitmap : public CGdiHandle {
public:
    // A device-independent section from the current resources, so that 32-bit images
    // keep their alpha channel.
    BOOL LoadBitmap(UINT id);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_handle); }
};

} // namespace mr
