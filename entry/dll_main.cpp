// Load and unload of multirename.dll.
#include "entry/app.h"

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        mr::theApp().attachModule(instance);
        break;
    case DLL_PROCESS_DETACH:
        // At process exit the system reclaims everything; only an unload cleans up.
        if (!reserved)
            mr::theApp().detachModule();
        break;
    default:
        break;
    }
    return TRUE;
}
