#include "classlib/Picture.h"

#include <vector>

#include "classlib/Clipboard.h"
#include "classlib/ErrorTexts.h"
#include "core/Cp932.h"
#include "core/FileErrorTexts.h"
#include "core/FileSystem.h"

namespace cl {

namespace {

struct FileFormat {
  std::string extension;  // lower case, no dot
  std::string description;
  TPicture::TGraphicFactory factory;
};

struct ClipboardFormat {
  UINT format;
  TPicture::TGraphicFactory factory;
};

std::unique_ptr<TGraphic> NewBitmap() { return std::make_unique<TBitmap>(); }
std::unique_ptr<TGraphic> NewMetafile() { return std::make_unique<TMetafile>(); }

struct Registry {
  std::vector<FileFormat> files = {{"bmp", "Bitmaps", &NewBitmap},
                                   {"emf", "Enhanced Metafiles", &NewMetafile},
                                   {"wmf", "Metafiles", &NewMetafile}};
  std::vector<ClipboardFormat> clipboard;
};

// Made on first use, so that units registering at start-up find it, and
// gone only after every such unit has unregistered.
Registry& Formats() {
  static Registry r;
  return r;
}

// The extension of a path without the dot, or "" (a dot inside a folder
// name does not count).
std::string ExtensionOf(const std::string& path) {
  const std::string ext = qm::ExtractFileExt(path);
  return ext.empty() ? ext : ext.substr(1);
}

}  // namespace

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicFactory factory) {
  auto& files = Formats().files;
  const std::string ext = qm::LowerAscii(extension);
  for (FileFormat& f : files) {
    if (f.extension == ext) {
      f = FileFormat{ext, description, factory};
      return;
    }
  }
  files.push_back(FileFormat{ext, description, factory});
}

void TPicture::RegisterClipboardFormat(UINT format, TGraphicFactory factory) {
  auto& clip = Formats().clipboard;
  for (ClipboardFormat& c : clip) {
    if (c.format == format) {
      c.factory = factory;
      return;
    }
  }
  clip.push_back(ClipboardFormat{format, factory});
}

void TPicture::UnregisterGraphicClass(TGraphicFactory factory) {
  auto& files = Formats().files;
  std::erase_if(files, [factory](const FileFormat& f) { return f.factory == factory; });
  auto& clip = Formats().clipboard;
  std::erase_if(clip, [factory](const ClipboardFormat& c) { return c.factory == factory; });
}

TPicture::TGraphicFactory TPicture::FileFormatClass(const std::string& extension) {
  const std::string ext = qm::LowerAscii(extension);
  for (const FileFormat& f : Formats().files)
    if (f.extension == ext) return f.factory;
  return nullptr;
}

std::string TPicture::FileFormatDescription(const std::string& extension) {
  const std::string ext = qm::LowerAscii(extension);
  for (const FileFormat& f : Formats().files)
    if (f.extension == ext) return f.description;
  return "";
}

TPicture::TGraphicFactory TPicture::ClipboardFormatClass(UINT format) {
  for (const ClipboardFormat& c : Formats().clipboard)
    if (c.format == format) return c.factory;
  return nullptr;
}

void TPicture::LoadFromFile(const std::string& path) {
  const std::string ext = ExtensionOf(path);
  TGraphicFactory factory = FileFormatClass(ext);
  if (!factory) throw EInvalidGraphic(qm::CannotReadFileText(path) + "\n" + kPictureExtensionText + "." + ext);
  std::unique_ptr<TGraphic> g = factory();
  g->LoadFromFile(path);
  graphic_ = std::move(g);
}

void TPicture::SaveToFile(const std::string& path) const {
  if (graphic_) graphic_->SaveToFile(path);
}

void TPicture::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  TGraphicFactory factory = ClipboardFormatClass(format);
  if (!factory) throw EInvalidGraphic(kClipboardPictureFormatText);
  std::unique_ptr<TGraphic> g = factory();
  g->LoadFromClipboardFormat(format, data, palette);
  graphic_ = std::move(g);
}

void TPicture::Assign(TClipboard& clipboard) {
  clipboard.Open();
  try {
    bool found = false;
    for (const ClipboardFormat& c : std::vector<ClipboardFormat>(Formats().clipboard)) {
      if (!clipboard.HasFormat(c.format)) continue;
      LoadFromClipboardFormat(c.format, clipboard.GetAsHandle(c.format),
                              static_cast<HPALETTE>(clipboard.GetAsHandle(CF_PALETTE)));
      found = true;
      break;
    }
    if (!found) throw EInvalidGraphic(kClipboardPictureFormatText);
  } catch (...) {
    clipboard.Close();
    throw;
  }
  clipboard.Close();
}

}  // namespace cl
