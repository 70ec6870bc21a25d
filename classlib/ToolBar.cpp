#include "classlib/ToolBar.h"

#include "classlib/Form.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace cl {

namespace {
int g_next_button_id = 30000;
const char kFloatClass[] = "TToolDockForm";
const char kFloatProp[] = "ClFloatingBar";
}  // namespace

// ---- buttons ----------------------------------------------------------------

TToolButton::TToolButton(TToolBar* bar, TToolButtonStyle style)
    : TComponent(bar), bar_(bar), style_(style), id_(g_next_button_id++) {}

TToolButton::~TToolButton() {
  if (action_) action_->RemoveClient(this);
}

void TToolButton::SetAction(TAction* a) {
  if (action_) action_->RemoveClient(this);
  action_ = a;
  if (action_) {
    action_->AddClient(this);
    image_index_ = action_->ImageIndex();
  }
  bar_->UpdateButton(this);
}

void TToolButton::SetImageIndex(int i) {
  image_index_ = i;
  bar_->UpdateButton(this);
}

std::string TToolButton::Hint() const {
  if (!hint_.empty()) return hint_;
  return action_ ? action_->Hint() : std::string();
}

void TToolButton::Click() {
  auto handler = OnClick;
  if (handler) {
    handler(this);
  } else if (action_) {
    action_->Execute(this);
  }
}

void TToolButton::ActionChanged() {
  if (action_) image_index_ = action_->ImageIndex() >= 0 ? action_->ImageIndex() : image_index_;
  bar_->UpdateButton(this);
}

void TToolButton::ActionFreed() { action_ = nullptr; }

// ---- toolbar ----------------------------------------------------------------

TToolBar::TToolBar(TComponent* owner, TControlBar* dock, const std::string& caption)
    : TControl(owner, dock), dock_(dock), caption_(caption) {
  CreateHandle(RegisterOwnClass("TToolBar"), caption.c_str(), WS_CLIPCHILDREN, 0);
  toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                 CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                             kGrip, 0, 10, 10, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
  SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(23, 22));
  Relayout();
}

void TToolBar::SetImages(TImageList* images, TImageList* disabled) {
  SendMessageA(toolbar_, TB_SETIMAGELIST, 0,
               reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
  SendMessageA(toolbar_, TB_SETDISABLEDIMAGELIST, 0,
               reinterpret_cast<LPARAM>(disabled ? disabled->Handle() : nullptr));
  Relayout();
}

TToolButton* TToolBar::AddButton(TAction* action, TToolButtonStyle style) {
  auto* b = new TToolButton(this, style);
  buttons_.push_back(b);
  TBBUTTON tb = {};
  tb.iBitmap = action ? action->ImageIndex() : -1;
  tb.idCommand = b->id_;
  tb.fsState = TBSTATE_ENABLED;
  switch (style) {
    case TToolButtonStyle::Check: tb.fsStyle = BTNS_CHECK; break;
    case TToolButtonStyle::DropDown: tb.fsStyle = BTNS_DROPDOWN; break;
    case TToolButtonStyle::Separator: tb.fsStyle = BTNS_SEP; tb.iBitmap = 6; break;
    default: tb.fsStyle = BTNS_BUTTON; break;
  }
  SendMessageA(toolbar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
  if (action) b->SetAction(action);
  Relayout();
  return b;
}

TToolButton* TToolBar::AddSeparator() { return AddButton(nullptr, TToolButtonStyle::Separator); }

void TToolBar::AddControl(TControl* c, int width) {
  TBBUTTON tb = {};
  tb.iBitmap = width;  // a separator's width
  tb.idCommand = 0;
  tb.fsStyle = BTNS_SEP;
  SendMessageA(toolbar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
  hosted_.emplace_back(c, static_cast<int>(SendMessageA(toolbar_, TB_BUTTONCOUNT, 0, 0)) - 1);
  // The control's hint in the buttons' tooltip; its text is asked for when
  // it shows. A combo box's edit field lies over it and needs its own tool.
  if (HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar_, TB_GETTOOLTIPS, 0, 0))) {
    for (HWND w = c->Handle(); w; w = w == c->Handle() ? GetWindow(w, GW_CHILD) : nullptr) {
      TOOLINFOA ti = {};
      ti.cbSize = sizeof ti;
      ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      ti.hwnd = Handle();
      ti.uId = reinterpret_cast<UINT_PTR>(w);
      ti.lpszText = LPSTR_TEXTCALLBACKA;
      SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
  }
  Relayout();
}

void TToolBar::PlaceHosted() {
  const int grip = Floating() ? 0 : kGrip;
  for (auto& [c, index] : hosted_) {
    RECT r;
    if (!SendMessageA(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
      continue;
    c->SetBounds(grip + r.left, r.top, r.right - r.left, c->Height());
    SetWindowPos(c->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

void TToolBar::UpdateButton(TToolButton* b) {
  if (!toolbar_ || b->style_ == TToolButtonStyle::Separator) return;
  TBBUTTONINFOA bi = {};
  bi.cbSize = sizeof bi;
  bi.dwMask = TBIF_IMAGE | TBIF_STATE;
  bi.iImage = b->image_index_;
  bool enabled = b->action_ ? b->action_->Enabled() : true;
  bool checked = b->action_ ? b->action_->Checked() : false;
  bi.fsState = static_cast<BYTE>((enabled ? TBSTATE_ENABLED : 0) | (checked ? TBSTATE_CHECKED : 0));
  SendMessageA(toolbar_, TB_SETBUTTONINFOA, static_cast<WPARAM>(b->id_), reinterpret_cast<LPARAM>(&bi));
}

SIZE TToolBar::IdealSize() const {
  SIZE s = {0, 0};
  int count = static_cast<int>(SendMessageA(toolbar_, TB_BUTTONCOUNT, 0, 0));
  RECT r;
  for (int i = 0; i < count; ++i) {
    if (SendMessageA(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) {
      s.cx = std::max<LONG>(s.cx, r.right);
      s.cy = std::max<LONG>(s.cy, r.bottom);
    }
  }
  s.cy = std::max<LONG>(s.cy, 22);
  s.cx += Floating() ? 0 : kGrip;
  s.cx += 2;
  return s;
}

void TToolBar::Relayout() {
  SIZE s = IdealSize();
  int grip = Floating() ? 0 : kGrip;
  MoveWindow(toolbar_, grip, 0, s.cx - grip, s.cy, TRUE);
  SetBounds(Left(), Top(), s.cx, s.cy);
  PlaceHosted();
  if (float_window_) {
    RECT r = {0, 0, s.cx, s.cy};
    AdjustWindowRectEx(&r, GetWindowLongA(float_window_, GWL_STYLE), FALSE,
                       GetWindowLongA(float_window_, GWL_EXSTYLE));
    SetWindowPos(float_window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (dock_) dock_->AdjustHeight();
}

bool TToolBar::BarVisible() const { return Visible(); }

void TToolBar::SetBarVisible(bool v) {
  SetVisible(v);
  if (float_window_) ShowFloatingWindow(v);
  if (dock_) dock_->AdjustHeight();
}

void TToolBar::ShowFloatingWindow(bool show) {
  const HWND owner = GetWindow(float_window_, GW_OWNER);
  if (show && owner && !IsWindowVisible(owner)) {
    // Shown with its owner, after it (the form's start floats the bars that
    // floated when the program last closed): a window manager keeps a tool
    // window above its owner only when the owner was mapped first.
    SetPropA(float_window_, kShowWithOwnerProp, reinterpret_cast<HANDLE>(1));
    return;
  }
  RemovePropA(float_window_, kShowWithOwnerProp);
  ShowWindow(float_window_, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

LRESULT CALLBACK TToolBar::FloatProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* bar = static_cast<TToolBar*>(GetPropA(h, kFloatProp));
  if (!bar) return DefWindowProcA(h, msg, wp, lp);
  return bar->FloatWindowProc(h, msg, wp, lp);
}

LRESULT TToolBar::FloatWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      SetBarVisible(false);
      return 0;
    case WM_NCLBUTTONDBLCLK:
      DockAt(last_dock_left_, last_dock_top_);
      return 0;
    case WM_MOUSEACTIVATE:
      // The tool window leaves the keyboard with its owner's controls: at a
      // click on its buttons, and when a window manager offers it the focus
      // as it maps it (Wine asks this message then). A box on the bar takes
      // the keyboard when it takes the focus.
      return MA_NOACTIVATE;
    case WM_NCLBUTTONDOWN:
      if (wp == HTCAPTION) {
        // The window moves once the mouse moves with the button down. Moved
        // at the press, a window manager's move would take the second click
        // of a double click, which docks the bar.
        const POINT press = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (DragDetect(h, press)) {
          // The move starts where the last mouse message was: the window
          // first follows the mouse that far.
          const DWORD at = GetMessagePos();
          RECT r;
          GetWindowRect(h, &r);
          SetWindowPos(h, nullptr, r.left + GET_X_LPARAM(at) - press.x, r.top + GET_Y_LPARAM(at) - press.y, 0,
                       0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
          SendMessageA(h, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, static_cast<LPARAM>(at));
          // A move that activated the window (Wine's does) hands the
          // keyboard back to the owner.
          const HWND owner = GetWindow(h, GW_OWNER);
          if (owner && GetActiveWindow() == h) SetActiveWindow(owner);
        }
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemovePropA(h, kFloatProp);
      RemovePropA(h, kShowWithOwnerProp);
      if (float_window_ == h) float_window_ = nullptr;
      break;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

void TToolBar::FloatAt(const RECT& screen) {
  if (!float_window_) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSEXA wc = {};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = FloatProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = kFloatClass;
      wc.style = CS_DBLCLKS;
      RegisterClassExA(&wc);
      registered = true;
    }
    last_dock_left_ = Left();
    last_dock_top_ = Top();
    HWND owner = dock_ ? GetAncestor(dock_->Handle(), GA_ROOT) : nullptr;
    float_window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kFloatClass, caption_.c_str(),
                                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, screen.left,
                                    screen.top, 10, 10, owner, nullptr, GetModuleHandleA(nullptr),
                                    nullptr);
    SetPropA(float_window_, kFloatProp, this);
    ::SetParent(Handle(), float_window_);
  }
  SetBounds(0, 0, Width(), Height());
  Relayout();
  SetWindowPos(float_window_, nullptr, screen.left, screen.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (Visible()) ShowFloatingWindow(true);
  Invalidate();
  if (dock_) dock_->AdjustHeight();
}

void TToolBar::DockAt(int left, int top) {
  if (float_window_) {
    ::SetParent(Handle(), dock_->Handle());
    HWND w = float_window_;
    float_window_ = nullptr;
    DestroyWindow(w);
  }
  SetBounds(std::max(0, left), std::max(0, top), Width(), Height());
  Relayout();
  SetBarVisible(Visible());
  Invalidate();
}

LRESULT TToolBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == toolbar_) {
        for (TToolButton* b : buttons_) {
          if (b->id_ == LOWORD(wp)) {
            b->Click();
            return 0;
          }
        }
      }
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (hdr->code == TBN_DROPDOWN) {
        auto* tb = reinterpret_cast<NMTOOLBARA*>(lp);
        for (TToolButton* b : buttons_) {
          if (b->id_ == tb->iItem && b->DropdownMenu) {
            RECT r;
            SendMessageA(toolbar_, TB_GETRECT, static_cast<WPARAM>(b->id_), reinterpret_cast<LPARAM>(&r));
            MapWindowPoints(toolbar_, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
            // The button's tip would otherwise come up over the menu's first
            // items while the mouse rests on the arrow.
            const HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar_, TB_GETTOOLTIPS, 0, 0));
            if (tips) {
              SendMessageA(tips, TTM_POP, 0, 0);
              SendMessageA(tips, TTM_ACTIVATE, FALSE, 0);
            }
            b->DropdownMenu->Popup(r.left, r.bottom, Handle());
            if (tips && IsWindow(tips)) SendMessageA(tips, TTM_ACTIVATE, TRUE, 0);
          }
        }
        return TBDDRET_DEFAULT;
      }
      if (hdr->code == TTN_GETDISPINFOA) {
        auto* di = reinterpret_cast<NMTTDISPINFOA*>(lp);
        static std::string text;
        text.clear();
        if (di->uFlags & TTF_IDISHWND) {
          const HWND tool = reinterpret_cast<HWND>(hdr->idFrom);
          for (const auto& hosted : hosted_) {
            const HWND h = hosted.first->Handle();
            if (h == tool || GetParent(tool) == h) text = hosted.first->Hint();
          }
        } else {
          for (TToolButton* b : buttons_)
            if (static_cast<UINT_PTR>(b->id_) == hdr->idFrom) text = b->Hint();
        }
        di->lpszText = &text[0];
        return 0;
      }
      break;
    }
    case WM_CONTEXTMENU:
      if (PopupMenu) {
        PopupMenu->Popup(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), Handle());
        return 0;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      if (!Floating()) {
        RECT r = {2, 2, 5, Height() - 2};
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        r = {5, 2, 8, Height() - 2};
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
      }
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_SETCURSOR:
      if (!Floating() && LOWORD(lp) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      if (!Floating()) {
        dragging_ = true;
        drag_offset_ = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        // The rows the bar may take: those of the other docked bars and one
        // new row below them. The dock keeps the size it had when the drag
        // began, so a drag downward leaves it and floats the bar.
        drag_last_row_ = 0;
        for (TControl* c : dock_->Controls()) {
          auto* other = dynamic_cast<TToolBar*>(c);
          if (other && other != this && !other->Floating() && other->Visible())
            drag_last_row_ = std::max(drag_last_row_, other->Top() / TControlBar::kRowHeight + 1);
        }
        GetWindowRect(dock_->Handle(), &drag_dock_);
        drag_dock_.bottom = drag_dock_.top + (drag_last_row_ + 1) * TControlBar::kRowHeight;
        SetCapture(Handle());
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (dragging_) {
        POINT p;
        GetCursorPos(&p);
        RECT dock = drag_dock_;
        InflateRect(&dock, 0, 12);
        if (PtInRect(&dock, p)) {
          POINT q = p;
          ScreenToClient(dock_->Handle(), &q);
          const int row = std::clamp(static_cast<int>(q.y) / TControlBar::kRowHeight, 0, drag_last_row_);
          const int top = row * TControlBar::kRowHeight;
          SetBounds(std::max(0L, q.x - drag_offset_.x), top, Width(), Height());
          dock_->AdjustHeight();
        } else {
          dragging_ = false;
          ReleaseCapture();
          RECT r = {p.x - drag_offset_.x, p.y - 10, 0, 0};
          FloatAt(r);
        }
        return 0;
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (msg == WM_LBUTTONUP) ReleaseCapture();
      }
      break;
  }
  return TControl::WndProc(msg, wp, lp);
}

// ---- dock bar -----------------------------------------------------------------

TControlBar::TControlBar(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(RegisterOwnClass("TControlBar"), "", WS_CLIPCHILDREN, 0);
  SetHeight(kRowHeight);
  SetAlign(TAlign::Top);
}

bool TControlBar::Contains(const TToolBar* bar) const {
  return bar->Dock() == this && !bar->Floating();
}

void TControlBar::AdjustHeight() {
  std::vector<TToolBar*> bars;
  for (TControl* c : Controls()) {
    auto* bar = dynamic_cast<TToolBar*>(c);
    if (bar && !bar->Floating() && bar->Visible()) bars.push_back(bar);
  }
  std::sort(bars.begin(), bars.end(), [](TToolBar* a, TToolBar* b) {
    return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
  });
  for (std::size_t i = 1; i < bars.size(); ++i) {
    TToolBar* before = bars[i - 1];
    TToolBar* bar = bars[i];
    const int right = before->Left() + before->Width();
    if (bar->Top() == before->Top() && bar->Left() < right)
      bar->SetBounds(right, bar->Top(), bar->Width(), bar->Height());
  }
  int h = 0;
  for (TControl* c : Controls()) {
    auto* bar = dynamic_cast<TToolBar*>(c);
    if (bar && !bar->Floating() && bar->Visible()) h = std::max(h, bar->Top() + bar->Height());
  }
  h = std::max(h + 2, 4);
  if (h != Height()) SetHeight(h);
}

LRESULT TControlBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CONTEXTMENU) {
    for (TControl* c : Controls()) {
      if (auto* bar = dynamic_cast<TToolBar*>(c); bar && bar->PopupMenu) {
        bar->PopupMenu->Popup(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), Handle());
        return 0;
      }
    }
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
