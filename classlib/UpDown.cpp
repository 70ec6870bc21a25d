#include "classlib/UpDown.h"

#include <commctrl.h>

#include "classlib/StdCtrls.h"

namespace cl {

TUpDown::TUpDown(TComponent* owner, TControl* parent, const TUpDownOptions& options)
    : TControl(owner, parent) {
  DWORD style = UDS_SETBUDDYINT | (options.Horizontal ? UDS_HORZ : 0) | (options.Wrap ? UDS_WRAP : 0) |
                (options.Thousands ? 0 : UDS_NOTHOUSANDS) | (options.ArrowKeys ? UDS_ARROWKEYS : 0);
  CreateHandle(UPDOWN_CLASSA, "", style, 0);
  SetRange(0, 100);
}

void TUpDown::SetAssociate(TEdit* edit) {
  int pos = Position();
  associate_ = edit;
  SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit ? edit->Handle() : nullptr), 0);
  if (edit) {
    // The edit takes the position's text at once.
    SetPosition(pos);
  }
}

int TUpDown::Min() const {
  int lo = 0, hi = 0;
  SendMessageA(Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  return lo;
}

int TUpDown::Max() const {
  int lo = 0, hi = 0;
  SendMessageA(Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  return hi;
}

void TUpDown::SetRange(int min, int max) {
  SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

int TUpDown::Position() const {
  // With an associate the control reads and clamps the edit's number.
  BOOL error = FALSE;
  LRESULT v = SendMessageA(Handle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error));
  return static_cast<int>(v);
}

void TUpDown::SetPosition(int v) { SendMessageA(Handle(), UDM_SETPOS32, 0, static_cast<LPARAM>(v)); }

int TUpDown::Increment() const {
  UDACCEL accel = {};
  SendMessageA(Handle(), UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  return static_cast<int>(accel.nInc);
}

void TUpDown::SetIncrement(int step) {
  UDACCEL accel = {0, static_cast<UINT>(step)};
  SendMessageA(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

LRESULT TUpDown::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The arrows step the position while handling these messages (the press,
  // its repetition, the keys); the event follows a change.
  if (msg == WM_LBUTTONDOWN || msg == WM_TIMER || msg == WM_KEYDOWN) {
    int before = Position();
    LRESULT r = TControl::WndProc(msg, wp, lp);
    if (Handle() && Position() != before && OnChangePosition) OnChangePosition(this);
    return r;
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
