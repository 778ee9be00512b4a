#include "foundation/paths.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/encoding.h"
#include "foundation/platform/os.h"

char pathSeparatorOf(const char* path) {
    return path && path[0] == '/' ? '/' : '\\';
}

static bool appendText(char* path, size_t size, const char* prefix, const char* text) {
    size_t used = strlen(path);
    size_t prefixLength = strlen(prefix);
    size_t textLength = strlen(text);
    if (used + prefixLength + textLength >= size) return false;
    memcpy(path + used, prefix, prefixLength);
    memcpy(path + used + prefixLength, text, textLength + 1);
    return true;
}

bool appendPathComponent(char* path, size_t size, const char* component) {
    if (!path || !component || size == 0) return false;
    size_t used = strlen(path);
    char separator[2] = {pathSeparatorOf(path), 0};
    bool needSeparator = used > 0 && path[used - 1] != separator[0];
    return appendText(path, size, needSeparator ? separator : "", component);
}

bool appendExtension(char* path, size_t size, const char* extension) {
    if (!path || !extension || size == 0) return false;
    return appendText(path, size, ".", extension);
}

// The last component's "." that starts its extension, or nullptr.
static char* extensionDot(char* path) {
    char* lastSeparator = strrchr(path, pathSeparatorOf(path));
    char* component = lastSeparator ? lastSeparator + 1 : path;
    return strrchr(component, '.');
}

bool replaceExtension(char* path, size_t size, const char* newExtension) {
    if (!path || !newExtension || size == 0) return false;
    char* dot = extensionDot(path);
    if (!dot) return appendText(path, size, "", newExtension);
    size_t keep = static_cast<size_t>(dot - path);
    size_t length = strlen(newExtension);
    if (keep + length >= size) return false;
    memcpy(dot, newExtension, length + 1);
    return true;
}

bool fileNameOf(const char* path, char* dest, size_t size, bool keepExtension) {
    if (!dest || size == 0) return false;
    dest[0] = 0;
    if (!path) return false;
    const char* lastSeparator = strrchr(path, pathSeparatorOf(path));
    const char* name = lastSeparator ? lastSeparator + 1 : path;
    size_t length = strlen(name);
    if (length >= size) return false;
    memcpy(dest, name, length + 1);
    if (!keepExtension) replaceExtension(dest, size, "");
    return true;
}

void stripLastComponent(char* path) {
    if (!path) return;
    char separator = pathSeparatorOf(path);
    char* last = strrchr(path, separator);
    if (!last) return;
    if (last == path && separator == '/')
        last[1] = 0;
    else
        *last = 0;
}

static char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool endsWith(const char* text, const char* suffix) {
    if (!text || !suffix) return false;
    size_t textLength = strlen(text);
    size_t suffixLength = strlen(suffix);
    if (suffixLength > textLength) return false;
    const char* tail = text + textLength - suffixLength;
    for (size_t i = 0; i < suffixLength; ++i)
        if (lowerAscii(tail[i]) != lowerAscii(suffix[i])) return false;
    return true;
}

// The name as Windows creates it: trailing dots and spaces are dropped.
static WideText createdName(const char* name) {
    WideText wide = utf8ToWide(name ? name : "");
    while (!wide.empty() && (wide.back() == '.' || wide.back() == ' '))
        wide.pop_back();
    return wide;
}

int32_t compareFileNames(const char* a, const char* b) {
    WideText left = createdName(a), right = createdName(b);
    return osCompareNamesIgnoringCase(left.data(), left.size(), right.data(), right.size());
}

bool isReservedDeviceName(const char* name) {
    if (!name) return false;
    std::string stem(name, strcspn(name, "."));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == ':'))
        stem.pop_back();
    for (char& c : stem)
        c = lowerAscii(c);
    for (const char* device : {"con", "prn", "aux", "nul"})
        if (stem == device) return true;
    if (stem.compare(0, 3, "com") != 0 && stem.compare(0, 3, "lpt") != 0) return false;
    std::string digit = stem.substr(std::min<size_t>(3, stem.size()));
    if (digit.size() == 1) return digit[0] >= '1' && digit[0] <= '9';
    // Superscript one, two and three (U+00B9, U+00B2, U+00B3) in UTF-8.
    return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}
