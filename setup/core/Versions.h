// The two version rules of the setup.
//
// The package's programs are read with the strict rule: "digits.digits", the
// version number being major * 100 + minor. The programs of an earlier
// installation are read with the walk that older setups used: all digits run
// together ("1.19" gives 119, "1.2" gives 12). For the suite's own versions,
// which always have a two-digit minor, both give the same number.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qm::setup {

// A ProductVersion longer than this is malformed (the value's buffer holds
// this many characters and a terminator).
inline constexpr std::size_t kMaxVersionLength = 32;

struct PackageVersion {
  int major = 0;
  int minor = 0;
  int Number() const { return major * 100 + minor; }
};

// The strict rule: zero or more ASCII digits, one ".", zero or more digits
// (no digits count as 0). Malformed, and so none: any other character, no or
// a second ".", a minor part above 99 (it would run into the major part), a
// number beyond 32 bits, a value longer than kMaxVersionLength.
std::optional<PackageVersion> ParsePackageVersion(std::string_view value);

// One installed program's version by the walk.
struct InstalledWalk {
  int value = 0;
  // The walk reached the end of the text after a "."; otherwise it stopped
  // early (a non-digit, a second ".", no "." at all, no version).
  bool complete = false;
};

// The walk over a ProductVersion (none: the file carries no version). Every
// digit before and after the "." accumulates into one number. A value that
// is malformed by the strict rule's length, minor-part or 32-bit limits
// counts as no version: 0, stopped at once.
InstalledWalk WalkInstalledVersion(const std::optional<std::string>& value);

// What the setup learns of one file of an earlier installation.
struct InstalledFile {
  bool exists = false;
  std::optional<std::string> productVersion;
};

struct InstalledVersions {
  int editor = 0;
  int hotspot = 0;
};

// The versions of an earlier installation. probe(name) tells about the file
// of that name in the installation's folder; the hotspot graphics editor is
// probed only when the editor is missing or its walk completed.
InstalledVersions ReadInstalledVersions(const std::function<InstalledFile(const char*)>& probe);

// True when the package holds anything newer than the installation.
bool PackageIsNewer(const InstalledVersions& installed, int packageEditor, int packageHotspot);

// "%.2f" of version / 100: 119 gives "1.19".
std::string VersionText(int version);
// A product and its version as the main window shows them: "Quillmark  Ver 1.19".
std::string ProductLabel(std::string_view product, int version);

// The year written after the copyright: that of the editor's date, at least 2001.
int NoticeYear(int fileYear);

}  // namespace qm::setup
