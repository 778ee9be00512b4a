#include "foundation/encoding.h"

#include <cstring>

#include "foundation/platform/os.h"
#include "foundation/utf8.h"

namespace {

size_t wideUnits(const WideChar* text, int32_t length) {
    if (!text) return 0;
    if (length >= 0) return static_cast<size_t>(length);
    return static_cast<size_t>(wideLength(text));
}

bool isHighSurrogate(WideChar c) {
    return static_cast<uint16_t>(c) >= 0xD800 && static_cast<uint16_t>(c) <= 0xDBFF;
}

std::string convertNarrow(const WideChar* text, size_t units, int32_t selector) {
    if (selector == kCodePageUtf8) return utf8Encode(text, units);
    if (selector == kCodePageWide)
        return std::string(reinterpret_cast<const char*>(text), units * sizeof(WideChar));
    return osWideToCodePage(text, units, selector);
}

} // namespace

bool narrowToWide(const char* text, int32_t length, int32_t selector, WideText& out) {
    out.clear();
    if (!text) return false;
    if (selector == kCodePageWide) {
        size_t units;
        if (length < 0) {
            units = 0;
            WideChar c;
            while (memcpy(&c, text + units * sizeof c, sizeof c), c != 0)
                units++;
        } else {
            units = static_cast<size_t>(length) / sizeof(WideChar);
        }
        out.resize(units);
        if (units) memcpy(&out[0], text, units * sizeof(WideChar));
        return true;
    }
    size_t bytes = length < 0 ? strlen(text) : static_cast<size_t>(length);
    if (bytes == 0) return true;
    if (selector == kCodePageUtf8) return utf8DecodeStrict(text, bytes, out);
    if (selector == kCodePageMac || selector == kCodePageAnsi)
        return osCodePageToWide(text, bytes, selector, out);
    return false;
}

int32_t wideToNarrow(const WideChar* text, int32_t length, char* buffer, int32_t size,
                     int32_t selector) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (!text) return 0;
    size_t units = wideUnits(text, length);
    size_t room = static_cast<size_t>(size) - 1;
    if (selector == kCodePageWide) {
        // UTF-16 bytes with a NUL unit behind them.
        size_t fit = size >= 2 ? (static_cast<size_t>(size) - 2) / sizeof(WideChar) : 0;
        if (fit > units) fit = units;
        memcpy(buffer, text, fit * sizeof(WideChar));
        memset(buffer + fit * sizeof(WideChar), 0, size >= 2 ? 2 : 1);
        return static_cast<int32_t>(fit * sizeof(WideChar));
    }
    std::string narrow = convertNarrow(text, units, selector);
    if (narrow.size() > room) {
        // The longest prefix of whole characters whose conversion fits.
        size_t lo = 0, hi = units;
        while (lo < hi) {
            size_t mid = (lo + hi + 1) / 2;
            size_t take =
                (mid < units && mid > 0 && isHighSurrogate(text[mid - 1])) ? mid - 1 : mid;
            if (convertNarrow(text, take, selector).size() <= room)
                lo = mid;
            else
                hi = mid - 1;
        }
        if (lo > 0 && lo < units && isHighSurrogate(text[lo - 1])) lo--;
        narrow = convertNarrow(text, lo, selector);
        if (narrow.size() > room) narrow.clear();
    }
    memcpy(buffer, narrow.data(), narrow.size());
    buffer[narrow.size()] = '\0';
    return static_cast<int32_t>(narrow.size());
}

WideText utf8ToWide(const char* text, int32_t length) {
    if (!text) return WideText();
    return utf8DecodeLenient(text, length < 0 ? strlen(text) : static_cast<size_t>(length));
}

std::string wideToUtf8(const WideChar* text, int32_t length) {
    return utf8Encode(text, wideUnits(text, length));
}

int32_t wideLength(const WideChar* text) {
    if (!text) return 0;
    int32_t n = 0;
    while (text[n])
        n++;
    return n;
}

WideChar* wideCopy(WideChar* dest, int32_t destUnits, const WideChar* source, int32_t length) {
    if (!dest || destUnits <= 0) return dest;
    size_t units = 0;
    if (source) {
        // Stop at a NUL even inside an explicit length.
        size_t limit = length < 0 ? SIZE_MAX : static_cast<size_t>(length);
        while (units < limit && source[units])
            units++;
    }
    if (units > static_cast<size_t>(destUnits) - 1) units = static_cast<size_t>(destUnits) - 1;
    if (units) memmove(dest, source, units * sizeof(WideChar));
    dest[units] = 0;
    return dest;
}

WideChar* wideAppend(WideChar* dest, int32_t destUnits, const WideChar* source) {
    if (!dest || destUnits <= 0) return dest;
    int32_t used = 0;
    while (used < destUnits - 1 && dest[used])
        used++;
    wideCopy(dest + used, destUnits - used, source);
    return dest;
}

WideChar wideLastChar(const WideChar* text) {
    int32_t n = wideLength(text);
    return n > 0 ? text[n - 1] : 0;
}
