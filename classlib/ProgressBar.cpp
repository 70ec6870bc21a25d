#include "classlib/ProgressBar.h"

#include <commctrl.h>

namespace cl {

TProgressBar::TProgressBar(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(PROGRESS_CLASSA, "", 0, 0);
  SetRange(0, 100);
}

int TProgressBar::Min() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, TRUE, 0)); }
int TProgressBar::Max() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, FALSE, 0)); }

void TProgressBar::SetRange(int min, int max) {
  SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

int TProgressBar::Position() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)); }
void TProgressBar::SetPosition(int v) { SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(v), 0); }
void TProgressBar::StepBy(int delta) { SendMessageA(Handle(), PBM_DELTAPOS, static_cast<WPARAM>(delta), 0); }

}  // namespace cl
