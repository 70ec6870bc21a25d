#include "editor/core/MarkupCommands.h"

#include <algorithm>

namespace qm::editor {

namespace {

constexpr std::string_view kLineMarkups[kLineChoiceCount] = {"{box}", "{line t}", "{line b}", "{line r}",
                                                              "{line l}"};
constexpr std::string_view kStyleMarkups[kStyleChoiceCount] = {"{style n}", "{style b}", "{style 2}",
                                                                "{style s}"};

DeleteRange Between(long from, long to) {
  DeleteRange r;
  r.Start = from;
  r.Length = std::max(0L, to - from);
  return r;
}

}  // namespace

std::string_view LineMarkup(int choice) {
  return choice >= 0 && choice < kLineChoiceCount ? kLineMarkups[choice] : kLineMarkups[0];
}

std::string_view StyleMarkup(int choice) {
  return choice >= 0 && choice < kStyleChoiceCount ? kStyleMarkups[choice] : kStyleMarkups[0];
}

TopicIdWrap WrapTopicId(std::string_view selected, long selectionStart) {
  TopicIdWrap w;
  w.Text.reserve(selected.size() + 6);
  w.Text += "{tid ";
  w.Text += selected;
  w.Text += '}';
  w.Caret = selectionStart + 5;
  return w;
}

int HardBreakLength(int secondLast, int last) {
  if (last == '\n') return secondLast == '\r' ? 2 : 1;
  if (last == '\r') return 1;
  return 0;
}

// The end of the caret's line without its hard break, never before the
// line's start.
static long LineEndWithoutBreak(const CaretLine& line) {
  if (line.NextLineStart < 0) return std::max(line.LineStart, line.TextLength);
  return std::max(line.LineStart, line.NextLineStart - std::max(0, line.BreakLength));
}

DeleteRange DeleteLineRange(const CaretLine& line) {
  const long end = line.NextLineStart < 0 ? line.TextLength : line.NextLineStart;
  return Between(line.LineStart, end);
}

DeleteRange DeleteToLineStartRange(const CaretLine& line) { return Between(line.LineStart, line.Caret); }

DeleteRange DeleteToLineEndRange(const CaretLine& line) {
  return Between(line.Caret, LineEndWithoutBreak(line));
}

}  // namespace qm::editor
