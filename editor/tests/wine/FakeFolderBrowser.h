// A stand-in for the shell's folder browser while it lives: it records the
// title, the flags and the folder the dialog preselects, and answers with
// the folder given (or a cancel).
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>

#include "controls/SBDialog.h"

namespace qm::editor::test {

class FakeFolderBrowser {
 public:
  explicit FakeFolderBrowser(std::string answer) : answer_(std::move(answer)) {
    current_ = this;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &FakeFolderBrowser::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QmFakeFolderBrowser";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    qm::controls::TFolderBrowserShell shell;
    shell.Browse = [this](BROWSEINFOA* bi) -> PIDLIST_ABSOLUTE {
      title = bi->lpszTitle ? bi->lpszTitle : "";
      flags = bi->ulFlags;
      selected.clear();
      if (bi->lpfn) bi->lpfn(window_, BFFM_INITIALIZED, 0, bi->lParam);
      if (cancel) return nullptr;
      return static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(16));
    };
    shell.PathFromIdList = [this](PCIDLIST_ABSOLUTE, char* path) {
      std::strcpy(path, answer_.c_str());
      return TRUE;
    };
    shell.Free = [](PIDLIST_ABSOLUTE list) { CoTaskMemFree(list); };
    qm::controls::SetFolderBrowserShell(shell);
  }
  ~FakeFolderBrowser() {
    qm::controls::SetFolderBrowserShell({});
    DestroyWindow(window_);
    current_ = nullptr;
  }
  FakeFolderBrowser(const FakeFolderBrowser&) = delete;
  FakeFolderBrowser& operator=(const FakeFolderBrowser&) = delete;

  bool cancel = false;
  std::string title;
  UINT flags = 0;
  std::string selected;  // the folder the dialog asked the browser to select

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == BFFM_SETSELECTIONA && current_) {
      current_->selected = reinterpret_cast<const char*>(lp);
      return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
  }
  static inline FakeFolderBrowser* current_ = nullptr;
  std::string answer_;
  HWND window_ = nullptr;
};

}  // namespace qm::editor::test
