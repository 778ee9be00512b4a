#include "refhost_test_support.h"

#include "model/document.h"
#include "model/file_io.h"
#include "output/unix_command.h"

#include <windows.h>

#include <cstdlib>

namespace refhost_test {

namespace {
std::wstring wide(const std::string& s) {
    std::u16string u = refhost::utf8ToUtf16(s);
    return std::wstring(u.begin(), u.end());
}
std::string narrow(const std::wstring& w) {
    return refhost::utf16ToUtf8(std::u16string(w.begin(), w.end()));
}
} // namespace

CMyTempDir::CMyTempDir() {
    static unsigned counter = 0;
    wchar_t dir[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, dir);
    path_ = narrow(std::wstring(dir, n)) + "refhost-test-" + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(++counter);
    CreateDirectoryW(wide(path_).c_str(), nullptr);
}

CMyTempDir::~CMyTempDir() {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(wide(path_ + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name != L"." && name != L"..") DeleteFileW((wide(path_) + L"\\" + name).c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(wide(path_).c_str());
}

std::string readText(const std::string& path) {
    std::string s;
    refhost::readWholeFile(path, s);
    return s;
}

bool writeText(const std::string& path, const std::string& text) {
    return refhost::writeFileAtomic(path, text, nullptr);
}

int countFiles(const std::string& folder) {
    int n = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(wide(folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

std::string sourceFile(const std::string& relative) {
    const char* root = std::getenv("KX_SOURCE_DIR");
    std::string base = root ? root : "";
    std::string unixPath = base + "/" + relative;
    std::string dos = refhost::dosPathOf(unixPath);
    return dos.empty() ? unixPath : dos;
}

} // namespace refhost_test
