#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/CheckBox.h"
#include "classlib/ColorDialog.h"
#include "classlib/DialogForm.h"
#include "classlib/FontDialog.h"
#include "classlib/Image.h"
#include "classlib/Memo.h"
#include "classlib/Panel.h"
#include "classlib/ProgressBar.h"
#include "classlib/RadioButton.h"
#include "classlib/ScrollBox.h"
#include "classlib/SpeedButton.h"
#include "classlib/StdCtrls.h"
#include "classlib/UpDown.h"
#include "classlib/tests/ModalTest.h"

namespace cl {
namespace {

using qmtest::PressKey;
using qmtest::RunModal;
using qmtest::Type;

// A form to put controls on.
class StdControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    form->SetBounds(40, 40, 420, 320);
    form->Show();
  }
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr, "TTestControlsForm", "controls");
};

TEST_F(StdControlsTest, AnEditTakesTypedJapaneseWhole) {
  auto* edit = new TEdit(form.get(), form.get());
  edit->SetBounds(8, 8, 200, 22);
  int changes = 0;
  edit->OnChange = [&](TControl*) { ++changes; };
  edit->SetFocus();
  // "ツ" and "ー" as a keyboard's lead and trail bytes ("ー" ends in 0x5B),
  // "プ" whole as an input method gives it, then a plain letter.
  for (WPARAM c : {0x83, 0x63, 0x81, 0x5B}) PostMessageA(edit->Handle(), WM_CHAR, c, 1);
  PostMessageA(edit->Handle(), WM_IME_CHAR, 0x8376, 1);
  PostMessageA(edit->Handle(), WM_CHAR, 'a', 1);
  Application().ProcessMessages();
  EXPECT_EQ(edit->Text(), "ツープa");
  EXPECT_GE(changes, 4);
  // A lead byte left alone by a lost focus does not swallow the next letter.
  // (Called straight: posting holds a lone lead byte back until its trail.)
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit->Handle(), GWLP_WNDPROC));
  CallWindowProcA(proc, edit->Handle(), WM_CHAR, 0x83, 1);
  CallWindowProcA(proc, edit->Handle(), WM_KILLFOCUS, 0, 0);
  CallWindowProcA(proc, edit->Handle(), WM_CHAR, 'b', 1);
  EXPECT_EQ(edit->Text(), "ツープab");
}

// Pixels of what a window or a windowless control paints.
class TPixels {
 public:
  TPixels(int w, int h) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    RECT r = {0, 0, w, h};
    FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~TPixels() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST_F(StdControlsTest, ButtonsAndCheckBoxesClickOnceAndRadioButtonsKeepToTheirParent) {
  auto* ok = new TButton(form.get(), form.get(), "OK", mrOk);
  ok->SetBounds(10, 10, 75, 25);
  auto* check = new TCheckBox(form.get(), form.get(), "圧縮する(&P)");
  check->SetBounds(10, 40, 120, 20);
  int ok_clicks = 0, check_clicks = 0;
  ok->OnClick = [&](TControl*) { ++ok_clicks; };
  check->OnClick = [&](TControl*) { ++check_clicks; };
  SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
  SendMessageA(check->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ok_clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_EQ(check_clicks, 1);
  EXPECT_TRUE(check->Checked());
  check->SetChecked(true);  // no change, no click
  check->SetChecked(false);
  EXPECT_EQ(check_clicks, 2);

  auto* left = new TPanel(form.get(), form.get());
  left->SetBounds(10, 70, 100, 60);
  auto* right = new TPanel(form.get(), form.get());
  right->SetBounds(120, 70, 100, 60);
  TRadioButton* a[2] = {new TRadioButton(form.get(), left, "a0"), new TRadioButton(form.get(), left, "a1")};
  a[0]->SetBounds(0, 0, 80, 20);
  a[1]->SetBounds(0, 24, 80, 20);
  TRadioButton* b = new TRadioButton(form.get(), right, "b0");
  b->SetBounds(0, 0, 80, 20);
  int a1_clicks = 0;
  a[1]->OnClick = [&](TControl*) { ++a1_clicks; };
  b->SetChecked(true);
  a[0]->SetChecked(true);
  SendMessageA(a[1]->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(a[0]->Checked());
  EXPECT_TRUE(a[1]->Checked());
  EXPECT_TRUE(b->Checked());  // another parent, another group
  SendMessageA(a[1]->Handle(), BM_CLICK, 0, 0);  // already checked: nothing
  EXPECT_EQ(a1_clicks, 1);
  // Only the checked button of a group is a tab stop.
  EXPECT_FALSE(GetWindowLongA(a[0]->Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(a[1]->Handle(), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(StdControlsTest, PanelPaintsItsColourInsideItsBevel) {
  auto* panel = new TPanel(form.get(), form.get());
  panel->SetBounds(0, 0, 60, 30);
  panel->SetColor(RGB(0xFF, 0xFF, 0xE2));
  panel->SetBevelOuter(TBevelCut::Lowered);
  TPixels px(60, 30);
  SendMessageA(panel->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(px.Dc()), PRF_CLIENT);
  EXPECT_EQ(px.At(30, 15), RGB(0xFF, 0xFF, 0xE2));
  EXPECT_EQ(px.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(StdControlsTest, ImageShowsItsPictureAtSizeStretchedCentredOrSizesItself) {
  auto* image = new TImage(form.get(), form.get());
  image->SetBounds(10, 10, 40, 20);
  TBitmap& bmp = image->Bitmap();
  bmp.SetSize(4, 2);
  bmp.Canvas().Brush.Color = RGB(255, 0, 0);
  bmp.Canvas().Pen.Color = RGB(255, 0, 0);
  bmp.Canvas().Rectangle(0, 0, 4, 2);
  auto paint = [&] {
    auto px = std::make_unique<TPixels>(80, 60);
    image->PaintTo(px->Dc());
    return px;
  };
  auto px = paint();
  EXPECT_EQ(px->At(11, 11), RGB(255, 0, 0));
  EXPECT_EQ(px->At(20, 11), RGB(255, 255, 255));  // at its own size: 4 pixels wide
  image->SetStretch(true);
  px = paint();
  EXPECT_EQ(px->At(48, 28), RGB(255, 0, 0));
  image->SetStretch(false);
  image->SetCenter(true);
  px = paint();
  EXPECT_EQ(px->At(10 + 18, 10 + 9), RGB(255, 0, 0));
  EXPECT_EQ(px->At(11, 11), RGB(255, 255, 255));
  image->SetAutoSize(true);
  EXPECT_EQ(image->Width(), 4);
  EXPECT_EQ(image->Height(), 2);

  image->SetIcon(LoadIcon(nullptr, IDI_APPLICATION));
  EXPECT_FALSE(image->Empty());
  EXPECT_EQ(image->Graphic(), nullptr);
  EXPECT_EQ(image->Width(), GetSystemMetrics(SM_CXICON));
  image->Clear();
  EXPECT_TRUE(image->Empty());
}

TEST_F(StdControlsTest, MemoLinesAndSelectionAndItsKeysInADialog) {
  const TControlDesc controls[] = {
      {ckMemo, "Notes", "one\ntwo", 8, 8, 200, 60, "wantreturns vscroll"},
      {ckMemo, "MacEd", "", 8, 72, 200, 40},
      {ckButton, "OKBtn", "OK", 8, 120, 75, 25, "default result=ok"},
      {ckButton, "CancelBtn", "キャンセル", 90, 120, 75, 25, "cancel result=cancel"},
  };
  TDialogForm dlg(nullptr, {"TTestMemoDlg", "", 220, 150, "", controls});
  auto* notes = dlg.Get<TMemo>("Notes");
  EXPECT_EQ(notes->Text(), "one\r\ntwo");
  EXPECT_EQ(notes->LineCount(), 2);
  EXPECT_EQ(notes->Line(1), "two");
  notes->AddLine("three");
  EXPECT_EQ(notes->Line(2), "three");
  notes->SetSel(5, 3);
  notes->SetSelText("2");
  EXPECT_EQ(notes->Text(), "one\r\n2\r\nthree");
  notes->SetSel(0, 0);
  notes->SetSelText("CloseWindow(sub);");
  EXPECT_EQ(notes->Line(0), "CloseWindow(sub);one");

  int result = RunModal(dlg, [&] {
    notes->SetText("");
    notes->SetFocus();
    Type("a");
    PressKey(VK_RETURN);  // this memo takes Enter as a line break
    Type("b");
    EXPECT_EQ(notes->Text(), "a\r\nb");
    EXPECT_EQ(dlg.ModalResult(), mrNone);
    dlg.Get<TMemo>("MacEd")->SetFocus();
    PressKey(VK_ESCAPE);  // Escape in a memo still cancels
  });
  EXPECT_EQ(result, mrCancel);
}

TEST_F(StdControlsTest, SpeedButtonClicksOnAReleaseInside) {
  auto* button = new TSpeedButton(form.get(), form.get());
  button->SetBounds(0, 0, 25, 25);
  button->SetFlat(true);
  int clicks = 0;
  button->OnClick = [&](TControl*) { ++clicks; };
  auto press = [&](int up_x, int up_y) {
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(up_x, up_y));
  };
  press(6, 6);
  EXPECT_EQ(clicks, 1);
  press(60, 6);  // released elsewhere
  EXPECT_EQ(clicks, 1);
  button->SetEnabled(false);
  button->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(GetFocus(), button->Handle());  // never takes the focus
}

TEST_F(StdControlsTest, UpDownStepsItsEditAndReadsItBack) {
  auto* edit = new TEdit(form.get(), form.get());
  edit->SetBounds(10, 10, 60, 20);
  auto* updown = new TUpDown(form.get(), form.get(), TUpDownOptions{false, false, false});
  updown->SetBounds(70, 10, 16, 20);
  updown->SetRange(1, 100);
  updown->SetPosition(2);
  updown->SetAssociate(edit);
  EXPECT_EQ(edit->Text(), "2");
  int changes = 0;
  updown->OnChangePosition = [&](TControl*) { ++changes; };
  edit->OnChange = [&](TControl*) { ++changes; };
  auto click = [&](bool up) {
    LPARAM at = MAKELPARAM(8, up ? 3 : 17);
    SendMessageA(updown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(updown->Handle(), WM_LBUTTONUP, 0, at);
  };
  click(true);
  EXPECT_EQ(edit->Text(), "3");
  EXPECT_EQ(updown->Position(), 3);
  EXPECT_EQ(changes, 2);  // the up-down's and the edit's
  click(false);
  click(false);
  click(false);  // stops at the minimum
  EXPECT_EQ(edit->Text(), "1");
  edit->SetText("57");  // typed: read back
  EXPECT_EQ(updown->Position(), 57);
  edit->SetText("1500");  // out of range: the last good position
  EXPECT_EQ(updown->Position(), 57);
  updown->SetPosition(50);
  EXPECT_EQ(edit->Text(), "50");
}

TEST_F(StdControlsTest, ProgressBarKeepsToItsRange) {
  auto* bar = new TProgressBar(form.get(), form.get());
  bar->SetRange(0, 10);
  bar->SetPosition(20);
  EXPECT_EQ(bar->Position(), 10);
  bar->StepBy(-3);
  EXPECT_EQ(bar->Position(), 7);
  EXPECT_EQ(bar->Max(), 10);
}

TEST_F(StdControlsTest, ScrollBoxScrollsWindowedAndWindowlessControls) {
  auto* box = new TScrollBox(form.get(), form.get());
  box->SetBounds(0, 0, 120, 120);
  auto* panel = new TPanel(form.get(), box);
  panel->SetBounds(150, 200, 50, 50);
  auto* image = new TImage(form.get(), box);
  image->SetBounds(0, 0, 30, 30);
  box->UpdateScrollRange();
  EXPECT_EQ(box->HorzRange(), 200);
  EXPECT_EQ(box->VertRange(), 250);
  box->ScrollTo(40, 60);
  EXPECT_EQ(panel->Left(), 110);
  EXPECT_EQ(panel->Top(), 140);
  EXPECT_EQ(image->Left(), -40);
  EXPECT_EQ(image->Top(), -60);
  box->ScrollTo(1000, 1000);  // clamped: the far corner shows at the far side
  EXPECT_EQ(box->HorzPosition(), 200 - box->ClientWidth());
  EXPECT_EQ(panel->Left() + panel->Width(), box->ClientWidth());
  RECT top_left = {image->Left(), image->Top(), image->Left() + 30, image->Top() + 30};
  box->ScrollInView(top_left);
  EXPECT_EQ(box->HorzPosition(), 0);
  EXPECT_EQ(box->VertPosition(), 0);
  EXPECT_EQ(image->Left(), 0);
  // An image that sizes itself to a larger picture widens the range.
  image->Bitmap().SetSize(300, 10);
  image->SetAutoSize(true);
  EXPECT_EQ(box->HorzRange(), 300);
}

// Presses OK (or Cancel) in the common dialog that the thread shows next.
void AnswerCommonDialog(WPARAM button) {
  static WPARAM answer;
  answer = button;
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM lp) {
      char cls[16] = {};
      GetClassNameA(w, cls, sizeof cls);
      if (std::string(cls) == "#32770" && IsWindowVisible(w)) *reinterpret_cast<HWND*>(lp) = w;
      return TRUE;
    }, reinterpret_cast<LPARAM>(&dlg));
    if (!dlg) return;  // not up yet: the timer comes again
    KillTimer(nullptr, id);
    PostMessageA(dlg, WM_COMMAND, answer, 0);
  });
}

TEST_F(StdControlsTest, FontAndColourDialogsAnswerOkAndCancel) {
  TFontDialog font(nullptr);
  font.FontName = "ＭＳ Ｐゴシック";
  font.FontSize = 12;
  AnswerCommonDialog(IDCANCEL);
  EXPECT_FALSE(font.Execute(form->Handle()));
  EXPECT_EQ(font.FontName, "ＭＳ Ｐゴシック");  // a cancel changes nothing
  EXPECT_EQ(font.FontSize, 12);
  // (Wine's dialog does not start on the given face, so only the kind of
  // answer is checked here.)
  AnswerCommonDialog(IDOK);
  ASSERT_TRUE(font.Execute(form->Handle()));
  EXPECT_FALSE(font.FontName.empty());
  EXPECT_GT(font.FontSize, 0);

  TColorDialog colour(nullptr);
  colour.Color = RGB(0xFF, 0xFF, 0xE2);
  AnswerCommonDialog(IDOK);
  ASSERT_TRUE(colour.Execute(form->Handle()));
  EXPECT_EQ(colour.Color, RGB(0xFF, 0xFF, 0xE2));
  AnswerCommonDialog(IDCANCEL);
  EXPECT_FALSE(colour.Execute(form->Handle()));

  SetColorDialogHook([](TColorDialog& d) {
    d.Color = RGB(1, 2, 3);
    return true;
  });
  EXPECT_TRUE(colour.Execute());
  EXPECT_EQ(colour.Color, RGB(1, 2, 3));
  SetColorDialogHook(nullptr);
}

}  // namespace
}  // namespace cl
