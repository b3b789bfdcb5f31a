#pragma once
// The module's application object: one per loaded module, started and stopped with it.
#include <windows.h>

namespace mr {

class CWinApp {
public:
    explicit CWinApp(const wchar_t* appName);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The module's entry point hands over its instance at load and unload.
    void attachModule(HINSTANCE instance);
    void detachModule();

    static CWinApp* GetApp();

    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_pszAppName;
};

} // namespace mr
