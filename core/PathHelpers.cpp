#include "core/Cp932.h"
#include "core/FileSystem.h"

namespace qm {

namespace {
// Position of the last path separator, or npos.
std::size_t LastDelim(std::string_view path) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
    if (CharLength(path, i) == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':'))
      found = i;
  }
  return found;
}
}  // namespace

std::string ExtractFileName(std::string_view path) {
  std::size_t d = LastDelim(path);
  return std::string(d == std::string_view::npos ? path : path.substr(d + 1));
}

std::string ExtractFileDir(std::string_view path) {
  std::size_t d = LastDelim(path);
  if (d == std::string_view::npos) return {};
  if (path[d] == ':') return std::string(path.substr(0, d + 1));
  return std::string(path.substr(0, d));
}

std::string ExtractFileExt(std::string_view path) {
  std::size_t d = LastDelim(path);
  std::size_t start = d == std::string_view::npos ? 0 : d + 1;
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = start; i < path.size(); i += CharLength(path, i)) {
    if (CharLength(path, i) == 1 && path[i] == '.') dot = i;
  }
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  std::string old = ExtractFileExt(path);
  return std::string(path.substr(0, path.size() - old.size())) + std::string(ext);
}

std::string PathJoin(std::string_view dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string out(dir);
  std::size_t d = LastDelim(out);
  if (!(d != std::string_view::npos && d + 1 == out.size())) out += kPathDelim;
  out += name;
  return out;
}

bool IsAbsolutePath(std::string_view path) {
  return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() > 1 && path[1] == ':');
}

}  // namespace qm
