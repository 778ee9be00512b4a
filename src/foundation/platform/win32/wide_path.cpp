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

bool narrowPath(const wchar_t* wide, char* dest, size_t size) {
    if (!wide || !dest) return false;
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0 || static_cast<size_t>(length) > size) return false;
    return WideCharToMultiByte(CP_UTF8, 0, wide, -1, dest, length, nullptr, nullptr) == length;
}
