// The fixed pieces of inline markup the editor's commands insert, the
// topic-id wrapping of a selection and the ranges the line shortcuts delete.
//
// Positions and lengths are in characters of the rich-edit control, as its
// line messages count them; the window layer asks the control and passes the
// answers in.
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

// Line choices 0-4 of the line button and menus: "{box}", "{line t}",
// "{line b}", "{line r}", "{line l}". Out-of-range choices give "{box}".
constexpr int kLineChoiceCount = 5;
std::string_view LineMarkup(int choice);
// Style choices 0-3: "{style n}", "{style b}", "{style 2}", "{style s}".
// Out-of-range choices give "{style n}".
constexpr int kStyleChoiceCount = 4;
std::string_view StyleMarkup(int choice);
// Image index of the line and style buttons for a choice.
constexpr int kLineImageBase = 41;
constexpr int kStyleImageBase = 46;

constexpr std::string_view kKeepMarkup = "{keep}";
constexpr std::string_view kEndMarkup = "{end}";

// The selection wrapped as a topic id: "{tid " + selected + "}", with the
// caret put right after "{tid " (selection start + 5, nothing selected).
struct TopicIdWrap {
  std::string Text;
  long Caret = 0;
};
TopicIdWrap WrapTopicId(std::string_view selected, long selectionStart);

// A range of characters to delete: select Start..Start+Length and replace
// the selection with nothing. Length is never negative.
struct DeleteRange {
  long Start = 0;
  long Length = 0;
};

// What the control says about the caret's line. NextLineStart is the first
// character of the following display line, or -1 when the caret's line is
// the last one. BreakLength is the number of hard line-break characters that
// end the caret's line (0 when the line is soft-wrapped into the next one or
// is the last, 1 for CR or LF, 2 for CR LF).
struct CaretLine {
  long Caret = 0;           // selection start
  long LineStart = 0;       // first character of the caret's line
  long NextLineStart = -1;  // -1: no following line
  long TextLength = 0;      // characters in the whole text
  int BreakLength = 0;
};

// The hard break that ends a line from its last two characters (code units;
// -1 where there is none): 2 for CR LF, 1 for a lone CR or LF, else 0.
int HardBreakLength(int secondLast, int last);

// Ctrl+Y: the caret's line with its break (to the end of the text on the
// last line).
DeleteRange DeleteLineRange(const CaretLine& line);
// Ctrl+U: from the line's start to the caret.
DeleteRange DeleteToLineStartRange(const CaretLine& line);
// Ctrl+K: from the caret to the end of its line, the hard break kept: the end
// is the next line's start minus its hard break, or the text's end on the
// last line; nothing when the caret already stands there or beyond.
DeleteRange DeleteToLineEndRange(const CaretLine& line);

}  // namespace qm::editor
