// Base64 (RFC 4648, with padding) for the plug-in data blocks in project files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace refhost {

std::string base64Encode(const std::vector<uint8_t>& data);
// Strict: only the base64 alphabet, length a multiple of four, padding only at the end.
bool base64Decode(const std::string& text, std::vector<uint8_t>& out);

} // namespace refhost
