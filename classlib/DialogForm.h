// Modal dialogs built from a layout table (core/DialogLayout.h): the form
// creates the table's controls, and the program binds them by name.
//
//   class TTableDlg : public cl::TDialogForm {
//    public:
//     TTableDlg() : TDialogForm(nullptr, kTableDlg), RowEd(Get<cl::TEdit>("RowEd")) {}
//     cl::TEdit* RowEd;
//   };
//   auto dlg = std::make_unique<TTableDlg>();   // freed on every path
//   dlg->PlaceAtCursor(-dlg->Width() / 2, -20);
//   if (dlg->ShowModal() == cl::mrOk) ...
//
// In the dialog Enter clicks the focused push button or else the default
// button, Escape the cancel button (nothing when there is none), Tab and
// Shift+Tab follow the tab order, access keys ("&") of labels and group
// boxes move the focus, Ctrl+Tab turns the pages of a page control and F1
// asks for the help of the focused control's help context.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "classlib/Form.h"
#include "classlib/core/DialogLayout.h"

namespace cl {

class TButton;

class TDialogForm : public TForm {
 public:
  // Throws ELayoutError when the table cannot be built.
  TDialogForm(TComponent* owner, const TDialogDesc& desc);

  // The control of this name, as T; throws ELayoutError when the dialog has
  // no such control or it is not a T.
  template <class T>
  T* Get(const std::string& name) const {
    T* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw ELayoutError(class_name_ + ": no control " + name + " of the kind asked for");
    return c;
  }

  TButton* DefaultButton() const;
  TButton* CancelButton() const;
  void SetDefaultButton(TButton* b);
  void SetCancelButton(TButton* b);

  // Help: a control's help context (0: none, its parent's counts), the
  // dialog's own for the rest. F1 and the title bar's help button call
  // OnHelp with the context found, or else show that topic of the
  // application's help file.
  int HelpContext = 0;
  int HelpContextOf(const TComponent* c) const;
  void SetHelpContext(const TComponent* c, int context);
  std::function<void(int context)> OnHelp;
  // The help for the window that has the focus (or for `from`); false when
  // no context applies.
  bool ShowHelp(HWND from = nullptr);

  // Placement, to be done before ShowModal.
  void SetClientSize(int width, int height);
  // The window's top-left corner on the screen.
  void PlaceAt(int left, int top);
  // At the mouse cursor moved by dx, dy, then kept inside the work area.
  void PlaceAtCursor(int dx, int dy);
  void CenterOnScreen();
  // Moves the window into the rectangle (left edge, top, then right and
  // bottom edges win).
  void KeepInside(const RECT& area);
  // The desktop work area (the whole screen when it cannot be had).
  static RECT WorkArea();

  bool IsShortCut(WORD key, TShiftState shift) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Build(const TDialogDesc& desc);
  TComponent* MakeControl(const TControlDesc& d, TControl* parent, const TLayoutProps& props);
  bool ClickButton(HWND button);
  std::string class_name_;
  TControlMaker maker_ = nullptr;
  std::map<const TComponent*, int> help_;
  HWND default_ = nullptr, cancel_ = nullptr;
};

}  // namespace cl
