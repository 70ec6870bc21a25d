// The open and save common dialogs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "classlib/Component.h"

namespace cl {

class TFileDialog : public TComponent {
 public:
  TFileDialog(TComponent* owner, bool save);
  // "Help Project Files (*.hpj)|*.hpj": pairs of description and pattern,
  // separated by single-byte "|" (a "|" trail byte stays in its character).
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;
  std::string InitialDir;
  std::string FileName;
  std::string Title;
  bool FileMustExist = false;
  bool OverwritePrompt = false;
  // Runs the dialog; true when a file was chosen (FileName holds it).
  bool Execute(HWND owner = nullptr);
  bool IsSave() const { return save_; }

 private:
  bool save_;
};

class TOpenDialog : public TFileDialog {
 public:
  explicit TOpenDialog(TComponent* owner) : TFileDialog(owner, false) {}
};

class TSaveDialog : public TFileDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TFileDialog(owner, true) {}
};

// Replaces the platform dialog (tests answer it): return true and set
// dialog.FileName to choose a file, false to cancel.
using FileDialogHook = std::function<bool(TFileDialog& dialog)>;
void SetFileDialogHook(FileDialogHook hook);

}  // namespace cl
