// The library entry: it only records the module handle, which finds our resources.
#include <windows.h>

#include "foundation/module.h"
#include "host/module.h"

static HINSTANCE gModule = nullptr;

HINSTANCE pluginModule() {
    return gModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        gModule = instance;
        setResourceModule(instance);
    }
    return TRUE;
}
