#include "model/file_io.h"

#include "model/document.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace refhost {

namespace {

std::wstring wide(const std::string& s) {
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string systemMessage(DWORD code) {
    wchar_t* buf = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::string out = "error " + std::to_string(code);
    if (buf) {
        std::wstring w(buf);
        LocalFree(buf);
        while (!w.empty() && (w.back() == L'\n' || w.back() == L'\r' || w.back() == L' '))
            w.pop_back();
        int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
        std::string u(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &u[0], n, nullptr,
                            nullptr);
        out = u;
    }
    return out;
}

} // namespace

bool readWholeFile(const std::string& path, std::string& data) {
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart < (1LL << 30);
    if (ok) {
        data.assign(static_cast<size_t>(size.QuadPart), '\0');
        size_t done = 0;
        while (ok && done < data.size()) {
            DWORD got = 0;
            DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 20));
            ok = ReadFile(h, &data[done], want, &got, nullptr) && got > 0;
            done += got;
        }
    }
    CloseHandle(h);
    return ok;
}

bool fileNameFits(const std::string& path, std::string* error) {
    std::string name = fileNameOf(path);
    size_t units = utf8ToUtf16(name).size();
    if (units <= kMaxFileName && name.size() <= kMaxFileName) return true;
    if (error)
        *error = path + ": the file name is too long (" + std::to_string(units) +
                 " UTF-16 units, " + std::to_string(name.size()) + " UTF-8 bytes; at most " +
                 std::to_string(kMaxFileName) + " of each)";
    return false;
}

std::string temporaryBeside(const std::string& path) {
    static unsigned counter = 0;
    // Everything up to the name: the folder with its separator, or a drive's "C:".
    std::string before = path.substr(0, path.size() - fileNameOf(path).size());
    return before + "~lh" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter) + ".tmp";
}

static bool isDiskFull(DWORD code) {
    return code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL;
}

// Creates or truncates path and writes data into it; ERROR_SUCCESS or the reason it failed,
// with what was written removed.
static DWORD writeWholeFile(const std::string& path, const std::string& data) {
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD code = ERROR_SUCCESS;
    size_t done = 0;
    while (code == ERROR_SUCCESS && done < data.size()) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 20));
        // A short write is followed by another for the rest, which names the reason; a write
        // that takes nothing at all found no room.
        if (!WriteFile(h, data.data() + done, want, &put, nullptr))
            code = GetLastError();
        else if (put == 0)
            code = ERROR_DISK_FULL;
        done += put;
    }
    if (!CloseHandle(h) && code == ERROR_SUCCESS) code = GetLastError();
    if (code != ERROR_SUCCESS) DeleteFileW(wide(path).c_str());
    return code;
}

static bool reportWriteFailure(const std::string& path, DWORD code, std::string* error,
                               bool* diskFull) {
    if (diskFull) *diskFull = isDiskFull(code);
    if (error)
        *error = path + ": cannot write (" +
                 (isDiskFull(code) ? std::string("the disk is full") : systemMessage(code)) + ")";
    return false;
}

bool writeFileAtomic(const std::string& path, const std::string& data, std::string* error,
                     bool* diskFull) {
    if (diskFull) *diskFull = false;
    if (!fileNameFits(path, error)) return false;
    std::string temp = temporaryBeside(path);
    DWORD code = writeWholeFile(temp, data);
    if (code == ERROR_SUCCESS && !replaceFile(temp, path)) {
        code = GetLastError();
        DeleteFileW(wide(temp).c_str());
    }
    return code == ERROR_SUCCESS || reportWriteFailure(path, code, error, diskFull);
}

bool writeFileDirect(const std::string& path, const std::string& data, std::string* error,
                     bool* diskFull) {
    if (diskFull) *diskFull = false;
    if (!fileNameFits(path, error)) return false;
    DWORD code = writeWholeFile(path, data);
    return code == ERROR_SUCCESS || reportWriteFailure(path, code, error, diskFull);
}

uint64_t freeSpaceBeside(const std::string& path) {
    std::string folder = path.substr(0, path.size() - fileNameOf(path).size());
    ULARGE_INTEGER available;
    if (folder.empty() || !GetDiskFreeSpaceExW(wide(folder).c_str(), &available, nullptr, nullptr))
        return UINT64_MAX;
    return available.QuadPart;
}

bool fileExists(const std::string& path) {
    DWORD a = GetFileAttributesW(wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool removeFile(const std::string& path) {
    return DeleteFileW(wide(path).c_str()) != 0;
}

bool replaceFile(const std::string& source, const std::string& target) {
    return MoveFileExW(wide(source).c_str(), wide(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

bool renameOver(const std::string& source, const std::string& target) {
    return MoveFileExW(wide(source).c_str(), wide(target).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::string temporaryPath(const std::string& tag) {
    static unsigned counter = 0;
    // The temporary folder is at most MAX_PATH + 1 characters long.
    wchar_t dir[MAX_PATH + 2];
    DWORD n = GetTempPathW(MAX_PATH + 2, dir);
    std::string folder = ".\\";
    if (n > 0 && n < MAX_PATH + 2) {
        int len =
            WideCharToMultiByte(CP_UTF8, 0, dir, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        folder.assign(static_cast<size_t>(len), '\0');
        WideCharToMultiByte(CP_UTF8, 0, dir, static_cast<int>(n), &folder[0], len, nullptr,
                            nullptr);
    }
    return folder + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter);
}

} // namespace refhost
