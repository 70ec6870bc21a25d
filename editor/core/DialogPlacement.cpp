#include "editor/core/DialogPlacement.h"

#include "classlib/core/DialogLayout.h"

namespace qm::editor {

DialogPlace PlaceDialogAtCursor(int cursor_x, int cursor_y, int width, int height,
                                const WorkRect& work_area) {
  const cl::TLayoutRect r = cl::FitInto({cursor_x - width / 2, cursor_y - 20, width, height}, work_area.Left,
                                        work_area.Top, work_area.Right, work_area.Bottom);
  return {r.Left, r.Top};
}

}  // namespace qm::editor
