// .bmp files for import, read through the bitmap library.
#pragma once

#include <string>

namespace qm::hotspot {

// Loads a .bmp file into a TQvDIB, decodes 4-bit and 8-bit RLE pixels to
// plain ones, and returns the picture as a BMP stream (14-byte file header,
// 40-byte information header, colour table, pixel rows). Errors of the
// bitmap library propagate.
std::string LoadBmpThroughQvDib(const std::string& path);

}  // namespace qm::hotspot
