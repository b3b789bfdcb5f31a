#include "ui/win32/framework/module_state.h"

#include "resources/resource.h"

#include <commctrl.h>

namespace mr {
namespace {

HINSTANCE g_module = nullptr;
HANDLE g_activationContext = INVALID_HANDLE_VALUE;
bool g_activationContextTried = false;
// Per thread, as calls on different threads must not see each other's switch.
thread_local HINSTANCE t_resources = nullptr;

} // namespace

void ModuleState::setModuleInstance(HINSTANCE instance) {
    g_module = instance;
}

HINSTANCE ModuleState::moduleInstance() {
    // Linked into an executable without a module entry point: the executable.
    return g_module ? g_module : GetModuleHandleW(nullptr);
}

HINSTANCE ModuleState::resourceInstance() {
    return t_resources ? t_resources : moduleInstance();
}

void ModuleState::setResourceInstance(HINSTANCE instance) {
    t_resources = instance;
}

HANDLE ModuleState::activationContext() {
    if (!g_activationContextTried) {
        g_activationContextTried = true;
        wchar_t path[MAX_PATH] = {};
        const DWORD n = GetModuleFileNameW(moduleInstance(), path, MAX_PATH);
        ACTCTXW context = {};
        context.cbSize = sizeof(context);
        context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.hModule = moduleInstance();
        context.lpResourceName = MAKEINTRESOURCEW(IDR_MODULE_MANIFEST);
        context.lpSource = (n > 0 && n < MAX_PATH) ? path : nullptr;
        g_activationContext = CreateActCtxW(&context);
    }
    return g_activationContext;
}

void ModuleState::release() {
    if (g_activationContext != INVALID_HANDLE_VALUE)
        ReleaseActCtx(g_activationContext);
    g_activationContext = INVALID_HANDLE_VALUE;
    g_activationContextTried = false;
}

ModuleStateScope::ModuleStateScope() : previousResources_(t_resources) {
    ModuleState::setResourceInstance(ModuleState::moduleInstance());
    const HANDLE context = ModuleState::activationContext();
    // Without the context the dialog still runs, only with the classic controls.
    if (context != INVALID_HANDLE_VALUE)
        activated_ = ActivateActCtx(context, &cookie_) != FALSE;
    INITCOMMONCONTROLSEX init = {};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&init);
}

ModuleStateScope::~ModuleStateScope() {
    if (activated_)
        DeactivateActCtx(0, cookie_);
    ModuleState::setResourceInstance(previousResources_);
}

} // namespace mr
