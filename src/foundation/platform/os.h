#pragma once
#include <cstddef>
#include <cstdint>

#include "foundation/encoding.h"

// The operating-system layer of the foundation, one implementation per platform.

// Finds resource `name` of `type` (ASCII case ignored) in the resource module. On success
// `data`/`size` describe bytes owned by the module.
bool osFindResource(const char* name, const char* type, const void** data, size_t* size);

// Strict conversion of the Macintosh or ANSI code page to UTF-16; false on invalid input.
bool osCodePageToWide(const char* text, size_t length, int32_t selector, WideText& out);
// Conversion of UTF-16 to the Macintosh or ANSI code page; unmappable characters become the
// code page's default character.
std::string osWideToCodePage(const WideChar* text, size_t length, int32_t selector);

// The local date in the user's short-date format and the local time in the user's time format.
WideText osLocalShortDate();
WideText osLocalTime();

// Compares two UTF-16 names as the Windows file system tells names apart: each unit mapped by
// the system's simple upper-case table, then compared by value. <0, 0 (one file), >0.
int32_t osCompareNamesIgnoringCase(const WideChar* a, size_t aLength, const WideChar* b,
                                   size_t bLength);
