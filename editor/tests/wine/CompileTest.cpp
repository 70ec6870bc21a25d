// Compile with the help compiler stand-in, the error pane, the topic-id
// lookup and the outside programs, in the editor's own process.
#include <gtest/gtest.h>
#include <richedit.h>

#include <cctype>
#include <string>
#include <vector>

#include "WineTestUtil.h"
#include "classlib/Application.h"
#include "core/FileSystem.h"
#include "editor/core/CompileRules.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

struct WinHelpRecord {
  std::string file;
  UINT command;
};

// The main form on a copy of a project, with the stand-ins as the Help
// Workshop folder and the help viewer calls recorded.
struct CompileFixture : EditorFixture {
  std::string dir;
  std::vector<WinHelpRecord> winhelp;

  CompileFixture() {
    dir = CopyProject("calques3d");
    dialog_answers = {dir + "\\Calques3D.hpj"};
    form->ProjectCmds->OpenAExecute(nullptr);
    boxes.clear();
    form->Project.Program.HcwFolder = DistFolder("helpworkshop");
    form->CompileCmds->WinHelpCall = [this](HWND, const std::string& file, UINT command, ULONG_PTR) {
      winhelp.push_back({file, command});
      return TRUE;
    };
  }

  // Ids of the first two topics in contents order.
  std::vector<std::string> TwoTopicIds() {
    std::vector<std::string> ids;
    for (ContentsNode* n : form->Project.Contents.Nodes())
      if ((n->Kind == kTopicNode || n->Kind == kHiddenTopicNode) && ids.size() < 2)
        ids.push_back(form->Project.TopicIds.Id(static_cast<std::size_t>(n->Data)));
    return ids;
  }

  std::string PaneText() { return form->ErrEdit->PlainText(); }
};

// Double-clicks the second character of a word in the error pane, as the
// author does: the word at offset in the first occurrence of text.
void DoubleClickWord(cl::TRichEdit* pane, const std::string& text, LONG offset = 0) {
  const std::string& word = text;
  HWND edit = pane->Handle();
  FINDTEXTA ft = {};
  ft.chrg.cpMin = 0;
  ft.chrg.cpMax = -1;
  ft.lpstrText = word.c_str();
  LONG pos = static_cast<LONG>(SendMessageA(edit, EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&ft)));
  ASSERT_GE(pos, 0) << word;
  POINTL pt = {};
  SendMessageA(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), pos + offset + 1);
  LPARAM at = MAKELPARAM(pt.x + 2, pt.y + 4);
  SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(edit, WM_LBUTTONUP, 0, at);
  SendMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(edit, WM_LBUTTONUP, 0, at);
}

TEST(Compile, TheLogShowsInThePaneAndAnIdInItOpensItsTopic) {
  CompileFixture fx;
  TMainForm& f = *fx.form;
  std::vector<std::string> ids = fx.TwoTopicIds();
  ASSERT_EQ(ids.size(), 2u);
  const std::string& first = ids[0];
  const std::string& second = ids[1];
  // A broken jump typed into the first topic; Compile saves it. Typed at the
  // start: the file holds several topics (page breaks between them), and
  // only the first is named by the file's name.
  fx.ClickTopic(first);
  f.Editor->SetSel(0, 0);
  f.Editor->SetSelText("{jmp broken,No_Such_Topic}");
  ASSERT_TRUE(f.Editor->Modified());
  // The viewer's topic-search window of this help file is asked to close.
  HWND search = CreateWindowExA(0, "STATIC", TopicSearchWindowTitle(f.Project.HelpTitle).c_str(),
                                WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(search);

  f.CompileCmds->HelpMakeAExecute(nullptr);
  fx.Pump();

  EXPECT_FALSE(IsWindow(search));
  EXPECT_TRUE(fx.boxes.empty()) << fx.boxes[0].text;
  EXPECT_FALSE(f.Editor->Modified());
  EXPECT_NE(ReadFile(f.Project.TopicFilePath(first)).find("{\\uldb broken}{\\v No_Such_Topic}"),
            std::string::npos);
  // The viewer let go of the help file; the stand-in builds none, so none is shown.
  ASSERT_EQ(fx.winhelp.size(), 1u);
  EXPECT_EQ(fx.winhelp[0].command, static_cast<UINT>(HELP_QUIT));
  // The help file and the log are those the project file names.
  EXPECT_EQ(fx.winhelp[0].file, fx.dir + "\\Calques3D.HLP");
  EXPECT_FALSE(f.CompileCmds->CompilerRunning());

  // The log, as the compiler wrote it, in the pane shown under the editor.
  std::string log = ReadFile(fx.dir + "\\Calques3D.LOG");
  std::string broken = "Jump to undefined Topic ID: No_Such_Topic in topic " + first + " .";
  ASSERT_NE(log.find(broken), std::string::npos) << log;
  EXPECT_NE(fx.PaneText().find(broken), std::string::npos);
  EXPECT_TRUE(f.CompileCmds->ErrView->Checked());
  EXPECT_TRUE(f.ErrEdit->Visible());
  EXPECT_EQ(f.Splitter2->Height(), 3);
  EXPECT_EQ(f.Splitter2->Top() + 3, f.ErrEdit->Top());
  EXPECT_GT(f.ErrEdit->Top(), f.Editor->Top());
  // The caret at the start of the last line, the counts.
  int last = f.ErrEdit->LineCount() - 1;
  EXPECT_NE(f.ErrEdit->Line(last).find(" warnings"), std::string::npos) << f.ErrEdit->Line(last);
  EXPECT_EQ(f.ErrEdit->SelStart(),
            static_cast<int>(SendMessageA(f.ErrEdit->Handle(), EM_LINEINDEX, last, 0)));
  EXPECT_EQ(f.ErrEdit->SelLength(), 0);

  // With the second topic open, a double click on the first one's id in the
  // broken-jump line opens it.
  fx.ClickTopic(second);
  ASSERT_EQ(f.Project.TopicId, second);
  DoubleClickWord(f.ErrEdit, "in topic " + first + " .", 9);
  fx.Pump();
  EXPECT_EQ(f.Project.TopicId, first);
  ASSERT_NE(f.Project.OpenTopicNode, nullptr);
  EXPECT_EQ(f.ConTextView->Selected(), f.Project.OpenTopicNode->ViewItem);
  // The project's first node is an external entry with the same number as
  // that topic: passed over.
  EXPECT_EQ(f.Project.Contents.First()->Kind, kExternalNode);
  EXPECT_EQ(f.Project.Contents.First()->Data, f.Project.OpenTopicNode->Data);
  // An id that is no topic stays silent in the pane.
  DoubleClickWord(f.ErrEdit, "No_Such_Topic");
  fx.Pump();
  EXPECT_EQ(f.Project.TopicId, first);
  EXPECT_TRUE(fx.boxes.empty());

  // A second compile with the pane shown reloads it and keeps the layout.
  int top = f.ErrEdit->Top();
  f.CompileCmds->HelpMakeAExecute(nullptr);
  EXPECT_EQ(f.ErrEdit->Top(), top);
  EXPECT_EQ(f.Splitter2->Height(), 3);
  EXPECT_NE(fx.PaneText().find(broken), std::string::npos);
}

TEST(Compile, GoToTheOpenTopicReloadsNothing) {
  CompileFixture fx;
  TMainForm& f = *fx.form;
  std::string id = fx.TwoTopicIds().at(0);
  fx.ClickTopic(id);
  std::string file = ReadFile(f.Project.TopicFilePath(id));
  fx.TypeAtEnd("not saved yet");
  ContentsNode* open = f.Project.OpenTopicNode;
  // Another node selected in the tree, the open topic's id asked for in
  // other letter case.
  f.ConTextView->Select(static_cast<cl::TTreeNode>(f.Project.Contents.First()->ViewItem));
  std::string other_case = id;
  for (char& c : other_case) {
    auto u = static_cast<unsigned char>(c);
    c = static_cast<char>(std::islower(u) ? std::toupper(u) : std::tolower(u));
  }
  f.CompileCmds->GoToTopicId(other_case, true);
  EXPECT_EQ(f.Project.OpenTopicNode, open);
  EXPECT_EQ(f.ConTextView->Selected(), open->ViewItem);
  EXPECT_TRUE(f.Editor->Modified());
  EXPECT_NE(f.Editor->PlainText().find("not saved yet"), std::string::npos);
  EXPECT_EQ(ReadFile(f.Project.TopicFilePath(id)), file);
  EXPECT_TRUE(fx.boxes.empty());
}

TEST(Compile, FindIdAsksForAnIdAndReportsAMiss) {
  CompileFixture fx;
  TMainForm& f = *fx.form;
  std::vector<std::string> ids = fx.TwoTopicIds();
  ASSERT_EQ(ids.size(), 2u);
  fx.ClickTopic(ids[0]);
  fx.TypeAtEnd("Nowhere");
  int len = GetWindowTextLengthA(f.Editor->Handle());
  f.Editor->SetSel(len - 7, 7);
  std::vector<std::string> asked;
  std::string answer = "Nowhere";
  bool ok = true;
  cl::SetInputQueryHook([&](const std::string& caption, const std::string& prompt, std::string& value) {
    asked = {caption, prompt, value};
    value = answer;
    return ok;
  });
  f.CompileCmds->FindIDClick(nullptr);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0], "quillmark");
  EXPECT_EQ(asked[1], "検索するﾄﾋﾟｯｸIDの入力");
  EXPECT_EQ(asked[2], "Nowhere");  // the editor's selection
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text, "IDが見つかりません.");
  EXPECT_EQ(fx.boxes[0].caption, "quillmark");
  EXPECT_EQ(fx.boxes[0].flags, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(f.Project.TopicId, ids[0]);

  // A known id opens its topic (saving the open one); Cancel does nothing.
  answer = ids[1];
  f.CompileCmds->FindIDClick(nullptr);
  EXPECT_EQ(f.Project.TopicId, ids[1]);
  EXPECT_NE(ReadFile(f.Project.TopicFilePath(ids[0])).find("Nowhere"), std::string::npos);
  ok = false;
  answer = ids[0];
  f.CompileCmds->FindIDClick(nullptr);
  EXPECT_EQ(f.Project.TopicId, ids[1]);
  EXPECT_EQ(fx.boxes.size(), 1u);
  cl::SetInputQueryHook(nullptr);
}

TEST(Compile, AMissingCompilerIsNamed) {
  CompileFixture fx;
  TMainForm& f = *fx.form;
  std::string empty = NewTempDir();
  f.Project.Program.HcwFolder = empty;
  f.CompileCmds->HelpMakeAExecute(nullptr);
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text.rfind(empty + "\\Hcrtf.exe ", 0), 0u) << fx.boxes[0].text;
  // Saved all the same; the pane stays as it was.
  EXPECT_FALSE(f.Project.ProjectModified);
  EXPECT_FALSE(f.CompileCmds->ErrView->Checked());
  EXPECT_FALSE(f.ErrEdit->Visible());
  EXPECT_FALSE(f.CompileCmds->CompilerRunning());

  f.Project.Program.HcwFolder.clear();
  f.CompileCmds->HelpMakeAExecute(nullptr);
  ASSERT_EQ(fx.boxes.size(), 2u);
  EXPECT_EQ(fx.boxes[1].text.rfind("Hcrtf.exe ", 0), 0u) << fx.boxes[1].text;
  EXPECT_NE(fx.boxes[1].text.find("Help Workshop"), std::string::npos);
}

TEST(Compile, ErrViewAndHelpViewShowThePaneAndTheHelpFile) {
  CompileFixture fx;
  TMainForm& f = *fx.form;
  std::string err = fx.dir + "\\Calques3D.LOG";  // ERRORLOG= of the project
  qm::WriteFileReplacing(err, "first\r\nlast line\r\n");
  f.CompileCmds->ErrView->Click();
  EXPECT_TRUE(f.CompileCmds->ErrView->Checked());
  EXPECT_TRUE(f.ErrEdit->Visible());
  EXPECT_EQ(f.Splitter2->Height(), 3);
  EXPECT_EQ(f.Splitter2->Top() + 3, f.ErrEdit->Top());
  EXPECT_EQ(f.ErrEdit->LineCount(), 2);
  EXPECT_EQ(f.ErrEdit->Line(1), "last line");
  EXPECT_EQ(f.ErrEdit->SelStart(), static_cast<int>(SendMessageA(f.ErrEdit->Handle(), EM_LINEINDEX, 1, 0)));

  f.CompileCmds->ErrView->Click();
  EXPECT_FALSE(f.CompileCmds->ErrView->Checked());
  EXPECT_FALSE(f.ErrEdit->Visible());
  EXPECT_EQ(f.Splitter2->Height(), 0);

  // Ticked again: read again from disk; no file leaves the pane empty.
  qm::WriteFileReplacing(err, "again\n");
  f.CompileCmds->ErrView->Click();
  EXPECT_EQ(f.ErrEdit->Line(0), "again");
  f.CompileCmds->ErrView->Click();
  qm::DeleteFileAt(err);
  f.CompileCmds->ErrView->Click();
  EXPECT_TRUE(f.ErrEdit->Visible());
  EXPECT_EQ(fx.PaneText(), "");
  EXPECT_TRUE(fx.boxes.empty());

  // F12: the help file in the viewer, whether it exists or not.
  f.CompileCmds->HelpView->Click();
  ASSERT_EQ(fx.winhelp.size(), 1u);
  EXPECT_EQ(fx.winhelp[0].command, static_cast<UINT>(HELP_FINDER));
  EXPECT_EQ(fx.winhelp[0].file, fx.dir + "\\Calques3D.HLP");
}

struct FoundWindow {
  HWND hwnd = nullptr;
  std::string text;
};

struct HelpWorkshopSearch {
  const std::string* needle;
  FoundWindow found;
};

BOOL CALLBACK LookAtWindow(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<HelpWorkshopSearch*>(lp);
  char title[64] = "";
  GetWindowTextA(w, title, sizeof title);
  if (std::string(title) != "Help Workshop") return TRUE;
  std::string text;
  for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char buf[1024] = "";
    GetWindowTextA(c, buf, sizeof buf);
    text += buf;
  }
  if (text.find(*s->needle) == std::string::npos) return TRUE;
  s->found = {w, text};
  return FALSE;
}

// A window of the Help Workshop stand-in whose text holds needle, and that
// text (other tests may run the stand-in at the same time).
FoundWindow FindHelpWorkshop(const std::string& needle) {
  HelpWorkshopSearch search{&needle, {}};
  EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// What the test does while the editor waits for the compiler.
struct DuringWait {
  CompileFixture* fx = nullptr;
  bool ran = false;
  std::size_t boxes = 0;
  bool was_visible = false;
  LRESULT session_answer = -1;
  ULONGLONG deadline = 0;
};
DuringWait g_during;

void CALLBACK WhileCompiling(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  TMainForm& f = *g_during.fx->form;
  if (!g_during.ran) {
    g_during.ran = f.CompileCmds->CompilerRunning();
    // A second compile, Open, New and a recent project are refused.
    f.CompileCmds->HelpMakeA->Execute(nullptr);
    f.ProjectCmds->OpenA->Execute(nullptr);
    f.ProjectCmds->FileNewItem->Click();
    f.FileMenu->Item(10)->Click();
    // The session does not end meanwhile, and the author is told why.
    g_during.session_answer = SendMessageA(f.Handle(), WM_QUERYENDSESSION, 0, 0);
    g_during.boxes = g_during.fx->boxes.size();
    // Closing waits for the compiler.
    PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
    f.ExitItem->Click();
    cl::Application().ProcessMessages();
    g_during.was_visible = IsWindowVisible(f.Handle()) != FALSE;
  }
  // The slow "compiler" (the Help Workshop stand-in) ends now; should its
  // window not be there yet, look again a little later, for a minute at most.
  if (!g_during.deadline) g_during.deadline = GetTickCount64() + qmtest::kWaitLimitMs;
  if (HWND w = FindHelpWorkshop(g_during.fx->dir).hwnd) {
    PostMessageA(w, WM_CLOSE, 0, 0);
  } else if (GetTickCount64() < g_during.deadline) {
    SetTimer(nullptr, 0, 200, WhileCompiling);
  } else {
    ADD_FAILURE() << "waited " << qmtest::kWaitLimitMs / 1000 << " s in vain for the compiler's window";
    EndCompiler("Hcrtf.exe");
  }
}

TEST(Compile, WhileTheCompilerRunsTheProjectStaysAndClosingWaits) {
  CompileFixture fx;
  TMainForm& f = *fx.form;
  // A compiler that runs until it is told to end.
  std::string slow = NewTempDir();
  ASSERT_TRUE(CopyFileA((DistFolder("helpworkshop") + "\\hcw.exe").c_str(), (slow + "\\Hcrtf.exe").c_str(), FALSE));
  f.Project.Program.HcwFolder = slow;
  ASSERT_EQ(f.Project.Program.RecentFiles.size(), 1u);
  g_during = DuringWait{&fx};
  SetTimer(nullptr, 0, 200, WhileCompiling);

  f.CompileCmds->HelpMakeAExecute(nullptr);

  EXPECT_TRUE(g_during.ran);
  EXPECT_EQ(g_during.session_answer, FALSE);
  EXPECT_EQ(g_during.boxes, 5u);
  for (const cl::MessageBoxCall& b : fx.boxes)
    EXPECT_NE(b.text.find("ヘルプコンパイラの実行中です"), std::string::npos) << b.text;
  EXPECT_TRUE(g_during.was_visible);
  EXPECT_FALSE(f.CompileCmds->CompilerRunning());
  EXPECT_EQ(f.Project.ProjectFile, "Calques3D.hpj");
  EXPECT_TRUE(f.CompileCmds->ErrView->Checked());
  EXPECT_TRUE(IsWindowVisible(f.Handle()));
  // Now the close is carried out (the fixture's form is no main form: it hides).
  fx.Pump();
  EXPECT_FALSE(IsWindowVisible(f.Handle()));
  EXPECT_EQ(fx.boxes.size(), 5u);
  // The commands are back.
  f.FileMenu->Item(10)->Click();
  EXPECT_EQ(fx.boxes.size(), 5u);
  EXPECT_EQ(f.Project.ProjectFile, "Calques3D.hpj");
  g_during = DuringWait{};
}

// The Help Workshop stand-in's window showing needle, once it is there.
FoundWindow WaitForHelpWorkshop(const std::string& needle) {
  FoundWindow found;
  qmtest::WaitUntil("a Help Workshop window showing " + needle, [&] {
    found = FindHelpWorkshop(needle);
    return found.hwnd != nullptr;
  });
  return found;
}

TEST(Compile, HelpWorkshopStartsOnTheProjectAndAMissingZonivexIsNamed) {
  CompileFixture fx;
  TMainForm& f = *fx.form;
  f.CompileCmds->HcwH1->Click();
  FoundWindow hcw = WaitForHelpWorkshop(fx.dir);
  ASSERT_TRUE(hcw.hwnd);
  EXPECT_NE(hcw.text.find("Project file: Calques3D.hpj"), std::string::npos) << hcw.text;
  // Started in the project folder.
  EXPECT_NE(hcw.text.find(fx.dir + "\\Calques3D.hpj"), std::string::npos) << hcw.text;
  PostMessageA(hcw.hwnd, WM_CLOSE, 0, 0);
  qmtest::WaitUntil("the Help Workshop window to close", [&] { return !IsWindow(hcw.hwnd); });
  EXPECT_TRUE(fx.boxes.empty());
  EXPECT_FALSE(f.Project.ProjectModified);

  // There is no zonivex.exe beside the test program.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string zonivex = qm::ExtractFileDir(self) + "\\zonivex.exe";
  ASSERT_FALSE(qm::FileExists(zonivex));
  f.CompileCmds->ZonivexS1->Click();
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text.rfind(zonivex + " ", 0), 0u) << fx.boxes[0].text;

  f.Project.Program.HcwFolder.clear();
  f.CompileCmds->HcwH1->Click();
  ASSERT_EQ(fx.boxes.size(), 2u);
  EXPECT_EQ(fx.boxes[1].text.rfind("hcw.exe ", 0), 0u) << fx.boxes[1].text;
}

}  // namespace
