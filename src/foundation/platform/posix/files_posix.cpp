// POSIX forms of the file operations, so the store, the log and the paths run on real files in
// the native build. Hidden means a name beginning with ".".
#include "foundation/files.h"

#include "foundation/paths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

bool fileExists(const char* path) {
    struct stat status;
    return path && *path && stat(path, &status) == 0;
}

bool isVisibleFile(const char* path) {
    struct stat status;
    if (!path || !*path || stat(path, &status) != 0 || S_ISDIR(status.st_mode)) return false;
    char name[512];
    return fileNameOf(path, name, sizeof name, true) && name[0] != '.';
}

bool isReadOnlyFile(const char* path) {
    struct stat status;
    return path && *path && stat(path, &status) == 0 && !S_ISDIR(status.st_mode) &&
           !(status.st_mode & S_IWUSR);
}

bool createFolder(const char* path) {
    return path && *path && !fileExists(path) && mkdir(path, 0777) == 0;
}

bool deleteFile(const char* path) {
    if (!path || !*path) return false;
    struct stat status;
    if (lstat(path, &status) != 0) return errno == ENOENT;
    if (!(status.st_mode & S_IWUSR)) chmod(path, status.st_mode | S_IWUSR);
    return unlink(path) == 0;
}

FILE* openStream(const char* path, const char* mode) {
    if (!path || !*path || !mode) return nullptr;
    return fopen(path, mode);
}

uint32_t modificationTime(const char* path) {
    struct stat status;
    if (!path || !*path || stat(path, &status) != 0) return 0;
    return static_cast<uint32_t>(status.st_mtime);
}

bool knownFolderPath(KnownFolder folder, char* dest, size_t size) {
    std::string path;
    const char* home = getenv("HOME");
    const char* xdg =
        getenv(folder == KnownFolder::Documents ? "XDG_DOCUMENTS_DIR" : "XDG_DATA_HOME");
    if (xdg && xdg[0] == '/')
        path = xdg;
    else if (home && home[0] == '/')
        path =
            std::string(home) + (folder == KnownFolder::Documents ? "/Documents" : "/.local/share");
    else
        return false;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (!dest || path.size() >= size) return false;
    memcpy(dest, path.c_str(), path.size() + 1);
    return true;
}

bool replaceFileAtomically(const char* source, const char* destination) {
    return source && destination && rename(source, destination) == 0;
}

static bool copyFileSynced(const char* source, const char* destination) {
    FILE* in = fopen(source, "rb");
    if (!in) return false;
    FILE* out = fopen(destination, "wb");
    bool ok = out != nullptr;
    char block[16384];
    size_t count;
    while (ok && (count = fread(block, 1, sizeof block, in)) > 0)
        ok = fwrite(block, 1, count, out) == count;
    ok = ok && !ferror(in);
    fclose(in);
    if (out) {
        ok = flushStreamToDisk(out) && ok;
        ok = fclose(out) == 0 && ok;
    }
    if (!ok) unlink(destination);
    return ok;
}

bool moveFileReplacing(const char* source, const char* destination) {
    if (!source || !destination) return false;
    if (rename(source, destination) == 0) return true;
    if (errno != EXDEV || !copyFileSynced(source, destination)) return false;
    return unlink(source) == 0;
}

bool flushStreamToDisk(FILE* stream) {
    return stream && fflush(stream) == 0 && fsync(fileno(stream)) == 0;
}
