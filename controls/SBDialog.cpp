#include "controls/SBDialog.h"

#include <cstring>

#include "classlib/Control.h"

namespace qm::controls {

namespace {

TFolderBrowserShell& Shell() {
  static TFolderBrowserShell shell;
  return shell;
}

PIDLIST_ABSOLUTE Browse(BROWSEINFOA* bi) {
  return Shell().Browse ? Shell().Browse(bi) : SHBrowseForFolderA(bi);
}
BOOL PathFromIdList(PCIDLIST_ABSOLUTE pidl, char* path) {
  return Shell().PathFromIdList ? Shell().PathFromIdList(pidl, path)
                                : SHGetPathFromIDListA(pidl, path);
}
void FreeIdList(PIDLIST_ABSOLUTE pidl) {
  if (Shell().Free) {
    Shell().Free(pidl);
  } else {
    CoTaskMemFree(pidl);
  }
}

}  // namespace

void SetFolderBrowserShell(TFolderBrowserShell shell) { Shell() = std::move(shell); }

TSBDialog::TSBDialog(cl::TComponent* owner) : cl::TComponent(owner) {}

bool TSBDialog::Execute() {
  char display[MAX_PATH + 1] = {};
  BROWSEINFOA bi;
  std::memset(&bi, 0, sizeof bi);  // the record's own size: 64 bytes on 64-bit Windows
  auto* form = dynamic_cast<cl::TControl*>(Owner());
  bi.hwndOwner = form ? form->Handle() : nullptr;
  bi.pidlRoot = nullptr;
  bi.pszDisplayName = display;
  bi.lpszTitle = Caption.c_str();
  bi.ulFlags = BrowseFlags(Options);
  bi.lpfn = BrowseCallback;
  bi.lParam = reinterpret_cast<LPARAM>(this);
  PIDLIST_ABSOLUTE pidl = Browse(&bi);
  if (!pidl) return false;
  char path[MAX_PATH + 1] = {};
  bool ok = PathFromIdList(pidl, path) != FALSE;
  FreeIdList(pidl);
  // An item without a file-system path (the user cannot pick one with the
  // usual options, but the shell may still say no) leaves Directory alone.
  if (!ok) return false;
  path[MAX_PATH] = '\0';
  Directory = path;
  return true;
}

int CALLBACK TSBDialog::BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  auto* self = reinterpret_cast<TSBDialog*>(data);
  if (!self || msg != BFFM_INITIALIZED) return 0;
  try {
    if (auto folder = PreselectFolder(self->Directory)) {
      SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder->c_str()));
    }
  } catch (...) {
    // Nothing crosses into the shell; the browser opens without a selection.
  }
  return 0;
}

}  // namespace qm::controls
