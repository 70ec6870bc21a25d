#include "editor/core/MediaMarkup.h"

#include <algorithm>

#include "core/Cp932.h"
#include "core/FileSystem.h"

namespace qm::editor {

namespace {

std::vector<std::string> SortedFiles(const std::string& dir, std::initializer_list<std::string_view> exts) {
  std::vector<std::string> names;
  for (std::string_view ext : exts) {
    for (std::string& n : ListFiles(dir, ext)) names.push_back(std::move(n));
  }
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return UpperAscii(a) < UpperAscii(b); });
  return names;
}

}  // namespace

std::string PictureMarkup(PicturePlacement placement, bool transparent, std::string_view name) {
  std::string out;
  switch (placement) {
    case PicturePlacement::Left: out = "{bml"; break;
    case PicturePlacement::Right: out = "{bmr"; break;
    default: out = "{bmc"; break;
  }
  if (transparent) out += 't';
  out += ' ';
  out += name;
  out += '}';
  return out;
}

bool IsVideoFile(std::string_view name) { return EqualsNoCase(ExtractFileExt(name), ".avi"); }

std::string MediaMarkup(std::string_view name, const MediaOptions& o) {
  std::string out;
  if (!IsVideoFile(name)) {
    out = o.External ? "{mci EXTERNAL" : "{mci";
    out += " PLAY,";
  } else {
    std::string options;
    if (o.External) options += " EXTERNAL";
    if (!o.PlayBar) options += " NOPLAYBAR";
    if (!o.Menu) options += " NOMENU";
    if (o.Repeat) options += " REPEAT";
    if (o.AutoPlay) options += " PLAY";
    out = "{mci";
    out += options.empty() ? " " : options + ",";
  }
  out += name;
  out += '}';
  return out;
}

std::vector<std::string> PictureFileNames(const std::string& bmpDir) {
  return SortedFiles(bmpDir, {".bmp", ".shg", ".mrb"});
}

std::vector<std::string> MediaFileNames(const std::string& projectDir) {
  return SortedFiles(projectDir, {".avi", ".wav"});
}

}  // namespace qm::editor
