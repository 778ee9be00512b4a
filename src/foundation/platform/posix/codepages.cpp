// Code pages through iconv: the Macintosh page is Mac Roman, "ANSI" is the locale's UTF-8.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "foundation/platform/os.h"
#include "foundation/utf8.h"

namespace {

bool macRomanToWide(const char* text, size_t length, WideText& out) {
    iconv_t cd = iconv_open("UTF-16LE", "MACINTOSH");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::vector<char> buffer(length * 4 + 4);
    char* in = const_cast<char*>(text);
    size_t inLeft = length;
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1)) return false;
    size_t bytes = buffer.size() - outLeft;
    out.clear();
    for (size_t i = 0; i + 1 < bytes; i += 2)
        out.push_back(static_cast<WideChar>(static_cast<unsigned char>(buffer[i]) |
                                            (static_cast<unsigned char>(buffer[i + 1]) << 8)));
    return true;
}

std::string wideToMacRoman(const WideChar* text, size_t length) {
    std::string result;
    iconv_t cd = iconv_open("MACINTOSH", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return result;
    for (size_t i = 0; i < length; i++) {
        // One unit at a time, so that an unmappable one becomes "?" like the Windows default.
        unsigned char unit[2] = {static_cast<unsigned char>(text[i] & 0xFF),
                                 static_cast<unsigned char>((text[i] >> 8) & 0xFF)};
        char* in = reinterpret_cast<char*>(unit);
        size_t inLeft = 2;
        char outByte[8];
        char* outPtr = outByte;
        size_t outLeft = sizeof outByte;
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            result.push_back('?');
        } else {
            result.append(outByte, sizeof outByte - outLeft);
        }
    }
    iconv_close(cd);
    return result;
}

} // namespace

bool osCodePageToWide(const char* text, size_t length, int32_t selector, WideText& out) {
    if (selector == kCodePageMac) return macRomanToWide(text, length, out);
    return utf8DecodeStrict(text, length, out);
}

std::string osWideToCodePage(const WideChar* text, size_t length, int32_t selector) {
    if (selector == kCodePageMac) return wideToMacRoman(text, length);
    return utf8Encode(text, length);
}
