#pragma once
// Which module's resources and which activation context are current. A host loads
// the module into its own process, so during a call the dialogs, menus, bitmaps and
// strings must come from the module and the common controls from the version its
// manifest asks for, not from whatever the host uses.
#include <windows.h>

namespace mr {

class ModuleState {
public:
    // Recorded by the module's entry point when it is loaded.
    static void setModuleInstance(HINSTANCE instance);
    static HINSTANCE moduleInstance();
    // Where resources are loaded from: the module during a call, the module otherwise.
    static HINSTANCE resourceInstance();
    // Frees the activation context; called when the module is unloaded.
    static void release();

private:
    friend class ModuleStateScope;
    static HANDLE activationContext();
    static void setResourceInstance(HINSTANCE instance);
};

// For the duration of one call into the module: its resources are current, its
// manifest's activation context is active and the common controls are initialised.
class ModuleStateScope {
public:
    ModuleStateScope();
    ~ModuleStateScope();
    ModuleStateScope(const ModuleStateScope&) = delete;
    ModuleStateScope& operator=(const ModuleStateScope&) = delete;

private:
    HINSTANCE previousResources_ = nullptr;
    ULONG_PTR cookie_ = 0;
    bool activated_ = false;
};

} // namespace mr
