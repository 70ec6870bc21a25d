#include "controls/core/MarginSelect.h"

namespace qm::controls {

FormatRect FormatRectFor(int line_left, int line_width, int client_width, int client_height) {
  if (line_left < line_width) return {line_left, 0, line_left + line_width, client_height};
  return {line_left, 0, client_width - line_left, client_height};
}

unsigned WordWrapModeParam(unsigned char flags) {
  unsigned w = 0x100;
  if (flags & wbfWordWrap) w |= 0x10;
  if (flags & wbfWordBreak) w |= 0x20;
  if (flags & wbfOverFlow) w |= 0x40;
  return w;
}

CharSpan MarginLineSpan(long anchor_start, long anchor_end, long line_start, long line_length) {
  if (line_start > anchor_start) return {anchor_start, line_start + line_length};
  return {anchor_end, line_start};
}

SelRange MarginShiftClick(long sel_start, long sel_length, long line_start, long line_length) {
  const long anchor_end = sel_start + sel_length;
  if (sel_start < line_start) return {sel_start, line_start + line_length - sel_start};
  return {line_start, anchor_end - line_start};
}

int ScrollDirAt(int y, int client_height, int font_pixels) {
  if (y < font_pixels) return kScrollUp;
  if (y > client_height - font_pixels) return kScrollDown;
  return kScrollNone;
}

long NextScrollLine(int dir, long line, long line_count) {
  if (dir == kScrollUp) return line > 0 ? line - 1 : -1;
  if (dir == kScrollDown) return line >= 0 && line + 1 < line_count ? line + 1 : -1;
  return -1;
}

WheelScroll WheelScrollFor(unsigned wheel_scroll_lines) {
  if (wheel_scroll_lines == kWheelPageScroll) return {0, true};
  return {wheel_scroll_lines, false};
}

}  // namespace qm::controls
