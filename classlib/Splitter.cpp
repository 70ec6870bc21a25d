#include "classlib/Splitter.h"

#include <algorithm>

namespace cl {

TSplitter::TSplitter(TComponent* owner, TControl* parent, TAlign align, int size)
    : TControl(owner, parent) {
  CreateHandle(RegisterOwnClass("TSplitter"), "", 0, 0);
  if (align == TAlign::Left || align == TAlign::Right)
    SetWidth(size);
  else
    SetHeight(size);
  SetAlign(align);
}

TControl* TSplitter::Target() const {
  // The nearest visible control with the same alignment placed before us.
  TControl* found = nullptr;
  for (TControl* c : Parent()->Controls()) {
    if (c == this) break;
    if (c->Align() == Align() && c->Visible()) found = c;
  }
  return found;
}

LRESULT TSplitter::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  bool horizontal = Align() == TAlign::Left || Align() == TAlign::Right;
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursor(nullptr, horizontal ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    case WM_LBUTTONDOWN:
      if (TControl* t = Target()) {
        GetCursorPos(&start_);
        start_size_ = horizontal ? t->Width() : t->Height();
        dragging_ = true;
        SetCapture(Handle());
      }
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        if (TControl* t = Target()) {
          POINT p;
          GetCursorPos(&p);
          int d = horizontal ? p.x - start_.x : p.y - start_.y;
          if (Align() == TAlign::Right || Align() == TAlign::Bottom) d = -d;
          int limit = horizontal ? Parent()->ClientWidth() : Parent()->ClientHeight();
          int size = std::clamp(start_size_ + d, MinSize, std::max(MinSize, limit - MinSize));
          if (horizontal)
            t->SetWidth(size);
          else
            t->SetHeight(size);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
        if (OnMoved) OnMoved(this);
      }
      return 0;
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
