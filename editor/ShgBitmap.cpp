#include "editor/ShgBitmap.h"

#include <sstream>

#include "classlib/Canvas.h"
#include "core/FileErrorTexts.h"
#include "core/FileSystem.h"
#include "editor/core/ShgPicture.h"

namespace qm::editor {

bool LoadShgBitmap(cl::TBitmap& bitmap, const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError(CannotReadFileText(path));
  // The reader bounds every read by the file: a broken or hostile file is
  // refused.
  const ShgPicture shg = ReadShgPicture(bytes);
  std::istringstream in(shg.Bytes);
  switch (shg.Kind) {
    case ShgPictureKind::Refused: return false;
    case ShgPictureKind::Other: return true;
    case ShgPictureKind::Bitmap: bitmap.LoadFromStream(in); return true;
    case ShgPictureKind::Metafile: {
      cl::TMetafile metafile;
      metafile.LoadFromStream(in);
      bitmap.SetSize(shg.Width, shg.Height, cl::TPixelFormat::pf24bit);
      if (bitmap.Empty()) return true;
      cl::TCanvas& canvas = bitmap.Canvas();
      canvas.Brush.Color = 0xFFFFFF;
      canvas.FillRect(RECT{0, 0, shg.Width, shg.Height});
      canvas.Draw(0, 0, metafile);
      return true;
    }
  }
  return false;
}

}  // namespace qm::editor
