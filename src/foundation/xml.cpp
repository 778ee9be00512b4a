#include "foundation/xml.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The first position at or after `from` where `pattern` occurs, ASCII case ignored; or null.
const char* findTag(const char* from, const char* end, const std::string& pattern) {
    size_t n = pattern.size();
    if (n == 0 || static_cast<size_t>(end - from) < n) return nullptr;
    for (const char* p = from; p + n <= end; p++) {
        size_t i = 0;
        while (i < n && lowerAscii(p[i]) == lowerAscii(pattern[i]))
            i++;
        if (i == n) return p;
    }
    return nullptr;
}

} // namespace

int32_t xmlGetText(const char* document, const char* name, char* value, size_t valueSize) {
    if (value && valueSize > 0) value[0] = '\0';
    if (!document || !name || !value || valueSize == 0) return 0;
    size_t nameLength = strlen(name);
    if (nameLength == 0 || nameLength > static_cast<size_t>(kXmlMaxNameLength)) return 0;
    const char* end = document + strlen(document);
    std::string startTag = "<" + std::string(name) + ">";
    const char* start = findTag(document, end, startTag);
    if (!start) return 0;
    const char* text = start + startTag.size();
    const char* close = findTag(text, end, "</" + std::string(name) + ">");
    if (!close) return 0;
    size_t count = static_cast<size_t>(close - text);
    if (count > static_cast<size_t>(kXmlMaxText)) count = kXmlMaxText;
    if (count > valueSize - 1) count = valueSize - 1;
    memcpy(value, text, count);
    value[count] = '\0';
    return static_cast<int32_t>(count);
}

int32_t xmlGetInt(const char* document, const char* name, int32_t fallback) {
    char text[256];
    if (xmlGetText(document, name, text, sizeof text) < 1) return fallback;
    if (strcmp(text, "true") == 0) return 1;
    if (strcmp(text, "false") == 0) return 0;
    // Leading blanks and a sign, then digits; clamped rather than overflowing.
    long long v = strtoll(text, nullptr, 10);
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

void xmlForEachElement(const char* document, const char* name, XmlVisitor visitor, void* context) {
    if (!document || !name || !*name || !visitor) return;
    std::string startTag = "<" + std::string(name) + ">";
    std::string elementName(name);
    size_t blank = elementName.find(' ');
    if (blank != std::string::npos) elementName.resize(blank);
    std::string endTag = "</" + elementName + ">";

    const char* end = document + strlen(document);
    const char* position = document;
    while (position < end) {
        const char* start = findTag(position, end, startTag);
        if (!start) return;
        position = start + startTag.size();
        const char* close = findTag(position, end, endTag);
        if (!close) return;
        size_t length = static_cast<size_t>(close + endTag.size() - start);
        char* copy = static_cast<char*>(calloc(length + 2, 1));
        if (!copy) continue;
        memcpy(copy, start, length);
        bool goOn = visitor(copy, static_cast<int32_t>(length), context);
        free(copy);
        if (!goOn) return;
    }
}
