#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "controls/RichEditEx.h"

using namespace qm::controls;

namespace {

// Ten lines "line0" to "line9" in a rich edit of 400 x 200 pixels.
struct RichEditExTest : ::testing::Test {
  std::unique_ptr<cl::TForm> form;
  TRichEditEx* edit = nullptr;
  int insert_changes = 0;

  RichEditExTest() {
    cl::Application().Initialize();
    form = std::make_unique<cl::TForm>(nullptr, "TRichEditExTestForm", "Edit");
    form->SetScreenBounds(40, 40, 440, 260);
    edit = new TRichEditEx(form.get(), form.get());
    edit->SetBounds(0, 0, 400, 200);
    edit->OnInsertChange = [this](TRichEditEx*) { ++insert_changes; };
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\pard\\f0\\fs20 ";
    for (int i = 0; i < 10; ++i) rtf += "line" + std::to_string(i) + (i < 9 ? "\\par " : "");
    edit->LoadRtf(rtf + "}");
    form->Show();
    Pump();
  }
  ~RichEditExTest() override { SetShift(false); }
  void Pump() { cl::Application().ProcessMessages(); }
  static void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  void Key(WPARAM vk) { SendMessageA(edit->Handle(), WM_KEYDOWN, vk, 1); }
  void Type(const std::string& bytes) {
    for (unsigned char c : bytes) PostMessageA(edit->Handle(), WM_CHAR, c, 1);
    Pump();
  }
  // The client y of the middle of line n.
  int LineY(int n) {
    POINTL p = {};
    const LRESULT c = SendMessageA(edit->Handle(), EM_LINEINDEX, n, 0);
    SendMessageA(edit->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), c);
    return p.y + 4;
  }
  void Click(int x, int y, WPARAM keys = MK_LBUTTON) {
    SendMessageA(edit->Handle(), WM_LBUTTONDOWN, keys, MAKELPARAM(x, y));
  }
  void Release(int x, int y) { SendMessageA(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
};

TEST_F(RichEditExTest, InsertFlipsTheModeAndShiftInsertDoesNot) {
  EXPECT_TRUE(edit->InsertMode());
  Key(VK_INSERT);
  EXPECT_FALSE(edit->InsertMode());
  EXPECT_EQ(insert_changes, 1);
  SetShift(true);
  Key(VK_INSERT);
  SetShift(false);
  EXPECT_FALSE(edit->InsertMode());
  EXPECT_EQ(insert_changes, 1);
  Key(VK_INSERT);
  EXPECT_TRUE(edit->InsertMode());
  EXPECT_EQ(insert_changes, 2);
}

TEST_F(RichEditExTest, OverwriteReplacesTheNextCharacterButNotTheLineBreak) {
  Key(VK_INSERT);
  edit->SetSel(0, 0);
  Type("ab");
  EXPECT_EQ(edit->Line(0), "abne0");
  Type("日");  // lead and trail byte: one character, replacing one
  EXPECT_EQ(edit->Line(0), "ab日e0");
  Type("xyz");
  EXPECT_EQ(edit->Line(0), "ab日xyz");
  EXPECT_EQ(edit->Line(1), "line1");
  Key(VK_INSERT);
  edit->SetSel(0, 0);
  Type("q");
  EXPECT_EQ(edit->Line(0), "qab日xyz");
}

TEST_F(RichEditExTest, MarginClickSelectsTheLine) {
  Click(edit->LineLeft() - 1, LineY(2));
  Release(edit->LineLeft() - 1, LineY(2));
  EXPECT_EQ(edit->SelText(), "line2");
  EXPECT_FALSE(edit->Selecting());
  EXPECT_FALSE(edit->ScrollTimerEnabled());
  // At x = LineLeft the click is an ordinary one.
  Click(edit->LineLeft(), LineY(4));
  Release(edit->LineLeft(), LineY(4));
  EXPECT_EQ(edit->SelLength(), 0);
  // Shift+click on a line below the selection: through that line's end.
  edit->SetSel(8, 2);  // "in" of line1 (a line break counts two)
  SetShift(true);
  Click(2, LineY(3), MK_LBUTTON | MK_SHIFT);
  Release(2, LineY(3));
  SetShift(false);
  EXPECT_EQ(edit->SelText(), "ine1\r\nline2\r\nline3");
  // On a line above: from that line's start through the old selection's end.
  edit->SetSel(14, 2);  // "li" of line2
  SetShift(true);
  Click(2, LineY(0), MK_LBUTTON | MK_SHIFT);
  Release(2, LineY(0));
  SetShift(false);
  EXPECT_EQ(edit->SelText(), "line0\r\nline1\r\nli");
}

TEST_F(RichEditExTest, DragInTheMarginExtendsByLinesAndAutoScrollStops) {
  Click(2, LineY(1));
  EXPECT_TRUE(edit->Selecting());
  EXPECT_TRUE(edit->ScrollTimerEnabled());
  SendMessageA(edit->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, LineY(3)));
  EXPECT_EQ(edit->SelText(), "line1\r\nline2\r\nline3");
  // Near the bottom edge: the timer takes the selection down to the last
  // line and then stops.
  SendMessageA(edit->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, edit->ClientHeight() - 1));
  EXPECT_EQ(edit->ScrollDirection(), kScrollDown);
  for (int i = 0; i < 12; ++i) edit->LineSelectTimer();
  EXPECT_EQ(edit->ScrollDirection(), kScrollNone);
  EXPECT_EQ(edit->SelText().substr(0, 5), "line1");
  EXPECT_EQ(edit->SelText().substr(edit->SelText().size() - 5), "line9");
  Release(2, 10);
  EXPECT_FALSE(edit->ScrollTimerEnabled());
}

TEST_F(RichEditExTest, AutoScrollDownStopsOnAnEmptyControl) {
  edit->Clear();
  Click(2, 5);
  SendMessageA(edit->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, edit->ClientHeight() - 1));
  EXPECT_EQ(edit->ScrollDirection(), kScrollDown);
  const int start = edit->SelStart(), length = edit->SelLength();
  edit->LineSelectTimer();
  EXPECT_EQ(edit->ScrollDirection(), kScrollNone);
  EXPECT_EQ(edit->SelStart(), start);
  EXPECT_EQ(edit->SelLength(), length);
  Release(2, 5);
}

TEST_F(RichEditExTest, FormatRectangle) {
  // The rectangle the control reports for one set directly.
  auto reported = [&](RECT set) {
    SendMessageA(edit->Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&set));
    RECT r;
    SendMessageA(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  };
  auto current = [&] {
    RECT r;
    SendMessageA(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  };
  const int w = edit->ClientWidth(), h = edit->ClientHeight();
  edit->SetLineWidth(7);
  RECT got = current();
  const RECT fixed = reported({6, 0, 13, h});
  EXPECT_TRUE(EqualRect(&got, &fixed));
  edit->SetLineWidth(0);
  got = current();
  const RECT wide = reported({6, 0, w - 6, h});
  EXPECT_TRUE(EqualRect(&got, &wide));
  edit->SetLineLeft(-1);
  EXPECT_EQ(edit->LineLeft(), 6);
  // Resizing re-applies it.
  edit->SetBounds(0, 0, 300, 150);
  got = current();
  const RECT small = reported({6, 0, edit->ClientWidth() - 6, edit->ClientHeight()});
  EXPECT_TRUE(EqualRect(&got, &small));
}

TEST_F(RichEditExTest, WheelPageScrollSettingScrollsOnePage) {
  std::string rtf = "{\\rtf1\\ansi\\pard ";
  for (int i = 0; i < 200; ++i) rtf += "l" + std::to_string(i) + "\\par ";
  edit->LoadRtf(rtf + "}");
  UINT old_lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &old_lines, 0);
  auto first = [&] { return SendMessageA(edit->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0); };
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
  SendMessageA(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  const LRESULT after_page = first();
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 2, nullptr, 0);
  SendMessageA(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  const LRESULT after_lines = first();
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 0, nullptr, 0);
  SendMessageA(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  const LRESULT after_none = first();
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, old_lines, nullptr, 0);
  EXPECT_GT(after_page, 3);
  EXPECT_LT(after_page, 40);
  EXPECT_EQ(after_lines, after_page + 2);
  EXPECT_EQ(after_none, after_lines);
}

}  // namespace
