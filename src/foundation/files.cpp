#include "foundation/files.h"

#include "foundation/log.h"
#include "foundation/paths.h"

#include <cstring>

bool documentsFolder(char* dest, size_t size) {
    return knownFolderPath(KnownFolder::Documents, dest, size);
}

bool localAppDataFolder(char* dest, size_t size) {
    return knownFolderPath(KnownFolder::LocalAppData, dest, size);
}

bool moveFile(const char* source, char* destFolder, size_t destSize, const char* newName) {
    if (!source || !*source || !destFolder) return false;
    char name[512];
    if (newName) {
        if (strlen(newName) >= sizeof name) return false;
        strcpy(name, newName);
    } else if (!fileNameOf(source, name, sizeof name, true)) {
        return false;
    }
    if (!*name || !appendPathComponent(destFolder, destSize, name)) return false;
    logLine("moveFile: %s --> %s", source, destFolder);
    return moveFileReplacing(source, destFolder);
}
