#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/Themes.h"
#include "controls/ComboBoxF.h"
#include "controls/Label3D.h"
#include "controls/StdCtrlsXp.h"
#include "controls/XpRadioGroup.h"
#include "controls/core/RadioGroupLayout.h"

namespace qm::controls {
namespace {

struct XpControlsTest : ::testing::Test {
  std::unique_ptr<cl::TForm> form;
  void SetUp() override {
    cl::Application().Initialize();
    form = std::make_unique<cl::TForm>(nullptr, "TXpTestForm", "Xp", WS_POPUP | WS_CLIPCHILDREN);
    form->SetBounds(0, 0, 400, 300);
    form->SetFont("MS UI Gothic", -12);
    form->Show();
    cl::Application().ProcessMessages();
  }
  void TearDown() override { form.reset(); }
};

// The pixels of a window's client area as the screen shows them.
std::vector<COLORREF> Pixels(HWND h, int w, int hgt) {
  UpdateWindow(h);
  std::vector<COLORREF> out;
  HDC dc = GetDC(h);
  for (int y = 0; y < hgt; ++y)
    for (int x = 0; x < w; ++x) out.push_back(GetPixel(dc, x, y));
  ReleaseDC(h, dc);
  return out;
}

TEST_F(XpControlsTest, RadioGroupIndexFollowsCodeAndClicks) {
  auto* group = new TXpRadioGroup(form.get(), form.get(), "Type");
  group->SetBounds(10, 10, 249, 77);
  int clicks = 0;
  group->OnClick = [&](cl::TControl*) { ++clicks; };
  group->SetItems({"Macro", "Pop-up", "Jump"});
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->ItemIndex(), -1);

  group->SetItemIndex(10);  // clamped to the last button, which is checked and clicks
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_TRUE(group->Button(2)->Checked());
  EXPECT_EQ(clicks, 1);
  group->SetItemIndex(2);  // unchanged: nothing fires
  EXPECT_EQ(clicks, 1);
  group->SetItemIndex(-5);  // none: the old button unchecked, nothing fires
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_FALSE(group->Button(2)->Checked());
  EXPECT_EQ(clicks, 1);

  // A click of the user's.
  SendMessageA(group->Button(1)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Button(1)->Checked());
  EXPECT_EQ(clicks, 2);
  SendMessageA(group->Button(1)->Handle(), BM_CLICK, 0, 0);  // already checked
  EXPECT_EQ(clicks, 2);
  SendMessageA(group->Button(0)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_FALSE(group->Button(1)->Checked());
  EXPECT_EQ(clicks, 3);
  // A click on the frame is no click of the group.
  SendMessageA(group->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 70));
  SendMessageA(group->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 70));
  EXPECT_EQ(clicks, 3);
}

TEST_F(XpControlsTest, RadioGroupItemsColumnsAndEnabled) {
  auto* group = new TXpRadioGroup(form.get(), form.get(), "Type");
  group->SetBounds(10, 10, 249, 77);
  group->SetItems({"a", "b", "c", "d", "e", "f"});
  group->SetColumns(2);
  TEXTMETRICA tm{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, group->Font());
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // The windows stand where the arrangement puts them: column 0 holds the
  // first three items.
  const auto places = ArrangeRadioButtons(6, 2, 249, 77, tm.tmHeight, group->ClientWidth(), false);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(group->Button(k)->Left(), places[static_cast<std::size_t>(k)].left) << k;
    EXPECT_EQ(group->Button(k)->Top(), places[static_cast<std::size_t>(k)].top) << k;
    EXPECT_TRUE(group->Button(k)->Visible());
  }
  EXPECT_EQ(group->Button(2)->Left(), 8);
  EXPECT_EQ(group->Button(3)->Left(), 8 + (249 - 10) / 2);
  EXPECT_LT(group->Button(0)->Top(), group->Button(1)->Top());
  EXPECT_EQ(group->Button(0)->Top(), group->Button(3)->Top());

  // Items deleted under the index: the new last one is checked.
  group->SetItemIndex(5);
  group->DeleteItem(5);
  EXPECT_EQ(group->ItemIndex(), 4);
  EXPECT_TRUE(group->Button(4)->Checked());
  group->ClearItems();
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(group->ButtonCount(), 0);

  group->SetItems({"x", "y"});
  group->SetEnabled(false);
  EXPECT_FALSE(group->Button(0)->Enabled());
  group->SetEnabled(true);
  EXPECT_TRUE(group->Button(1)->Enabled());
}

// A group whose selection the user may not change.
class TLockedGroup : public TXpRadioGroup {
 public:
  using TXpRadioGroup::TXpRadioGroup;
  bool CanModify() override { return false; }
};

TEST_F(XpControlsTest, RadioGroupThatRefusesChanges) {
  auto* group = new TLockedGroup(form.get(), form.get(), "Locked");
  group->SetBounds(10, 10, 200, 60);
  group->SetItems({"a", "b"});
  group->SetItemIndex(0);  // code may
  SendMessageA(group->Button(1)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_FALSE(group->Button(1)->Checked());
  EXPECT_EQ(SendMessageA(group->Button(0)->Handle(), WM_CHAR, ' ', 0), 0);
}

TEST_F(XpControlsTest, RadioGroupBuiltFromADescription) {
  auto* group = new TXpRadioGroup(form.get(), form.get(), "Read");
  group->SetBounds(10, 10, 200, 60);
  group->BeginReading();
  group->SetItemIndex(1);  // stored as it is
  group->SetItems({"a", "b", "c"});
  EXPECT_EQ(group->ButtonCount(), 0);
  group->EndReading();
  EXPECT_EQ(group->ButtonCount(), 3);
  EXPECT_TRUE(group->Button(1)->Checked());
}

TEST_F(XpControlsTest, GroupBoxWithoutThemesPaintsAsTheLibrarys) {
  cl::SetThemeApiDisabled(true);
  auto* plain = new cl::TGroupBox(form.get(), form.get(), "枠");
  auto* xp = new TXpCustomGroupBox(form.get(), form.get(), "枠");
  plain->SetBounds(10, 10, 120, 60);
  xp->SetBounds(150, 10, 120, 60);
  EXPECT_EQ(xp->Theme(), nullptr);
  cl::Application().ProcessMessages();
  EXPECT_EQ(Pixels(plain->Handle(), 120, 60), Pixels(xp->Handle(), 120, 60));
  auto* check = new TXpCheckBox(form.get(), form.get(), "x");
  check->SetBounds(10, 80, 80, 17);
  check->SetChecked(true);
  cl::Application().ProcessMessages();
  EXPECT_TRUE(check->Checked());
  cl::SetThemeApiDisabled(false);
}

TEST_F(XpControlsTest, GroupBoxThroughTheTheme) {
  // Wine's own theme is on in a new prefix; without one there is nothing
  // themed to see.
  if (!cl::ThemedLookActive()) GTEST_SKIP() << "no active theme";
  auto* xp = new TXpCustomGroupBox(form.get(), form.get(), "枠");
  xp->SetBounds(10, 10, 120, 60);
  ASSERT_NE(xp->Theme(), nullptr);
  auto* check = new TXpCheckBox(form.get(), form.get(), "x");
  check->SetBounds(10, 80, 80, 17);
  auto* radio = new TXpRadioButton(form.get(), form.get(), "y");
  radio->SetBounds(100, 80, 80, 17);
  cl::Application().ProcessMessages();
  const auto px = Pixels(xp->Handle(), 120, 60);
  const COLORREF back = px[static_cast<std::size_t>(30 * 120 + 60)];  // inside the frame
  // The frame's left line, below the caption, and the caption's text.
  int frame = 0, caption = 0;
  for (int y = 20; y < 50; ++y)
    if (px[static_cast<std::size_t>(y * 120)] != back) ++frame;
  for (int y = 0; y < 12; ++y)
    for (int x = 12; x < 30; ++x)
      if (px[static_cast<std::size_t>(y * 120 + x)] != back) ++caption;
  EXPECT_GT(frame, 20);
  EXPECT_GT(caption, 0);
  // A theme change gives a new handle.
  SendMessageA(xp->Handle(), WM_THEMECHANGED, 0, 0);
  EXPECT_NE(xp->Theme(), nullptr);
}

TEST_F(XpControlsTest, Label3DDrawsTheShadeTwoPixelsRightAndDown) {
  auto* label = new TLabel3D(form.get(), form.get(), "Zonivex");
  EXPECT_EQ(label->Width(), 96);
  EXPECT_EQ(label->Height(), 24);
  label->SetBounds(10, 10, 120, 30);
  label->SetFont("MS UI Gothic", -16, true);
  label->SetFontColor(RGB(0, 0, 255));
  label->SetShadeColor(RGB(255, 0, 0));
  cl::Application().ProcessMessages();
  const auto px = Pixels(label->Handle(), 120, 30);
  int maxBlueX = -1, maxBlueY = -1, maxRedX = -1, maxRedY = -1;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x) {
      const COLORREF c = px[static_cast<std::size_t>(y * 120 + x)];
      if (c == RGB(0, 0, 255)) maxBlueX = std::max(maxBlueX, x), maxBlueY = std::max(maxBlueY, y);
      if (c == RGB(255, 0, 0)) maxRedX = std::max(maxRedX, x), maxRedY = std::max(maxRedY, y);
    }
  ASSERT_GE(maxBlueX, 0);
  EXPECT_EQ(maxRedX, maxBlueX + 2);
  EXPECT_EQ(maxRedY, maxBlueY + 2);

  label->SetText("");
  cl::Application().ProcessMessages();
  for (COLORREF c : Pixels(label->Handle(), 120, 30)) ASSERT_EQ(c, GetSysColor(COLOR_BTNFACE));
}

TEST_F(XpControlsTest, FlatComboBoxColourAndHotLook) {
  auto* names = new TComboBoxF(form.get(), form.get());
  auto* sizes = new TComboBoxF(form.get(), form.get());
  names->SetBounds(10, 10, 120, 19);
  sizes->SetBounds(150, 10, 60, 19);
  EXPECT_EQ(names->Color(), GetSysColor(COLOR_WINDOW));
  names->SetEnabled(false);
  EXPECT_EQ(names->Color(), GetSysColor(COLOR_BTNFACE));
  names->SetEnabled(true);
  EXPECT_EQ(names->Color(), GetSysColor(COLOR_WINDOW));

  EXPECT_FALSE(sizes->HotLook());
  // The mouse over the size box with the focus elsewhere: sunken.
  SendMessageA(sizes->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(sizes->Handle()), HTCLIENT);
  EXPECT_TRUE(sizes->MouseInside());
  EXPECT_TRUE(sizes->HotLook());
  // With the focus in the name box, the size box stays flat under the mouse.
  names->SetFocus();
  EXPECT_TRUE(names->HotLook());
  EXPECT_FALSE(sizes->HotLook());
}

}  // namespace
}  // namespace qm::controls
