// The first picture of a .shg or .mrb file, for the graphic dialog's
// preview: a device-independent bitmap becomes the bytes of a BMP file, a
// metafile those of a placeable Windows metafile. Hotspots are not read.
//
// Every offset, size and count of the file is checked against the file's
// bytes before it is used, so a truncated or hostile file is refused and
// never read past or made to allocate more than its bytes can stand for.
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

enum class ShgPictureKind {
  Refused,   // not such a file, a packing other than 0 and 1, or broken
  Other,     // a picture of another type: nothing to show, not an error
  Bitmap,    // Bytes: a BMP file
  Metafile,  // Bytes: a placeable metafile, drawn at Width x Height pixels
};

struct ShgPicture {
  ShgPictureKind Kind = ShgPictureKind::Refused;
  std::string Bytes;
  int Width = 0;   // pixels
  int Height = 0;
};

// Reads the first picture of the file's bytes; the picture count is not
// looked at. LoadShgBitmap turns it into the preview's bitmap.
ShgPicture ReadShgPicture(std::string_view file);

// The preview's size: each side at most most pixels (150), the picture
// stretched into it.
struct PreviewSize {
  int Width = 0;
  int Height = 0;
};
PreviewSize PicturePreviewSize(int width, int height, int most = 150);

}  // namespace qm::editor
