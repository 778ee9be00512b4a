#include "wide_path.h"

#include <windows.h>

#include <cstring>

bool widePath(const char* utf8, std::wstring& wide) {
    wide.clear();
    if (!utf8 || !*utf8) return false;
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (length <= 0) return false;
    wide.resize(static_cast<size_t>(length));
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &wide[0], length) != length)
        return false;
    wide.resize(static_cast<size_t>(length - 1));
    return true;
}

bool wideFilePath(const char* utf8, std::wstring& wide) {
    if (!widePath(utf8, wide)) return false;
    wide = extendedPath(wide);
    return true;
}

static bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

std::wstring extendedPath(const std::wstring& path) {
    if (path.size() < MAX_PATH - 12) return path;
    bool drive = ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
                 path[1] == L':' && isSeparator(path[2]);
    // "\\?\" and "\\.\" are forms of their own and stay as they are.
    bool share = isSeparator(path[0]) && isSeparator(path[1]) && path[2] != L'?' &&
                 path[2] != L'.' && !isSeparator(path[2]);
    if (!drive && !share) return path;
    // The system's own rules for "." and "..", separators and trailing dots or blanks, so that
    // the long form names the file that the short form would.
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    if (drive && full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    if (share && full.size() > 2 && full[0] == L'\\' && full[1] == L'\\')
        return L"\\\\?\\UNC\\" + full.substr(2);
    return path;
}

bool narrowPath(const wchar_t* wide, char* dest, size_t size) {
    if (!wide || !dest) return false;
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0 || static_cast<size_t>(length) > size) return false;
    return WideCharToMultiByte(CP_UTF8, 0, wide, -1, dest, length, nullptr, nullptr) == length;
}
