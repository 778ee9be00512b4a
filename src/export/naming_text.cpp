#include "export/naming_text.h"

#include <cstring>

#include "export/export_types.h"

bool holdsForbiddenNameChar(const char* text) {
    for (const char* c = text; *c; ++c)
        if (static_cast<unsigned char>(*c) < 0x20 || strchr("\\/:*?\"<>|", *c)) return true;
    return false;
}

NamingTextProblem namingTextProblem(const char* text) {
    if (!text) return kNamingTextOk;
    if (strlen(text) >= kShortTextSize) return kNamingTextTooLong;
    return holdsForbiddenNameChar(text) ? kNamingTextForbidden : kNamingTextOk;
}
