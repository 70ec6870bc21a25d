// The project readers on arbitrary bytes: the input is a project file, and
// after NUL bytes a map file and a contents file. Nothing may crash, every
// [FILES] topic must end up in exactly one tree node, no topic id may name a
// path, and the writer must take whatever was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/Cp932.h"
#include "core/Lines.h"
#include "editor/core/ProjectFiles.h"

using namespace qm;
using namespace qm::editor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  std::string_view parts[3];
  for (int k = 0; k < 3; ++k) {
    std::size_t nul = k < 2 ? in.find('\0') : std::string_view::npos;
    parts[k] = in.substr(0, nul);
    if (nul == std::string_view::npos) break;
    in.remove_prefix(nul + 1);
  }
  ProjectModel m;
  m.ProjectFile = "f.hpj";
  bool old = false;
  ReadProjectLines(m, SplitLines(parts[0]), old);
  ReadMapFileLines(m, SplitLines(parts[1]));
  CompleteMapNumbers(m);
  ReadContentsLines(m, SplitLines(parts[2]));

  std::vector<int> seen(m.TopicCount(), 0);
  for (ContentsNode* n : m.Contents.Nodes()) {
    if (n->Kind == kTopicNode || n->Kind == kHiddenTopicNode) {
      if (n->Data < 0 || static_cast<std::size_t>(n->Data) >= seen.size()) std::abort();
      ++seen[n->Data];
    } else if (n->Kind == kExternalNode) {
      if (n->Data < 0 || static_cast<std::size_t>(n->Data) >= m.CntTargets.size()) std::abort();
    }
  }
  for (int c : seen) {
    if (c != 1) std::abort();
  }
  for (std::size_t i = 0; i < m.TopicCount(); ++i) {
    if (m.TopicIds.MapNumber(i) <= 0) std::abort();
    // A topic's file is always in the project's rtf folder.
    for (char c : {'\\', '/', ':'}) {
      if (FindChar(m.TopicIds[i], c) != std::string::npos) std::abort();
    }
  }
  try {
    BuildProjectFiles(m);
  } catch (const ProjectError&) {
  }
  return 0;
}
