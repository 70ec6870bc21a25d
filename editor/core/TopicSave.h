// Saving a topic: the editor pane's RTF becomes WinHelp RTF with the topic's
// footnote block.
#pragma once

#include <string_view>
#include <vector>

#include "core/Lines.h"
#include "editor/core/TopicFootnotes.h"
#include "editor/core/TopicStash.h"

namespace qm::editor {

// Splits the bytes streamed out of the rich-edit control into lines, first
// dropping the NUL bytes that some controls write at the end.
Lines SplitRichEditStreamOut(std::string_view bytes);

// Converts the editor pane's RTF into the lines of the topic file: the
// footnote block built from topic_id and fields goes into the first body line,
// markup becomes WinHelp RTF, placeholders of the stash get their groups back.
// When unused is given it receives the numbers of stash items whose
// placeholder no longer stands in the text (the author deleted it, or the
// control broke it up); their groups are not in the result.
Lines SaveTopicLines(const Lines& editor_lines, std::string_view topic_id, const TopicFields& fields,
                     const TopicStash& stash, std::vector<int>* unused = nullptr);

}  // namespace qm::editor
