// Group boxes: a container with an etched frame and its caption in the
// frame's top line. Its caption's access key moves the focus to the first
// control inside.
#pragma once

#include "classlib/Control.h"

namespace cl {

class TGroupBox : public TControl {
 public:
  TGroupBox(TComponent* owner, TControl* parent, const std::string& caption);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // The frame and caption, on the whole client area.
  void Paint(HDC dc);
};

}  // namespace cl
