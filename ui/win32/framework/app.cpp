#include "ui/win32/framework/app.h"

#include "ui/win32/framework/module_state.h"

namespace mr {
CApplication::CApplication(const wchar_t* appName) : m_appName(appName) {}

CApplication::~CApplication() = default;

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

} // namespace mr
