// Depth conversions between the plain pixel formats: palette pictures
// widened (1 -> 4, 1 -> 8, 4 -> 8 bits) or expanded to true colour, and any
// depth cut to one bit by a key colour.
//
// Every converter reads a plain source and fills dest with a copy of its
// record carrying new pixel memory (from GetMemory with useFMO); rows keep
// their order and the height its sign. A source of another bit count or
// compression raises EQvDIBBadDIBType with the converter's message; the
// source is never changed, and on failure dest is untouched and nothing is
// left allocated.
#pragma once

#include <cstdint>

#include "bitmap/core/QvInternalDib.h"

namespace qm {

// Indices in the wider packing; the colour table stays.
void Convert4BitRGBTo8BitRGB(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);
void Convert1BitRGBTo8BitRGB(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);
void Convert1BitRGBTo4BitRGB(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);

// Each pixel's colour-table entry as blue, green, red.
void Convert1BitRGBToTrueColor(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);
void Convert4BitRGBToTrueColor(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);
void Convert8BitRGBToTrueColor(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);

// Bit 1 where the pixel's colour equals keyColor (a COLORREF: red in the low
// byte) in red, green and blue, else 0; the result's colours are black and
// white, so the key colour turns white and every other colour black.
void ConvertTrueColorTo1BitRGB(const TQvDIBData& source, TQvDIBData& dest, uint32_t keyColor,
                               bool useFMO);
void Convert8BitTo1BitRGB(const TQvDIBData& source, TQvDIBData& dest, uint32_t keyColor,
                          bool useFMO);
void Convert4BitRGBTo1BitRGB(const TQvDIBData& source, TQvDIBData& dest, uint32_t keyColor,
                             bool useFMO);

// Enters these converters into the dispatcher's table.
void AddDepthConversions(QvConversionTable& table);

}  // namespace qm
