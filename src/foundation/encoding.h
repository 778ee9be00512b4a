#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// UTF-16 code units: wchar_t at the Windows calls, char16_t in the native build.
#ifdef _WIN32
typedef wchar_t WideChar;
#define KX_WIDE(s) L##s
#else
typedef char16_t WideChar;
#define KX_WIDE(s) u##s
#endif
typedef std::basic_string<WideChar> WideText;

// Code-page selectors, the one number every conversion takes.
enum : int32_t {
    kCodePageMac = 0,  // the system's Macintosh code page, for texts of Macintosh origin
    kCodePageAnsi = 1, // the system ANSI code page (narrow runtime and Windows functions)
    kCodePageUtf8 = 2, // our own texts
    kCodePageWide = 3, // the bytes are UTF-16 already and are copied
};

// Narrow (or, for kCodePageWide, UTF-16 bytes) to UTF-16. Refuses invalid input: returns false
// and leaves `out` empty. An empty input converts to an empty text. `length` < 0: up to NUL.
bool narrowToWide(const char* text, int32_t length, int32_t selector, WideText& out);

// UTF-16 to narrow into a caller buffer of `size` bytes, always NUL-terminated when size > 0.
// A text that does not fit is cut before the first character that would not fit whole.
// Unpaired surrogates become U+FFFD. Returns the bytes written before the NUL.
int32_t wideToNarrow(const WideChar* text, int32_t length, char* buffer, int32_t size,
                     int32_t selector);

// Lenient UTF-8 to UTF-16: invalid bytes become U+FFFD. `length` < 0: up to NUL.
WideText utf8ToWide(const char* text, int32_t length = -1);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD. `length` < 0: up to NUL.
std::string wideToUtf8(const WideChar* text, int32_t length = -1);

// Plain functions on NUL-terminated UTF-16 texts.
int32_t wideLength(const WideChar* text); // 0 for an absent text
// Copies `length` units (or up to the NUL when length < 0) and a NUL into `dest`, which holds
// `destUnits` units; the copy is cut to fit. Returns dest.
WideChar* wideCopy(WideChar* dest, int32_t destUnits, const WideChar* source, int32_t length = -1);
// Appends `source` to the text in `dest` (destUnits units in all), cut to fit. Returns dest.
WideChar* wideAppend(WideChar* dest, int32_t destUnits, const WideChar* source);
WideChar wideLastChar(const WideChar* text); // 0 for an empty or absent text
