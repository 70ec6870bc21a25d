#include "editor/MainForm.h"

#include <stdexcept>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "core/FileSystem.h"
#include "editor/ImageIndexes.h"

namespace qm::editor {

using namespace cl;

TMainForm::TMainForm(IniStore& settings)
    : TForm(nullptr, "TMainForm", "Quillmark"), settings_store_(settings) {
  Name = "MainForm";
  Project.Program.DefaultFontName = Settings.FontName;
  Project.Program.DefaultFontSize = Settings.FontSize;
  CreateComponents();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateComponents() {
  ImageList1 = new TImageList(this);
  ImageList1->Name = "ImageList1";
  ImageList1->LoadStrip("TREEIMAGES");
  ImageList4 = new TImageList(this);
  ImageList4->Name = "ImageList4";
  ImageList4->LoadStrip("MENUIMAGES");
  ImageList5 = new TImageList(this);
  ImageList5->Name = "ImageList5";
  ImageList5->LoadStrip("MENUIMAGESDISABLED");

  ActionList1 = new TActionList(this);
  ActionList1->Name = "ActionList1";
  CreateMenus();

  ControlBar1 = new TControlBar(this, this);
  ControlBar1->Name = "ControlBar1";
  CreateToolBars();

  StatusBar = new TStatusBar(this, this);
  StatusBar->Name = "StatusBar";
  StatusBar->SetFont("ＭＳ Ｐゴシック", -12);
  // Panels: topic id, map number, browse id, gap, title, K and A keywords,
  // gap, insert mode, modified mark, the rest.
  StatusBar->SetPanels({100, 35, 100, 5, 100, 100, 100, 5, 35, 35, -1});
  for (int gap : {3, 7, 10}) StatusBar->SetPanelBevel(gap, TStatusPanelBevel::None);
  StatusBar->SetPanelAlignment(8, TStatusPanelAlignment::Center);
  StatusBar->SetPanelText(8, "挿入");

  ConTextView = new controls::TTreeViewEx(this, this, TVS_EDITLABELS);
  ConTextView->Name = "ConTextView";
  ConTextView->AutoDrag = true;
  ConTextView->SetShowLines(false);
  ConTextView->SetShowRoot(false);
  ConTextView->SetIndent(19);
  ConTextView->SetImages(ImageList1);
  ConTextView->SetWidth(Settings.CWidth);
  ConTextView->SetAlign(TAlign::Left);
  Splitter1 = new TSplitter(this, this, TAlign::Left);
  Splitter1->Name = "Splitter1";

  ErrEdit = new TRichEdit(this, this, ES_READONLY | ES_AUTOHSCROLL);
  ErrEdit->Name = "ErrEdit";
  ErrEdit->SetHeight(Settings.EHeight);
  ErrEdit->SetAlign(TAlign::Bottom);
  ErrEdit->SetVisible(false);
  Splitter2 = new TSplitter(this, this, TAlign::Bottom, 0);
  Splitter2->Name = "Splitter2";

  Editor = new TRichEdit(this, this);
  Editor->Name = "Editor";
  Editor->SetAlign(TAlign::Client);
  Editor->SetReadOnly(true);  // no topic open

  WireContentsCommands();
  WireCompileCommands();
}

void TMainForm::CreateMenus() {
  MainMenu = new TMainMenu(this);
  MainMenu->Name = "MainMenu";
  TMenuItem* root = MainMenu->Items();

  OpenA = ActionList1->Add("OpenA", "開く(&O)...", scCtrl | 'O', kImgOpen);
  SaveA = ActionList1->Add("SaveA", "保存(&S)", scCtrl | 'S', kImgSave);
  SaveA->OnExecute = [this](TComponent* s) { SaveAExecute(s); };
  SaveA->SetEnabled(false);
  HelpMakeA = ActionList1->Add("HelpMakeA", "コンパイル(&C)", VK_F11, kImgCompile);
  HelpMakeA->SetEnabled(false);
  HelpOptionA = ActionList1->Add("HelpOptionA", "Helpオプション(&H)...", 0, kImgHelpOptions);
  HelpOptionA->SetEnabled(false);

  // Contents commands, disabled until a node allows them.
  AddBookA = ActionList1->Add("AddBookA", "新規ヘッダ(&E)", 0, kImgAddBook);
  AddCntA = ActionList1->Add("AddCntA", "新規トピック(&T)", 0, kImgAddTopic);
  AddHideA = ActionList1->Add("AddHideA", "新規非表示トピック(&H)", 0, kImgAddHidden);
  AddHelpA = ActionList1->Add("AddHelpA", "新規参照トピック(&B)", 0, kImgAddExternal);
  AddHelpA->Tag = 10;
  DelCntA = ActionList1->Add("DelCntA", "コンテキスト削除(&D)", 0, kImgDelete);
  for (TAction* a : {AddBookA, AddCntA, AddHideA, AddHelpA, DelCntA}) a->SetEnabled(false);

  // Toolbar visibility; the Tag names the bar.
  PrjBarV = ActionList1->Add("PrjBarV", "プロジェクトバー(&P)");
  ContextBarV = ActionList1->Add("ContextBarV", "コンテキストバー(&C)");
  TopicBarV = ActionList1->Add("TopicBarV", "トピックバー(&T)");
  AttrBarV = ActionList1->Add("AttrBarV", "書式バー(&G)");
  EditBarV = ActionList1->Add("EditBarV", "編集バー(&E)");
  int tag = 0;
  for (TAction* a : {PrjBarV, ContextBarV, TopicBarV, AttrBarV, EditBarV}) {
    a->Tag = tag++;
    a->SetChecked(true);
    a->OnExecute = [this](TComponent* s) {
      const char* names[] = {"PrjBar", "ContextBar", "TopicBar", "AttrBar", "EditBar"};
      auto* a = dynamic_cast<TAction*>(s);
      if (auto* m = dynamic_cast<TMenuItem*>(s)) a = m->Action();
      if (!a || a->Tag < 0 || a->Tag > 4) return;
      a->SetChecked(!a->Checked());
      ToolBarByName(names[a->Tag])->SetBarVisible(a->Checked());
    };
    // A floating bar closed with its X: the menus see it when they open.
    a->OnUpdate = [this](TAction* a) {
      const char* names[] = {"PrjBar", "ContextBar", "TopicBar", "AttrBar", "EditBar"};
      if (a->Tag >= 0 && a->Tag <= 4) a->SetChecked(ToolBarByName(names[a->Tag])->BarVisible());
    };
  }

  // File menu: eleven fixed items; the recent projects go in at position 10.
  FileMenu = root->AddItem("ファイル(&F)");
  FileMenu->Name = "FileMenu";
  FileNewItem = FileMenu->AddItem("新規作成(&N)...");
  FileNewItem->SetImageIndex(kImgNew);
  FileMenu->AddItem(OpenA);
  FileMenu->AddItem(SaveA);
  FileMenu->AddSeparator();
  FileMenu->AddItem(AddBookA);
  FileMenu->AddItem(AddCntA);
  FileMenu->AddItem(AddHideA);
  FileMenu->AddItem(AddHelpA);
  FileMenu->AddItem(DelCntA);
  FileMenu->AddSeparator();
  ExitItem = FileMenu->AddItem("終了(&X)", [this](TMenuItem*) { Close(); });

  EditMenu = root->AddItem("編集(&E)");
  EditMenu->Name = "EditMenu";
  // The editing commands of the topic editor join this menu with it.
  FindID = EditMenu->AddItem("ID検索(&I)...");
  FindID->Name = "FindID";
  FindID->SetImageIndex(kImgFindId);
  FindID->SetEnabled(false);

  ViewMenuItem = root->AddItem("表示(&V)");
  ViewMenuItem->Name = "ViewMenuItem";
  for (TAction* a : {PrjBarV, ContextBarV, TopicBarV, AttrBarV, EditBarV}) ViewMenuItem->AddItem(a);

  // Tools menu: compiling and what follows it, the project's options and
  // backup, and the companion programs.
  ToolMenu = root->AddItem("ツール(&T)");
  ToolMenu->Name = "ToolMenu";
  ToolMenu->AddItem(HelpMakeA);
  HelpView = ToolMenu->AddItem("ヘルプ表示(&V)", nullptr, VK_F12);
  HelpView->Name = "HelpView";
  HelpView->SetImageIndex(kImgViewHelp);
  HelpView->SetEnabled(false);
  ErrView = ToolMenu->AddItem("エラーログ(&E)");
  ErrView->Name = "ErrView";
  ErrView->SetImageIndex(kImgErrorLog);
  ErrView->SetEnabled(false);
  ToolMenu->AddSeparator();
  ToolMenu->AddItem(HelpOptionA);
  Backup1 = ToolMenu->AddItem("バックアップ(&B)");
  Backup1->Name = "Backup1";
  Backup1->SetImageIndex(kImgBackup);
  Backup1->SetEnabled(false);
  ToolMenu->AddSeparator();
  HcwH1 = ToolMenu->AddItem("Hcwの起動(&H)");
  HcwH1->Name = "HcwH1";
  HcwH1->SetImageIndex(kImgHcw);
  HcwH1->Tag = 0;
  ZonivexS1 = ToolMenu->AddItem("Zonivexの起動(&S)");
  ZonivexS1->Name = "ZonivexS1";
  ZonivexS1->SetImageIndex(kImgZonivex);
  ZonivexS1->Tag = 1;

  // The popup menu of the dock bar and of every toolbar.
  ViewMenu = new TPopupMenu(this);
  ViewMenu->Name = "ViewMenu";
  for (TAction* a : {PrjBarV, ContextBarV, TopicBarV, AttrBarV, EditBarV}) ViewMenu->Items()->AddItem(a);
  auto view_popup = [this] {
    PrjBarV->SetChecked(PrjBar->BarVisible());
    ContextBarV->SetChecked(ContextBar->BarVisible());
    TopicBarV->SetChecked(TopicBar->BarVisible());
    AttrBarV->SetChecked(AttrBar->BarVisible());
    EditBarV->SetChecked(EditBar->BarVisible());
  };
  ViewMenu->OnPopup = [view_popup](TPopupMenu*) { view_popup(); };

  FileNewItem->OnClick = [this](TMenuItem* m) { FileNew(m); };
  OpenA->OnExecute = [this](TComponent* s) { OpenAExecute(s); };

  OpenDialog = new TOpenDialog(this);
  OpenDialog->Name = "OpenDialog";
  SaveDialog = new TSaveDialog(this);
  SaveDialog->Name = "SaveDialog";
  for (TFileDialog* d : {static_cast<TFileDialog*>(OpenDialog), static_cast<TFileDialog*>(SaveDialog)}) {
    d->Filter = "Help Project Files (*.hpj)|*.hpj";
    d->DefaultExt = "hpj";
  }
  OpenDialog->FileMustExist = true;

  SetMenu(MainMenu);
}

void TMainForm::CreateToolBars() {
  struct BarDef {
    TToolBar** bar;
    const char* name;
    const char* caption;
    int top, left;
  };
  const BarDef defs[] = {
      {&PrjBar, "PrjBar", "プロジェクト", 0, 0},
      {&ContextBar, "ContextBar", "プロジェクト", 0, 170},
      {&EditBar, "EditBar", "編集", 0, 330},
      {&AttrBar, "AttrBar", "トピック", TControlBar::kRowHeight, 0},
      {&TopicBar, "TopicBar", "トピック", TControlBar::kRowHeight, 260},
  };
  for (const BarDef& d : defs) {
    auto* bar = new TToolBar(this, ControlBar1, d.caption);
    bar->Name = d.name;
    bar->SetImages(ImageList4, ImageList5);
    bar->SetBounds(d.left, d.top, bar->Width(), bar->Height());
    bar->PopupMenu = ViewMenu;
    *d.bar = bar;
  }
  auto* newbtn = PrjBar->AddButton(nullptr);
  newbtn->SetImageIndex(kImgNew);
  newbtn->SetHint("新規作成");
  newbtn->OnClick = [this](TToolButton*) { FileNewItem->Click(); };
  PrjBar->AddButton(OpenA);
  PrjBar->AddButton(SaveA);
  PrjBar->AddSeparator();
  PrjBar->AddButton(HelpMakeA);
  PrjBar->AddButton(HelpOptionA);

  AddBookButton = ContextBar->AddButton(AddBookA, TToolButtonStyle::DropDown);
  AddCntButton = ContextBar->AddButton(AddCntA, TToolButtonStyle::DropDown);
  ContextBar->AddButton(AddHideA);
  AddHelpButton = ContextBar->AddButton(AddHelpA, TToolButtonStyle::DropDown);
  ContextBar->AddButton(DelCntA);
  // EditBar, AttrBar and TopicBar receive the editing, format and topic
  // commands of the topic editor.
}

cl::TToolBar* TMainForm::ToolBarByName(const std::string& name) const {
  for (TToolBar* b : {PrjBar, EditBar, AttrBar, ContextBar, TopicBar})
    if (b->Name == name) return b;
  throw std::out_of_range("No toolbar " + name);
}

void TMainForm::FormCreate() {
  // 1. The desktop work area.
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &WorkArea, 0))
    WorkArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // 2. The lists of the project model live in Project.
  // 3. Settings.
  ReadSettings();
  // 4. The recent-project menu and the empty topic status. (The format
  //    controls of the topic editor join here with the commands that own them.)
  RebuildRecentMenu();
  ShowTopicStatus("");
  // 5. The status bar's height from its font: 3 x character height / 2.
  LOGFONTA lf = {};
  GetObjectA(StatusBar->Font(), sizeof lf, &lf);
  StatusBar->SetHeight(3 * (-lf.lfHeight) / 2);
  // 6. The program's help file.
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  Application().HelpFile = ExtractFileDir(path) + "\\quillmark.hlp";
  // 7. Images of menus and toolbars: ImageList4 and ImageList5 on every
  //    system (there is one set of pictures).
  MainMenu->Items()->SetImages(ImageList4, ImageList5);
  ViewMenu->Items()->SetImages(ImageList4, ImageList5);
  // 8. Whether the display shows true colour.
  HDC dc = GetDC(nullptr);
  int palette = GetDeviceCaps(dc, SIZEPALETTE);
  ReleaseDC(nullptr, dc);
  Project.Program.TrueColorDisplay = palette > 256 || palette == 0;
  // 9. The application's message hook joins with the topic-id exchange.
  // 10. Join the clipboard-viewer chain.
  NextClipboardViewer = SetClipboardViewer(Handle());
  Realign();
}

void TMainForm::ReadSettings() {
  IniSettings reg(settings_store_);
  Project.Program.RecentFiles.clear();
  Settings.Load(reg, Project.Program.RecentFiles);
  SetBounds(Settings.Left, Settings.Top, Settings.Width, Settings.Height);
  ConTextView->SetWidth(Settings.CWidth);
  ErrEdit->SetHeight(Settings.EHeight);
  Project.Program.HcwFolder = Settings.HcwFolder;
  Project.Program.DefaultFontName = Settings.FontName;
  Project.Program.DefaultFontSize = Settings.FontSize;
  Project.Program.Tcopy = Settings.Tcopy;
  for (TToolBar* b : {PrjBar, EditBar, AttrBar, ContextBar, TopicBar}) LoadToolBarState(reg, b);
}

void TMainForm::LoadToolBarState(IniSettings& reg, TToolBar* bar) {
  ToolBarState s = ToolBarState::Load(reg, bar->Name, bar->Top(), bar->Left());
  if (s.Docking) {
    bar->SetBounds(s.Left, s.Top, bar->Width(), bar->Height());
  } else {
    RECT r = {s.Left, s.Top, s.Left + bar->Width(), s.Top + bar->Height()};
    bar->FloatAt(r);
  }
  bar->SetBarVisible(s.Visible);
}

void TMainForm::SaveToolBarState(IniSettings& reg, TToolBar* bar) {
  ToolBarState s;
  s.Docking = ControlBar1->Contains(bar);
  s.Visible = bar->BarVisible();
  if (s.Docking) {
    s.Top = bar->Top();
    s.Left = bar->Left();
  } else {
    RECT r;
    GetWindowRect(bar->FloatingWindow(), &r);
    s.Top = r.top;
    s.Left = r.left;
  }
  s.Save(reg, bar->Name);
}

void TMainForm::WriteSettings() {
  IniSettings reg(settings_store_);
  RECT r = ScreenBounds();
  Settings.Top = r.top;
  Settings.Left = r.left;
  Settings.Width = r.right - r.left;
  Settings.Height = r.bottom - r.top;
  Settings.CWidth = ConTextView->Width();
  Settings.EHeight = ErrEdit->Height();
  Settings.HcwFolder = Project.Program.HcwFolder;
  Settings.FontName = Project.Program.DefaultFontName;
  Settings.FontSize = Project.Program.DefaultFontSize;
  Settings.Tcopy = Project.Program.Tcopy;
  Settings.Save(reg, Project.Program.RecentFiles);
  for (TToolBar* b : {PrjBar, EditBar, AttrBar, ContextBar, TopicBar}) SaveToolBarState(reg, b);
}

bool TMainForm::FormCloseQuery() {
  if (CompilerRunning()) {
    // Closed once the compiler has ended, with the usual save.
    close_deferred_ = true;
    return false;
  }
  bool can_close = true;
  try {
    SaveAExecute(this);
  } catch (const std::exception& e) {
    // The author must know why the window stays open.
    can_close = false;
    ShowMessageBox(Handle(), e.what(), Application().Title(), MB_OK | MB_ICONERROR);
  }
  WriteSettings();
  return can_close;
}

void TMainForm::FormDestroy() {
  ChangeClipboardChain(Handle(), NextClipboardViewer);
  NextClipboardViewer = nullptr;
  Application().HelpCommand(HELP_QUIT, 0);
  std::string title = "トピックの検索: " + Project.HelpTitle;
  if (HWND w = FindWindowA(nullptr, title.c_str())) PostMessageA(w, WM_CLOSE, 0, 0);
}

LRESULT TMainForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wp) == NextClipboardViewer)
        NextClipboardViewer = reinterpret_cast<HWND>(lp);
      else if (NextClipboardViewer)
        SendMessageA(NextClipboardViewer, msg, wp, lp);
      return 0;
    case WM_DRAWCLIPBOARD:
      // The Paste command follows the clipboard here.
      if (NextClipboardViewer) SendMessageA(NextClipboardViewer, msg, wp, lp);
      return 0;
  }
  return TForm::WndProc(msg, wp, lp);
}

}  // namespace qm::editor
