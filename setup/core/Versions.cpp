#include "setup/core/Versions.h"

#include <cstdint>
#include <cstdio>
#include <limits>

#include "setup/core/SetupNames.h"

namespace qm::setup {

namespace {

constexpr std::int64_t kMaxNumber = std::numeric_limits<std::int32_t>::max();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<PackageVersion> ParsePackageVersion(std::string_view value) {
  if (value.size() > kMaxVersionLength) return std::nullopt;
  std::size_t dot = value.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  // Each part's value is bounded as it grows, so no digit run can overflow.
  std::int64_t parts[2] = {0, 0};
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (i == dot) continue;
    if (!IsDigit(value[i])) return std::nullopt;  // also a second "."
    std::int64_t& part = parts[i > dot ? 1 : 0];
    part = part * 10 + (value[i] - '0');
    if (part > kMaxNumber) return std::nullopt;
  }
  if (parts[1] > 99) return std::nullopt;
  if (parts[0] * 100 + parts[1] > kMaxNumber) return std::nullopt;
  return PackageVersion{static_cast<int>(parts[0]), static_cast<int>(parts[1])};
}

InstalledWalk WalkInstalledVersion(const std::optional<std::string>& value) {
  if (!value || value->size() > kMaxVersionLength) return {};
  std::int64_t number = 0, minor = 0;
  bool afterDot = false;
  for (char c : *value) {
    if (c == '.' && !afterDot) {
      afterDot = true;
      continue;
    }
    if (!IsDigit(c)) return {static_cast<int>(number), false};
    number = number * 10 + (c - '0');
    if (afterDot) minor = minor * 10 + (c - '0');
    if (number > kMaxNumber || minor > 99) return {};
  }
  return {static_cast<int>(number), afterDot};
}

InstalledVersions ReadInstalledVersions(const std::function<InstalledFile(const char*)>& probe) {
  InstalledVersions v;
  InstalledFile editor = probe(kEditorExe);
  if (editor.exists) {
    InstalledWalk walk = WalkInstalledVersion(editor.productVersion);
    v.editor = walk.value;
    if (!walk.complete) return v;
  }
  InstalledFile hotspot = probe(kHotspotExe);
  if (hotspot.exists) v.hotspot = WalkInstalledVersion(hotspot.productVersion).value;
  return v;
}

bool PackageIsNewer(const InstalledVersions& installed, int packageEditor, int packageHotspot) {
  return installed.editor < packageEditor || installed.hotspot < packageHotspot;
}

std::string VersionText(int version) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", version / 100.0);
  return buf;
}

std::string ProductLabel(std::string_view product, int version) {
  return std::string(product) + "  Ver " + VersionText(version);
}

int NoticeYear(int fileYear) { return fileYear < 2001 ? 2001 : fileYear; }

}  // namespace qm::setup
