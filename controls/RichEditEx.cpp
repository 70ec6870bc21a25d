#include "controls/RichEditEx.h"

#include <windowsx.h>

namespace qm::controls {

TRichEditEx::TRichEditEx(cl::TComponent* owner, cl::TControl* parent, DWORD extra_style)
    : TRichEdit(owner, parent, extra_style) {
  ApplyWordWrapMode();
}

TRichEditEx::~TRichEditEx() { SetScrollTimer(false); }

void TRichEditEx::SetLineLeft(int v) {
  if (v < 0) return;
  line_left_ = v;
  UpdateFormatRect();
}

void TRichEditEx::SetLineWidth(int v) {
  line_width_ = v;
  UpdateFormatRect();
}

void TRichEditEx::SetWordWrapMode(unsigned char flags) {
  if (flags == word_wrap_) return;
  word_wrap_ = flags;
  ApplyWordWrapMode();
}

void TRichEditEx::UpdateFormatRect() {
  const FormatRect f = FormatRectFor(line_left_, line_width_, ClientWidth(), ClientHeight());
  RECT r = {f.Left, f.Top, f.Right, f.Bottom};
  SendMessageA(Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

void TRichEditEx::ApplyWordWrapMode() {
  SendMessageA(Handle(), EM_SETWORDWRAPMODE, WordWrapModeParam(word_wrap_), 0);
}

void TRichEditEx::SetScrollTimer(bool on) {
  if (on == timer_on_ || !Handle()) return;
  timer_on_ = on;
  if (on)
    SetTimer(Handle(), kScrollTimerId, kScrollInterval, nullptr);
  else
    KillTimer(Handle(), kScrollTimerId);
}

int TRichEditEx::FontPixels() const {
  LOGFONTA lf = {};
  HFONT f = Font() ? Font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (f && GetObjectA(f, sizeof lf, &lf) && lf.lfHeight != 0) return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  return 12;
}

long TRichEditEx::CharFromPos(int x, int y) const {
  // The rich edit takes a pointer to the point (a plain edit would take the
  // coordinates themselves).
  POINTL p = {x, y};
  return static_cast<long>(SendMessageA(Handle(), EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&p)));
}

long TRichEditEx::LineFromChar(long c) const {
  return static_cast<long>(SendMessageA(Handle(), EM_EXLINEFROMCHAR, 0, c));
}

long TRichEditEx::LineIndex(long line) const {
  return static_cast<long>(SendMessageA(Handle(), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

long TRichEditEx::LineLength(long c) const {
  return static_cast<long>(SendMessageA(Handle(), EM_LINELENGTH, static_cast<WPARAM>(c), 0));
}

void TRichEditEx::SelectToLine(long t) {
  sel_line_start_ = t;
  const CharSpan s = MarginLineSpan(anchor_start_, anchor_end_, t, LineLength(t));
  CHARRANGE r = {s.Min, s.Max};
  SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

void TRichEditEx::MarginButtonDown(int x, int y, WPARAM keys, long old_start, long old_end) {
  if (x >= line_left_) return;
  sel_line_start_ = CharFromPos(x, y);
  if (sel_line_start_ == -1) return;
  if (keys & MK_SHIFT) {
    anchor_start_ = old_start;
    anchor_end_ = old_end;
    const SelRange r = MarginShiftClick(anchor_start_, anchor_end_ - anchor_start_, sel_line_start_,
                                        LineLength(sel_line_start_));
    SetSel(static_cast<int>(r.Start), static_cast<int>(r.Length));
  } else {
    anchor_start_ = sel_line_start_;
    SetSel(static_cast<int>(sel_line_start_), static_cast<int>(LineLength(sel_line_start_)));
    anchor_end_ = SelLength() + sel_line_start_;
  }
  selecting_ = true;
  scroll_dir_ = kScrollNone;
  SetScrollTimer(true);
}

void TRichEditEx::MarginMouseMove(int x, int y) {
  scroll_dir_ = ScrollDirAt(y, ClientHeight(), FontPixels());
  if (scroll_dir_ != kScrollNone) return;
  const long c = CharFromPos(x, y);
  if (c == -1) return;
  const long t = LineIndex(LineFromChar(c));
  if (t < 0 || t == sel_line_start_) return;
  SelectToLine(t);
}

void TRichEditEx::LineSelectTimer() {
  if (scroll_dir_ != kScrollUp && scroll_dir_ != kScrollDown) return;
  const long c = LineFromChar(sel_line_start_);
  const long count = static_cast<long>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0));
  const long next = NextScrollLine(scroll_dir_, c, count);
  const long t = next < 0 ? -1 : LineIndex(next);
  if (t < 0) {
    scroll_dir_ = kScrollNone;
    return;
  }
  if (scroll_dir_ == kScrollUp) SendMessageA(Handle(), EM_SCROLL, SB_LINEUP, 0);
  SelectToLine(t);
}

void TRichEditEx::WheelScrollNotch(HWND control, bool down) {
  UINT lines = 3;
  if (!SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
  const WheelScroll w = WheelScrollFor(lines);
  if (w.Page) {
    SendMessageA(control, EM_SCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0);
    return;
  }
  for (unsigned i = 0; i < w.Lines; ++i) SendMessageA(control, EM_SCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
}

void TRichEditEx::SelectCharToOverwrite() {
  if (insert_mode_ || SelLength() != 0) return;
  const int at = SelStart();
  char buf[4] = {};
  TEXTRANGEA tr = {{at, at + 1}, buf};
  const LRESULT got = SendMessageA(Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
  if (got <= 0 || buf[0] == '\r' || buf[0] == '\n') return;
  SetSel(at, 1);
}

void TRichEditEx::InsertTypedChar(const std::string& ch) {
  if (!ReadOnly()) SelectCharToOverwrite();
  TRichEdit::InsertTypedChar(ch);
}

LRESULT TRichEditEx::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
      if (wp == VK_INSERT && !(cl::CurrentShiftState() & (cl::ssShift | cl::ssCtrl | cl::ssAlt))) {
        insert_mode_ = !insert_mode_;
        if (OnInsertChange) OnInsertChange(this);
      }
      break;
    case WM_CHAR:
      // A printable single-byte character typed in overwrite mode replaces
      // the next one (double-byte characters go through InsertTypedChar).
      if (wp >= 0x20 && wp <= 0xFF && wp != 0x7F && !IsDBCSLeadByte(static_cast<BYTE>(wp)) &&
          !LeadBytePending() && !ReadOnly())
        SelectCharToOverwrite();
      break;
    case WM_LBUTTONDOWN: {
      // A shift-click extends the selection as it was before the click: the
      // control's own handling of it differs between versions (some extend
      // by whole lines from an anchor of their own).
      const long old_start = SelStart(), old_end = old_start + SelLength();
      LRESULT r = TRichEdit::WndProc(msg, wp, lp);
      MarginButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), wp, old_start, old_end);
      return r;
    }
    case WM_MOUSEMOVE: {
      LRESULT r = TRichEdit::WndProc(msg, wp, lp);
      if (selecting_) MarginMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return r;
    }
    case WM_LBUTTONUP: {
      LRESULT r = TRichEdit::WndProc(msg, wp, lp);
      selecting_ = false;
      SetScrollTimer(false);
      ReleaseCapture();
      return r;
    }
    case WM_TIMER:
      if (wp == kScrollTimerId) {
        LineSelectTimer();
        return 0;
      }
      break;
    case WM_MOUSEWHEEL: {
      wheel_delta_ += GET_WHEEL_DELTA_WPARAM(wp);
      while (wheel_delta_ >= WHEEL_DELTA) {
        wheel_delta_ -= WHEEL_DELTA;
        WheelScrollNotch(Handle(), false);
      }
      while (wheel_delta_ <= -WHEEL_DELTA) {
        wheel_delta_ += WHEEL_DELTA;
        WheelScrollNotch(Handle(), true);
      }
      return 0;
    }
    case WM_SIZE:
      // Handled here alone: the formatting rectangle is ours, so the rich
      // edit does not see the size change.
      UpdateBoundsFromWindow();
      if (AutoResize && wp <= SIZE_MAXIMIZED) UpdateFormatRect();
      Realign();
      if (OnResize) OnResize(this);
      return 0;
    case WM_DESTROY:
      SetScrollTimer(false);
      break;
    default:
      break;
  }
  return TRichEdit::WndProc(msg, wp, lp);
}

}  // namespace qm::controls
