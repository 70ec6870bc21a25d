// The pure parts of the extended rich edit: its formatting rectangle, its
// word-wrap flags, and the line-by-line selection that a click in its left
// margin starts (the ranges it selects and where the auto-scroll stops), and
// the steps of a wheel notch.
#pragma once

namespace qm::controls {

struct FormatRect {
  int Left, Top, Right, Bottom;
};

// A fixed width while line_width exceeds line_left, else the client width
// less line_left on both sides.
FormatRect FormatRectFor(int line_left, int line_width, int client_width, int client_height);

// The word-wrap flags as EM_SETWORDWRAPMODE takes them.
enum WordWrapFlag : unsigned char {
  wbfWordWrap = 1,
  wbfWordBreak = 2,
  wbfOverFlow = 4,
};
constexpr unsigned char kAllWordWrapFlags = wbfWordWrap | wbfWordBreak | wbfOverFlow;
// WBF_LEVEL2 with WBF_WORDWRAP, WBF_WORDBREAK, WBF_OVERFLOW for the flags.
unsigned WordWrapModeParam(unsigned char flags);

// A selection as EM_EXSETSEL takes it: the caret ends at Max.
struct CharSpan {
  long Min, Max;
};

// The selection of a margin drag that has reached the line starting at
// line_start (line_length long): from the anchor through the end of that
// line when it lies after the anchor's start, else from the anchor's end
// back to the line's start.
CharSpan MarginLineSpan(long anchor_start, long anchor_end, long line_start, long line_length);

// The selection of a shift-click in the margin on the line at line_start:
// the old selection's start through that line's end when the line lies after
// it, else that line's start through the old selection's end. Returned as
// start and length.
struct SelRange {
  long Start, Length;
};
SelRange MarginShiftClick(long sel_start, long sel_length, long line_start, long line_length);

// Auto-scroll directions.
enum ScrollDir : int { kScrollNone = -1, kScrollUp = 0, kScrollDown = 1 };

// Where the pointer sends the auto-scroll: within font_pixels of the top
// up, within font_pixels of the bottom down, none between.
int ScrollDirAt(int y, int client_height, int font_pixels);

// The line an auto-scroll tick moves the selection to from line, or -1 when
// it stops: up stops at line 0; down stops when there is no next line
// (line_count is the control's line count, a last empty line included; an
// empty control has no line to go to).
long NextScrollLine(int dir, long line, long line_count);

// The mouse wheel: how many line steps one notch scrolls for the system's
// wheel-scroll-lines setting, or one page instead. The setting
// WHEEL_PAGESCROLL (all ones) scrolls one page; 0 scrolls nothing.
struct WheelScroll {
  unsigned Lines = 0;
  bool Page = false;
};
constexpr unsigned kWheelPageScroll = 0xFFFFFFFFu;
WheelScroll WheelScrollFor(unsigned wheel_scroll_lines);

}  // namespace qm::controls
