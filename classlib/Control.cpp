#include "classlib/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <unordered_map>

#include "classlib/Application.h"
#include "classlib/ErrorTexts.h"
#include "classlib/GraphicControl.h"
#include "classlib/Menu.h"

namespace cl {

namespace {
HINSTANCE Instance() { return GetModuleHandleA(nullptr); }
int g_wait_depth = 0;

// The control of each of our windows, kept in the process: a window
// property would do as well, but reading one is a call to Wine's server,
// and the window procedure looks for its control at every message. A
// window of another process is never found here.
class TControlRegistry {
 public:
  TControlRegistry() { InitializeCriticalSection(&lock_); }
  TControl* Find(HWND h) {
    EnterCriticalSection(&lock_);
    auto it = controls_.find(h);
    TControl* c = it == controls_.end() ? nullptr : it->second;
    LeaveCriticalSection(&lock_);
    return c;
  }
  void Set(HWND h, TControl* c) {
    EnterCriticalSection(&lock_);
    controls_[h] = c;
    LeaveCriticalSection(&lock_);
  }
  // Forgets h, when it is still c's (any control's when c is null).
  void Remove(HWND h, const TControl* c = nullptr) {
    EnterCriticalSection(&lock_);
    auto it = controls_.find(h);
    if (it != controls_.end() && (!c || it->second == c)) controls_.erase(it);
    LeaveCriticalSection(&lock_);
  }

 private:
  CRITICAL_SECTION lock_;
  std::unordered_map<HWND, TControl*> controls_;
};

TControlRegistry& Registry() {
  static TControlRegistry* registry = new TControlRegistry;  // outlives every window
  return *registry;
}
}  // namespace

TShiftState CurrentShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
  if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
  return s;
}

LRESULT CALLBACK ControlWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  TControl* c = Registry().Find(h);
  if (!c && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    c = static_cast<TControl*>(cs->lpCreateParams);
    if (c) {
      c->handle_ = h;
      Registry().Set(h, c);
    }
  }
  if (!c) return DefWindowProcA(h, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    LRESULT r = c->DefaultProc(msg, wp, lp);
    Registry().Remove(h);
    if (c->old_proc_) SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(c->old_proc_));
    c->handle_ = nullptr;
    return r;
  }
  try {
    LRESULT result = 0;
    if (!c->graphic_controls_.empty() && TGraphicControl::ParentMessage(c, msg, wp, lp, result))
      return result;
    return c->WndProc(msg, wp, lp);
  } catch (const std::exception& e) {
    Application().HandleException(e);
  } catch (...) {
    Application().HandleException(std::runtime_error(kUnknownErrorText));
  }
  return 0;
}

TControl* TControl::FromHandle(HWND h) {
  return h ? Registry().Find(h) : nullptr;
}

TControl::TControl(TComponent* owner, TControl* parent) : TComponent(owner), parent_(parent) {
  if (parent_) parent_->children_.push_back(this);
}

TControl::~TControl() {
  if (parent_) {
    auto& v = parent_->children_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  for (TControl* child : children_) child->parent_ = nullptr;
  while (!graphic_controls_.empty()) {
    graphic_controls_.back()->ParentDestroyed();
    graphic_controls_.pop_back();
  }
  graphic_capture_ = nullptr;
  if (handle_) {
    HWND h = handle_;
    DestroyWindow(h);
    handle_ = nullptr;
    // Its last message forgets the window; one whose procedure was
    // replaced after ours may not get there.
    Registry().Remove(h, this);
  }
  if (own_font_ && font_) DeleteObject(font_);
}

const char* TControl::RegisterOwnClass(const char* name, UINT class_style, HBRUSH background) {
  static std::map<std::string, bool> registered;
  if (!registered[name]) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = class_style;
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background ? background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconA(Instance(), "MAINICON");
    wc.lpszClassName = name;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw std::runtime_error(std::string("Cannot register window class ") + name);
    registered[name] = true;
  }
  return name;
}

void TControl::CreateHandle(const char* class_name, const char* text, DWORD style,
                            DWORD ex_style) {
  HWND parent_handle = parent_ ? parent_->Handle() : nullptr;
  if (parent_handle && !(style & WS_POPUP)) style |= WS_CHILD;
  if (visible_ && (style & WS_CHILD)) style |= WS_VISIBLE;
  MakeWindow(class_name, text, style, ex_style, parent_handle);
}

void TControl::CreateTopLevelHandle(const char* class_name, const char* text, DWORD style,
                                    DWORD ex_style, HWND owner) {
  visible_ = false;
  left_ = top_ = CW_USEDEFAULT;
  width_ = height_ = CW_USEDEFAULT;
  MakeWindow(class_name, text, style & ~(WS_CHILD | WS_VISIBLE), ex_style, owner);
}

void TControl::MakeWindow(const char* class_name, const char* text, DWORD style, DWORD ex_style,
                          HWND parent_handle) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  bool own = GetClassInfoExA(Instance(), class_name, &wc) && wc.lpfnWndProc == ControlWindowProc;
  HWND h = CreateWindowExA(ex_style, class_name, text, style, left_, top_, width_, height_,
                           parent_handle, nullptr, Instance(), own ? this : nullptr);
  if (!h) throw std::runtime_error(std::string("Cannot create window of class ") + class_name);
  if (!own) {
    handle_ = h;
    Registry().Set(h, this);
    old_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProc)));
  }
  if (parent_ && parent_->font_ && !font_) {
    font_ = parent_->font_;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  } else if (!font_) {
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
  UpdateBoundsFromWindow();
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (old_proc_) return CallWindowProcA(old_proc_, handle_, msg, wp, lp);
  return DefWindowProcA(handle_, msg, wp, lp);
}

void TControl::UpdateBoundsFromWindow() {
  if (!handle_) return;
  RECT r;
  GetWindowRect(handle_, &r);
  HWND parent = GetAncestor(handle_, GA_PARENT);
  if ((GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) && parent) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

bool TControl::PaintsItself(UINT msg, WPARAM wp, LRESULT& result,
                            const std::function<void(HDC)>& paint) {
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      paint(dc);
      EndPaint(Handle(), &ps);
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wp));
      result = 0;
      return true;
    default:
      return false;
  }
}

LRESULT TControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE: {
      LRESULT r = DefaultProc(msg, wp, lp);
      UpdateBoundsFromWindow();
      Realign();
      if (OnResize) OnResize(this);
      return r;
    }
    case WM_MOVE: {
      LRESULT r = DefaultProc(msg, wp, lp);
      UpdateBoundsFromWindow();
      return r;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (TControl* child = FromHandle(hdr->hwndFrom)) {
        LRESULT result = 0;
        if (child->Notify(hdr, result)) return result;
      }
      break;
    }
    case WM_COMMAND:
      if (lp) {
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lp))) {
          if (child->Command(HIWORD(wp))) return 0;
        }
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lp))) {
        LRESULT result = 0;
        if (child != this && child->CtlColor(msg, wp, lp, result)) return result;
      }
      break;
    case WM_KEYDOWN:
      if (OnKeyDown) {
        WORD key = static_cast<WORD>(wp);
        OnKeyDown(this, key, CurrentShiftState());
        if (key == 0) return 0;
        wp = key;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (OnMouseDown)
        OnMouseDown(this, msg == WM_LBUTTONDOWN ? 0 : 1, CurrentShiftState(), GET_X_LPARAM(lp),
                    GET_Y_LPARAM(lp));
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (OnMouseUp)
        OnMouseUp(this, msg == WM_LBUTTONUP ? 0 : 1, CurrentShiftState(), GET_X_LPARAM(lp),
                  GET_Y_LPARAM(lp));
      if (msg == WM_LBUTTONUP && OnClick && !clicks_notified_) OnClick(this);
      break;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(this, CurrentShiftState(), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick && !clicks_notified_) OnDblClick(this);
      break;
    case WM_INITMENUPOPUP:
      // Checks and enabled states are read afresh when a menu opens.
      if (TMenuItem::PopupOpening(reinterpret_cast<HMENU>(wp))) return 0;
      break;
    case WM_MEASUREITEM:
      // Menu images are drawn by the menu items.
      if (wp == 0 && TMenuItem::MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (wp == 0 && TMenuItem::DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_SETCURSOR:
      if (TWaitCursor::Active()) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
  }
  return DefaultProc(msg, wp, lp);
}

void TControl::SetParent(TControl* parent) {
  if (parent_ == parent) return;
  if (parent_) {
    auto& v = parent_->children_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  parent_ = parent;
  if (parent_) parent_->children_.push_back(this);
  if (handle_ && parent_) ::SetParent(handle_, parent_->Handle());
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_) {
    MoveWindow(handle_, left, top, width, height, TRUE);
    UpdateBoundsFromWindow();
  }
  if (parent_ && align_ != TAlign::None) parent_->Realign();
}

int TControl::ClientWidth() const {
  RECT r = {};
  if (handle_) GetClientRect(handle_, &r);
  return r.right;
}

int TControl::ClientHeight() const {
  RECT r = {};
  if (handle_) GetClientRect(handle_, &r);
  return r.bottom;
}

void TControl::SetAlign(TAlign a) {
  align_ = a;
  if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool v) {
  visible_ = v;
  if (handle_) ShowWindow(handle_, v ? SW_SHOW : SW_HIDE);
  if (parent_ && align_ != TAlign::None) parent_->Realign();
}

bool TControl::Enabled() const { return handle_ ? IsWindowEnabled(handle_) != FALSE : true; }
void TControl::SetEnabled(bool v) {
  if (handle_) EnableWindow(handle_, v);
}

std::string TControl::Text() const {
  if (!handle_) return {};
  int n = GetWindowTextLengthA(handle_);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  int got = GetWindowTextA(handle_, &s[0], n + 1);
  s.resize(static_cast<std::size_t>(got));
  return s;
}

void TControl::SetText(const std::string& text) {
  if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TControl::BringToFront() {
  if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TControl::SetFont(const std::string& name, int height, bool bold) {
  HFONT f = CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, name.c_str());
  if (own_font_ && font_) DeleteObject(font_);
  font_ = f;
  own_font_ = true;
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
}

void TControl::Realign() {
  if (!handle_ || realigning_) return;
  realigning_ = true;
  RECT r;
  GetClientRect(handle_, &r);
  auto place = [&](TControl* c, int x, int y, int w, int h) {
    c->left_ = x;
    c->top_ = y;
    c->width_ = std::max(w, 0);
    c->height_ = std::max(h, 0);
    if (c->handle_) MoveWindow(c->handle_, x, y, c->width_, c->height_, TRUE);
  };
  for (TAlign pass : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
    for (TControl* c : children_) {
      if (c->align_ != pass || !c->visible_) continue;
      switch (pass) {
        case TAlign::Top:
          place(c, r.left, r.top, r.right - r.left, c->height_);
          r.top += c->height_;
          break;
        case TAlign::Bottom:
          place(c, r.left, r.bottom - c->height_, r.right - r.left, c->height_);
          r.bottom -= c->height_;
          break;
        case TAlign::Left:
          place(c, r.left, r.top, c->width_, r.bottom - r.top);
          r.left += c->width_;
          break;
        case TAlign::Right:
          place(c, r.right - c->width_, r.top, c->width_, r.bottom - r.top);
          r.right -= c->width_;
          break;
        default:
          place(c, r.left, r.top, r.right - r.left, r.bottom - r.top);
          break;
      }
    }
  }
  realigning_ = false;
}

TWaitCursor::TWaitCursor() {
  ++g_wait_depth;
  old_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

TWaitCursor::~TWaitCursor() {
  if (--g_wait_depth == 0) SetCursor(old_ ? old_ : LoadCursor(nullptr, IDC_ARROW));
}

bool TWaitCursor::Active() { return g_wait_depth > 0; }

}  // namespace cl
