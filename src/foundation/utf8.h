#pragma once
#include <cstddef>
#include <string>

#include "foundation/encoding.h"

// UTF-8 <-> UTF-16 without the operating system, so both builds agree byte for byte.

// Strict: false on any invalid, overlong, surrogate or truncated sequence.
bool utf8DecodeStrict(const char* text, size_t length, WideText& out);
// Lenient: each invalid byte becomes U+FFFD.
WideText utf8DecodeLenient(const char* text, size_t length);
// Unpaired surrogates become U+FFFD.
std::string utf8Encode(const WideChar* text, size_t length);
