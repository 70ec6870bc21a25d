#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/tests/WaitUntil.h"
#include "controls/SBDialog.h"

using namespace qm::controls;

namespace {

// The selection messages a stand-in browser window receives.
std::vector<std::string> g_selections;

LRESULT CALLBACK RecorderProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == BFFM_SETSELECTIONA) {
    EXPECT_EQ(wp, static_cast<WPARAM>(TRUE));
    g_selections.push_back(reinterpret_cast<const char*>(lp));
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

// A form with the component, and a stand-in for the shell that records what
// it was given and answers as told.
struct FakeShellFixture {
  std::unique_ptr<cl::TForm> form;
  TSBDialog* dlg = nullptr;
  HWND browser = nullptr;
  BROWSEINFOA seen = {};
  std::string seenTitle;
  const char* path = nullptr;  // what the path lookup gives; nullptr: it fails
  bool cancel = false;
  int freed = 0;

  FakeShellFixture() {
    cl::Application().Initialize();
    form = std::make_unique<cl::TForm>(nullptr, "TSBTestForm", "Folders");
    dlg = new TSBDialog(form.get());
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecorderProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QmBrowserRecorder";
    RegisterClassA(&wc);
    browser = CreateWindowExA(0, "QmBrowserRecorder", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, wc.hInstance, nullptr);
    g_selections.clear();
    TFolderBrowserShell shell;
    shell.Browse = [this](BROWSEINFOA* bi) -> PIDLIST_ABSOLUTE {
      seen = *bi;
      seenTitle = bi->lpszTitle ? bi->lpszTitle : "";
      bi->lpfn(browser, BFFM_INITIALIZED, 0, bi->lParam);
      bi->lpfn(browser, BFFM_SELCHANGED, 0, bi->lParam);
      if (cancel) return nullptr;
      return static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(16));
    };
    shell.PathFromIdList = [this](PCIDLIST_ABSOLUTE, char* out) -> BOOL {
      if (!path) return FALSE;
      lstrcpyA(out, path);
      return TRUE;
    };
    shell.Free = [this](PIDLIST_ABSOLUTE p) {
      ++freed;
      CoTaskMemFree(p);
    };
    SetFolderBrowserShell(shell);
  }
  ~FakeShellFixture() {
    SetFolderBrowserShell({});
    DestroyWindow(browser);
  }
};

}  // namespace

TEST(SBDialog, TheBrowserIsGivenTheFormTheCaptionTheFlagsAndTheFolder) {
  FakeShellFixture f;
  EXPECT_EQ(f.dlg->Options, SBDlgOption(biReturnOnlyFSDirs));
  f.dlg->Caption = "インストール先の選択";
  f.dlg->Options = SBDlgOption(biReturnOnlyFSDirs) | SBDlgOption(biNewStyle);
  f.dlg->Directory = "C:\\Work\\";
  f.path = "D:\\Chosen";
  EXPECT_TRUE(f.dlg->Execute());
  EXPECT_EQ(f.dlg->Directory, "D:\\Chosen");
  EXPECT_EQ(f.seen.hwndOwner, f.form->Handle());
  EXPECT_EQ(f.seen.pidlRoot, nullptr);
  EXPECT_EQ(f.seen.ulFlags, 0x41u);
  EXPECT_EQ(f.seenTitle, "インストール先の選択");
  EXPECT_EQ(f.seen.iImage, 0);
  EXPECT_EQ(f.seen.lParam, reinterpret_cast<LPARAM>(f.dlg));
  EXPECT_EQ(g_selections, std::vector<std::string>{"C:\\Work"});
  EXPECT_EQ(f.freed, 1);

  // A root keeps its backslash; an empty folder selects nothing.
  g_selections.clear();
  f.dlg->Directory = "C:\\";
  f.dlg->Execute();
  f.dlg->Directory.clear();
  f.dlg->Execute();
  EXPECT_EQ(g_selections, std::vector<std::string>{"C:\\"});
}

TEST(SBDialog, CancelOrAnItemWithoutAPathLeavesTheDirectory) {
  FakeShellFixture f;
  f.dlg->Directory = "C:\\before";
  f.cancel = true;
  EXPECT_FALSE(f.dlg->Execute());
  EXPECT_EQ(f.dlg->Directory, "C:\\before");
  EXPECT_EQ(f.freed, 0);
  // The user picked an item the shell has no path for: nothing taken, the
  // item list still freed.
  f.cancel = false;
  f.path = nullptr;
  EXPECT_FALSE(f.dlg->Execute());
  EXPECT_EQ(f.dlg->Directory, "C:\\before");
  EXPECT_EQ(f.freed, 1);
}

namespace {

// The text of the item selected in the browser's folder tree.
std::string SelectedFolder(HWND browser) {
  HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  auto item = tree ? reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) : nullptr;
  if (!item) return {};
  char text[MAX_PATH] = "";
  TVITEMA tvi = {};
  tvi.mask = TVIF_TEXT;
  tvi.hItem = item;
  tvi.pszText = text;
  tvi.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
  return text;
}

// Presses a button of the first browser dialog that this process shows, once
// its tree has selected the folder named `selected` (at once when empty).
void PressWhenShown(DWORD pid, int button, const std::string& selected, std::atomic<bool>& pressed) {
  HWND browser = nullptr;
  qmtest::WaitUntil("the folder browser with " + (selected.empty() ? "any folder" : selected) + " selected", [&] {
    browser = nullptr;
    for (HWND h = FindWindowExA(nullptr, nullptr, "#32770", nullptr); h && !browser;
         h = FindWindowExA(nullptr, h, "#32770", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(h, &owner);
      if (owner == pid && IsWindowVisible(h)) browser = h;
    }
    return browser && (selected.empty() || lstrcmpiA(SelectedFolder(browser).c_str(), selected.c_str()) == 0);
  });
  if (!browser) return;
  PostMessageA(browser, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  pressed = true;
}

}  // namespace

TEST(SBDialog, TheShellBrowserOpensOnTheFolderAndGivesItBack) {
  CoInitialize(nullptr);
  cl::Application().Initialize();
  auto form = std::make_unique<cl::TForm>(nullptr, "TSBTestForm", "Folders");
  form->Show();
  auto* dlg = new TSBDialog(form.get());
  char win[MAX_PATH];
  GetWindowsDirectoryA(win, sizeof win);
  dlg->Directory = std::string(win) + "\\";

  std::atomic<bool> pressed{false};
  const std::string name = std::strrchr(win, '\\') + 1;
  std::thread ok(PressWhenShown, GetCurrentProcessId(), IDOK, name, std::ref(pressed));
  bool chosen = dlg->Execute();
  ok.join();
  ASSERT_TRUE(pressed);
  EXPECT_TRUE(chosen);
  EXPECT_EQ(lstrcmpiA(dlg->Directory.c_str(), win), 0) << dlg->Directory;

  pressed = false;
  dlg->Directory = "C:\\nowhere\\";
  std::thread cancel(PressWhenShown, GetCurrentProcessId(), IDCANCEL, "", std::ref(pressed));
  EXPECT_FALSE(dlg->Execute());
  cancel.join();
  EXPECT_EQ(dlg->Directory, "C:\\nowhere\\");
  form.reset();
  CoUninitialize();
}
