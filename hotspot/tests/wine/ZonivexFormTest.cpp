#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Clipboard.h"
#include "classlib/Dialogs.h"
#include "classlib/FileDialogs.h"
#include "classlib/tests/TempDir.h"
#include "core/FileSystem.h"
#include "hotspot/AboutBox.h"
#include "hotspot/HotspotDialogs.h"
#include "exchange/TopicIdExchange.h"
#include "hotspot/ZonivexForm.h"
#include "hotspot/bench/ManyHotspots.h"
#include "hotspot/core/HotspotText.h"

namespace qm::zonivex {
namespace {

const std::string kData = QM_TESTDATA_DIR;
const std::string kShed = kData + "/shg/shed";
const char* const kShedFiles[] = {"ACCDLG.SHG", "ANGDLG.SHG", "BDYDLG.SHG", "DISDLG.SHG",
                                  "FORCEDLG.SHG", "RADDLG.SHG", "SCREEN.SHG"};

std::string ReadAll(const std::string& path) {
  std::string s;
  ReadFileBytes(path, s);
  return s;
}

// Runs `step` from inside the next modal loop, on the form it shows.
void InNextModal(std::function<void(cl::TForm*)> step) {
  static std::function<void(cl::TForm*)> pending;
  pending = std::move(step);
  SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    auto* form = dynamic_cast<cl::TForm*>(cl::TControl::FromHandle(GetActiveWindow()));
    if (!form || form == cl::Application().MainForm()) return;  // not up yet
    KillTimer(nullptr, id);
    auto f = std::move(pending);
    pending = nullptr;
    if (f) f(form);
  });
}

struct ZonivexTest : ::testing::Test {
  MemoryIniStore store;
  std::vector<cl::MessageBoxCall> boxes;
  int answer = IDYES;
  std::vector<std::string> files;  // what the file dialogs answer, in turn
  int filterIndex = 1;             // the filter the open dialog reports
  std::string tmp;
  std::unique_ptr<TForm1> form;

  void SetUp() override {
    cl::Application().Initialize();
    exchange::RegisterTopicIdMessage();
    tmp = qmtest::NewTempDir();
    cl::SetMessageBoxHook([this](const cl::MessageBoxCall& c) {
      boxes.push_back(c);
      return answer;
    });
    cl::SetFileDialogHook([this](cl::TFileDialog& d) {
      if (files.empty()) return false;
      d.FileName = files.front();
      files.erase(files.begin());
      if (!d.IsSave()) d.FilterIndex = filterIndex;
      return true;
    });
    form = std::make_unique<TForm1>(store);
    form->DoCreate();
    form->Show();
    Pump();
  }
  void TearDown() override {
    form->DoDestroy();
    form.reset();
    cl::SetMessageBoxHook(nullptr);
    cl::SetFileDialogHook(nullptr);
  }
  void Pump() { cl::Application().ProcessMessages(); }
  std::string Copy(const std::string& from, const std::string& name) {
    const std::string to = tmp + "\\" + name;
    CopyFileA(from.c_str(), to.c_str(), FALSE);
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    return to;
  }
  void Open(const std::string& path) {
    files = {path};
    form->LoadBtnClick(nullptr);
  }
  // Mouse messages on the picture, in picture pixels.
  void Mouse(UINT msg, int x, int y) {
    const int px = x + form->Image1->Left(), py = y + form->Image1->Top();
    SendMessageA(form->ScrollBox1->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(px, py));
  }
  void Drag(int x0, int y0, int x1, int y1) {
    Mouse(WM_LBUTTONDOWN, x0, y0);
    Mouse(WM_MOUSEMOVE, (x0 + x1) / 2, (y0 + y1) / 2);
    Mouse(WM_MOUSEMOVE, x1, y1);
    Mouse(WM_LBUTTONUP, x1, y1);
  }
  void Select(int row) {
    form->HsList->SetSelected(form->HsList->Item(row));
    form->HsListClick();
  }
  struct Row {
    std::string name, mode, context;
    int image;
    LPARAM frame;
    int x, y, w, h;
    bool operator==(const Row&) const = default;
  };
  std::vector<Row> Rows() {
    std::vector<Row> rows;
    for (int i = 0; i < form->HsList->Count(); ++i) {
      const cl::TListItem* r = form->HsList->Item(i);
      const hotspot::TTrkShape* s = form->TrkShapeManager1->Shapes(i);
      rows.push_back(Row{r->Caption(), r->SubItem(0), r->SubItem(1), r->ImageIndex(), r->Data, s->ImageLeft(),
                         s->ImageTop(), s->Width(), s->Height()});
    }
    return rows;
  }
  std::string Status() { return form->StatusBar1->PanelText(0); }
  // The text the list shows in a row's column.
  std::string ShownText(int row, int column) {
    char text[256] = {};
    LVITEMA get = {};
    get.iSubItem = column;
    get.pszText = text;
    get.cchTextMax = sizeof text;
    SendMessageA(form->HsList->Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&get));
    return text;
  }
};

// Rows and shapes as the hotspot records of a file.
std::vector<ZonivexTest::Row> RowsOf(const hotspot::TShg& shg) {
  std::vector<ZonivexTest::Row> rows;
  for (int i = 0; i < shg.HotSpotCount(); ++i) {
    const hotspot::THotSpot& h = shg.HotSpots(i);
    rows.push_back({h.name, hotspot::ModeName(h.mode), h.context, h.mode, h.visible ? 1 : 0, h.x, h.y, h.width,
                    h.height});
  }
  return rows;
}

// The first of two lists of rows where they differ (in length or a row);
// -1 when they are the same.
int FirstDifference(const std::vector<ZonivexTest::Row>& a, const std::vector<ZonivexTest::Row>& b) {
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (!(a[i] == b[i])) return static_cast<int>(i);
  return a.size() == b.size() ? -1 : static_cast<int>(std::min(a.size(), b.size()));
}

// The real files, and one of 2,000 hotspots over a real picture.
TEST_F(ZonivexTest, ShgFilesShowTheirHotspotsInStepAndSaveUnchanged) {
  const std::string many = tmp + "\\many.shg";
  WriteFileReplacing(many, hotspot::bench::ManyHotspotsShg(kShed + "/SCREEN.SHG", 2000));
  std::vector<std::pair<std::string, std::string>> files;  // copy, original
  for (const char* name : kShedFiles) files.push_back({Copy(kShed + "/" + name, name), kShed + "/" + name});
  files.push_back({Copy(many, "many-copy.shg"), many});
  for (const auto& [path, original] : files) {
    SCOPED_TRACE(path);
    Open(path);
    ASSERT_TRUE(form->PictureLoaded);
    EXPECT_EQ(form->Text(), path + " - Zonivex");
    ASSERT_EQ(form->HsList->Count(), form->Shg.HotSpotCount());
    ASSERT_EQ(form->TrkShapeManager1->Count(), form->Shg.HotSpotCount());
    EXPECT_EQ(FirstDifference(Rows(), RowsOf(form->Shg)), -1);
    // The list draws again once it is filled: its scroll bar reaches the
    // last row; and it shows each row's texts.
    SCROLLINFO bar = {sizeof bar, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    GetScrollInfo(form->HsList->Handle(), SB_VERT, &bar);
    if (form->HsList->Count() > form->HsList->VisibleRowCount()) EXPECT_EQ(bar.nMax + 1, form->HsList->Count());
    const int last = form->HsList->Count() - 1;
    EXPECT_EQ(ShownText(last, 0), form->Shg.HotSpots(last).name);
    EXPECT_EQ(ShownText(last, 2), form->Shg.HotSpots(last).context);
    EXPECT_EQ(form->ImageWidth(), static_cast<int>(form->Shg.width));
    EXPECT_TRUE(form->SaveBtn->Enabled());
    EXPECT_TRUE(form->DelBtn->Enabled());
    EXPECT_FALSE(form->Modified);
    // Saved over itself without an edit: not a byte changes.
    answer = IDYES;
    form->SaveBtnClick(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.back().text, "上書きしてもよろしいですか?");
    EXPECT_TRUE(ReadAll(path) == ReadAll(original));
    boxes.clear();
  }
  ASSERT_EQ(form->HsList->Count(), 2000);

  // In the large file: a row chosen in the middle and deleted, a shape
  // chosen on the picture and moved; rows, shapes and records stay in step.
  Select(1000);
  EXPECT_TRUE(form->TrkShapeManager1->Shapes(1000)->Selected());
  form->DelBtnClick(nullptr);
  EXPECT_EQ(form->Shg.HotSpotCount(), 1999);
  EXPECT_EQ(form->HsList->ItemIndex(), 1000);
  EXPECT_EQ(form->HsList->Selected()->Index(), 1000);
  EXPECT_TRUE(form->TrkShapeManager1->Shapes(1000)->Selected());
  EXPECT_EQ(Rows()[1000].name, "Hotspot 1002");
  EXPECT_EQ(ShownText(1000, 0), "Hotspot 1002");
  const Row r = Rows()[1990];
  Mouse(WM_MOUSEMOVE, r.x + r.w / 2, r.y + r.h / 2);
  Mouse(WM_LBUTTONDOWN, r.x + r.w / 2, r.y + r.h / 2);
  Mouse(WM_MOUSEMOVE, r.x + r.w / 2 + 1, r.y + r.h / 2 + 1);
  Mouse(WM_LBUTTONUP, r.x + r.w / 2 + 1, r.y + r.h / 2 + 1);
  EXPECT_EQ(form->HsList->ItemIndex(), 1990);
  EXPECT_EQ(Rows()[1990].x, r.x + 1);
  EXPECT_EQ(Status(), hotspot::HotspotStatusText(r.name, r.image, r.context, r.x + 1, r.y + 1, r.w, r.h));
  const std::vector<Row> edited = Rows();
  answer = IDYES;
  form->SaveBtnClick(nullptr);
  hotspot::TShg back;
  back.LoadFromFile(files.back().first);
  EXPECT_EQ(FirstDifference(RowsOf(back), edited), -1);
}

TEST_F(ZonivexTest, PicturesOpenAsNewDocumentsAndBadFilesFailCleanly) {
  for (const std::string dir : {"/bmp/g", "/meta/wmf", "/meta/emf"}) {
    for (const std::string& name : ListFiles(kData + dir, dir == "/bmp/g" ? ".bmp" : dir == "/meta/wmf" ? ".wmf" : ".emf")) {
      SCOPED_TRACE(name);
      boxes.clear();
      Open(kData + dir + "/" + name);
      // Windows metafiles without the placeable header are refused.
      if (ReadAll(kData + dir + "/" + name).substr(0, 4) == std::string("\x01\x00\x09\x00", 4)) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_FALSE(form->PictureLoaded);
        continue;
      }
      EXPECT_TRUE(boxes.empty()) << boxes.front().text;
      ASSERT_TRUE(form->PictureLoaded);
      EXPECT_EQ(form->HsList->Count(), 0);
      EXPECT_GT(form->ImageWidth(), 0);
      EXPECT_TRUE(form->SaveBtn->Enabled());
      EXPECT_FALSE(form->DelBtn->Enabled());
    }
  }
  // Refusals: broken pictures, packings this program does not read.
  // (The third corrupted metafile, ...215400.emf, differs from a good one
  // only in the offset of a description it does not have: it opens.)
  std::vector<std::string> bad = {kData + "/meta/emf-corrupted/libemf2svg-bad_corrupted_2014-12-02-215338.emf",
                                  kData + "/meta/emf-corrupted/libemf2svg-bad_corrupted_2014-12-02-215428.emf"};
  for (const char* name : {"DISKARC_bm9_dib4_pack2.lp", "FBD_bm48_dib4_pack3_hotspots.lp",
                           "FBD_bm63_dib4_pack3_hotspots.lp", "FLARIUM24_bm21_dib8_pack3.lp"})
    bad.push_back(Copy(kData + "/shg/hlp-embedded/" + name, std::string(name) + ".shg"));
  for (const std::string& path : bad) {
    SCOPED_TRACE(path);
    Open(Copy(kShed + "/ACCDLG.SHG", "ok.shg"));
    ASSERT_TRUE(form->PictureLoaded);
    boxes.clear();
    Open(path);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "読み込みに失敗しました");
    EXPECT_EQ(boxes[0].caption, "Zonivex");
    EXPECT_FALSE(form->PictureLoaded);
    EXPECT_EQ(form->HsList->Count(), 0);
    EXPECT_EQ(form->TrkShapeManager1->Count(), 0);
    EXPECT_EQ(form->Text(), "Zonivex");
    EXPECT_FALSE(form->SaveBtn->Enabled());
    EXPECT_FALSE(form->DelBtn->Enabled());
  }
  // The bad bitmaps of the suite: a message or a picture, never a crash.
  int refused = 0;
  for (const std::string& name : ListFiles(kData + "/bmp/b", ".bmp")) {
    SCOPED_TRACE(name);
    boxes.clear();
    Open(kData + "/bmp/b/" + name);
    EXPECT_EQ(form->PictureLoaded, boxes.empty());
    if (!form->PictureLoaded) ++refused;
  }
  std::printf("bad bitmaps refused: %d\n", refused);
}

TEST_F(ZonivexTest, AFailedOpenKeepsThePreviousFileAndDropsTheChanges) {
  const std::string good = Copy(kShed + "/ACCDLG.SHG", "ACCDLG.SHG");
  const std::string original = ReadAll(good);
  Open(good);
  Drag(10, 10, 40, 30);
  ASSERT_TRUE(form->Modified);
  answer = IDNO;  // do not save before opening
  Open(Copy(kData + "/shg/hlp-embedded/DISKARC_bm9_dib4_pack2.lp", "bad.shg"));
  EXPECT_FALSE(form->PictureLoaded);
  EXPECT_FALSE(form->HsList->Updating()) << "the list is left undrawn";
  EXPECT_FALSE(form->Modified);
  EXPECT_EQ(form->FileName, good);
  EXPECT_EQ(form->Text(), "Zonivex");
  // Closing asks nothing and writes nothing over the good file.
  boxes.clear();
  EXPECT_TRUE(form->FormCloseQuery());
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(ReadAll(good) == original);
}

TEST_F(ZonivexTest, DrawEditMoveSaveAndReopen) {
  const std::string path = Copy(kShed + "/ACCDLG.SHG", "ACCDLG.SHG");
  Open(path);
  ASSERT_EQ(form->HsList->Count(), 2);
  // A band released where it started makes nothing.
  Drag(50, 20, 50, 60);
  EXPECT_EQ(form->HsList->Count(), 2);
  EXPECT_FALSE(form->Modified);
  // Dragged from right to left and past the picture's bottom edge.
  const int h = form->ImageHeight();
  Drag(120, h - 20, 80, h + 40);
  ASSERT_EQ(form->HsList->Count(), 3);
  EXPECT_TRUE(form->Modified);
  EXPECT_EQ(Rows()[2], (Row{"Hotspot 3", "Popup", "", 1, 0, 80, h - 20, 40, 20}));
  EXPECT_TRUE(form->TrkShapeManager1->Shapes(2)->Selected());
  EXPECT_EQ(form->HsList->ItemIndex(), 2);
  EXPECT_EQ(Status(), "Hotspot 3 : Popup :  : (80," + std::to_string(h - 20) + ")-(120," + std::to_string(h) + ")");
  // The band leaves the picture as it was.
  const std::string pixelsBefore = form->Shg.BuildBitmapFile();

  // The attribute dialog.
  InNextModal([](cl::TForm* f) {
    auto* dlg = dynamic_cast<TAttrDlg*>(f);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->eHotSpot->Text(), "Hotspot 3");
    EXPECT_EQ(dlg->eType->ItemIndex(), 1);
    EXPECT_FALSE(dlg->eview->Checked());
    dlg->eHotSpot->SetText("目次");
    dlg->eConText->SetText("Topic1>Main");
    dlg->eview->SetChecked(true);
    SendMessageA(dlg->eType->Button(2)->Handle(), BM_CLICK, 0, 0);
    dlg->SetModalResult(cl::mrOk);
  });
  form->Modified = false;
  form->PropBtnClick(nullptr);
  EXPECT_TRUE(form->Modified);
  EXPECT_EQ(Rows()[2], (Row{"目次", "jump", "Topic1>Main", 2, 1, 80, h - 20, 40, 20}));
  // The status line shows the new values at once.
  EXPECT_EQ(Status(),
            "目次 : jump : Topic1>Main : (80," + std::to_string(h - 20) + ")-(120," + std::to_string(h) + ")");

  // Cancel changes nothing.
  InNextModal([](cl::TForm* f) {
    dynamic_cast<TAttrDlg*>(f)->eHotSpot->SetText("changed");
    f->SetModalResult(cl::mrCancel);
  });
  form->Modified = false;
  form->PropBtnClick(nullptr);
  EXPECT_FALSE(form->Modified);
  EXPECT_EQ(Rows()[2].name, "目次");

  // Move the new shape 5 right and 3 up.
  Mouse(WM_MOUSEMOVE, 100, h - 10);
  Mouse(WM_LBUTTONDOWN, 100, h - 10);
  Mouse(WM_MOUSEMOVE, 105, h - 13);
  Mouse(WM_LBUTTONUP, 105, h - 13);
  EXPECT_TRUE(form->Modified);
  const std::vector<Row> edited = Rows();
  EXPECT_EQ(edited[2].x, 85);
  EXPECT_EQ(edited[2].y, h - 23);

  answer = IDYES;
  form->SaveBtnClick(nullptr);
  EXPECT_FALSE(form->Modified);
  Open(path);
  EXPECT_EQ(Rows(), edited);
  EXPECT_EQ(form->Shg.BuildBitmapFile(), pixelsBefore);
}

TEST_F(ZonivexTest, ScrollingKeepsPicturePositions) {
  Open(Copy(kShed + "/ACCDLG.SHG", "ACCDLG.SHG"));  // 418 x 265
  form->SetBounds(0, 0, 360, 220);  // smaller than the picture
  Pump();
  const std::vector<Row> before = Rows();
  form->ScrollBox1->ScrollTo(10, 40);
  ASSERT_EQ(form->Image1->Left(), -10);
  EXPECT_EQ(Rows(), before);
  // A band drawn now is placed in picture pixels; moving a shape stops at
  // the picture's edges, not the box's.
  Drag(20, 60, 40, 70);
  EXPECT_EQ(Rows().back().x, 20);
  EXPECT_EQ(Rows().back().y, 60);
  Mouse(WM_MOUSEMOVE, 30, 65);
  Mouse(WM_LBUTTONDOWN, 30, 65);
  Mouse(WM_MOUSEMOVE, -500, -500);
  Mouse(WM_LBUTTONUP, -500, -500);
  EXPECT_EQ(Rows().back().x, 0);
  EXPECT_EQ(Rows().back().y, 0);
}

TEST_F(ZonivexTest, SavingAPictureAsksForAShgName) {
  const std::string bmp = Copy(kData + "/bmp/g/pal4.bmp", "pal4.bmp");
  Open(bmp);
  Drag(5, 5, 30, 20);
  std::string proposed;
  cl::SetFileDialogHook([&](cl::TFileDialog& d) {
    proposed = d.FileName + "|" + d.DefaultExt + "|" + d.InitialDir;
    d.FileName = tmp + "\\pal4.shg";
    return true;
  });
  boxes.clear();
  form->SaveBtnClick(nullptr);
  EXPECT_TRUE(boxes.empty());  // neither a .shg nor an existing file
  EXPECT_EQ(proposed, "pal4|shg|" + tmp);
  EXPECT_EQ(form->FileName, tmp + "\\pal4.shg");
  EXPECT_EQ(form->Text(), tmp + "\\pal4.shg - Zonivex");
  EXPECT_FALSE(form->Modified);
  hotspot::TShg back;
  back.LoadFromFile(tmp + "\\pal4.shg");
  ASSERT_EQ(back.HotSpotCount(), 1);
  EXPECT_EQ(back.HotSpots(0).x, 5);
  EXPECT_EQ(back.HotSpots(0).width, 25);

  // A failed write keeps the changes and the old name.
  Drag(40, 5, 60, 20);
  const std::string locked = tmp + "\\nosuchfolder\\x.shg";
  cl::SetFileDialogHook([&](cl::TFileDialog& d) {
    d.FileName = locked;
    return true;
  });
  answer = IDNO;  // not over pal4.shg: choose another name
  boxes.clear();
  form->SaveBtnClick(nullptr);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "書き込みに失敗しました");
  EXPECT_TRUE(form->Modified);
  EXPECT_EQ(form->FileName, tmp + "\\pal4.shg");
}

TEST_F(ZonivexTest, HotspotsImportedFromAnotherFileAreClamped) {
  Open(Copy(kData + "/bmp/g/pal1.bmp", "pal1.bmp"));  // 127 x 64
  const int w = form->ImageWidth(), h = form->ImageHeight();
  filterIndex = 5;
  files = {kShed + "/SCREEN.SHG"};
  form->LoadBtnClick(nullptr);
  EXPECT_NE(form->OpenDialog1->Filter.find("|ホットスポット|*.shg"), std::string::npos);
  hotspot::TShg screen;
  screen.LoadFromFile(kShed + "/SCREEN.SHG");
  ASSERT_EQ(form->HsList->Count(), screen.HotSpotCount());
  EXPECT_EQ(form->Shg.HotSpotCount(), screen.HotSpotCount());
  for (int i = 0; i < screen.HotSpotCount(); ++i) {
    const hotspot::THotSpot& s = screen.HotSpots(i);
    const hotspot::THotspotRect r = hotspot::ClampImportedHotspot({s.x, s.y, s.width, s.height}, w, h);
    const Row row = Rows()[static_cast<std::size_t>(i)];
    EXPECT_EQ(row.name, s.name);
    EXPECT_EQ(row.context, s.context);
    EXPECT_EQ((hotspot::THotspotRect{row.x, row.y, row.w, row.h}), r);
    EXPECT_LE(row.x + row.w, w);
    EXPECT_LE(row.y + row.h, h);
  }
  EXPECT_TRUE(form->Modified);  // the imported hotspots are unsaved work
  EXPECT_TRUE(form->DelBtn->Enabled());
  EXPECT_EQ(form->FileName, tmp + "\\pal1.bmp");
}

// A save the author asked for at a close or an open, that did not happen,
// keeps the window and its work; "No" goes on without saving.
TEST_F(ZonivexTest, CloseAndOpenStopWhenTheAskedForSaveDidNotHappen) {
  const std::string bmp = Copy(kData + "/bmp/g/pal4.bmp", "pal4.bmp");
  Open(bmp);
  Drag(5, 5, 30, 20);
  std::vector<bool> dialogs;  // IsSave() of each file dialog shown
  std::string chosen;         // what the save dialog answers; "" cancels
  cl::SetFileDialogHook([&](cl::TFileDialog& d) {
    dialogs.push_back(d.IsSave());
    if (chosen.empty()) return false;
    d.FileName = chosen;
    return true;
  });
  auto check = [&](int reply, bool goesOn, const std::vector<bool>& shown, const char* what) {
    SCOPED_TRACE(what);
    answer = reply;
    dialogs.clear();
    boxes.clear();
    EXPECT_EQ(form->FormCloseQuery(), goesOn);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].text, "変更があります。保存しますか?");
    EXPECT_EQ(dialogs, shown);
    EXPECT_EQ(form->HsList->Count(), 1);
    EXPECT_TRUE(form->Modified);
  };
  check(IDYES, false, {true}, "save dialog cancelled");
  check(IDCANCEL, false, {}, "question dismissed");
  chosen = tmp + "\\nosuchfolder\\x.shg";
  check(IDYES, false, {true}, "write failed");
  EXPECT_EQ(boxes.back().text, "書き込みに失敗しました");

  // Opening: the open dialog does not even show.
  chosen.clear();
  answer = IDYES;
  dialogs.clear();
  form->LoadBtnClick(nullptr);
  EXPECT_EQ(dialogs, std::vector<bool>{true});
  EXPECT_EQ(form->FileName, bmp);
  EXPECT_TRUE(form->Modified);

  answer = IDNO;
  dialogs.clear();
  EXPECT_TRUE(form->FormCloseQuery());
  EXPECT_TRUE(dialogs.empty());
  EXPECT_FALSE(FileExists(tmp + "\\pal4.shg"));

  // A save that happened lets the close go on.
  chosen = tmp + "\\pal4.shg";
  answer = IDYES;
  EXPECT_TRUE(form->FormCloseQuery());
  EXPECT_FALSE(form->Modified);
  EXPECT_TRUE(FileExists(chosen));
}

// The arrow keys move the list's selection; the picture's handles and the
// status line follow as for a click.
TEST_F(ZonivexTest, ArrowKeysInTheListSelectTheShape) {
  Open(Copy(kShed + "/ACCDLG.SHG", "ACCDLG.SHG"));
  ASSERT_EQ(form->HsList->Count(), 2);
  Select(0);
  cl::TClipboard().SetAsText("before");
  SendMessageA(form->HsList->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(form->HsList->ItemIndex(), 1);
  EXPECT_TRUE(form->TrkShapeManager1->Shapes(1)->Selected());
  EXPECT_FALSE(form->TrkShapeManager1->Shapes(0)->Selected());
  const Row r = Rows()[1];
  EXPECT_EQ(Status(), hotspot::HotspotStatusText(r.name, r.image, r.context, r.x, r.y, r.w, r.h));
  EXPECT_EQ(cl::TClipboard().AsText(), hotspot::ContextTopicId(r.context));  // a pop-up
  SendMessageA(form->HsList->Handle(), WM_KEYDOWN, VK_UP, 0);
  Pump();
  EXPECT_TRUE(form->TrkShapeManager1->Shapes(0)->Selected());
  EXPECT_FALSE(form->TrkShapeManager1->Shapes(1)->Selected());
  EXPECT_EQ(Status().find(Rows()[0].name + " : "), 0u) << Status();
}

TEST_F(ZonivexTest, DeletingSelectsTheNextOrNewLastRow) {
  Open(Copy(kShed + "/SCREEN.SHG", "SCREEN.SHG"));
  const int n = form->HsList->Count();
  ASSERT_GE(n, 3);
  Select(n - 1);
  form->DelBtnClick(nullptr);
  EXPECT_EQ(form->HsList->Count(), n - 1);
  EXPECT_EQ(form->Shg.HotSpotCount(), n - 1);
  EXPECT_EQ(form->HsList->ItemIndex(), n - 2);
  EXPECT_TRUE(form->TrkShapeManager1->Shapes(n - 2)->Selected());
  EXPECT_TRUE(form->Modified);
  // New hotspots are named by the row count, whatever names there are.
  Drag(1, 1, 9, 9);
  EXPECT_EQ(Rows().back().name, "Hotspot " + std::to_string(n));
  for (int left = form->HsList->Count(); left > 0; --left) {
    Select(0);
    form->DelBtnClick(nullptr);
    ASSERT_EQ(form->HsList->Count(), left - 1);
  }
  EXPECT_FALSE(form->DelBtn->Enabled());
  EXPECT_FALSE(form->PropBtn->Enabled());
  EXPECT_EQ(Status(), "");
}

TEST_F(ZonivexTest, DefaultsApplyToNewHotspots) {
  Open(Copy(kShed + "/ACCDLG.SHG", "ACCDLG.SHG"));
  InNextModal([](cl::TForm* f) {
    auto* dlg = dynamic_cast<TEnvDlg*>(f);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->eType->ItemIndex(), 1);
    dlg->eType->SetItemIndex(0);
    dlg->eview->SetChecked(true);
    dlg->SetModalResult(cl::mrOk);
  });
  form->ToolButton3Click(nullptr);
  EXPECT_EQ(form->DefaultMode, 0);
  EXPECT_TRUE(form->DefaultFrameShown);
  EXPECT_FALSE(form->Modified);
  Drag(1, 1, 9, 9);
  EXPECT_EQ(Rows().back().mode, "Macro");
  EXPECT_EQ(Rows().back().frame, 1);
}

TEST_F(ZonivexTest, SettingsAreReadAtStartAndWrittenAtClose) {
  form->DoDestroy();
  form.reset();
  store.Write("zonivex", "Left", "30");
  store.Write("zonivex", "Top", "40");
  store.Write("zonivex", "Width", "700");
  store.Write("zonivex", "List", "250");
  store.Write("zonivex", "hotspot", "90");
  store.Write("zonivex", "Hot", "2");
  store.Write("zonivex", "vis", "1");
  form = std::make_unique<TForm1>(store);
  form->DoCreate();
  form->Show();
  Pump();
  const RECT r = form->ScreenBounds();
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.bottom - r.top, 480);
  EXPECT_EQ(form->HsList->Width(), 250);
  EXPECT_EQ(form->HsList->ColumnWidth(0), 90);
  EXPECT_EQ(form->HsList->ColumnWidth(1), 45);
  EXPECT_EQ(form->DefaultMode, 2);
  EXPECT_TRUE(form->DefaultFrameShown);

  // Closing with changes: the settings are written before the question,
  // and No closes without saving.
  const std::string path = Copy(kShed + "/ACCDLG.SHG", "ACCDLG.SHG");
  Open(path);
  Drag(1, 1, 9, 9);
  form->HsList->SetColumnWidth(2, 120);
  form->DefaultMode = 0;
  answer = IDNO;
  boxes.clear();
  EXPECT_TRUE(form->FormCloseQuery());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "変更があります。保存しますか?");
  EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(store.Values().size(), 10u);
  EXPECT_EQ(*store.Read("zonivex", "context"), "120");
  EXPECT_EQ(*store.Read("zonivex", "Hot"), "0");
  EXPECT_EQ(*store.Read("zonivex", "List"), "250");
  EXPECT_TRUE(ReadAll(path) == ReadAll(kShed + "/ACCDLG.SHG"));
}

TEST_F(ZonivexTest, ContextsGoToTheEditorAndComeBack) {
  Open(Copy(kShed + "/ACCDLG.SHG", "ACCDLG.SHG"));
  // Hotspot 1 is a pop-up: selecting it sends its topic id.
  cl::TClipboard().SetAsText("before");
  form->HsList->Item(0)->SetSubItem(1, "Topic1 >Main");
  Select(0);
  EXPECT_EQ(cl::TClipboard().AsText(), "Topic1");
  // Our own broadcast comes back and is left alone.
  Pump();
  EXPECT_FALSE(form->Modified);

  // A context from another program's window.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  cl::TClipboard().SetAsText("NewTopic");
  PostMessageA(HWND_BROADCAST, exchange::TopicIdMessage(), reinterpret_cast<WPARAM>(other), 0);
  Pump();
  EXPECT_EQ(form->HsList->Item(0)->SubItem(1), "NewTopic");
  EXPECT_TRUE(form->Modified);
  EXPECT_EQ(Status().find("Hotspot 1 : Popup : NewTopic : "), 0u) << Status();
  // A clipboard with no text (or one that stays busy) wipes no context.
  form->Modified = false;
  cl::TClipboard().SetAsText("");
  PostMessageA(HWND_BROADCAST, exchange::TopicIdMessage(), reinterpret_cast<WPARAM>(other), 0);
  Pump();
  EXPECT_EQ(form->HsList->Item(0)->SubItem(1), "NewTopic");
  EXPECT_FALSE(form->Modified);

  // No selection, or a macro row: nothing changes.
  form->HsList->SetSelected(nullptr);
  form->HsListClick();
  cl::TClipboard().SetAsText("Other");
  PostMessageA(HWND_BROADCAST, exchange::TopicIdMessage(), reinterpret_cast<WPARAM>(other), 0);
  Pump();
  EXPECT_EQ(form->HsList->Item(0)->SubItem(1), "NewTopic");
  form->HsList->Item(1)->SetImageIndex(0);
  form->HsList->SetSelected(form->HsList->Item(1));
  const std::string before = form->HsList->Item(1)->SubItem(1);
  PostMessageA(HWND_BROADCAST, exchange::TopicIdMessage(), reinterpret_cast<WPARAM>(other), 0);
  Pump();
  EXPECT_EQ(form->HsList->Item(1)->SubItem(1), before);
  DestroyWindow(other);
}

TEST_F(ZonivexTest, AboutBoxShowsTheVersionAndClosesOnAClick) {
  InNextModal([](cl::TForm* f) {
    auto* box = dynamic_cast<TAboutBox*>(f);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text(), "バージョン情報");
    EXPECT_EQ(box->Version->Text(), "Version 1.00");
    EXPECT_EQ(box->Label3D1->Text(), "Zonivex");
    EXPECT_NE(box->ProgramIcon->Icon(), nullptr);
    // A click on a label closes it.
    SendMessageA(box->Copyright->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(box->Copyright->Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(box->ModalResult(), cl::mrOk);
  });
  form->AboutBtnClick(nullptr);
}

}  // namespace
}  // namespace qm::zonivex
