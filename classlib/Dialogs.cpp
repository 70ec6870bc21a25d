#include "classlib/Dialogs.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/StdCtrls.h"

namespace cl {

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
InputQueryHook& QueryHook() {
  static InputQueryHook hook;
  return hook;
}

// A box asked to stay on top is put there when it comes up, should the
// system's message box not have done so itself (Wine's does not).
//
// While it is up, a window of another process that comes up over it (the
// system's window about a program that keeps the session from ending, shown
// a few seconds later where the box stands) takes neither the place above
// the box nor the keyboard for good: the box takes both back when such a
// window comes (and while it is new), so that the user answers the question;
// a window the user turns to later keeps the keyboard. Whether such a window
// covers the box is asked of the windows themselves, a few times a second,
// whatever system and window manager stack them.
class TTopmostBox {
 public:
  TTopmostBox()
      : hook_(SetWindowsHookExA(WH_CBT, Activating, nullptr, GetCurrentThreadId())),
        timer_(SetTimer(nullptr, 0, kWatchMs, Watch)),
        outer_(current_) {
    current_ = this;
  }
  ~TTopmostBox() {
    current_ = outer_;
    if (timer_) KillTimer(nullptr, timer_);
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  TTopmostBox(const TTopmostBox&) = delete;
  TTopmostBox& operator=(const TTopmostBox&) = delete;

 private:
  static constexpr UINT kWatchMs = 200;
  static constexpr ULONGLONG kNewForMs = 3000;

  static LRESULT CALLBACK Activating(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
      HWND w = reinterpret_cast<HWND>(wp);
      char cls[16] = {};
      GetClassNameA(w, cls, sizeof cls);
      if (std::string(cls) == "#32770") {
        if (!(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST))
          SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (current_ && !current_->box_) {
          current_->box_ = w;
          // Windows of other processes up already were there before the
          // question: the user has seen them.
          current_->ForeignWindowsOver(w);
        }
      }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  // The visible top-level windows of other processes over the box's place
  // that were not seen before; they count as seen from now on.
  struct ForeignSearch {
    TTopmostBox* self;
    RECT place;
    bool found;
  };

  // One top-level window of the search: a new one of another process over
  // the box's place is noted.
  static BOOL CALLBACK NoteForeignWindow(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ForeignSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    RECT r, common;
    if (pid == GetCurrentProcessId() || !IsWindowVisible(w) || !GetWindowRect(w, &r) ||
        !IntersectRect(&common, &r, &s->place))
      return TRUE;
    auto& seen = s->self->seen_;
    if (std::find_if(seen.begin(), seen.end(), [w](const auto& e) { return e.first == w; }) == seen.end()) {
      seen.emplace_back(w, GetTickCount64());
      s->found = true;
    }
    return TRUE;
  }

  bool ForeignWindowsOver(HWND box) {
    ForeignSearch search{this, {}, false};
    GetWindowRect(box, &search.place);
    EnumWindows(NoteForeignWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  static void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
    TTopmostBox* self = current_;
    if (!self || !self->box_ || !IsWindow(self->box_) || !IsWindowVisible(self->box_)) return;
    // Such a window may take the keyboard a moment after it shows: while it
    // is new, the box takes it back then too.
    const HWND front = GetForegroundWindow();
    const ULONGLONG now = GetTickCount64();
    const bool taken =
        front != self->box_ && std::any_of(self->seen_.begin(), self->seen_.end(), [&](const auto& e) {
          return e.first == front && now - e.second < kNewForMs;
        });
    if (!self->ForeignWindowsOver(self->box_) && !taken) return;
    // Shown anew, the box comes up above every window, also on a display
    // that stacks the windows of each process on their own, and a window
    // manager hands it the keyboard as to any window that comes up.
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    ShowWindow(self->box_, SW_HIDE);
    ShowWindow(self->box_, SW_SHOW);
    SetWindowPos(self->box_, HWND_TOPMOST, 0, 0, 0, 0, keep);
    SetForegroundWindow(self->box_);
  }

  HHOOK hook_;
  UINT_PTR timer_;
  TTopmostBox* outer_;
  HWND box_ = nullptr;
  std::vector<std::pair<HWND, ULONGLONG>> seen_;
  static inline TTopmostBox* current_ = nullptr;
};

// Message boxes up now (ShowMessageBox).
int& BoxesUp() {
  static int n = 0;
  return n;
}
}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  // While the session ends, the system shows a window of its own about a
  // program that has not answered yet, in the middle of the screen, where
  // the box stands: the box stays above it, so that the user answers it.
  if (Application().EndingSession()) {
    flags |= MB_TOPMOST | MB_SETFOREGROUND | MB_TASKMODAL;
    // Owned by none of the program's windows (task-modal, it holds them all
    // the same): a window manager gives the keyboard to such a box when it
    // comes up again, where it keeps it from a box owned by a window that
    // has not the keyboard.
    owner = nullptr;
  }
  struct TUp {
    TUp() { ++BoxesUp(); }
    ~TUp() { --BoxesUp(); }
  } up;
  if (Hook()) return Hook()({owner, text, caption, flags});
  std::unique_ptr<TTopmostBox> topmost;
  if (flags & MB_TOPMOST) topmost = std::make_unique<TTopmostBox>();
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

bool MessageBoxUp() { return BoxesUp() > 0; }

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ShowMessage(const std::string& text) {
  ShowMessageBox(Application().DialogOwner(), text, Application().Title(), MB_OK);
}

int MessageDlg(const std::string& text, TMsgDlgType type, UINT buttons) {
  UINT icon = MB_ICONINFORMATION;
  switch (type) {
    case TMsgDlgType::Warning: icon = MB_ICONWARNING; break;
    case TMsgDlgType::Error: icon = MB_ICONERROR; break;
    case TMsgDlgType::Confirmation: icon = MB_ICONQUESTION; break;
    case TMsgDlgType::Information: icon = MB_ICONINFORMATION; break;
  }
  return ShowMessageBox(Application().DialogOwner(), text, Application().Title(), buttons | icon);
}

void SetInputQueryHook(InputQueryHook hook) { QueryHook() = std::move(hook); }

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  if (QueryHook()) return QueryHook()(caption, prompt, value);
  auto form = std::make_unique<TForm>(nullptr, "TInputQueryForm", caption,
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                                      WS_EX_DLGMODALFRAME);
  form->SetBounds(0, 0, 320, 130);
  auto* label = new TLabel(form.get(), form.get(), prompt);
  label->SetBounds(10, 10, 290, 18);
  auto* edit = new TEdit(form.get(), form.get());
  edit->SetBounds(10, 32, 290, 22);
  edit->SetText(value);
  auto* ok = new TButton(form.get(), form.get(), "OK", mrOk, true);
  ok->SetBounds(140, 64, 75, 25);
  auto* cancel = new TButton(form.get(), form.get(), "キャンセル", mrCancel);
  cancel->SetBounds(225, 64, 75, 25);
  POINT pt;
  GetCursorPos(&pt);
  form->SetBounds(pt.x - 160, pt.y - 20, 320, 130);
  // The value is typed at once: the field has the keyboard, its text selected.
  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return false;
  value = edit->Text();
  return true;
}

}  // namespace cl
