// Names compared as Windows compares file names, for the native build: every UTF-16 unit is
// upper-cased by the simple mappings of the C.UTF-8 locale, kept only where they lead back
// (lower(upper(c)) == c), as the system table of Windows does: "ä" is "Ä" and "σ" is "Σ", but the
// final "ς", the dotless "ı", the long "ſ", the micro sign and the title-case digraphs stay
// apart. Over the whole BMP this is the table the Windows build compares with. A unit is mapped
// alone, as Windows does: surrogates, and so every character beyond the BMP, stay as they are.
// The locale is a private object; the process's own locale is left alone.
#include <locale.h>
#include <wctype.h>

#include "foundation/platform/os.h"

namespace {

locale_t caseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    return locale;
}

WideChar upper(WideChar unit) {
    if (unit < 0x80) return unit >= 'a' && unit <= 'z' ? WideChar(unit - 32) : unit;
    locale_t locale = caseLocale();
    if (!locale || (unit >= 0xD800 && unit <= 0xDFFF)) return unit;
    wint_t mapped = towupper_l(wint_t(unit), locale);
    if (mapped > 0xFFFF || towlower_l(mapped, locale) != wint_t(unit)) return unit;
    return WideChar(mapped);
}

} // namespace

int32_t osCompareNamesIgnoringCase(const WideChar* a, size_t aLength, const WideChar* b,
                                   size_t bLength) {
    for (size_t i = 0; i < aLength && i < bLength; i++) {
        WideChar left = upper(a[i]), right = upper(b[i]);
        if (left != right) return left < right ? -1 : 1;
    }
    return aLength < bLength ? -1 : aLength == bLength ? 0 : 1;
}
