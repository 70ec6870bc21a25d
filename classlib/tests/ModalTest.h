// Helpers for the Wine tests of modal dialogs: run a step while the form's
// modal loop runs, and feed it keys as the message loop would see them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/tests/WaitUntil.h"

namespace qmtest {

// Shows the form modally and runs `during` from inside its loop, once it is
// up; a dialog still open a minute later fails the test and is closed with
// the result -1.
inline int RunModal(cl::TForm& form, std::function<void()> during) {
  static std::function<void()> step;
  static cl::TForm* running;
  step = std::move(during);
  running = &form;
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto f = std::move(step);
    step = nullptr;
    // Wine may hand the focus back to the owner from an earlier activation
    // after the form is up: the keys of the step are the form's.
    HWND h = running->Handle();
    HWND focus = GetFocus();
    if (!focus || !(focus == h || IsChild(h, focus))) {
      SetForegroundWindow(h);
      SetFocus(h);
    }
    if (f) f();
  });
  struct TGuard {
    UINT_PTR id = SetTimer(nullptr, 0, kWaitLimitMs, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      ADD_FAILURE() << "the dialog did not close";
      running->SetModalResult(-1);
    });
    ~TGuard() { KillTimer(nullptr, id); }
  } guard;
  return form.ShowModal();
}

// Runs `step` on the first window of class `cls` once one is up, from a
// timer that the next message loop (a modal dialog's, say) runs. A window
// that has not come a minute later fails the test.
inline void WhenWindowUp(const char* cls, std::function<void(HWND)> step) {
  static std::function<void(HWND)> pending;
  static const char* wanted;
  static ULONGLONG until;
  pending = std::move(step);
  wanted = cls;
  until = GetTickCount64() + kWaitLimitMs;
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND w = FindWindowA(wanted, nullptr);
    if (!w && GetTickCount64() < until) return;  // the timer comes again
    KillTimer(nullptr, id);
    auto f = std::move(pending);
    pending = nullptr;
    if (!w) ADD_FAILURE() << "no window of class " << wanted << " came up";
    else if (f) f(w);
  });
}

// Holds the given keys down in the thread's keyboard state (for GetKeyState).
class THeldKeys {
 public:
  THeldKeys(std::initializer_list<int> keys) : keys_(keys) { Set(0x80); }
  ~THeldKeys() { Set(0); }

 private:
  void Set(BYTE v) {
    BYTE state[256];
    GetKeyboardState(state);
    for (int k : keys_) state[k] = v;
    SetKeyboardState(state);
  }
  std::vector<int> keys_;
};

// The window with the focus, once a form just shown has taken it (while a
// modal form is up, the focus in a disabled window is a stale one).
inline HWND FocusedWindow() {
  HWND focus = nullptr;
  WaitUntil("the focus in an enabled window", [&] {
    cl::Application().ProcessMessages();
    focus = GetFocus();
    return focus && IsWindowEnabled(GetAncestor(focus, GA_ROOT));
  });
  return focus;
}

// A key pressed in the window with the focus, through the message loop
// (shortcuts, IsDialogMessage, then the window; TranslateMessage makes its
// character).
inline void PressKey(int vk) {
  HWND focus = FocusedWindow();
  PostMessageA(focus, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
  PostMessageA(focus, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
  cl::Application().ProcessMessages();
}

// Text typed into the window with the focus (single-byte characters).
inline void Type(const std::string& text) {
  HWND focus = FocusedWindow();
  for (char c : text) PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(c), 1);
  cl::Application().ProcessMessages();
}

// Alt and a letter: the access key of a label, button or group box.
inline void PressAccessKey(char letter) {
  HWND focus = FocusedWindow();
  PostMessageA(focus, WM_SYSKEYDOWN, static_cast<WPARAM>(letter), 0x20000001);
  PostMessageA(focus, WM_SYSCHAR, static_cast<WPARAM>(letter | 0x20), 0x20000001);
  cl::Application().ProcessMessages();
}

}  // namespace qmtest
