#pragma once
#include <cstddef>
#include <cstdint>

#include "foundation/encoding.h"

// Temporary texts: owned by one process-global pool that the host's release message empties.
// Callers borrow them for the current host event and never free them. Every function returns
// null when memory is exhausted; callers treat that as an empty text.

// Zero-filled block of `bytes` owned by the pool.
void* tempAlloc(size_t bytes);
// Frees every pooled text and empties the pool.
void releaseTemporaryStrings();
// Number of texts the pool currently owns.
size_t temporaryStringCount();

char* tempWideToUtf8(const WideChar* text);
// Invalid bytes become U+FFFD. byteLength < 0: up to the NUL.
WideChar* tempUtf8ToWide(const char* text, int32_t byteLength = -1);
WideChar* tempCopyWide(const WideChar* text, int32_t length = -1);
WideChar* tempConcatWide(const WideChar* first, const WideChar* second);
WideChar* tempAppendWideChar(const WideChar* text, WideChar c);

// "<short date>, <time><suffix>" in the user's locale, e.g. "08.12.2026, 14:05:09 Output".
// The suffix is a narrow text in the ANSI code page and may be null.
WideChar* dateTimeStamp(const char* suffix);
