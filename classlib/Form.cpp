#include "classlib/Form.h"

#include <vector>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "classlib/StatusBar.h"

namespace cl {

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM lp) {
  auto* v = reinterpret_cast<std::vector<HWND>*>(lp);
  if (IsWindowVisible(w) && IsWindowEnabled(w)) v->push_back(w);
  return TRUE;
}

// Sets a flag for a scope, cleared on every way out.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
};
}  // namespace

TForm::TForm(TComponent* owner, const char* class_name, const std::string& caption, DWORD style,
             DWORD ex_style)
    : TControl(owner, nullptr) {
  // The main form, made before there is one, belongs to no other window: a
  // window manager then takes it for the program's window and hands it the
  // keyboard back when a dialog of it closes. Later forms belong to the main
  // form until one is shown modally (ShowModal gives it the window that
  // opens it).
  TForm* main = Application().MainForm();
  CreateTopLevelHandle(RegisterOwnClass(class_name), caption.c_str(), style, ex_style,
                       main ? main->Handle() : nullptr);
}

void TForm::DoCreate() {
  if (created_) return;
  created_ = true;
  FormCreate();
}

void TForm::DoDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  FormDestroy();
}

void TForm::Show() {
  FormShow();
  SetVisible(true);
  Realign();
}

void TForm::Hide() { SetVisible(false); }

bool TForm::AskCloseQuery() {
  if (asking_close_) return false;
  TFlagScope asking(asking_close_);
  return FormCloseQuery();
}

void TForm::Close() {
  if (!AskCloseQuery()) return;
  if (in_modal_) {
    if (modal_result_ == mrNone) modal_result_ = mrCancel;
  } else if (Application().MainForm() == this) {
    Application().Terminate();
  } else {
    Hide();
  }
}

bool TForm::QueryEndSession() {
  // A hidden form holds nothing to ask about. A question that is up already
  // (a close, an earlier end of the session, any message box of a command)
  // waits for the user: the session does not end meanwhile, and no second
  // question comes.
  if (!IsWindowVisible(Handle())) return true;
  if (asking_close_ || MessageBoxUp()) return false;
  TFlagScope ending(Application().ending_session_);
  return AskCloseQuery();
}

void TForm::EndSession() {
  if (Application().MainForm() != this) return;
  // The system may end the process as soon as this returns: the form's
  // clean-up runs now, as at the end of the application's loop.
  Application().Terminate();
  DoDestroy();
}

namespace {
// Disables the program's other windows while a modal form is up and gives
// them back on every way out.
class TModalScope {
 public:
  explicit TModalScope(HWND form) : form_(form), owner_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                      reinterpret_cast<LPARAM>(&disabled_));
    for (HWND w : disabled_)
      if (w != form_) EnableWindow(w, FALSE);
    Application().AddModelessDialog(form_);  // Tab, Enter and Esc
  }
  ~TModalScope() {
    Application().RemoveModelessDialog(form_);
    // Enable the owner before hiding, so that it, not some other
    // program, becomes the active window.
    for (HWND w : disabled_)
      if (w != form_ && IsWindow(w)) EnableWindow(w, TRUE);
    if (owner_ && IsWindow(owner_)) Application().HandKeyboardBack(form_, owner_);
    if (IsWindow(form_)) ShowWindow(form_, SW_HIDE);
    if (owner_ && IsWindow(owner_)) SetActiveWindow(owner_);
  }
  TModalScope(const TModalScope&) = delete;
  TModalScope& operator=(const TModalScope&) = delete;

 private:
  HWND form_;
  HWND owner_;
  std::vector<HWND> disabled_;
};
}  // namespace

int TForm::ShowModal() {
  modal_result_ = mrNone;
  FormShow();
  // The form belongs to the window that opens it: it stays above that
  // window, and the keyboard goes back there when it closes, with or
  // without a window manager.
  HWND owner = Application().DialogOwner();
  if (owner != Handle() && GetWindow(Handle(), GW_OWNER) != owner)
    SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  TModalScope scope(Handle());
  TFlagScope modal(in_modal_);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  if (TControl* c = ActiveControl(); c && IsWindowEnabled(c->Handle()) && IsWindowVisible(c->Handle()))
    FocusControl(c->Handle());
  else
    NextControl(0, 0);
  while (modal_result_ == mrNone && !Application().Terminated() && Handle()) {
    Application().HandleMessage();
  }
  return modal_result_;
}

void TForm::SetActiveControl(TControl* c) {
  active_control_ = c ? c->Handle() : nullptr;
  if (c && IsWindowVisible(Handle())) c->SetFocus();
}

namespace {
void CollectControls(HWND parent, std::vector<HWND>& all) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    LONG style = GetWindowLongA(c, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
    all.push_back(c);
    if (GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) CollectControls(c, all);
  }
}
}  // namespace

HWND TForm::NextTabStop(HWND from, bool previous) const {
  std::vector<HWND> all;
  CollectControls(Handle(), all);
  const int n = static_cast<int>(all.size());
  if (n == 0) return nullptr;
  // The position of `from` or of its ancestor in the list.
  int pos = -1;
  for (HWND h = from; h && h != Handle() && pos < 0; h = GetParent(h)) {
    for (int i = 0; i < n; ++i)
      if (all[static_cast<std::size_t>(i)] == h) pos = i;
  }
  if (pos < 0) pos = previous ? n : -1;
  for (int step = 1; step <= n; ++step) {
    int i = ((pos + (previous ? -step : step)) % n + n) % n;
    HWND h = all[static_cast<std::size_t>(i)];
    if (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP) return h;
  }
  return nullptr;
}

void TForm::FocusControl(HWND target) {
  if (!target) return;
  ::SetFocus(target);
  // Edits entered this way have their text selected, as in dialogs.
  if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageA(target, EM_SETSEL, 0, -1);
}

void TForm::NextControl(WPARAM wp, LPARAM lp) {
  if (LOWORD(lp)) {
    ::SetFocus(reinterpret_cast<HWND>(wp));  // this control
    return;
  }
  HWND focus = GetFocus();
  bool inside = focus && IsChild(Handle(), focus);
  // The next (wp 0) or previous tab stop; the first one when the focus is elsewhere.
  FocusControl(NextTabStop(inside ? focus : nullptr, inside && wp != 0));
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (Handle()) ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
}

bool TForm::IsShortCut(WORD key, TShiftState shift) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  HWND focus = GetFocus();
  if (focus != Handle() && !IsChild(Handle(), focus)) focus = nullptr;
  if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
    // A control that takes Tab itself keeps it (the topic editor). Asked
    // without the message: with it, the rich edit takes itself for a
    // dialog's field and hands Tab on instead of typing it.
    LRESULT code = focus ? SendMessageA(focus, WM_GETDLGCODE, VK_TAB, 0) : 0;
    if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    // The tab order of nested containers is ours, not the platform's.
    FocusControl(NextTabStop(focus, (shift & ssShift) != 0));
    return true;
  }
  TShortCut s = ShortCut(key, shift & (ssShift | ssCtrl | ssAlt));
  for (TComponent* c : Components()) {
    if (auto* list = dynamic_cast<TActionList*>(c)) {
      if (list->HandleShortCut(s)) return true;
    }
  }
  if (menu_) {
    if (TMenuItem* m = menu_->Items()->FindShortCut(s)) {
      m->Click();
      return true;
    }
  }
  if (key == VK_F6 && !(shift & (ssCtrl | ssAlt))) {
    // F6, when nothing else takes it, leads on from any control, one that
    // keeps Tab included.
    FocusControl(NextTabStop(focus, (shift & ssShift) != 0));
    return true;
  }
  return false;
}

RECT TForm::ScreenBounds() const {
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  RECT r = {};
  if (Handle() && GetWindowPlacement(Handle(), &wp)) r = wp.rcNormalPosition;
  return r;
}

void TForm::SetScreenBounds(int left, int top, int width, int height) {
  SetBounds(left, top, width, height);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      return QueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wp) EndSession();
      return 0;
    case WM_ACTIVATE:
      // Keep the focused control across deactivation, as dialogs do.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) active_control_ = focus;
        break;
      }
      PostRaiseOwnedToolWindows();
      if (active_control_ && IsWindow(active_control_) && IsChild(Handle(), active_control_) &&
          IsWindowVisible(active_control_) && IsWindowEnabled(active_control_)) {
        DefaultProc(msg, wp, lp);
        ::SetFocus(active_control_);
        return 0;
      }
      break;
    case WM_MOUSEACTIVATE:
      // A click activates an inactive window only: told so while active,
      // the window hears from a window manager.
      if (reinterpret_cast<HWND>(wp) == Handle() && (LOWORD(lp) == HTMENU || LOWORD(lp) == HTCAPTION) &&
          HIWORD(lp) == WM_LBUTTONDOWN && GetActiveWindow() == Handle())
        Application().NoteWindowManager();
      break;
    case WM_NEXTDLGCTL:
      // IsDialogMessage moves the focus through this message, which only
      // the dialog window class would know.
      NextControl(wp, lp);
      return 0;
    case WM_COMMAND:
      if (in_modal_ && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) &&
          (lp == 0 || !TControl::FromHandle(reinterpret_cast<HWND>(lp)))) {
        modal_result_ = LOWORD(wp) == IDOK ? mrOk : mrCancel;
        return 0;
      }
      if (lp == 0 && HIWORD(wp) == 0) {
        if (TMenuItem* m = TMenuItem::FromCommand(LOWORD(wp))) {
          m->Click();
          return 0;
        }
      }
      break;
    case WM_MENUSELECT:
      ShowMenuHint(wp, lp);
      break;
    case WM_EXITMENULOOP:
      if (HintStatusBar && HintStatusBar->SimplePanel()) HintStatusBar->SetSimplePanel(false);
      break;
    case WM_WINDOWPOSCHANGED:
      if (!(reinterpret_cast<WINDOWPOS*>(lp)->flags & SWP_NOZORDER)) PostRaiseOwnedToolWindows();
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(wp) == WM_LBUTTONDOWN || LOWORD(wp) == WM_RBUTTONDOWN) PostRaiseOwnedToolWindows();
      break;
    case kRaiseToolsMessage:
      raise_posted_ = false;
      RaiseOwnedToolWindows();
      return 0;
  }
  return TControl::WndProc(msg, wp, lp);
}

void TForm::ShowMenuHint(WPARAM wp, LPARAM lp) {
  if (!HintStatusBar) return;
  const UINT flags = HIWORD(wp);
  std::string hint;
  // A closed menu (flags 0xFFFF, no menu), a submenu's title and a
  // separator have no hint.
  if (lp != 0 && flags != 0xFFFF && !(flags & (MF_POPUP | MF_SEPARATOR)))
    if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(wp))) hint = item->Hint();
  if (hint.empty()) {
    if (HintStatusBar->SimplePanel()) HintStatusBar->SetSimplePanel(false);
    return;
  }
  if (!HintStatusBar->SimplePanel()) HintStatusBar->SetSimplePanel(true);
  HintStatusBar->SetSimpleText(hint);
}

namespace {
struct OwnedTools {
  HWND owner;
  std::vector<HWND> tools;
};

BOOL CALLBACK CollectOwnedTool(HWND w, LPARAM p) {
  auto* c = reinterpret_cast<OwnedTools*>(p);
  if (GetWindow(w, GW_OWNER) == c->owner &&
      (IsWindowVisible(w) || GetPropA(w, kShowWithOwnerProp)) &&
      (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
    c->tools.push_back(w);
  return TRUE;
}
}  // namespace

void TForm::PostRaiseOwnedToolWindows() {
  // After the activation or click has run its course: the display raises
  // the clicked window at its end.
  if (raise_posted_) return;
  raise_posted_ = PostMessageA(Handle(), kRaiseToolsMessage, 0, 0) != 0;
}

void TForm::RaiseOwnedToolWindows() {
  if (raising_tools_) return;
  raising_tools_ = true;
  // Owned windows stay above their owner; Wine loses that when the owner is
  // activated again after a modal dialog, and a floating toolbar would end
  // up behind its main window.
  OwnedTools ctx{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectOwnedTool, reinterpret_cast<LPARAM>(&ctx));
  for (HWND w : ctx.tools) {
    if (GetPropA(w, kShowWithOwnerProp)) {
      RemovePropA(w, kShowWithOwnerProp);
      ShowWindow(w, SW_SHOWNOACTIVATE);
    }
  }
  // A window already first in the z-order is not raised on the display
  // again: take it behind this form first.
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  for (HWND w : ctx.tools) {
    SetWindowPos(w, Handle(), 0, 0, 0, 0, flags);
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, flags);
  }
  raising_tools_ = false;
}

}  // namespace cl
