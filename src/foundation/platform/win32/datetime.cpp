#include <windows.h>

#include "foundation/platform/os.h"

namespace {

WideText fromBuffer(const wchar_t* text, int written) {
    // The count includes the NUL; 0 means the call failed.
    return written > 1 ? WideText(text, static_cast<size_t>(written - 1)) : WideText();
}

} // namespace

WideText osLocalShortDate() {
    wchar_t text[256];
    int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 256);
    return fromBuffer(text, n);
}

WideText osLocalTime() {
    wchar_t text[256];
    int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, 256);
    return fromBuffer(text, n);
}
