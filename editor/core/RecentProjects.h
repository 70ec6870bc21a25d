// The recent-project list: full paths of .hpj files, most recent first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

// Captions longer than this are shortened.
constexpr std::size_t kRecentCaptionLimit = 32;

// The caption form of a long path: "C:\..\" (or "\\..\" for a network path)
// and the tail after the last backslash that still has 26 bytes or more
// after it; a path with fewer than three backslashes is kept whole.
std::string ShortenRecentPath(std::string_view path);

// The caption of recent item n (1-based) for path: "&n " and the path,
// shortened when longer than kRecentCaptionLimit.
std::string RecentItemCaption(int n, std::string_view path);

// Puts path at the front of the list (ASCII case-insensitive; a copy
// elsewhere is removed). False when it was already first: nothing changed.
bool PushRecentPath(std::vector<std::string>& recent, const std::string& path);

}  // namespace qm::editor
