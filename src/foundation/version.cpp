#include "foundation/version.h"

namespace {

// The text and the numbers of the version resource must say the same.
constexpr bool textMatchesNumbers(const char* text, int major, int minor) {
    int value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10 + (*text - '0');
    if (value != major || *text != '.') return false;
    ++text;
    if (!(text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9' && !text[2]))
        return false;
    return (text[0] - '0') * 10 + (text[1] - '0') == minor;
}
static_assert(textMatchesNumbers(KX_VERSION_TEXT, KX_VERSION_MAJOR, KX_VERSION_MINOR),
              "KX_VERSION_TEXT must be KX_VERSION_MAJOR.KX_VERSION_MINOR (two digits)");

} // namespace

const char* productVersionText() {
    return KX_VERSION_TEXT;
}
