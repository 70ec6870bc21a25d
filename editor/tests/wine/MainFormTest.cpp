#include <gtest/gtest.h>
#include <set>
#include <windows.h>
#include <commctrl.h>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "editor/BackupCommands.h"
#include "editor/CompileCommands.h"
#include "editor/EditingCommands.h"
#include "editor/HelpOptionCommands.h"
#include "editor/MainForm.h"
#include "editor/ProjectCommands.h"

using namespace qm;
using namespace qm::editor;

namespace {

struct MainFormTest : ::testing::Test {
  MemoryIniStore store;
  std::vector<cl::MessageBoxCall> boxes;

  void SetUp() override {
    cl::Application().Initialize();
    cl::SetMessageBoxHook([this](const cl::MessageBoxCall& c) {
      boxes.push_back(c);
      return IDOK;
    });
  }
  void TearDown() override { cl::SetMessageBoxHook(nullptr); }

  std::unique_ptr<TMainForm> Create() {
    auto f = std::make_unique<TMainForm>(store);
    f->DoCreate();
    f->Show();
    cl::Application().ProcessMessages();
    return f;
  }
  std::string Value(const std::string& section, const std::string& ident) {
    auto v = store.Read(section, ident);
    return v ? *v : "<missing>";
  }
};

TEST_F(MainFormTest, RestoresBoundsAndPaneSizesFromTheSettings) {
  store.Write("Pos", "Left", "40");
  store.Write("Pos", "Top", "30");
  store.Write("Pos", "Width", "700");
  store.Write("Pos", "Height", "sixty");  // not a number: the default
  store.Write("Pos", "CWidth", "210");
  store.Write("Env", "Hcw", "C:\\hcw");
  store.Write("Old", "file1", "C:\\p\\one.hpj");
  store.Write("Old", "file3", "C:\\p\\three.hpj");
  auto f = Create();
  RECT r = f->ScreenBounds();
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.bottom - r.top, 400);
  EXPECT_EQ(f->ConTextView->Width(), 210);
  EXPECT_FALSE(f->ErrEdit->Visible());
  EXPECT_EQ(f->Project.Program.HcwFolder, "C:\\hcw");
  EXPECT_EQ(f->Project.Program.RecentFiles,
            (std::vector<std::string>{"C:\\p\\one.hpj", "C:\\p\\three.hpj"}));
  // The File menu shows them before Exit, after a separator of their own.
  ASSERT_EQ(f->FileMenu->Count(), 11 + 2 + 1);
  EXPECT_EQ(f->FileMenu->Item(10)->Caption(), "&1 C:\\p\\one.hpj");
  EXPECT_EQ(f->FileMenu->Item(11)->Caption(), "&2 C:\\p\\three.hpj");
  EXPECT_TRUE(f->FileMenu->Item(12)->IsSeparator());
  EXPECT_EQ(f->StatusBar->Height(), 18);
  // The editor is read-only while no topic is open.
  EXPECT_TRUE(f->Editor->ReadOnly());
}

TEST_F(MainFormTest, TheFontBoxListsEachFaceOfTheSystemOnce) {
  auto f = Create();
  TFormatComboBox* box = f->Group<TEditingCommands>().FontName;
  std::vector<std::string> items;
  for (int i = 0; i < box->Count(); ++i) items.push_back(box->Item(i));
  const std::set<std::string> listed(items.begin(), items.end());
  EXPECT_EQ(listed.size(), items.size()) << "a face listed twice";
  // The system lists a face once for each of its character sets.
  std::set<std::string> faces;
  HDC dc = GetDC(nullptr);
  EnumFontsA(
      dc, nullptr,
      [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM data) {
        reinterpret_cast<std::set<std::string>*>(data)->insert(lf->lfFaceName);
        return 1;
      },
      reinterpret_cast<LPARAM>(&faces));
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(listed, faces);
  EXPECT_TRUE(listed.count("ＭＳ Ｐゴシック") || listed.count("IPAPGothic")) << "no Japanese face";
}

TEST_F(MainFormTest, StatusBarGapsHaveNoEdgeAndTheModeIsCentred) {
  auto f = Create();
  HWND bar = f->StatusBar->Handle();
  auto drawn_type = [bar](int panel) {
    return HIWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0));
  };
  for (int panel = 0; panel < 11; ++panel) {
    const bool gap = panel == 3 || panel == 7 || panel == 10;
    EXPECT_EQ(drawn_type(panel), gap ? SBT_NOBORDERS : 0) << panel;
  }
  // One tab before the text centres it in its panel.
  char text[32] = {};
  SendMessageA(bar, SB_GETTEXTA, 8, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "\t挿入");
  EXPECT_EQ(f->StatusBar->PanelText(8), "挿入");
  f->StatusBar->SetPanelText(8, "上書");
  SendMessageA(bar, SB_GETTEXTA, 8, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "\t上書");
  EXPECT_EQ(drawn_type(8), 0);
}

TEST_F(MainFormTest, ClosingWritesPositionEnvironmentRecentAndToolBars) {
  auto f = Create();
  f->SetBounds(15, 25, 620, 410);
  for (int i = 1; i <= 7; ++i)
    f->Project.Program.RecentFiles.push_back("C:\\p\\" + std::to_string(i) + ".hpj");
  ASSERT_TRUE(f->FormCloseQuery());
  EXPECT_EQ(Value("Pos", "Left"), "15");
  EXPECT_EQ(Value("Pos", "Top"), "25");
  EXPECT_EQ(Value("Pos", "Width"), "620");
  EXPECT_EQ(Value("Pos", "Height"), "410");
  EXPECT_EQ(Value("Pos", "CWidth"), "150");
  EXPECT_EQ(Value("Pos", "EHeight"), "50");
  EXPECT_EQ(Value("Env", "FontName"), "ＭＳ Ｐゴシック");
  EXPECT_EQ(Value("Env", "FontSize"), "12");
  EXPECT_EQ(Value("Env", "Tcopy"), "0");
  EXPECT_EQ(Value("Old", "file5"), "C:\\p\\5.hpj");
  EXPECT_EQ(Value("Old", "file6"), "<missing>");
  for (const char* bar : {"PrjBar", "EditBar", "AttrBar", "ContextBar", "TopicBar"}) {
    EXPECT_EQ(Value(std::string("ToolBar\\") + bar, "Docking"), "1") << bar;
    EXPECT_EQ(Value(std::string("ToolBar\\") + bar, "Visible"), "1") << bar;
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MainFormTest, AFloatingToolBarComesBackAtItsPlaceOnceTheMainWindowShows) {
  {
    auto f = Create();
    RECT r = {300, 200, 300 + f->EditBar->Width(), 200 + f->EditBar->Height()};
    f->EditBar->FloatAt(r);
    f->TopicBar->SetBarVisible(false);
    f->FormCloseQuery();
  }
  EXPECT_EQ(Value("ToolBar\\EditBar", "Docking"), "0");
  EXPECT_EQ(Value("ToolBar\\EditBar", "Left"), "300");
  EXPECT_EQ(Value("ToolBar\\EditBar", "Top"), "200");
  EXPECT_EQ(Value("ToolBar\\TopicBar", "Visible"), "0");
  auto f = std::make_unique<TMainForm>(store);
  f->DoCreate();
  ASSERT_TRUE(f->EditBar->Floating());
  // Its window shows after the main window: shown first, a window manager
  // takes it for a window of its own and lets the main window cover it.
  EXPECT_FALSE(IsWindowVisible(f->EditBar->FloatingWindow()));
  f->Show();
  cl::Application().ProcessMessages();
  RECT w;
  GetWindowRect(f->EditBar->FloatingWindow(), &w);
  EXPECT_EQ(w.left, 300);
  EXPECT_EQ(w.top, 200);
  EXPECT_TRUE(IsWindowVisible(f->EditBar->FloatingWindow()));
  EXPECT_FALSE(f->TopicBar->BarVisible());
  EXPECT_FALSE(f->ControlBar1->Contains(f->EditBar));
  EXPECT_TRUE(f->ControlBar1->Contains(f->PrjBar));
}

TEST_F(MainFormTest, TheViewMenuUnticksAFloatingToolBarClosedWithItsX) {
  auto f = Create();
  RECT r = {300, 200, 300 + f->EditBar->Width(), 200 + f->EditBar->Height()};
  f->EditBar->FloatAt(r);
  SendMessageA(f->EditBar->FloatingWindow(), WM_CLOSE, 0, 0);
  HMENU view = f->ViewMenuItem->SubMenuHandle();
  SendMessageA(f->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
  EXPECT_FALSE(GetMenuState(view, f->ViewMenuItem->Item(4)->CommandId(), MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(view, f->ViewMenuItem->Item(0)->CommandId(), MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MainFormTest, ASaveErrorWhileClosingIsShownAndRefusesTheClose) {
  auto f = Create();
  f->Project.ProjectModified = true;
  f->Project.ProjectDir = "Z:\\no\\such\\folder";
  f->Project.ProjectFile = "x.hpj";
  f->Project.MapFile = "x.hm";
  f->Project.AddTopic("Intro", 1);
  f->Project.Contents.AddChild(nullptr, "Intro", kTopicNode, 0);
  EXPECT_FALSE(f->FormCloseQuery());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].flags & MB_ICONERROR, 0u);
  // The settings are written all the same.
  EXPECT_EQ(Value("Pos", "Width"), "640");
}

std::vector<std::string> Captions(cl::TMenuItem* menu) {
  std::vector<std::string> captions;
  for (int i = 0; i < menu->Count(); ++i) {
    cl::TMenuItem* m = menu->Item(i);
    captions.push_back(m->Action() ? m->Action()->Caption() : m->Caption());
  }
  return captions;
}

// Each button's action caption, else its hint; "-" for a separator.
std::vector<std::string> Buttons(cl::TToolBar* bar) {
  std::vector<std::string> names;
  for (cl::TToolButton* b : bar->Buttons()) {
    if (b->Style() == cl::TToolButtonStyle::Separator)
      names.push_back("-");
    else
      names.push_back(b->Action() ? b->Action()->Caption() : b->Hint());
  }
  return names;
}

// The command groups fill the menus' skeleton and the toolbars in their
// order of creation.
TEST_F(MainFormTest, TheGroupsFillTheMenusAndToolBarsInOrder) {
  auto f = Create();
  using Strings = std::vector<std::string>;
  EXPECT_EQ(Captions(f->FileMenu),
            (Strings{"新規作成(&N)...", "開く(&O)...", "保存(&S)", "-", "新規ヘッダ(&E)", "新規トピック(&T)",
                     "新規非表示トピック(&H)", "新規参照トピック(&B)", "コンテキスト削除(&D)", "-", "終了(&X)"}));
  EXPECT_EQ(Captions(f->EditMenu),
            (Strings{"元に戻す(&U)", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "-", "ID検索(&I)...",
                     "検索(&F)...", "次を検索(&N)", "置換(&E)...", "-", "トピック情報(&K)..."}));
  EXPECT_EQ(Captions(f->ViewMenuItem),
            (Strings{"プロジェクトバー(&P)", "コンテキストバー(&C)", "トピックバー(&T)", "書式バー(&G)", "編集バー(&E)", "-",
                     "オプション(&O)...", "観覧ID再設定(&S)"}));
  EXPECT_EQ(Captions(f->InsertMenu),
            (Strings{"表(&T)...", "グラフィック(&G)...", "MCI(&M)...", "-", "リンク(&L)...",
                     "Aキーワードリンク(&A)...", "キーワードリンク(&K)...", "マクロ(&M)...", "リンクリスト(&H)", "-", "折り返しなし(&W)",
                     "属性解除(&E)", "トピックID(I)", "線型(&L)", "線種(&S)"}));
  EXPECT_EQ(Captions(f->InsertMenu->Item(f->InsertMenu->Count() - 2)),
            (Strings{"箱(&X)", "上(&T)", "下(&B)", "右(&R)", "左(&L)"}));
  EXPECT_EQ(Captions(f->InsertMenu->Item(f->InsertMenu->Count() - 1)),
            (Strings{"標準線(&N)", "太線(&B)", "二重線(&2)", "影付き線(&S)"}));
  EXPECT_EQ(Captions(f->FormatMenu),
            (Strings{"フォント(&F)...", "-", "左揃え(&L)", "中央揃え(&E)", "右揃え(&R)", "箇条書き(&P)", "-",
                     "書式のコピー", "書式の貼り付け", "インデントのコピー", "インデントの貼り付け", "-",
                     "インデント(&I)...", "インデント削除(&D)", "-", "非スクロール設定(&H)"}));
  EXPECT_EQ(Captions(f->ToolMenu),
            (Strings{"コンパイル(&C)", "ヘルプ表示(&V)", "エラーログ(&E)", "-", "Helpオプション(&H)...",
                     "バックアップ(&B)", "-", "Hcwの起動(&H)", "Zonivexの起動(&S)"}));
  EXPECT_EQ(Buttons(f->PrjBar),
            (Strings{"新規作成", "開く(&O)...", "保存(&S)", "-", "コンパイル(&C)", "Helpオプション(&H)..."}));
  EXPECT_EQ(Buttons(f->ContextBar),
            (Strings{"新規ヘッダ(&E)", "新規トピック(&T)", "新規非表示トピック(&H)", "新規参照トピック(&B)",
                     "コンテキスト削除(&D)"}));
  EXPECT_EQ(Captions(f->HiddenMenu), (Strings{"ctrlY1", "ctrlU1", "ctrlK1"}));
  EXPECT_FALSE(f->HiddenMenu->Visible());
  const Strings topic_bar = Buttons(f->TopicBar);
  ASSERT_GE(topic_bar.size(), 3u);
  EXPECT_EQ(Strings(topic_bar.end() - 3, topic_bar.end()), (Strings{"-", "線型", "線種"}));
  EXPECT_EQ(&f->Group<TCompileCommands>(), f->CompileCmds);

  // The six commands that need a project come on with the first one.
  cl::TAction* options = f->Group<THelpOptionCommands>().HelpOptionA;
  cl::TMenuItem* backup = f->Group<TBackupCommands>().Backup1;
  EXPECT_FALSE(options->Enabled());
  EXPECT_FALSE(backup->Enabled());
  EXPECT_FALSE(f->CompileCmds->ErrView->Enabled());
  f->ProjectCmds->EnableProjectActions();
  for (cl::TAction* a : {f->ProjectCmds->SaveA, f->CompileCmds->HelpMakeA, options}) EXPECT_TRUE(a->Enabled());
  for (cl::TMenuItem* m : {f->CompileCmds->ErrView, f->CompileCmds->HelpView, backup}) EXPECT_TRUE(m->Enabled());
}

TEST_F(MainFormTest, ShortcutsRunEnabledActionsOnly) {
  auto f = Create();
  int saves = 0;
  f->ProjectCmds->SaveA->OnExecute = [&](cl::TComponent*) { ++saves; };
  EXPECT_FALSE(f->IsShortCut('S', cl::ssCtrl));  // disabled without a project
  f->ProjectCmds->SaveA->SetEnabled(true);
  EXPECT_TRUE(f->IsShortCut('S', cl::ssCtrl));
  EXPECT_EQ(saves, 1);
}

TEST_F(MainFormTest, TheViewMenuHidesAndShowsAToolBar) {
  auto f = Create();
  f->ContextBarV->Execute(f->ContextBarV);
  EXPECT_FALSE(f->ContextBar->BarVisible());
  EXPECT_FALSE(f->ContextBarV->Checked());
  f->ContextBarV->Execute(f->ContextBarV);
  EXPECT_TRUE(f->ContextBar->BarVisible());
}

}  // namespace
