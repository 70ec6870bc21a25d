// Forms: top-level windows with a menu, actions and the create, close-query
// and destroy events.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/Control.h"
#include "classlib/Menu.h"

namespace cl {

class TStatusBar;

// A window property of an owned tool window that waits for its owner to be
// shown before it shows itself.
inline constexpr char kShowWithOwnerProp[] = "ClShowWithOwner";

constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO;

class TForm : public TControl {
 public:
  // class_name names the window class ("TMainForm"); style is of CreateWindowEx.
  TForm(TComponent* owner, const char* class_name, const std::string& caption,
        DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, DWORD ex_style = 0);

  // Events, run by the class library: FormCreate once the form is built,
  // FormCloseQuery before it closes, FormDestroy before it is freed.
  virtual void FormCreate() {}
  virtual bool FormCloseQuery() { return true; }
  virtual void FormDestroy() {}
  // Runs each time the form is about to be shown (Show, ShowModal).
  virtual void FormShow() {}
  void DoCreate();
  void DoDestroy();

  void Show();
  void Hide();
  // Asks FormCloseQuery; the main form then ends the application, a modal
  // form ends its loop with mrCancel, another form hides.
  void Close();
  // Shows the form modally (the program's other windows disabled) until a
  // modal result is set; the form keeps its bounds as set before. The
  // windows are enabled again on every way out, exceptions included.
  int ShowModal();
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int r) { modal_result_ = r; }
  // The tab stop after (before) `from` in the tab order, which runs through
  // the visible, enabled controls depth first, into containers marked
  // WS_EX_CONTROLPARENT; from the last one back to the first.
  HWND NextTabStop(HWND from, bool previous) const;
  // The control that gets the focus when the form is shown.
  TControl* ActiveControl() const { return TControl::FromHandle(active_control_); }
  void SetActiveControl(TControl* c);

  // While one of the form's menus is open, this bar shows the highlighted
  // item's hint over its panels; the panels return when the menu closes or
  // the item has no hint.
  TStatusBar* HintStatusBar = nullptr;

  void SetMenu(TMainMenu* menu);
  TMainMenu* Menu() const { return menu_; }
  // Runs the action or menu item with this shortcut; true when one ran.
  // Tab and Shift+Tab move the focus along the tab order (unless the
  // focused control takes Tab); so do F6 and Shift+F6 when no action or
  // item has them, from any control.
  virtual bool IsShortCut(WORD key, TShiftState shift);

  // Bounds of the window on the screen (the restored bounds when minimized).
  RECT ScreenBounds() const;
  void SetScreenBounds(int left, int top, int width, int height);

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // Focuses the control; an edit entered this way selects its text.
  void FocusControl(HWND target);

 private:
  // Puts the visible tool windows this form owns (floating toolbars) back
  // above it, and shows those that waited for it.
  void RaiseOwnedToolWindows();
  void PostRaiseOwnedToolWindows();
  static constexpr UINT kRaiseToolsMessage = WM_APP + 0x3F01;
  bool raising_tools_ = false;
  bool raise_posted_ = false;
  // The hint of the item a WM_MENUSELECT highlights, on HintStatusBar.
  void ShowMenuHint(WPARAM wp, LPARAM lp);
  // Moves the focus as a dialog does (Tab, Shift+Tab, access keys).
  void NextControl(WPARAM wp, LPARAM lp);
  // FormCloseQuery, asked once at a time: false while it is being asked.
  bool AskCloseQuery();
  // WM_QUERYENDSESSION: the answer of the close question.
  bool QueryEndSession();
  // WM_ENDSESSION with the session ending: the main form closes without
  // asking again.
  void EndSession();
  TMainMenu* menu_ = nullptr;
  HWND active_control_ = nullptr;
  int modal_result_ = mrNone;
  bool in_modal_ = false;
  bool asking_close_ = false;
  bool created_ = false, destroyed_ = false;
};

}  // namespace cl
