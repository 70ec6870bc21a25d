// Halftone conversions: error diffusion of any plain picture onto a fixed
// 8-bit palette of 215 colours (a 6 x 7 x 5 colour cube and five extra
// colours) or onto black and white at one bit per pixel. The halftone
// drawing modes of TQvDIB use them on a copy at the drawn size.
#pragma once

#include <array>

#include "bitmap/core/QvInternalDib.h"

namespace qm {

// Colour tables of the two results: the cube (entry i x 35 + j x 5 + k holds
// red level i, green level j, blue level k) then the five extra colours; and
// black, white.
std::array<QvRGBQuad, 215> HalftoneColorTable();
std::array<QvRGBQuad, 2> HalftoneBWTable();

// Source: compression 0 and 24, 8, 4 or 1 bits (palette pictures take each
// pixel's colour from the colour table); anything else fails an assertion.
// Result: 8 bits with the 215 colours, or 1 bit black and white; rows keep
// their order and the height its sign. On failure dest is untouched and
// nothing is left allocated.
void ConvertToHalfTone(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);
void ConvertToHalfToneBW(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);

// Enters these converters into the dispatcher's table.
void AddHalftoneConversions(QvConversionTable& table);

}  // namespace qm
