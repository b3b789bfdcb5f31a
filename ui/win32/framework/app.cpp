#include "ui/win32/framework/app.h"

#include "ui/win32/framework/module_state.h"

namespace mr {
namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const wchar_t* appName) : m_pszAppName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::attachModule(HINSTANCE instance) {
    m_hInstance = instance;
    ModuleState::setModuleInstance(instance);
    InitInstance();
}

void CWinApp::detachModule() {
    ExitInstance();
    ModuleState::release();
}

CWinApp* CWinApp::GetApp() {
    return g_app;
}

} // namespace mr
