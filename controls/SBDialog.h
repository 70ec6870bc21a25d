// The browse-for-folder component: a form carries it to let the user pick a
// folder with the shell's folder browser.
//
//   dlg->Directory = edit->Text();
//   if (dlg->Execute()) edit->SetText(dlg->Directory);
//
// The browser opens with Directory selected.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>

#include "classlib/Component.h"
#include "controls/core/FolderBrowse.h"

namespace qm::controls {

class TSBDialog : public cl::TComponent {
 public:
  // owner: the form the component sits on; its window owns the browser.
  explicit TSBDialog(cl::TComponent* owner);

  // The folder preselected when the browser opens; the chosen folder after a
  // successful Execute.
  std::string Directory;
  // The text above the folder tree.
  std::string Caption;
  TSBDlgOptions Options = SBDlgOption(biReturnOnlyFSDirs);

  // Shows the browser. True when the user chose a folder whose path the
  // shell could give; otherwise false with Directory unchanged.
  virtual bool Execute();

  // The browser's callback: selects the preselected folder once the browser
  // is initialised. Answers 0.
  static int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM lp, LPARAM data);
};

// The shell calls Execute makes, replaceable so that tests can stand in for
// the user and for a failing shell.
struct TFolderBrowserShell {
  std::function<PIDLIST_ABSOLUTE(BROWSEINFOA*)> Browse;            // SHBrowseForFolderA
  std::function<BOOL(PCIDLIST_ABSOLUTE, char* path)> PathFromIdList;  // SHGetPathFromIDListA
  std::function<void(PIDLIST_ABSOLUTE)> Free;                      // the task allocator
};
// Replaces the shell calls (empty members keep the real ones); an empty
// argument restores them all.
void SetFolderBrowserShell(TFolderBrowserShell shell);

}  // namespace qm::controls
