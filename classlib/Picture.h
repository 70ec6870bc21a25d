// A picture of any registered graphic class, and the registry of those
// classes: by file extension (bmp, emf and wmf are built in) and by
// clipboard format. A graphic class registers itself when its unit starts
// and takes its formats back when it ends.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Graphics.h"

namespace cl {

class TClipboard;

class TPicture {
 public:
  // Makes an empty graphic of one class; it also names the class in the
  // registry.
  using TGraphicFactory = std::unique_ptr<TGraphic> (*)();

  // Registers the class for files ending in "." + extension (any case);
  // a later registration of the same extension takes its place.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 TGraphicFactory factory);
  static void RegisterClipboardFormat(UINT format, TGraphicFactory factory);
  // Removes every file and clipboard format of the class.
  static void UnregisterGraphicClass(TGraphicFactory factory);
  // The class registered for an extension (without the dot) or a clipboard
  // format, or null.
  static TGraphicFactory FileFormatClass(const std::string& extension);
  static TGraphicFactory ClipboardFormatClass(UINT format);
  static std::string FileFormatDescription(const std::string& extension);
  static bool SupportsClipboardFormat(UINT format) { return ClipboardFormatClass(format) != nullptr; }

  // The graphic held, or null while the picture is empty.
  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic) { graphic_ = std::move(graphic); }

  // Loads a file into a new graphic of the class of its extension; throws
  // EInvalidGraphic for another one. The picture keeps its graphic when
  // loading fails.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;
  // Loads clipboard data into a new graphic of the class of format.
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  // Loads the first registered format the clipboard holds, with its
  // palette; the clipboard is closed again in every case.
  void Assign(TClipboard& clipboard);

 private:
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace cl
