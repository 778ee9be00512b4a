#pragma once
// A PNG encoder for screenshots: 8-bit RGB, stored (uncompressed) deflate blocks, so that it
// needs no compression library.
#include <cstdint>
#include <vector>

// rgb holds width * height pixels, three bytes each, rows top to bottom.
std::vector<uint8_t> encodePng(int width, int height, const std::vector<uint8_t>& rgb);
