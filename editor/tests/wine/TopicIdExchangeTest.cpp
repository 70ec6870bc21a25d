// The editor's side of the topic-id exchange with the hotspot editor: the
// status bar's clicks, and ids received while the author works, waits for a
// dialog or for the help compiler.
#include <windows.h>
// After windows.h.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WineTestUtil.h"
#include "classlib/Application.h"
#include "classlib/Clipboard.h"
#include "classlib/tests/ModalTest.h"
#include "editor/TopicIdExchangeCommands.h"
#include "exchange/TopicIdExchange.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

// A top-level window of "another program" that counts the broadcasts.
struct Listener {
  static int heard;
  HWND hwnd;
  Listener() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == qm::exchange::TopicIdMessage()) ++heard;
      return DefWindowProcA(h, m, w, l);
    };
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TopicIdListener";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "TopicIdListener", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    heard = 0;
  }
  ~Listener() { DestroyWindow(hwnd); }
};
int Listener::heard = 0;

struct ExchangeFixture : EditorFixture {
  std::string dir;
  std::vector<std::string> ids;  // the first two topics in contents order
  Listener other;

  ExchangeFixture() {
    qm::exchange::RegisterTopicIdMessage();
    dir = CopyProject("calques3d");
    dialog_answers = {dir + "\\Calques3D.hpj"};
    form->ProjectCmds->OpenAExecute(nullptr);
    boxes.clear();
    for (ContentsNode* n : form->Project.Contents.Nodes())
      if ((n->Kind == kTopicNode || n->Kind == kHiddenTopicNode) && ids.size() < 2)
        ids.push_back(form->Project.TopicIds.Id(static_cast<std::size_t>(n->Data)));
  }
  void ClickStatusBar(int x) {
    SendMessageA(form->StatusBar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageA(form->StatusBar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  }
  // The hotspot editor sends an id.
  void Receive(const std::string& id) {
    cl::TClipboard().SetAsText(id);
    PostMessageA(HWND_BROADCAST, qm::exchange::TopicIdMessage(), reinterpret_cast<WPARAM>(other.hwnd), 0);
  }
  std::string OpenId() { return form->Project.TopicId; }
};

TEST(TopicIdExchange, StatusBarClicksCopyPanelsAndSendTheId) {
  ExchangeFixture fx;
  ASSERT_EQ(fx.ids.size(), 2u);
  fx.ClickTopic(fx.ids[0]);
  fx.TypeAtEnd("not saved yet");
  ASSERT_EQ(fx.form->StatusBar->PanelText(0), fx.ids[0]);
  cl::TClipboard clipboard;

  fx.ClickStatusBar(10);
  EXPECT_EQ(clipboard.AsText(), fx.ids[0]);
  fx.Pump();
  EXPECT_EQ(Listener::heard, 1);
  // The editor hears its own broadcast: the open topic is selected again,
  // nothing is reloaded or saved.
  EXPECT_EQ(fx.OpenId(), fx.ids[0]);
  EXPECT_NE(fx.form->Editor->PlainText().find("not saved yet"), std::string::npos);

  // At 100 the id is copied, not sent; further right the other panels.
  clipboard.SetAsText("x");
  fx.ClickStatusBar(100);
  EXPECT_EQ(clipboard.AsText(), fx.ids[0]);
  fx.ClickStatusBar(120);
  EXPECT_EQ(clipboard.AsText(), fx.form->StatusBar->PanelText(1));
  fx.ClickStatusBar(300);
  EXPECT_EQ(clipboard.AsText(), fx.form->StatusBar->PanelText(4));
  clipboard.SetAsText("kept");
  fx.ClickStatusBar(600);
  EXPECT_EQ(clipboard.AsText(), "kept");
  fx.Pump();
  EXPECT_EQ(Listener::heard, 1);
  EXPECT_TRUE(fx.boxes.empty());
}

TEST(TopicIdExchange, NoTopicOpenNothingIsSent) {
  ExchangeFixture fx;
  ASSERT_EQ(fx.form->StatusBar->PanelText(0), "");
  cl::TClipboard().SetAsText("before");
  fx.ClickStatusBar(10);
  EXPECT_EQ(cl::TClipboard().AsText(), "");  // the empty id is copied
  fx.Pump();
  EXPECT_EQ(Listener::heard, 0);  // but not sent
}

TEST(TopicIdExchange, AReceivedIdOpensItsTopicOnce) {
  ExchangeFixture fx;
  fx.ClickTopic(fx.ids[0]);
  std::string upper = fx.ids[1];
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  fx.Receive(upper);
  fx.Pump();
  EXPECT_EQ(fx.OpenId(), fx.ids[1]);
  // An id that is no topic's, and an empty clipboard, do nothing.
  fx.Receive("NoSuchTopic");
  fx.Pump();
  fx.Receive("");
  fx.Pump();
  EXPECT_EQ(fx.OpenId(), fx.ids[1]);
  EXPECT_TRUE(fx.boxes.empty());
  // Only the copy for the main window counts.
  cl::TClipboard().SetAsText(fx.ids[0]);
  PostMessageA(cl::Application().Handle(), qm::exchange::TopicIdMessage(), 0, 0);
  fx.Pump();
  EXPECT_EQ(fx.OpenId(), fx.ids[1]);
  PostMessageA(fx.form->Handle(), qm::exchange::TopicIdMessage(), 0, 0);
  fx.Pump();
  EXPECT_EQ(fx.OpenId(), fx.ids[0]);
}

TEST(TopicIdExchange, IgnoredWhileADialogIsOpen) {
  ExchangeFixture fx;
  fx.ClickTopic(fx.ids[0]);
  cl::TForm dialog(nullptr, "TExchangeTestDialog", "dialog", WS_POPUP | WS_CAPTION);
  qmtest::RunModal(dialog, [&] {
    fx.Receive(fx.ids[1]);
    fx.Pump();
    EXPECT_EQ(fx.OpenId(), fx.ids[0]);
    dialog.SetModalResult(cl::mrOk);
  });
  fx.Pump();
  EXPECT_EQ(fx.OpenId(), fx.ids[0]);
  // Afterwards it is heard again.
  fx.Receive(fx.ids[1]);
  fx.Pump();
  EXPECT_EQ(fx.OpenId(), fx.ids[1]);
}

// ---- while the help compiler runs ----

struct DuringCompile {
  ExchangeFixture* fx = nullptr;
  bool running = false;
  std::string openWhileRunning;
  bool sent = false;
  ULONGLONG deadline = 0;
  bool ended = false;  // the "compiler" was ended
};
DuringCompile g_compile;

// Runs from the editor's own wait for the compiler: an id arrives, then the
// compiler is ended (tried again until it shows up in the process list, for
// a minute at most).
void CALLBACK WhileCompiling(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (!g_compile.sent) {
    g_compile.sent = true;
    g_compile.running = g_compile.fx->form->CompileCmds->CompilerRunning();
    try {
      g_compile.fx->Receive(g_compile.fx->ids[1]);
    } catch (const cl::EClipboardError& e) {
      ADD_FAILURE() << e.what();
    }
    cl::Application().ProcessMessages();
    g_compile.openWhileRunning = g_compile.fx->OpenId();
    g_compile.deadline = GetTickCount64() + qmtest::kWaitLimitMs;
  }
  g_compile.ended = EndCompiler("Hcrtf.exe");
  if (!g_compile.ended && GetTickCount64() < g_compile.deadline) SetTimer(nullptr, 0, 50, WhileCompiling);
}

TEST(TopicIdExchange, IgnoredWhileTheCompilerRuns) {
  ExchangeFixture fx;
  fx.ClickTopic(fx.ids[0]);
  // A "compiler" that runs until it is ended.
  std::string slow = NewTempDir();
  ASSERT_TRUE(CopyFileA((DistFolder("helpworkshop") + "\\hcw.exe").c_str(), (slow + "\\Hcrtf.exe").c_str(), FALSE));
  fx.form->Project.Program.HcwFolder = slow;
  fx.form->CompileCmds->WinHelpCall = [](HWND, const std::string&, UINT, ULONG_PTR) { return TRUE; };
  g_compile = DuringCompile{&fx};
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, WhileCompiling);
  fx.form->CompileCmds->HelpMakeAExecute(nullptr);
  if (!g_compile.sent) KillTimer(nullptr, timer);
  for (const cl::MessageBoxCall& b : fx.boxes) ADD_FAILURE() << b.text;
  ASSERT_TRUE(g_compile.sent) << "the compile did not wait";
  EXPECT_TRUE(g_compile.ended);
  EXPECT_TRUE(g_compile.running);
  EXPECT_EQ(g_compile.openWhileRunning, fx.ids[0]);
  fx.Pump();
  EXPECT_EQ(fx.OpenId(), fx.ids[0]);
  g_compile = DuringCompile{};
}

}  // namespace
