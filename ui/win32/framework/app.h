#pragma once
// The module's application object: one per loaded module, started and stopped with it.
#include <windows.h>

namespace mr {

class CApplication {
public:
    explicit CApplication(const wchar_t* appName);
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    virtual BOOL StartUp();
    virtual int ShutDown();

    // The module's entry point hands over its instance at load and unload.
    void attachModule(HINSTANCE instance);
    void detachModule();

    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_appName;
};

} // namespace mr
