// Four-character codes: 32-bit values whose bytes in memory (little-endian) spell the name,
// so 0x4C424158 is "XABL". Files name owners by these four characters. One exception: the
// plug-in's identifier 0x41595742 is known by its name read as written, "AYWB" (its memory
// order "BWYA" reads as the same code); 0x42575941 is then written in hex.
#pragma once

#include <cstdint>
#include <string>

namespace refhost {

constexpr uint32_t kTypeEps = 0x53504558;  // "XEPS"
constexpr uint32_t kTypePdf = 0x46445058;  // "XPDF"
constexpr uint32_t kTypeNone = 0x4E4F4E58; // "XNON": any style the host reports without a type

constexpr uint32_t kOwnerBleed = 0x4C424158;     // "XABL": BleedSettings/Symmetric
constexpr uint32_t kOwnerEpsExport = 0x54585058; // "XPXT": EPS/General/Spread
constexpr uint32_t kOwnerPdfExport = 0x46445058; // "XPDF": PageOptions/Spreads
constexpr uint32_t kOwnerPlugin = 0x41595742;    // "AYWB": the plug-in's own data

// The four characters of a code in memory order ("0x%08X" when they are not printable ASCII).
std::string fourCCName(uint32_t code);
// The code of a four-character (or "0x%08X") name; false for anything else.
bool fourCCFromName(const std::string& name, uint32_t& code);

} // namespace refhost
