// Topic files come from anywhere: the scanner must stay inside its input and
// every id or target it returns must be text of the input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "standins/hcrtf/core/HelpProject.h"
#include "standins/hcrtf/core/TopicScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  qm::hcrtf::TopicScan s = qm::hcrtf::ScanTopicRtf(text);
  for (const auto& r : s.refs) {
    if (r.target.empty()) __builtin_trap();
    (void)qm::hcrtf::LocalTargetId(r.target);
  }
  for (const auto& id : s.topicIds)
    if (id.empty()) __builtin_trap();
  (void)qm::hcrtf::ParseProject(qm::SplitLines(text));
  return 0;
}
