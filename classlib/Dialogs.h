// Message boxes and small modal dialogs.
//
// Every message box of the programs goes through ShowMessageBox, which a test
// can replace to see and answer it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace cl {

struct MessageBoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  UINT flags;  // MB_* as for MessageBoxA
};

// Shows a message box and returns the button pressed (IDOK, IDYES, ...).
// While the session ends (TApplication::EndingSession) the box stays on top.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// True while a message box of ShowMessageBox is up (a question the user
// has not answered yet).
bool MessageBoxUp();

// Replaces the function behind ShowMessageBox (nullptr restores the real one).
using MessageBoxHook = std::function<int(const MessageBoxCall&)>;
void SetMessageBoxHook(MessageBoxHook hook);

enum class TMsgDlgType { Warning, Error, Information, Confirmation };

// An information box with the application title as caption.
void ShowMessage(const std::string& text);
// A message box of the given type; buttons are MB_OK, MB_YESNO, MB_OKCANCEL...
int MessageDlg(const std::string& text, TMsgDlgType type, UINT buttons);

// Asks for one line of text; returns false when cancelled. value is the
// initial text and receives the answer. Tests answer it through
// SetInputQueryHook.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
using InputQueryHook = std::function<bool(const std::string& caption, const std::string& prompt,
                                          std::string& value)>;
void SetInputQueryHook(InputQueryHook hook);

}  // namespace cl
