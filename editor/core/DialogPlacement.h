// Where the editor's dialogs open: under the mouse cursor, kept in the work
// area. Every dialog of the editor that opens at the cursor asks this one
// function.
#pragma once

namespace qm::editor {

struct WorkRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct DialogPlace {
  int Left = 0, Top = 0;
};

// Top 20 pixels above the cursor, the left edge half the dialog's width
// (rounded toward zero) left of it; then the left and top edges are raised
// to the work area's and, last, the window is moved left or up so that its
// right and bottom edges stay inside. A dialog larger than the work area
// therefore ends flush with the area's right or bottom edge.
DialogPlace PlaceDialogAtCursor(int cursor_x, int cursor_y, int width, int height,
                                const WorkRect& work_area);

}  // namespace qm::editor
