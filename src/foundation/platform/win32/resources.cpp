#include <windows.h>

#include <cstring>

#include "foundation/module.h"
#include "foundation/platform/os.h"
#include "foundation/utf8.h"

bool osFindResource(const char* name, const char* type, const void** data, size_t* size) {
    HMODULE module = static_cast<HMODULE>(resourceModule());
    // Without a recorded module the lookup must not fall back to the host's program.
    if (!module || strlen(name) >= 256 || strlen(type) >= 256) return false;
    WideText wideName = utf8DecodeLenient(name, strlen(name));
    WideText wideType = utf8DecodeLenient(type, strlen(type));
    HRSRC found = FindResourceW(module, wideName.c_str(), wideType.c_str());
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    *data = bytes;
    *size = SizeofResource(module, found);
    return true;
}
