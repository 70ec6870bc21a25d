// Places a window's top-left corner so that the window lies inside the
// desktop's work area: the corner raised to the area's left and top edges,
// then moved left or up when the right or bottom edge passes the area's.
#pragma once

#include <windows.h>

namespace qm::editor {

inline POINT PlaceInWorkArea(int left, int top, int width, int height, const RECT& area) {
  if (left < area.left) left = area.left;
  if (top < area.top) top = area.top;
  if (left + width > area.right) left = area.right - width;
  if (top + height > area.bottom) top = area.bottom - height;
  return {left, top};
}

}  // namespace qm::editor
