#include "export/style_settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "export/export_host.h"
#include "export/text_fields.h"

static const char kFWiz[] = "FWiz";

StyleHandle findStyle(const char* name) {
    return name && *name ? hostFindStyle(name) : nullptr;
}

uint32_t styleTypeOf(StyleHandle style) {
    uint32_t type = style ? hostStyleType(style) : 0;
    return type ? type : kStyleTypeNone;
}

// An integer value of the record: empty or missing gives the default.
static int32_t readInteger(StyleHandle style, const char* key, int32_t fallback) {
    const char* path[] = {kFWiz, key};
    char value[kShortTextSize];
    if (!hostStyleValue(style, kPluginId, path, 2, value, sizeof value) || !*value) return fallback;
    return readDecimal(value);
}

// False when the stored text is longer than the field: a cut suffix would lose the extension,
// so the caller marks the naming unusable instead of naming files with it.
static bool readShortText(StyleHandle style, const char* key, char (&text)[kShortTextSize]) {
    const char* path[] = {kFWiz, key};
    char value[kShortTextSize];
    bool cut = false;
    if (hostStyleValue(style, kPluginId, path, 2, value, sizeof value, &cut)) {
        copyText(text, value);
        return true;
    }
    if (!cut) return true; // missing: the default stays
    copyTextCut(text, value);
    return false;
}

FWiz readFileNaming(StyleHandle style) {
    FWiz naming{};
    if (!style || !hostStyleHasContainer(style, kPluginId)) return naming;
    naming.base = readInteger(style, "Base", 0);
    copyText(naming.separator, "_");
    bool fits = readShortText(style, "Sep", naming.separator);
    naming.numbers = readInteger(style, "Numbers", 2);
    copyText(naming.suffix, styleTypeOf(style) == kStyleTypeEps ? ".eps" : ".pdf");
    fits = readShortText(style, "Suffix", naming.suffix) && fits;
    naming.namingTooLong = fits ? 0 : 1;
    naming.pageMargins = static_cast<uint8_t>(readInteger(style, "PageMargins", 0));
    naming.numberBeforeName = static_cast<uint8_t>(readInteger(style, "NumberBeforeName", 0));
    return naming;
}

bool readStoredNamingText(StyleHandle style, const char* key, char* text, size_t size) {
    if (!style || !text || size == 0) return false;
    const char* path[] = {kFWiz, key};
    std::vector<char> value(size);
    bool cut = false;
    if (!hostStyleValue(style, kPluginId, path, 2, value.data(), size, &cut) && !cut)
        return false;
    memcpy(text, value.data(), size);
    return true;
}

void writeFileNaming(StyleHandle style, const FWiz& naming) {
    if (!style) return;
    char base[16], numbers[16], margins[16], before[16];
    snprintf(base, sizeof base, "%d", naming.base);
    snprintf(numbers, sizeof numbers, "%d", naming.numbers);
    snprintf(margins, sizeof margins, "%d", naming.pageMargins);
    snprintf(before, sizeof before, "%d", naming.numberBeforeName);
    char separator[kShortTextSize], suffix[kShortTextSize];
    copyTextCut(separator, naming.separator);
    copyTextCut(suffix, naming.suffix);
    const StyleValue values[] = {{"Base", base},           {"Sep", separator},
                                 {"Numbers", numbers},     {"Suffix", suffix},
                                 {"PageMargins", margins}, {"NumberBeforeName", before}};
    hostWriteStyleValues(style, kPluginId, kFWiz, values, 6);
}

Fixed fixedFromDecimal(const char* text) {
    if (!text || !*text) return 0;
    float points = static_cast<float>(strtod(text, nullptr));
    double scaled = static_cast<double>(points) * 65536.0;
    // Beyond the Fixed range (or not a number) the value saturates instead of overflowing.
    if (!(scaled == scaled)) return 0;
    if (scaled >= 2147483647.0) return INT32_MAX;
    if (scaled <= -2147483648.0) return INT32_MIN;
    return static_cast<Fixed>(scaled);
}

Fixed readBleed(StyleHandle style) {
    if (!style) return 0;
    const char* path[] = {"BleedSettings", "Symmetric"};
    char value[kShortTextSize];
    if (!hostStyleValue(style, KXH_OWNER_BLEED, path, 2, value, sizeof value)) return 0;
    return fixedFromDecimal(value);
}

bool styleExportsSpreads(StyleHandle style, uint32_t type) {
    if (!style) return false;
    char value[kShortTextSize];
    if (type == kStyleTypeEps) {
        const char* path[] = {"EPS", "General", "Spread"};
        if (!hostStyleValue(style, KXH_OWNER_EPS, path, 3, value, sizeof value)) return false;
    } else if (type == kStyleTypePdf) {
        const char* path[] = {"PageOptions", "Spreads"};
        if (!hostStyleValue(style, KXH_OWNER_PDF, path, 2, value, sizeof value)) return false;
    } else {
        return false;
    }
    return readDecimal(value) == 1;
}
