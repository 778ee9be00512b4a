#include "foundation/utf8.h"

#include <cstdint>

namespace {

const char32_t kReplacement = 0xFFFD;

// Decodes one sequence at text[i]; returns its byte count, or 0 when it is invalid.
size_t decodeOne(const unsigned char* s, size_t i, size_t length, char32_t& cp) {
    unsigned char b = s[i];
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    size_t n;
    char32_t min;
    if ((b & 0xE0) == 0xC0) {
        n = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (length - i < n) return 0;
    for (size_t k = 1; k < n; k++) {
        if ((s[i + k] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

void appendUtf16(WideText& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<WideChar>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<WideChar>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<WideChar>(cp));
    }
}

} // namespace

bool utf8DecodeStrict(const char* text, size_t length, WideText& out) {
    out.clear();
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < length;) {
        char32_t cp;
        size_t n = decodeOne(s, i, length, cp);
        if (n == 0) {
            out.clear();
            return false;
        }
        appendUtf16(out, cp);
        i += n;
    }
    return true;
}

WideText utf8DecodeLenient(const char* text, size_t length) {
    WideText out;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < length;) {
        char32_t cp;
        size_t n = decodeOne(s, i, length, cp);
        if (n == 0) {
            cp = kReplacement;
            n = 1;
        }
        appendUtf16(out, cp);
        i += n;
    }
    return out;
}

std::string utf8Encode(const WideChar* text, size_t length) {
    std::string out;
    for (size_t i = 0; i < length; i++) {
        char32_t cp = static_cast<uint16_t>(text[i]);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < length &&
            static_cast<uint16_t>(text[i + 1]) >= 0xDC00 &&
            static_cast<uint16_t>(text[i + 1]) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<uint16_t>(text[i + 1]) - 0xDC00);
            i++;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}
