// Any bytes as a topic file: loading, saving what loading gave and loading
// that again must stay within the lines and never fail.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Lines.h"
#include "editor/core/ParagraphKeepFlags.h"
#include "editor/core/SwappedIndents.h"
#include "editor/core/TopicLoad.h"
#include "editor/core/TopicSave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qm::editor::TopicFields fields;
  qm::editor::TopicStash stash;
  const qm::Lines editor = qm::editor::LoadTopicLines(qm::SplitLines(bytes), fields, stash);
  // The keep flags that the control is given after loading.
  (void)qm::editor::ParagraphKeepFlags(qm::editor::RichEditStreamIn(editor));
  (void)qm::editor::ParagraphKeepFlags(bytes);
  std::vector<int> unused;
  const qm::Lines saved = qm::editor::SaveTopicLines(editor, "id", fields, stash, &unused);
  qm::editor::TopicFields again;
  qm::editor::TopicStash stash2;
  (void)qm::editor::LoadTopicLines(saved, again, stash2);
  // The editor's own stream-out, as the control may write it, saved directly
  // and with its indents mended.
  (void)qm::editor::SaveTopicLines(qm::editor::SplitRichEditStreamOut(bytes), "id", fields, stash, &unused);
  if (qm::editor::WriterSwapsIndents(bytes) || size % 2 == 0) {
    const std::string mended = qm::editor::MendSwappedIndents(bytes);
    (void)qm::editor::SaveTopicLines(qm::editor::SplitRichEditStreamOut(mended), "id", fields, stash, &unused);
  }
  return 0;
}
