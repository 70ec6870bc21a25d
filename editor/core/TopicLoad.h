// Loading a topic: its WinHelp RTF file becomes the editor pane's RTF with
// inline markup, its footnote block the open topic's fields.
#pragma once

#include <string>

#include "core/Lines.h"
#include "editor/core/TopicFootnotes.h"
#include "editor/core/TopicStash.h"

namespace qm::editor {

// Converts the lines of a topic file (code page 932 bytes) into the lines of
// RTF for the editor pane. fields receives the footnotes of the first body
// line and NoScroll; stash receives what the editor pane cannot hold, each
// numbered from stash.FirstNumber (which is kept; the items are replaced).
Lines LoadTopicLines(const Lines& file_lines, TopicFields& fields, TopicStash& stash);

// The bytes to stream into the rich-edit control: the lines ended by CR LF,
// every byte of 0x80 and above written as \'xx (a double-byte character as
// two of them), so that no control reads a trail byte as RTF.
std::string RichEditStreamIn(const Lines& editor_lines);

}  // namespace qm::editor
