#pragma once
#include <cstddef>
#include <cstdint>

// Writes into the fixed text fields of the export state. A text that does not fit is either
// refused whole (copyText, appendText: the field is left empty or unchanged and false returned)
// or cut before the first UTF-8 character that would not fit whole (copyTextCut).

bool copyText(char* dest, size_t size, const char* source);
bool appendText(char* dest, size_t size, const char* source);
void copyTextCut(char* dest, size_t size, const char* source);

template <size_t N> bool copyText(char (&dest)[N], const char* source) {
    return copyText(dest, N, source);
}
template <size_t N> bool appendText(char (&dest)[N], const char* source) {
    return appendText(dest, N, source);
}
template <size_t N> void copyTextCut(char (&dest)[N], const char* source) {
    copyTextCut(dest, N, source);
}

// The C library's atoi without its undefined overflow: leading blanks skipped, an optional
// sign, digits up to the first non-digit; no digits read as 0; out-of-range values saturate.
int32_t readDecimal(const char* text);

// True for an empty text or one made of the digits 0-9 only.
bool isAllDigits(const char* text);
