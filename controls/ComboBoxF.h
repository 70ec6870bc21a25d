// A combo box with a flat frame it paints itself over the window's border:
// a one-pixel sunken edge while it has the focus or the mouse is over it
// (unless another flat combo box has the focus), flat otherwise.
#pragma once

#include <windows.h>

#include "classlib/ComboBox.h"

namespace qm::controls {

class TComboBoxF : public cl::TComboBox {
 public:
  TComboBoxF(cl::TComponent* owner, cl::TControl* parent,
             cl::TComboBoxStyle style = cl::TComboBoxStyle::DropDown, bool sorted = false);
  ~TComboBoxF() override;

  bool MouseInside() const { return mouse_inside_; }
  // The box's background: the window colour while enabled, the button
  // face while disabled.
  COLORREF Color() const { return color_; }
  // Whether the frame shows the sunken edge now.
  bool HotLook() const;

  bool Command(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void PaintFrame();
  void SetColor(COLORREF c);
  void MouseEntered();
  void MouseLeft();
  bool HasFocus() const;
  bool mouse_inside_ = false;
  COLORREF color_;
  HBRUSH brush_ = nullptr;
};

}  // namespace qm::controls
