// The graphic dialog's reader of .shg and .mrb pictures: the first picture
// of the file becomes a bitmap (a metafile is drawn into one).
#pragma once

#include <string>

#include "classlib/Graphics.h"

namespace qm::editor {

// Fills bitmap from the first picture of the file at path. False, with the
// bitmap untouched, when the file is refused (not such a file, a packing
// the reader does not know, broken); true, also untouched, for a picture of
// another kind. A file that cannot be read throws qm::FileError.
bool LoadShgBitmap(cl::TBitmap& bitmap, const std::string& path);

}  // namespace qm::editor
