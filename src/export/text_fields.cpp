#include "export/text_fields.h"

#include <cctype>
#include <climits>
#include <cstring>

bool copyText(char* dest, size_t size, const char* source) {
    if (size == 0) return false;
    size_t length = source ? strlen(source) : 0;
    if (length >= size) {
        dest[0] = 0;
        return false;
    }
    memmove(dest, source ? source : "", length + 1);
    return true;
}

bool appendText(char* dest, size_t size, const char* source) {
    size_t have = strnlen(dest, size);
    if (have >= size) return false;
    size_t length = source ? strlen(source) : 0;
    if (have + length >= size) return false;
    memmove(dest + have, source ? source : "", length + 1);
    return true;
}

void copyTextCut(char* dest, size_t size, const char* source) {
    if (size == 0) return;
    size_t length = source ? strlen(source) : 0;
    if (length >= size) {
        length = size - 1;
        // Never leave half a UTF-8 sequence: back up over continuation bytes to a lead byte.
        while (length > 0 && (static_cast<unsigned char>(source[length]) & 0xC0) == 0x80)
            length--;
    }
    if (length) memmove(dest, source, length);
    dest[length] = 0;
}

int32_t readDecimal(const char* text) {
    if (!text) return 0;
    while (isspace(static_cast<unsigned char>(*text)))
        text++;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    while (*text >= '0' && *text <= '9') {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*text - '0');
        text++;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int32_t>(value);
}

bool isAllDigits(const char* text) {
    for (; text && *text; text++)
        if (*text < '0' || *text > '9') return false;
    return true;
}
