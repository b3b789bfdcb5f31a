// Load and unload of multirename.dll.
#include "entry/app.h"

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        mr::theApp().attachModule(instance);
        break;
    case DLL_PROCESS_DETACH:
        mr::theApp().detachModule();
        break;
    default:
        break;
    }
    return TRUE;
}
