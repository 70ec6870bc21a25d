#include "hotspot/ZonivexForm.h"

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "core/FileSystem.h"
#include "hotspot/AboutBox.h"
#include "hotspot/ShgGraphic.h"

namespace qm::zonivex {

using namespace cl;

namespace {

// Toolbar images, in the order of the strip.
enum : int { kImgClose, kImgOpen, kImgSave, kImgDelete, kImgAttributes, kImgDefaults, kImgAbout };

}  // namespace

TForm1::TForm1(IniStore& settings)
    : TForm(nullptr, "TForm1", kApplicationTitle), settings_store_(settings) {
  Name = "Form1";
  hotspot::UsePlatformConverters(Shg);
  CreateComponents();
}

TForm1::~TForm1() {
  // The shapes' manager follows Image1: let go of it before either goes.
  if (TrkShapeManager1) TrkShapeManager1->ClearFixedImage();
}

void TForm1::CreateComponents() {
  ImageList1 = new TImageList(this);
  ImageList1->Name = "ImageList1";
  ImageList1->LoadStrip("TOOLIMAGES");
  ImageList2 = new TImageList(this);
  ImageList2->Name = "ImageList2";
  ImageList2->LoadStrip("TOOLIMAGES");
  ImageList3 = new TImageList(this);
  ImageList3->Name = "ImageList3";
  ImageList3->LoadStrip("TOOLIMAGESDISABLED");

  ActionList1 = new TActionList(this);
  ActionList1->Name = "ActionList1";
  struct ButtonDef {
    TAction** action;
    const char* name;
    const char* hint;
    int image;
    std::function<void(TComponent*)> run;
  };
  const ButtonDef buttons[] = {
      {&CloseBtn, "CloseBtn", "終了", kImgClose, [this](TComponent* s) { CloseBtnClick(s); }},
      {&LoadBtn, "LoadBtn", "開く", kImgOpen, [this](TComponent* s) { LoadBtnClick(s); }},
      {&SaveBtn, "SaveBtn", "保存", kImgSave, [this](TComponent* s) { SaveBtnClick(s); }},
      {&DelBtn, "DelBtn", "削除", kImgDelete, [this](TComponent* s) { DelBtnClick(s); }},
      {&PropBtn, "PropBtn", "属性", kImgAttributes, [this](TComponent* s) { PropBtnClick(s); }},
      {&ToolButton3, "ToolButton3", "環境", kImgDefaults, [this](TComponent* s) { ToolButton3Click(s); }},
      {&AboutBtn, "AboutBtn", "バージョン", kImgAbout, [this](TComponent* s) { AboutBtnClick(s); }},
  };
  for (const ButtonDef& b : buttons) {
    *b.action = ActionList1->Add(b.name, b.hint, 0, b.image);
    (*b.action)->SetHint(b.hint);
    (*b.action)->OnExecute = b.run;
  }
  SaveBtn->SetEnabled(false);
  DelBtn->SetEnabled(false);
  PropBtn->SetEnabled(false);

  ControlBar1 = new TControlBar(this, this);
  ControlBar1->Name = "ControlBar1";
  ToolBar1 = new TToolBar(this, ControlBar1, kApplicationTitle);
  ToolBar1->Name = "ToolBar1";
  ToolBar1->SetImages(ImageList1, nullptr);
  ToolBar1->AddButton(CloseBtn);
  ToolBar1->AddSeparator();
  ToolBar1->AddButton(LoadBtn);
  ToolBar1->AddButton(SaveBtn);
  ToolBar1->AddSeparator();
  ToolBar1->AddButton(DelBtn);
  ToolBar1->AddButton(PropBtn);
  ToolBar1->AddSeparator();
  ToolBar1->AddButton(ToolButton3);
  ToolBar1->AddSeparator();
  ToolBar1->AddButton(AboutBtn);

  StatusBar1 = new TStatusBar(this, this);
  StatusBar1->Name = "StatusBar1";
  StatusBar1->SetFont("ＭＳ Ｐゴシック", -12);
  StatusBar1->SetPanels({-1});  // one simple line
  StatusBar1->SetHeight(18);

  TListViewOptions list;
  list.RowSelect = true;
  list.ReadOnly = true;
  list.HideSelection = false;
  list.ColumnClick = false;
  HsList = new TListView(this, this, list);
  HsList->Name = "HsList";
  HsList->AddColumn("HotSpot", 70);
  HsList->AddColumn("Mode", 45);
  HsList->AddColumn("Context", 80);
  HsList->SetWidth(199);
  HsList->SetAlign(TAlign::Left);
  HsList->OnClick = [this](TControl*) { HsListClick(); };
  HsList->OnDblClick = [this](TControl*) { HsListDblClick(); };
  HsList->OnSelectItem = [this](TListView*, TListItem*, bool selected) { HsListSelectItem(selected); };
  Splitter1 = new TSplitter(this, this, TAlign::Left);
  Splitter1->Name = "Splitter1";
  Splitter1->OnMoved = [this](TSplitter*) { RepaintAfterSplit(); };

  ScrollBox1 = new TScrollBox(this, this);
  ScrollBox1->Name = "ScrollBox1";
  ScrollBox1->SetColor(GetSysColor(COLOR_APPWORKSPACE));
  ScrollBox1->SetAlign(TAlign::Client);
  // Double clicks on a shape open the attributes.
  SetClassLongPtrA(ScrollBox1->Handle(), GCL_STYLE, GetClassLongPtrA(ScrollBox1->Handle(), GCL_STYLE) | CS_DBLCLKS);
  Image1 = new TImage(this, ScrollBox1);
  Image1->Name = "Image1";
  Image1->SetBounds(0, 0, 0, 0);
  Image1->SetAutoSize(true);
  Image1->OnMouseDown = [this](TGraphicControl*, int b, TShiftState s, int x, int y) { Image1MouseDown(b, s, x, y); };
  Image1->OnMouseMove = [this](TGraphicControl*, TShiftState s, int x, int y) { Image1MouseMove(s, x, y); };
  Image1->OnMouseUp = [this](TGraphicControl*, int b, TShiftState s, int x, int y) { Image1MouseUp(b, s, x, y); };

  TrkShapeManager1 = new hotspot::TTrkShapeManager(this, ScrollBox1);
  TrkShapeManager1->Name = "TrkShapeManager1";
  TrkShapeManager1->PenMode = pmNot;
  TrkShapeManager1->SetFixedImage(Image1);
  TrkShapeManager1->OnSelected = [this](hotspot::TTrkShape* s) { TrkShapeManager1Selected(s); };
  TrkShapeManager1->OnMoveEnd = [this](hotspot::TTrkShape* s) { TrkShapeManager1MoveEnd(s); };
  TrkShapeManager1->OnReSizeEnd = [this](hotspot::TTrkShape* s) { TrkShapeManager1MoveEnd(s); };
  TrkShapeManager1->OnDblClickEnd = [this](hotspot::TTrkShape* s) { TrkShapeManager1DblClick(s); };

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->Name = "OpenDialog1";
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->Name = "SaveDialog1";
  SaveDialog1->DefaultExt = "shg";
  SaveDialog1->Filter = "shgファイル|*.shg";
}

void TForm1::FormCreate() {
  // The work area the dialogs are kept inside.
  RECT area;
  if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
    WorkArea = hotspot::TWorkArea{area.left, area.top, area.right, area.bottom};
  else
    WorkArea = hotspot::TWorkArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  ReadSettings();
  // The toolbar's images; there is one set of pictures, with disabled ones
  // where the system draws them from a list of their own.
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool xp = GetVersionExA(&v) && v.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                  (v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion > 0));
#pragma GCC diagnostic pop
  if (xp) ToolBar1->SetImages(ImageList2, ImageList3);
  // The folder the program started in, through a file name in it.
  char dir[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, dir);
  FileName = std::string(dir) + "\\x";
  Application().OnMessage = [this](MSG& msg, bool& handled) { MessageProc(msg, handled); };
  Realign();
}

void TForm1::ReadSettings() {
  IniSettings reg(settings_store_);
  Settings.Load(reg);
  SetScreenBounds(Settings.Left, Settings.Top, Settings.Width, Settings.Height);
  HsList->SetColumnWidth(0, Settings.HotspotColumn);
  HsList->SetColumnWidth(1, Settings.ModeColumn);
  HsList->SetColumnWidth(2, Settings.ContextColumn);
  HsList->SetWidth(Settings.ListWidth);
  DefaultMode = Settings.DefaultMode;
  DefaultFrameShown = Settings.DefaultFrameShown;
}

void TForm1::WriteSettings() {
  const RECT r = ScreenBounds();
  Settings.Top = r.top;
  Settings.Left = r.left;
  Settings.Width = r.right - r.left;
  Settings.Height = r.bottom - r.top;
  Settings.HotspotColumn = HsList->ColumnWidth(0);
  Settings.ModeColumn = HsList->ColumnWidth(1);
  Settings.ContextColumn = HsList->ColumnWidth(2);
  Settings.ListWidth = HsList->Width();
  Settings.DefaultMode = DefaultMode;
  Settings.DefaultFrameShown = DefaultFrameShown;
  IniSettings reg(settings_store_);
  Settings.Save(reg);
}

bool TForm1::FormCloseQuery() {
  // The settings first: they are kept whatever the save does.
  try {
    WriteSettings();
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
  // A save that was cancelled or failed keeps the window and its work.
  return SaveChangesIfWanted();
}

void TForm1::FormDestroy() {
  if (Application().OnMessage) Application().OnMessage = nullptr;
}

void TForm1::RepaintAfterSplit() {
  // Moving the splitter moves and sizes both windows; the copied bits and
  // the header's old dividers would otherwise stay until something else
  // repaints them.
  constexpr UINT kWhole = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
  RedrawWindow(HsList->Handle(), nullptr, nullptr, kWhole);
  RedrawWindow(ScrollBox1->Handle(), nullptr, nullptr, kWhole);
}

void TForm1::AboutBtnClick(TComponent*) {
  auto box = std::make_unique<TAboutBox>();
  box->ShowModal();
}

int TForm1::ImageWidth() const { return Image1->Graphic() ? Image1->Graphic()->Width() : 0; }
int TForm1::ImageHeight() const { return Image1->Graphic() ? Image1->Graphic()->Height() : 0; }

void TForm1::SetCaptionForFile() { SetText(FileName + " - " + kApplicationTitle); }

}  // namespace qm::zonivex
