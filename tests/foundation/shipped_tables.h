#pragma once
// Makes the shipped string tables the resources of this test program: the real Kestrix.dll
// under Windows, the XML files of the source tree in the native build.
#include <cstdlib>
#include <string>

#include "foundation/module.h"

#ifdef _WIN32
#include <windows.h>

inline bool useShippedTables() {
    static HMODULE dll = nullptr;
    if (!dll) {
        const char* path = getenv("KX_DLL");
        if (!path) return false;
        // Only the resources are wanted: mapped as an image, without running its entry.
        dll = LoadLibraryExA(path, nullptr,
                             LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    }
    setResourceModule(dll);
    return dll != nullptr;
}
#else
#include "foundation/platform/posix/resource_registry.h"

inline std::string sourceFile(const char* relative) {
    const char* root = getenv("KX_SOURCE_DIR");
    return std::string(root ? root : ".") + "/" + relative;
}

inline bool useShippedTables() {
    clearRegisteredResources();
    return registerResourceFile("MYSTRINGS_E", "XML",
                                sourceFile("src/resources/strings_en.xml").c_str()) &&
           registerResourceFile("MYSTRINGS_D", "XML",
                                sourceFile("src/resources/strings_de.xml").c_str());
}
#endif
