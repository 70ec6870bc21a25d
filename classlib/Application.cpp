#include "classlib/Application.h"

#include <algorithm>

#include "classlib/Control.h"
#include "classlib/Dialogs.h"
#include "classlib/Form.h"

namespace cl {

namespace {

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
    return TControl::WndProc(msg, wp, lp);
  }

 private:
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

void TApplication::Restore() {
  if (!main_form_ || !main_form_->Handle()) return;
  HWND h = main_form_->Handle();
  if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
  ShowWindow(h, SW_SHOW);
  SetForegroundWindow(h);
}

bool TApplication::IsShortCut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
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
  bool handled = false;
  if (OnMessage) {
    try {
      OnMessage(msg, handled);
    } catch (const std::exception& e) {
      HandleException(e);
      handled = true;
    }
  }
  if (handled) return true;
  if (IsShortCut(msg)) return true;
  for (HWND d : modeless_) {
    if (!IsWindow(d) || !(msg.hwnd == d || IsChild(d, msg.hwnd))) continue;
    // A typed double-byte character comes as its lead and its trail byte;
    // IsDialogMessage would convert each alone. In a text box the lead waits
    // for its trail.
    // The pair goes into the text box whole.
    if (msg.message == WM_CHAR && msg.wParam <= 0xFF) {
      const auto byte = static_cast<BYTE>(msg.wParam);
      if (modeless_lead_ && modeless_lead_hwnd_ == msg.hwnd) {
        const char pair[3] = {static_cast<char>(modeless_lead_), static_cast<char>(byte), '\0'};
        modeless_lead_ = 0;
        SendMessageA(msg.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair));
        return true;
      }
      char cls[16] = {};
      GetClassNameA(msg.hwnd, cls, sizeof cls);
      if (IsDBCSLeadByte(byte) && lstrcmpiA(cls, "Edit") == 0) {
        modeless_lead_ = byte;
        modeless_lead_hwnd_ = msg.hwnd;
        return true;
      }
    }
    if (IsDialogMessageA(d, &msg)) return true;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
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
  ShowMessageBox(Handle(), e.what(), title_, MB_OK | MB_ICONERROR);
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
