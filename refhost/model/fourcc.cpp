#include "model/fourcc.h"

#include <cstdio>
#include <cstdlib>

namespace refhost {

namespace {
const char kPluginName[] = "AYWB";
} // namespace

// Codes whose bytes are not printable ASCII cannot be written as four characters in a JSON
// file; they are written as "0x" and eight hex digits instead.
std::string fourCCName(uint32_t code) {
    if (code == kOwnerPlugin) return kPluginName;
    std::string s(4, '\0');
    bool printable = true;
    for (int i = 0; i < 4; ++i) {
        unsigned char c = static_cast<unsigned char>((code >> (8 * i)) & 0xFF);
        s[i] = static_cast<char>(c);
        if (c < 0x20 || c > 0x7E) printable = false;
    }
    // The memory-order reading of the plug-in's name belongs to the plug-in already.
    if (s == kPluginName) printable = false;
    if (printable) return s;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    return hex;
}

bool fourCCFromName(const std::string& name, uint32_t& code) {
    if (name.size() == 10 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X')) {
        char* end = nullptr;
        unsigned long v = std::strtoul(name.c_str() + 2, &end, 16);
        if (end != name.c_str() + 10) return false;
        code = static_cast<uint32_t>(v);
        return true;
    }
    if (name == kPluginName) {
        code = kOwnerPlugin;
        return true;
    }
    if (name.size() != 4) return false;
    code = 0;
    for (int i = 0; i < 4; ++i)
        code |= static_cast<uint32_t>(static_cast<unsigned char>(name[i])) << (8 * i);
    return true;
}

} // namespace refhost
