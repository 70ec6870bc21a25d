// Colour reduction: true colour to 8 or 4 bits with a palette chosen for the
// picture, and 8-bit pictures to 4 bits.
//
// "Low" reductions split a histogram of 65,536 colour cells (5 bits red,
// 6 green, 5 blue) whatever the picture's size; "High" ones split the list of
// all pixels at full colour resolution and map pixels through the split tree.
// Each calls progress once per palette box (16 or 256 times). Results hold
// at most 16 or 256 colours, colours used being the number made; rows keep
// their order and the height its sign. A wrong source raises
// EQvDIBBadDIBType; working tables are freed in every case, and on failure
// dest is untouched and nothing is left allocated.
#pragma once

#include "bitmap/core/QvInternalDib.h"

namespace qm {

void ConvertTrueColorTo8BitRGBLow(const TQvDIBData& source, TQvDIBData& dest,
                                  const QvProgressCallback& progress, bool useFMO);
void ConvertTrueColorTo4BitRGBLow(const TQvDIBData& source, TQvDIBData& dest,
                                  const QvProgressCallback& progress, bool useFMO);
void ConvertTrueColorTo8BitRGBHigh(const TQvDIBData& source, TQvDIBData& dest,
                                   const QvProgressCallback& progress, bool useFMO);
void ConvertTrueColorTo4BitRGBHigh(const TQvDIBData& source, TQvDIBData& dest,
                                   const QvProgressCallback& progress, bool useFMO);
// 8 bits to 4: the used colour-table entries, weighted by their pixels, are
// split into at most 16 colours.
void Convert8BitRGBTo4BitRGB(const TQvDIBData& source, TQvDIBData& dest,
                             const QvProgressCallback& progress, bool useFMO);

// Enters these converters into the dispatcher's table.
void AddColorReductions(QvConversionTable& table);

}  // namespace qm
