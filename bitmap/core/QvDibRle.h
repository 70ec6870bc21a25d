// Decoders of BI_RLE8 and BI_RLE4 pixels to plain rows, and the encoders
// back.
#pragma once

#include "bitmap/core/QvDibTypes.h"
#include "bitmap/core/QvInternalDib.h"

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

// Encode a plain 8-bit source into dest: a copy of source's record with new
// pixel memory holding exactly the encoded bytes (Size and biSizeImage),
// compression BI_RLE8 and a positive height (the rows bottom-up whatever
// the source's order). The encoding may take no more bytes than the plain
// rows: otherwise EQvDIBCompressionFailed "Convert8BitRGBTo8BitRLE:
// Compression Failed". A wrong type raises EQvDIBBadDIBType; dest is then
// untouched and no memory is left allocated.
void Convert8BitRGBTo8BitRLE(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);
// The same for 4-bit sources and BI_RLE4 ("Convert4BitRGBTo4BitRLE: ...").
void Convert4BitRGBTo4BitRLE(const TQvDIBData& source, TQvDIBData& dest, bool useFMO);

// Enters the encoders into the dispatcher's table.
void AddRleEncoders(QvConversionTable& table);

}  // namespace qm
