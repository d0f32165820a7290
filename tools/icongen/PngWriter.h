// A minimal PNG encoder (8-bit RGBA, zlib-compressed) for the icons of the desktop's icon theme.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace icongen {

// rgba holds width * height pixels, four bytes each, rows top first. False if it cannot write.
bool writePng(const std::string &path, int width, int height, const std::vector<uint8_t> &rgba);

} // namespace icongen
