#include "ui/win32/framework/app.h"

#include "ui/win32/framework/module_state.h"

namespace mr {
namespace {
CApplication* g_app = nullptr;
}

CApplication::CApplication(const wchar_t* appName) : m_appName(appName) {
    g_app = this;
}

CApplication::~CApplication() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CApplication::StartUp() {
    return TRUE;
}

int CApplication::ShutDown() {
    return 0;
}

void CApplication::attachModule(HINSTANCE instance) {
    m_hInstance = instance;
    ModuleState::setModuleInstance(instance);
    StartUp();
}

void CApplication::detachModule() {
    ShutDown();
    ModuleState::release();
}

CApplication* CApplication::Current() {
    return g_app;
}

} // namespace mr
