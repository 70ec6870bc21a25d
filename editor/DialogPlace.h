// Opens an editor dialog at the mouse cursor, kept in the work area taken at
// start-up (editor/core/DialogPlacement.h).
#pragma once

#include <windows.h>

#include "classlib/DialogForm.h"
#include "editor/core/DialogPlacement.h"

namespace qm::editor {

inline void PlaceEditorDialog(cl::TDialogForm& dlg, RECT work_area) {
  if (IsRectEmpty(&work_area)) work_area = cl::TDialogForm::WorkArea();
  POINT p = {0, 0};
  GetCursorPos(&p);
  const DialogPlace at = PlaceDialogAtCursor(p.x, p.y, dlg.Width(), dlg.Height(),
                                             {work_area.left, work_area.top, work_area.right, work_area.bottom});
  dlg.PlaceAt(at.Left, at.Top);
}

}  // namespace qm::editor
