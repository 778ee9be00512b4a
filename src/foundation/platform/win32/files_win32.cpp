#include "foundation/files.h"

#include "wide_path.h"

#include <windows.h>
#include <io.h>
#include <knownfolders.h>
#include <shlobj.h>

static DWORD attributesOf(const char* path) {
    std::wstring wide;
    if (!wideFilePath(path, wide)) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(wide.c_str());
}

bool fileExists(const char* path) {
    return attributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool isVisibleFile(const char* path) {
    DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
}

bool isReadOnlyFile(const char* path) {
    DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool createFolder(const char* path) {
    std::wstring wide;
    if (!wideFilePath(path, wide) || GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    return CreateDirectoryW(wide.c_str(), nullptr) != 0;
}

bool deleteFile(const char* path) {
    std::wstring wide;
    if (!wideFilePath(path, wide)) return false;
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(wide.c_str()) != 0;
}

FILE* openStream(const char* path, const char* mode) {
    std::wstring widePathText, wideMode;
    if (!wideFilePath(path, widePathText) || !widePath(mode, wideMode)) return nullptr;
    return _wfopen(widePathText.c_str(), wideMode.c_str());
}

uint32_t modificationTime(const char* path) {
    // Not _wstat64: the runtime takes the "?" of an extended path for a wildcard.
    std::wstring wide;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!wideFilePath(path, wide) ||
        !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data))
        return 0;
    const uint64_t ticks =
        uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
    const uint64_t unixEpoch = 116444736000000000ull; // 1970-01-01 in 100 ns units from 1601
    return ticks < unixEpoch ? 0 : static_cast<uint32_t>((ticks - unixEpoch) / 10000000ull);
}

bool knownFolderPath(KnownFolder folder, char* dest, size_t size) {
    const KNOWNFOLDERID& id =
        folder == KnownFolder::Documents ? FOLDERID_Documents : FOLDERID_LocalAppData;
    PWSTR wide = nullptr;
    bool ok = false;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &wide)) && wide && *wide) {
        std::wstring path(wide);
        while (path.size() > 3 && path.back() == L'\\')
            path.pop_back();
        ok = narrowPath(path.c_str(), dest, size);
    }
    CoTaskMemFree(wide);
    return ok;
}

static bool moveWith(const char* source, const char* destination, DWORD flags) {
    std::wstring from, to;
    if (!wideFilePath(source, from) || !wideFilePath(destination, to)) return false;
    return MoveFileExW(from.c_str(), to.c_str(), flags) != 0;
}

bool replaceFileAtomically(const char* source, const char* destination) {
    return moveWith(source, destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool moveFileReplacing(const char* source, const char* destination) {
    return moveWith(source, destination,
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
}

bool flushStreamToDisk(FILE* stream) {
    return stream && fflush(stream) == 0 && _commit(_fileno(stream)) == 0;
}
