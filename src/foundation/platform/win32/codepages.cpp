#include <windows.h>

#include <climits>

#include "foundation/platform/os.h"

namespace {

UINT windowsCodePage(int32_t selector) {
    return selector == kCodePageMac ? CP_MACCP : CP_ACP;
}

} // namespace

bool osCodePageToWide(const char* text, size_t length, int32_t selector, WideText& out) {
    out.clear();
    if (length > INT_MAX) return false;
    UINT codePage = windowsCodePage(selector);
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, static_cast<int>(length),
                                nullptr, 0);
    if (n <= 0) return false;
    out.resize(static_cast<size_t>(n));
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, static_cast<int>(length), &out[0],
                            n) != n) {
        out.clear();
        return false;
    }
    return true;
}

std::string osWideToCodePage(const WideChar* text, size_t length, int32_t selector) {
    std::string out;
    if (length == 0 || length > INT_MAX) return out;
    UINT codePage = windowsCodePage(selector);
    int n = WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), nullptr, 0, nullptr,
                                nullptr);
    if (n <= 0) return out;
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), &out[0], n, nullptr, nullptr);
    return out;
}
