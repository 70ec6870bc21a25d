// The portable part of the browse-for-folder component: its option set, the
// browser flags the set gives, and the folder it preselects.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm::controls {

// The options, in the order of their bits in TSBDlgOptions.
enum TSBDlgOption : std::uint8_t {
  biBrowseForComputer,
  biBrowseForPrinter,
  biDontGoBelowDomain,
  biReturnFSAncestors,
  biReturnOnlyFSDirs,
  biStatusText,
  biNewStyle,
  biEditBox,
};

// A set of options in one byte: member i is bit i.
using TSBDlgOptions = std::uint8_t;
constexpr TSBDlgOptions SBDlgOption(TSBDlgOption o) { return static_cast<TSBDlgOptions>(1u << o); }

// The browser flags (BIF_*) of the members of options, ORed in the order of
// the enumeration.
std::uint32_t BrowseFlags(TSBDlgOptions options);

// The folder handed to the browser for directory, or none for an empty one.
// A folder longer than 3 bytes that ends in a backslash loses it ("C:\Work\"
// gives "C:\Work", while the root "C:\" keeps it); a trail byte 0x5C of code
// page 932 is no backslash.
std::optional<std::string> PreselectFolder(std::string_view directory);

}  // namespace qm::controls
