// The platform side of TShg: the stored picture as a GDI bitmap or
// metafile, and enhanced metafiles turned into placeable Windows metafiles
// for import.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "classlib/Graphics.h"
#include "hotspot/core/Shg.h"

namespace qm::hotspot {

// Rebuilds the picture as a DIB section the caller deletes: a bitmap as it
// is stored, a metafile drawn on a white 24-bit bitmap of its size (in
// pixels). Throws EShgError when the picture cannot be rebuilt.
HBITMAP ToGraphic(const TShg& shg);

// The picture as a class-library graphic: a cl::TBitmap for a bitmap (the
// DIB section of ToGraphic, with a palette of its colour table), a
// cl::TMetafile for a metafile (its size the picture's, in pixels). Throws
// EShgError as ToGraphic does.
std::unique_ptr<cl::TGraphic> ToClassGraphic(const TShg& shg);

// The metafile of a type-8 picture (its records, checked); the caller
// deletes it. Throws EShgError when its records are malformed.
HMETAFILE ToWinMetafile(const TShg& shg);

// Converts the bytes of an .emf file into a placeable Windows metafile (96
// units per inch, bounding box = the picture frame in pixels). Refuses
// (EShgErrorFile) bytes that are not a whole enhanced metafile.
std::string EmfToPlaceableMetafile(std::string_view emf);

// Gives shg the platform's .emf converter.
void UsePlatformConverters(TShg& shg);

}  // namespace qm::hotspot
