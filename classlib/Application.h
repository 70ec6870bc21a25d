// The application object: the hidden "TApplication" window, the message loop
// and the default handling of exceptions that reach it.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace cl {

class TForm;
class TControl;

class TApplication {
 public:
  // Creates the hidden application window (class "TApplication").
  void Initialize();
  HWND Handle() const;
  std::string Title() const { return title_; }
  void SetTitle(const std::string& title);

  TForm* MainForm() const { return main_form_; }
  void SetMainForm(TForm* form) { main_form_ = form; }

  // The window a dialog or message box opened now belongs to: the active
  // window of this thread (the one the user works in), else the main form
  // while it is shown, else the application window.
  HWND DialogOwner() const;

  // A dialog or message box that has the keyboard is about to close. Where
  // a window manager hands our windows the keyboard (it told one of them to
  // take it while it was active already), the owner takes the activation
  // now, while the closing window still stands, and the window manager
  // learns that the owner has the keyboard: otherwise it would hand it, once
  // the closing window is gone, to the window it focused before, which may
  // be another program's. Elsewhere the system gives the owner the keyboard
  // as the window closes, and nothing is done here. Our modal forms call it;
  // the system's dialog boxes (message boxes, common dialogs, the find
  // dialog) are seen to go once a window manager has spoken.
  void HandKeyboardBack(HWND closing, HWND owner);
  // A window of ours was told to take the keyboard by a window manager
  // (WM_MOUSEACTIVATE with no click, while it was active); false forgets it.
  void NoteWindowManager(bool speaks = true);
  bool WindowManagerHandsKeyboard() const { return window_manager_; }

  // Runs the message loop until Terminate; then destroys the main form.
  void Run();
  // Dispatches the messages waiting in the queue and returns.
  void ProcessMessages();
  // Waits for one message and dispatches it.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // True while a form answers whether the session may end: its close
  // question is asked for the end of the session, not for a close.
  bool EndingSession() const { return ending_session_; }

  // Sees every retrieved message before it is dispatched.
  std::function<void(MSG& msg, bool& handled)> OnMessage;

  // Shows an exception's text in a message box, or calls OnException.
  void HandleException(const std::exception& e);
  std::function<void(const std::exception&)> OnException;

  // Modeless dialogs whose keys IsDialogMessage must see.
  void AddModelessDialog(HWND h);
  void RemoveModelessDialog(HWND h);

  std::string HelpFile;
  bool HelpCommand(UINT command, ULONG_PTR data);

  // Restores and activates the main form (SC_RESTORE on the application window).
  void Restore();

 private:
  bool ProcessMessage(MSG& msg);
  // OnMessage, the shortcuts, the modeless dialogs and the window's own
  // procedure, in that order, for one retrieved message.
  void DispatchOne(MSG& msg);
  // Whether a key may run a form's action or menu item. It may not when
  // the window it goes to edits with it: a field of a modeless dialog that
  // is none of our forms, or a window that is none of our controls and asks
  // for the key (WM_GETDLGCODE); there Ctrl+C, Ctrl+V, Delete... work on
  // the field, as in any program.
  bool KeyMayBeShortCut(const MSG& msg) const;
  bool IsShortCut(const MSG& msg);

  TControl* window_ = nullptr;
  std::string title_;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
  friend class TForm;  // sets ending_session_
  bool ending_session_ = false;
  bool window_manager_ = false;
  HHOOK box_hook_ = nullptr;  // sees the system's dialog boxes go
  // How long a closing window waits for the window manager (a round trip).
  static constexpr DWORD kRelayWaitMs = 500;
  std::vector<HWND> modeless_;
  // The last WM_CHAR was a lead byte: the next one is its trail.
  bool trail_byte_next_ = false;
};

TApplication& Application();

}  // namespace cl
