// Decoders of BI_RLE8 and BI_RLE4 pixels to plain rows.
#pragma once

#include "bitmap/core/QvDibTypes.h"

namespace qm {

// Decode source (8-bit, BI_RLE8) into dest: a copy of source's record with new
// pixel memory (stride x rows, zero where no code reaches), compression 0.
// Every read is bounded by source.Size; data that ends without an
// end-of-bitmap code ends the picture there. Bad codes raise EQvDIBInvalidDIB
// ("Bad RLE Data 1" to "4"), a wrong type EQvDIBBadDIBType; dest is then
// untouched and no memory is left allocated.
void Convert8BitRLETo8BitRGB(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);
// The same for 4-bit BI_RLE4 ("Bad RLE Data 5" to "8").
void Convert4BitRLETo4BitRGB(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);

}  // namespace qm
