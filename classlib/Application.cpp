#include "classlib/Application.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "classlib/Control.h"
#include "classlib/Dialogs.h"
#include "classlib/ErrorTexts.h"
#include "classlib/Form.h"

namespace cl {

namespace {

// The keys with which an edit field cuts, copies, pastes, undoes, selects
// all and deletes.
bool IsEditKey(WORD key, TShiftState shift) {
  const TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
  switch (key) {
    case 'C': case 'V': case 'X': case 'Z': case 'A': return mods == ssCtrl;
    case VK_INSERT: return mods == ssCtrl || mods == ssShift;
    case VK_DELETE: return mods == 0 || mods == ssShift;
    default: return false;
  }
}

class TApplicationWindow : public TControl {
 public:
  explicit TApplicationWindow(TApplication& app) : TControl(nullptr, nullptr), app_(app) {
    CreateTopLevelHandle(RegisterOwnClass("TApplication"), "", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                         0, nullptr);
  }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_RESTORE) {
      app_.Restore();
      return 0;
    }
    // A message box this hidden window owns hands it the activation when it
    // closes: once that is done, the keyboard goes back to the main form
    // (and its focused control), where the user types on.
    if (msg == WM_SETFOCUS) PostMessageA(Handle(), kPassFocusMessage, 0, 0);
    if (msg == kPassFocusMessage) {
      TForm* main = app_.MainForm();
      HWND h = main ? main->Handle() : nullptr;
      if (GetFocus() == Handle() && h && IsWindowVisible(h) && IsWindowEnabled(h)) SetForegroundWindow(h);
      return 0;
    }
    return TControl::WndProc(msg, wp, lp);
  }

 private:
  static constexpr UINT kPassFocusMessage = WM_APP + 0x3F02;
  TApplication& app_;
};

}  // namespace

TApplication& Application() {
  static TApplication app;
  return app;
}

void TApplication::Initialize() {
  if (!window_) window_ = new TApplicationWindow(*this);
  terminated_ = false;
}

HWND TApplication::Handle() const { return window_ ? window_->Handle() : nullptr; }

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (window_) window_->SetText(title);
}

HWND TApplication::DialogOwner() const {
  HWND active = GetActiveWindow();
  if (active && active != Handle() && IsWindowVisible(active)) return active;
  HWND main = main_form_ ? main_form_->Handle() : nullptr;
  if (main && IsWindowVisible(main)) return main;
  return Handle();
}

namespace {
// A window of one pixel, owned by the window that takes the keyboard back.
// A window manager focuses it as it comes up (a new window of the program
// that has the keyboard) by telling it to take the keyboard; it declines
// (MA_NOACTIVATE), and the system then hands the keyboard to the program's
// active window, the owner, and tells the window manager so. A popup with
// a system menu is one the window manager manages.
class TKeyboardRelay {
 public:
  explicit TKeyboardRelay(HWND owner) {
    static const char* cls = [] {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "TKeyboardRelay";
      RegisterClassA(&wc);
      return "TKeyboardRelay";
    }();
    // On the owner's corner that is on the screen: a window off the screen
    // is not shown at all.
    RECT owner_rect{}, screen{}, place{};
    GetWindowRect(owner, &owner_rect);
    screen.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    screen.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (!IntersectRect(&place, &owner_rect, &screen)) return;
    handle_ = CreateWindowExA(0, cls, "", WS_POPUP | WS_SYSMENU, place.left, place.top, 1, 1, owner, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (handle_) SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~TKeyboardRelay() {
    if (handle_) DestroyWindow(handle_);
  }
  TKeyboardRelay(const TKeyboardRelay&) = delete;
  TKeyboardRelay& operator=(const TKeyboardRelay&) = delete;

  // Shows the window and waits until the window manager has told it to
  // take the keyboard, at most `ms` milliseconds.
  void Relay(DWORD ms) {
    if (!handle_) return;
    ShowWindow(handle_, SW_SHOWNOACTIVATE);
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); !asked_ && now < end; now = GetTickCount64()) {
      // Sent messages (the window manager's word among them) are handled
      // while waiting; the queue's own messages wait for the loop.
      MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT, 0);
      MSG m;
      PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TKeyboardRelay*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    switch (msg) {
      case WM_MOUSEACTIVATE:
        if (self) self->asked_ = true;
        return MA_NOACTIVATE;
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return 0;
      }
    }
    return DefWindowProcA(h, msg, wp, lp);
  }

  HWND handle_ = nullptr;
  bool asked_ = false;
};

// A dialog box of the system owned by one of our windows that hides (its
// answer given, closed) hands the keyboard back to its owner first.
LRESULT CALLBACK SeeBoxGo(int code, WPARAM wp, LPARAM lp) {
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && m->message == WM_WINDOWPOSCHANGING &&
      (reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags & SWP_HIDEWINDOW) && IsWindowVisible(m->hwnd)) {
    char cls[16] = {};
    GetClassNameA(m->hwnd, cls, sizeof cls);
    HWND owner = GetWindow(m->hwnd, GW_OWNER);
    if (owner && std::string(cls) == "#32770") Application().HandKeyboardBack(m->hwnd, owner);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
}  // namespace

void TApplication::NoteWindowManager(bool speaks) {
  window_manager_ = speaks;
  if (speaks && !box_hook_) box_hook_ = SetWindowsHookExA(WH_CALLWNDPROC, SeeBoxGo, nullptr, GetCurrentThreadId());
  if (!speaks && box_hook_) {
    UnhookWindowsHookEx(box_hook_);
    box_hook_ = nullptr;
  }
}

void TApplication::HandKeyboardBack(HWND closing, HWND owner) {
  // Only a window that has the keyboard hands it on, to a shown owner that
  // can take it.
  if (!window_manager_ || !closing || GetForegroundWindow() != closing || !owner || !IsWindow(owner) ||
      !IsWindowVisible(owner) || !IsWindowEnabled(owner))
    return;
  SetActiveWindow(owner);
  if (GetActiveWindow() == owner) TKeyboardRelay(owner).Relay(kRelayWaitMs);
}

void TApplication::Restore() {
  if (!main_form_ || !main_form_->Handle()) return;
  HWND h = main_form_->Handle();
  if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
  ShowWindow(h, SW_SHOW);
  SetForegroundWindow(h);
}

bool TApplication::KeyMayBeShortCut(const MSG& msg) const {
  HWND h = msg.hwnd;
  if (!h) return true;
  // A dialog of the system shown beside the forms (find, replace) takes the
  // keys of its own fields, as IsDialogMessage hands them on.
  for (HWND d : modeless_)
    if ((h == d || IsChild(d, h)) && !dynamic_cast<TForm*>(TControl::FromHandle(d))) return false;
  if (TControl::FromHandle(h)) return true;
  // A window that a control makes for itself and that asks for every key,
  // or for this one, as the edit box a tree view opens over a label does.
  MSG asked = msg;
  const LRESULT code = SendMessageA(h, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&asked));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  // The edit field such a control makes (the text of a combo box) takes
  // the edit keys as its own; the form's other shortcuts still run there.
  return !((code & DLGC_HASSETSEL) && IsEditKey(static_cast<WORD>(msg.wParam), CurrentShiftState()));
}

bool TApplication::IsShortCut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (!KeyMayBeShortCut(msg)) return false;
  HWND active = GetActiveWindow();
  TForm* form = dynamic_cast<TForm*>(TControl::FromHandle(active));
  if (!form) form = main_form_;
  if (!form || !form->Handle() || !IsWindowEnabled(form->Handle())) return false;
  return form->IsShortCut(static_cast<WORD>(msg.wParam), CurrentShiftState());
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  // Whatever the message starts (a shortcut's action, a window's handler
  // reached through a procedure that is none of ours), an error is shown
  // and the loop goes on.
  try {
    DispatchOne(msg);
  } catch (const std::exception& e) {
    HandleException(e);
  } catch (...) {
    HandleException(std::runtime_error(kUnknownErrorText));
  }
  return true;
}

void TApplication::DispatchOne(MSG& msg) {
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  if (handled || IsShortCut(msg)) return;
  // A double-byte character reaches an ANSI loop as a lead byte and a trail
  // byte. IsDialogMessage would convert each byte on its own and spoil the
  // character, and neither is an access key: both go straight to the window.
  bool double_byte = false;
  if (msg.message == WM_CHAR) {
    double_byte = trail_byte_next_ || IsDBCSLeadByte(static_cast<BYTE>(msg.wParam));
    trail_byte_next_ = !trail_byte_next_ && double_byte;
  }
  for (HWND d : modeless_) {
    if (double_byte) break;
    if (IsWindow(d) && IsDialogMessageA(d, &msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) WaitMessage();
}

void TApplication::Run() {
  if (main_form_) main_form_->Show();
  while (!terminated_) HandleMessage();
  if (main_form_) {
    TForm* f = main_form_;
    main_form_ = nullptr;
    f->DoDestroy();
    delete f;
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    OnException(e);
    return;
  }
  ShowMessageBox(DialogOwner(), e.what(), title_, MB_OK | MB_ICONERROR);
}

void TApplication::AddModelessDialog(HWND h) { modeless_.push_back(h); }

void TApplication::RemoveModelessDialog(HWND h) {
  modeless_.erase(std::remove(modeless_.begin(), modeless_.end(), h), modeless_.end());
}

bool TApplication::HelpCommand(UINT command, ULONG_PTR data) {
  HWND owner = main_form_ && main_form_->Handle() ? main_form_->Handle() : Handle();
  return WinHelpA(owner, HelpFile.c_str(), command, data) != FALSE;
}

}  // namespace cl
