// The library entry: it only records the module handle, which finds our resources.
#include <windows.h>

#include "foundation/module.h"
#include "host/module.h"

HINSTANCE pluginModule() {
    return static_cast<HINSTANCE>(resourceModule());
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) setResourceModule(instance);
    return TRUE;
}
