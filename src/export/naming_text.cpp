#include "export/naming_text.h"

#include <cstring>

#include "export/export_state.h"

NamingTextProblem namingTextProblem(const char* text) {
    if (!text) return kNamingTextOk;
    if (strlen(text) >= kShortTextSize) return kNamingTextTooLong;
    for (const char* c = text; *c; ++c) {
        // UTF-8 bytes of other characters are all 0x80 or above.
        if (static_cast<unsigned char>(*c) < 0x20 || strchr("\\/:*?\"<>|", *c))
            return kNamingTextForbidden;
    }
    return kNamingTextOk;
}
