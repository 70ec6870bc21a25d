#include "editor/MainForm.h"

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "core/FileSystem.h"
#include "editor/BackupCommands.h"
#include "editor/BrowseRenumberCommands.h"
#include "editor/CommandGroup.h"
#include "editor/CompileCommands.h"
#include "editor/EditCommands.h"
#include "editor/FindCommands.h"
#include "editor/ContentsCommands.h"
#include "editor/EditingCommands.h"
#include "editor/HelpMenuCommands.h"
#include "editor/HelpOptionCommands.h"
#include "editor/ImageIndexes.h"
#include "editor/LinkCommands.h"
#include "editor/LinkListCommands.h"
#include "editor/MarkupCommands.h"
#include "editor/MediaCommands.h"
#include "editor/ProjectCommands.h"
#include "editor/TableIndentCommands.h"
#include "editor/TopicCommands.h"
#include "editor/TopicIdExchangeCommands.h"

namespace qm::editor {

using namespace cl;

TMenuItem* TMenuPlace::Place(TMenuItem* item) const {
  if (End) Menu->Insert(Menu->IndexOf(End), item);
  return item;
}

TMenuItem* TMenuPlace::Add(TAction* action) const { return Place(Menu->AddItem(action)); }

TMenuItem* TMenuPlace::Add(const std::string& caption, const std::string& name, int image_index,
                           TShortCut shortcut) const {
  TMenuItem* m = Menu->AddItem(caption, nullptr, shortcut);
  if (!name.empty()) m->Name = name;
  if (image_index >= 0) m->SetImageIndex(image_index);
  return Place(m);
}

void TCommandSet::SetEnabled(bool on) const {
  for (TAction* a : Actions) a->SetEnabled(on);
  for (TMenuItem* m : Items) m->SetEnabled(on);
  for (TControl* c : Controls) c->SetEnabled(on);
}

TMainForm::TMainForm(IniStore& settings)
    : TForm(nullptr, "TMainForm", "Quillmark"), settings_store_(settings) {
  Name = "MainForm";
  Project.Program.DefaultFontName = Settings.FontName;
  Project.Program.DefaultFontSize = Settings.FontSize;
  CreateComponents();
  CreateGroups();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateGroups() {
  // Each group puts its items after those of the groups before it.
  ProjectCmds = AddGroup<TProjectCommands>();
  ContentsCmds = AddGroup<TContentsCommands>();
  TopicCmds = AddGroup<TTopicCommands>();
  CompileCmds = AddGroup<TCompileCommands>();
  AddGroup<THelpOptionCommands>();
  AddGroup<TBackupCommands>();
  AddGroup<TTopicIdExchangeCommands>();
  AddGroup<TEditingCommands>();
  AddGroup<TLinkCommands>();
  AddGroup<TEditCommands>();
  AddGroup<TFindCommands>();
  AddGroup<THelpMenuCommands>();
  AddGroup<TTableIndentCommands>();
  AddGroup<TMediaCommands>();
  AddGroup<TLinkListCommands>();
  AddGroup<TBrowseRenumberCommands>();
  AddGroup<TMarkupCommands>();
}

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
  // Menu items' hints show here while a menu is open.
  HintStatusBar = StatusBar;

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

  ErrEdit = new controls::TRichEditEx(this, this, ES_READONLY | ES_AUTOHSCROLL);
  ErrEdit->Name = "ErrEdit";
  ErrEdit->SetLineLeft(0);  // no selection margin: the log is read, not edited
  ErrEdit->SetHeight(Settings.EHeight);
  ErrEdit->SetAlign(TAlign::Bottom);
  ErrEdit->SetVisible(false);
  Splitter2 = new TSplitter(this, this, TAlign::Bottom, 0);
  Splitter2->Name = "Splitter2";

  // The editor under its ruler (the editing commands put the ruler in).
  EditorPane = new TPanel(this, this);
  EditorPane->Name = "EditorPane";
  EditorPane->SetAlign(TAlign::Client);
  Editor = new controls::TRichEditEx(this, EditorPane);
  Editor->Name = "Editor";
  Editor->SetAlign(TAlign::Client);
  Editor->SetReadOnly(true);  // no topic open
}

void TMainForm::CreateMenus() {
  MainMenu = new TMainMenu(this);
  MainMenu->Name = "MainMenu";
  TMenuItem* root = MainMenu->Items();

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

  // The File menu: New, Open and Save, the contents commands, the recent
  // projects (the project commands put them after the second separator),
  // Exit.
  FileMenu = root->AddItem("ファイル(&F)");
  FileMenu->Name = "FileMenu";
  FileProjectPlace = {FileMenu, FileMenu->AddSeparator()};
  FileContentsPlace = {FileMenu, FileMenu->AddSeparator()};
  ExitItem = FileMenu->AddItem("終了(&X)", [this](TMenuItem*) { Close(); });

  EditMenu = root->AddItem("編集(&E)");
  EditMenu->Name = "EditMenu";
  EditClipPlace = {EditMenu, EditMenu->AddSeparator()};
  EditFindPlace = {EditMenu, EditMenu->AddSeparator()};
  EditPlace = {EditMenu, nullptr};

  ViewMenuItem = root->AddItem("表示(&V)");
  ViewMenuItem->Name = "ViewMenuItem";
  for (TAction* a : {PrjBarV, ContextBarV, TopicBarV, AttrBarV, EditBarV}) ViewMenuItem->AddItem(a);
  ViewMenuItem->AddSeparator();
  ViewPlace = {ViewMenuItem, nullptr};

  InsertMenu = root->AddItem("挿入(&I)");
  InsertMenu->Name = "InsertMenu";
  InsertObjectPlace = {InsertMenu, InsertMenu->AddSeparator()};
  InsertLinkPlace = {InsertMenu, InsertMenu->AddSeparator()};
  InsertMarkupPlace = {InsertMenu, nullptr};

  FormatMenu = root->AddItem("書式(&O)");
  FormatMenu->Name = "FormatMenu";
  FormatPlace = {FormatMenu, nullptr};

  // The Tools menu: compiling and what follows it, the project's options
  // and backup, and the companion programs.
  ToolMenu = root->AddItem("ツール(&T)");
  ToolMenu->Name = "ToolMenu";
  ToolCompilePlace = {ToolMenu, ToolMenu->AddSeparator()};
  ToolProjectPlace = {ToolMenu, ToolMenu->AddSeparator()};
  ToolProgramPlace = {ToolMenu, nullptr};

  // Items reached only by their shortcuts: a menu that is never shown still
  // gives its items' shortcuts.
  HiddenMenu = root->AddItem("隠し");
  HiddenMenu->Name = "HiddenMenu";
  HiddenMenu->SetVisible(false);
  HiddenPlace = {HiddenMenu, nullptr};

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
  // The command groups fill the bars: PrjBar the project and compile
  // commands, ContextBar the contents commands; EditBar, AttrBar and
  // TopicBar receive the editing, format and topic commands.
}

cl::TToolBar* TMainForm::ToolBarByName(const std::string& name) const {
  for (TToolBar* b : {PrjBar, EditBar, AttrBar, ContextBar, TopicBar})
    if (b->Name == name) return b;
  throw std::out_of_range("No toolbar " + name);
}

void TMainForm::FormCreate() {
  // The desktop work area; the whole screen when the system cannot tell.
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &WorkArea, 0))
    WorkArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  ReadSettings();
  // The groups show their first state: the recent-project menu, the empty
  // topic status.
  for (const auto& g : groups_) g->FormCreated();
  // The status bar's height from its font: three halves of the character
  // height.
  LOGFONTA lf = {};
  GetObjectA(StatusBar->Font(), sizeof lf, &lf);
  StatusBar->SetHeight(3 * (-lf.lfHeight) / 2);
  // The program's own help file lies beside the program.
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  Application().HelpFile = ExtractFileDir(path) + "\\quillmark.hlp";
  // The menus' images: ImageList4 and ImageList5 on every system (there is
  // one set of pictures).
  MainMenu->Items()->SetImages(ImageList4, ImageList5);
  ViewMenu->Items()->SetImages(ImageList4, ImageList5);
  // Whether the display shows true colour: only then does the editor take
  // the topic colour as its background.
  HDC dc = GetDC(nullptr);
  int palette = GetDeviceCaps(dc, SIZEPALETTE);
  ReleaseDC(nullptr, dc);
  Project.Program.TrueColorDisplay = palette > 256 || palette == 0;
  // The window follows the clipboard (for Paste) in the viewer chain.
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
  // A group that puts the close off (the compile, while the compiler runs)
  // closes the window itself later, with the usual save.
  for (const auto& g : groups_)
    if (g->PutOffClose()) return false;
  bool can_close = true;
  try {
    for (const auto& g : groups_) g->SaveBeforeClose();
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
  for (const auto& g : groups_) g->FormDestroying();
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
      for (const auto& g : groups_) g->ClipboardChanged();
      if (NextClipboardViewer) SendMessageA(NextClipboardViewer, msg, wp, lp);
      return 0;
  }
  return TForm::WndProc(msg, wp, lp);
}

}  // namespace qm::editor
