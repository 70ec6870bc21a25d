// The modeless find and replace common dialogs. The dialog's record and text
// buffers live in the component, so they stay valid while it is shown; the
// owner window's messages from the dialog reach the component through a
// subclass of the owner.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "classlib/Component.h"

namespace cl {

class TFindDialog : public TComponent {
 public:
  explicit TFindDialog(TComponent* owner) : TFindDialog(owner, false) {}
  ~TFindDialog() override;

  // The settings shown and, after the user acts, the ones chosen.
  std::string FindText;
  std::string ReplaceText;  // the replace dialog only
  bool WholeWord = false;
  bool MatchCase = false;
  bool Down = true;         // frDown
  bool HideUpDown = false;  // frHideUpDown: no choice of direction
  // The request of the last OnReplace: replace all (frReplaceAll), else one.
  bool ReplaceAll = false;

  // Shows the dialog (or brings it up again when it is shown already).
  void Execute(HWND owner);
  // Closes the dialog when it is shown.
  void CloseDialog();
  HWND Handle() const { return handle_; }
  // The dialog's size once shown; 0 before.
  int Width() const;
  int Height() const;
  void MoveTo(int left, int top);

  // Find next pressed (in either dialog).
  std::function<void(TFindDialog*)> OnFind;
  // Replace or Replace all pressed (replace dialog).
  std::function<void(TFindDialog*)> OnReplace;

 protected:
  TFindDialog(TComponent* owner, bool replace);

 private:
  static LRESULT CALLBACK OwnerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                    DWORD_PTR data);
  void DialogMessage(const FINDREPLACEA& fr);
  void Forget();

  bool replace_;
  HWND handle_ = nullptr;
  HWND owner_ = nullptr;
  FINDREPLACEA record_{};
  char find_buf_[256] = {};
  char replace_buf_[256] = {};
};

class TReplaceDialog : public TFindDialog {
 public:
  explicit TReplaceDialog(TComponent* owner) : TFindDialog(owner, true) {}
};

}  // namespace cl
