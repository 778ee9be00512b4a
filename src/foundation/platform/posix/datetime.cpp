#include <cstring>
#include <ctime>

#include "foundation/platform/os.h"
#include "foundation/utf8.h"

namespace {

WideText formatNow(const char* format) {
    time_t now = time(nullptr);
    struct tm local;
    char text[256];
    if (!localtime_r(&now, &local) || strftime(text, sizeof text, format, &local) == 0)
        return WideText();
    return utf8DecodeLenient(text, strlen(text));
}

} // namespace

WideText osLocalShortDate() {
    return formatNow("%x");
}

WideText osLocalTime() {
    return formatNow("%X");
}
