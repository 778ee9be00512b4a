#include "foundation/localize.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/platform/os.h"
#include "foundation/temppool.h"
#include "foundation/xml.h"

namespace {

int16_t gLanguage = kLanguageEnglish;
char* gTable = nullptr;

const char kEllipsis[] = "\xE2\x80\xA6"; // U+2026 in UTF-8
const WideChar kWideEllipsis = 0x2026;

// Copies at most destSize - 1 bytes, never splitting a UTF-8 character.
void copyCut(char* dest, size_t destSize, const char* text, size_t length) {
    if (length > destSize - 1) {
        length = destSize - 1;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            length--;
    }
    memmove(dest, text, length);
    dest[length] = '\0';
}

char* copyResource(const void* data, size_t size) {
    char* copy = static_cast<char*>(malloc(size + 2));
    if (!copy) return nullptr;
    if (size > 0) memcpy(copy, data, size); // an empty resource may come without any data
    copy[size] = '\0';
    copy[size + 1] = '\0';
    return copy;
}

// localize's result with `suffix` appended, which always survives: the text is cut instead.
void localizeWithSuffix(const char* key, const char* suffix, char* dest, size_t destSize) {
    size_t suffixLength = strlen(suffix);
    if (destSize <= suffixLength) {
        localize(key, dest, destSize);
        return;
    }
    localize(key, dest, destSize - suffixLength);
    strcat(dest, suffix);
}

} // namespace

void setInterfaceLanguage(int16_t hostLanguage) {
    gLanguage = (hostLanguage == 3 || hostLanguage == 19) ? kLanguageGerman : kLanguageEnglish;
}

int16_t interfaceLanguage() {
    return gLanguage;
}

char* loadResourceText(const char* name, const char* type, int16_t language) {
    if (!name || !type) return nullptr;
    const void* data = nullptr;
    size_t size = 0;
    std::string base(name);
    if (osFindResource(base.c_str(), type, &data, &size)) return copyResource(data, size);
    if (language == kLanguageGerman && osFindResource((base + "_D").c_str(), type, &data, &size))
        return copyResource(data, size);
    if (osFindResource((base + "_E").c_str(), type, &data, &size)) return copyResource(data, size);
    return nullptr;
}

int32_t loadStringTable() {
    unloadStringTable();
    gTable = loadResourceText("MyStrings", "xml", gLanguage);
    return gTable ? 0 : -1;
}

void unloadStringTable() {
    free(gTable);
    gTable = nullptr;
}

const char* stringTable() {
    return gTable;
}

void localize(const char* key, char* dest, size_t destSize) {
    if (!dest || destSize == 0) return;
    if (!key) {
        dest[0] = '\0';
        return;
    }
    if (xmlGetText(gTable, key, dest, destSize) == 0) copyCut(dest, destSize, key, strlen(key));
}

void localizeLabel(char* key, char* dest, size_t destSize) {
    if (!dest || destSize == 0) return;
    if (!key) {
        dest[0] = '\0';
        return;
    }
    size_t n = strlen(key);
    if (n > 3 && memcmp(key + n - 3, kEllipsis, 3) == 0) {
        key[n - 3] = '\0';
        localizeWithSuffix(key, kEllipsis, dest, destSize);
    } else if (n > 0 && (key[n - 1] == ':' || key[n - 1] == '?')) {
        char suffix[2] = {key[n - 1], '\0'};
        key[n - 1] = '\0';
        localizeWithSuffix(key, suffix, dest, destSize);
    } else {
        localize(key, dest, destSize);
    }
}

WideChar* localizeLabelWide(const char* key) {
    if (!key || !*key) return tempCopyWide(KX_WIDE(""));
    WideText wide = utf8ToWide(key);
    WideChar last = wide.empty() ? 0 : wide.back();
    WideChar suffix = 0;
    if (last == kWideEllipsis || last == ':' || last == '?') {
        suffix = last;
        wide.pop_back();
    }
    std::string rest = wideToUtf8(wide.data(), static_cast<int32_t>(wide.size()));
    char text[kLocalizedSize];
    localize(rest.c_str(), text, sizeof text);
    WideText result = utf8ToWide(text);
    if (suffix) result.push_back(suffix);
    return tempCopyWide(result.c_str());
}
