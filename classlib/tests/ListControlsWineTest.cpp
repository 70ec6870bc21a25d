#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/ComboBox.h"
#include "classlib/DialogForm.h"
#include "classlib/ListBox.h"
#include "classlib/ListView.h"
#include "classlib/PageControl.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/ModalTest.h"

namespace cl {
namespace {

using qmtest::PressKey;
using qmtest::RunModal;

// The lists, a list view and a page control of one dialog.
const TControlDesc kControls[] = {
    {ckComboBox, "FontName", "ＭＳ ゴシック\nＭＳ Ｐゴシック", 8, 8, 120, 20, "sorted"},
    {ckComboBox, "Kind", "文字\n左\n右", 136, 8, 80, 20, "list index=0"},
    {ckListBox, "BmpList", "b.bmp\na.shg\nc.mrb", 8, 36, 120, 60, "sorted"},
    {ckListView, "HsList", "HotSpot:70\nMode:45\nContext:80", 136, 36, 200, 80,
     "rowselect showselalways nosortheader"},
    {ckPageControl, "Pages", "", 8, 124, 328, 100},
    {ckTabSheet, "Program", "プログラム", 0, 0, 0, 0, "parent=Pages"},
    {ckListBox, "ListBox4", "ExecFile(program)", 4, 4, 200, 60, "parent=Program"},
    {ckTabSheet, "Window", "ウインドウ", 0, 0, 0, 0, "parent=Pages active"},
    {ckListBox, "ListBox5", "CloseSecondarys()\nHelpOnTop()", 4, 4, 200, 60, "parent=Window"},
    {ckButton, "OKBtn", "OK", 180, 232, 75, 25, "default result=ok"},
    {ckButton, "CancelBtn", "キャンセル", 261, 232, 75, 25, "cancel result=cancel"},
};
const TDialogDesc kDialog = {"TTestListsDlg", "lists", 344, 264, "", kControls};

class ListControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { Application().Initialize(); }
  TDialogForm dlg{nullptr, kDialog};
};

TEST_F(ListControlsTest, ComboBoxesDropDownAndDropDownList) {
  auto* name = dlg.Get<TComboBox>("FontName");
  auto* kind = dlg.Get<TComboBox>("Kind");
  EXPECT_EQ(name->Count(), 2);
  EXPECT_EQ(name->Item(0), "ＭＳ Ｐゴシック");  // sorted by its bytes
  name->SetText("Arial");  // a drop-down box takes any text
  EXPECT_EQ(name->Text(), "Arial");
  EXPECT_EQ(name->ItemIndex(), -1);
  EXPECT_EQ(kind->Text(), "文字");
  EXPECT_EQ(kind->IndexOf("右"), 2);
  // The closed box, with room for the list that drops below it.
  EXPECT_LT(kind->Height(), 40);
  RECT dropped = {};
  SendMessageA(kind->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GT(dropped.bottom - dropped.top, 60);

  std::vector<std::string> events;
  kind->OnSelect = [&](TControl*) { events.push_back("select " + kind->Text()); };
  name->OnChange = [&](TControl*) { events.push_back("change " + name->Text()); };
  RunModal(dlg, [&] {
    kind->SetFocus();
    PressKey(VK_DOWN);  // the next item, chosen by the user
    name->SetFocus();
    PressKey(VK_DOWN);
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(kind->ItemIndex(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"select 左", "change ＭＳ Ｐゴシック"}));
}

TEST_F(ListControlsTest, ListBoxSortedClickedAndDoubleClicked) {
  auto* list = dlg.Get<TListBox>("BmpList");
  EXPECT_EQ(list->Item(0), "a.shg");
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->Add("0.bmp"), 0);
  int clicks = 0, dbl = 0;
  list->OnClick = [&](TControl*) { ++clicks; };
  list->OnDblClick = [&](TControl*) { ++dbl; };
  list->SetItemIndex(1);  // from the program: no event
  EXPECT_EQ(clicks, 0);
  RunModal(dlg, [&] {
    list->SetFocus();
    PressKey(VK_DOWN);
    EXPECT_EQ(list->Item(list->ItemIndex()), "b.bmp");
    SendMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 3));
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dbl, 1);
  list->Delete(0);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(ListControlsTest, ListViewRowsColumnsSelectionAndScrolling) {
  auto* lv = dlg.Get<TListView>("HsList");
  ASSERT_EQ(lv->ColumnCount(), 3);
  EXPECT_EQ(lv->ColumnCaption(1), "Mode");
  EXPECT_EQ(lv->ColumnWidth(2), 80);
  lv->SetColumnWidth(0, 90);
  EXPECT_EQ(lv->ColumnWidth(0), 90);

  lv->BeginUpdate();
  for (int i = 0; i < 30; ++i) {
    TListItem* it = lv->Add();
    it->SetCaption("Hotspot " + std::to_string(i + 1));
    it->AddSubItem("jump");
    it->AddSubItem("Topic" + std::to_string(i));
    it->SetImageIndex(2);
    it->Data = i % 2;
  }
  lv->EndUpdate();
  // The control shows the items' texts.
  char text[64] = {};
  LVITEMA get = {};
  get.iSubItem = 2;
  get.pszText = text;
  get.cchTextMax = sizeof text;
  SendMessageA(lv->Handle(), LVM_GETITEMTEXTA, 4, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(text, "Topic4");
  lv->Item(4)->SetSubItem(1, "Topic4>sub");
  SendMessageA(lv->Handle(), LVM_GETITEMTEXTA, 4, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(text, "Topic4>sub");
  EXPECT_EQ(lv->Item(4)->SubItem(0), "jump");
  EXPECT_EQ(lv->Item(4)->SubItem(7), "");

  std::vector<std::string> events;
  lv->OnSelectItem = [&](TListView*, TListItem* it, bool selected) {
    events.push_back((selected ? "+" : "-") + it->Caption());
  };
  TListItem* third = lv->Item(2);
  lv->SetSelected(third);
  lv->SetItemIndex(5);
  EXPECT_EQ(lv->Selected(), lv->Item(5));
  EXPECT_FALSE(third->Selected());
  EXPECT_EQ(events, (std::vector<std::string>{"+Hotspot 3", "-Hotspot 3", "+Hotspot 6"}));

  // No row selected: none keeps the selection or the focus, also where
  // they are on different rows.
  lv->Item(7)->SetSelected(true);
  ASSERT_EQ(SendMessageA(lv->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 5);
  lv->SetSelected(nullptr);
  EXPECT_EQ(lv->Selected(), nullptr);
  EXPECT_EQ(SendMessageA(lv->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);

  // Deleting a row keeps the other items themselves.
  lv->Delete(0);
  EXPECT_EQ(third->Index(), 1);
  EXPECT_EQ(lv->Item(1), third);
  EXPECT_EQ(third->Data, 0);
  // Rows put in and taken out in the middle: each item knows its row, and
  // the control shows each row's own texts.
  auto rowsInStep = [&](const char* after) {
    SCOPED_TRACE(after);
    for (int i = 0; i < lv->Count(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(lv->Item(i)->Index(), i);
      get.iSubItem = 0;
      SendMessageA(lv->Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&get));
      EXPECT_EQ(text, lv->Item(i)->Caption());
    }
  };
  lv->Insert(10)->SetCaption("inserted");
  rowsInStep("insert");
  lv->Delete(5);
  rowsInStep("delete");
  EXPECT_EQ(lv->Item(9)->Caption(), "inserted");

  lv->MakeVisible(lv->Item(0));
  EXPECT_EQ(lv->TopItem(), lv->Item(0));
  RECT r0 = lv->Item(0)->DisplayRect(), r1 = lv->Item(1)->DisplayRect();
  int row = r1.top - r0.top;
  ASSERT_GT(row, 0);
  EXPECT_GT(lv->VisibleRowCount(), 0);
  lv->Scroll(0, row * 3);
  EXPECT_EQ(lv->TopItem(), lv->Item(3));
  EXPECT_EQ(lv->Item(3)->DisplayRect().top, r0.top);
  lv->MakeVisible(lv->Item(28));
  EXPECT_GT(lv->TopItem()->Index(), 3);
  lv->Clear();
  EXPECT_EQ(lv->Count(), 0);
  EXPECT_EQ(lv->TopItem(), nullptr);
  EXPECT_EQ(lv->Selected(), nullptr);
}

TEST_F(ListControlsTest, PageControlShowsOneSheetAndSwitchesWithCtrlTab) {
  auto* pages = dlg.Get<TPageControl>("Pages");
  auto* program = dlg.Get<TTabSheet>("Program");
  auto* window = dlg.Get<TTabSheet>("Window");
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), window);  // declared active
  EXPECT_EQ(window->PageIndex(), 1);
  EXPECT_EQ(dlg.Get<TListBox>("ListBox5")->Parent(), window);
  EXPECT_FALSE(IsWindowVisible(program->Handle()));
  // The sheet fills the display area below the tabs.
  RECT display;
  GetClientRect(pages->Handle(), &display);
  SendMessageA(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  EXPECT_EQ(window->Top(), display.top);
  EXPECT_EQ(window->Width(), display.right - display.left);

  std::vector<std::string> events;
  bool allow = false;
  pages->OnChanging = [&](TPageControl* p, bool& ok) {
    events.push_back("leaving " + p->ActivePage()->Caption());
    ok = allow;
  };
  pages->OnChange = [&](TPageControl* p) { events.push_back("now " + p->ActivePage()->Caption()); };
  RunModal(dlg, [&] {
    dlg.Get<TListBox>("ListBox5")->SetFocus();
    qmtest::THeldKeys ctrl{VK_CONTROL};
    PressKey(VK_TAB);  // refused
    allow = true;
    PressKey(VK_TAB);
    EXPECT_TRUE(IsWindowVisible(dlg.Get<TListBox>("ListBox4")->Handle()));
    EXPECT_FALSE(IsWindowVisible(dlg.Get<TListBox>("ListBox5")->Handle()));
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(events, (std::vector<std::string>{"leaving ウインドウ", "leaving ウインドウ", "now プログラム"}));
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 0);

  // The user's click on a tab arrives as TCN_SELCHANGE.
  SendMessageA(pages->Handle(), TCM_SETCURSEL, 1, 0);
  NMHDR hdr = {pages->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(dlg.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
  EXPECT_EQ(pages->ActivePage(), window);
  EXPECT_TRUE(IsWindowVisible(window->Handle()) || !IsWindowVisible(dlg.Handle()));
  EXPECT_FALSE(GetWindowLongA(program->Handle(), GWL_STYLE) & WS_VISIBLE);

  // A sheet freed leaves its page control.
  delete program;
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->ActivePage(), window);
  EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
}

}  // namespace
}  // namespace cl
