#include <gtest/gtest.h>

#include <string>

#include "classlib/DialogForm.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringGrid.h"
#include "classlib/UpDown.h"
#include "classlib/tests/ModalTest.h"

namespace cl {
namespace {

using qmtest::PressKey;
using qmtest::RunModal;
using qmtest::Type;

// A table dialog: a grid whose rows follow an up-down, Enter as Tab.
const TControlDesc kControls[] = {
    {ckStringGrid, "TbGrid", "", 0, 0, 368, 120,
     "cols=3 rows=3 colwidth=120 rowheight=20 editing help=92"},
    {ckLabel, "Label1", "行数", 8, 134, 30, 14},
    {ckEdit, "RowEd", "2", 40, 130, 40, 20, "readonly"},
    {ckUpDown, "RowUpDown", "", 80, 130, 16, 20, "associate=RowEd min=1 max=100 pos=2 nothousands"},
    {ckButton, "OKBtn", "OK", 200, 160, 75, 25, "default result=ok"},
    {ckButton, "CancelBtn", "キャンセル", 285, 160, 75, 25, "cancel result=cancel"},
};
const TDialogDesc kDialog = {"TTestTableDlg", "表作成", 368, 192, "focus=TbGrid", kControls};

class TTableDlg : public TDialogForm {
 public:
  TTableDlg() : TDialogForm(nullptr, kDialog) {
    grid = Get<TStringGrid>("TbGrid");
    rows = Get<TEdit>("RowEd");
    updown = Get<TUpDown>("RowUpDown");
    grid->SetColWidth(0, 20);
    for (int i = 1; i <= 2; ++i) {
      grid->SetCells(0, i, std::to_string(i));
      grid->SetCells(i, 0, std::to_string(i));
    }
    rows->OnChange = [this](TControl*) {
      int before = grid->RowCount();
      grid->SetRowCount(updown->Position() + 1);
      if (before == updown->Position()) grid->SetCells(0, before, std::to_string(before));
    };
    grid->OnKeyDown = [this](TControl*, WORD& key, TShiftState) {
      if (key == VK_RETURN) {
        grid->SelectNextCell();
        key = 0;
      }
    };
  }
  TStringGrid* grid;
  TEdit* rows;
  TUpDown* updown;
};

class StringGridTest : public ::testing::Test {
 protected:
  void SetUp() override { Application().Initialize(); }
  TTableDlg dlg;
  TStringGrid* grid = dlg.grid;
  std::string Cur() const { return std::to_string(grid->Col()) + "," + std::to_string(grid->Row()); }
};

TEST_F(StringGridTest, TypingInTheCellEditorWithTabAndEnter) {
  int result = RunModal(dlg, [&] {
    EXPECT_EQ(GetFocus(), grid->Editor()->Handle());  // the grid hands the focus on
    Type("a");
    PressKey(VK_TAB);
    Type("b");
    PressKey(VK_RETURN);  // the dialog turns Enter into Tab
    EXPECT_EQ(Cur(), "1,2");
    Type("c");
    PressKey(VK_TAB);
    Type("d");
    PressKey(VK_TAB);  // after the last cell: the first
    EXPECT_EQ(Cur(), "1,1");
    EXPECT_EQ(grid->Editor()->Text(), "a");
    {
      qmtest::THeldKeys shift{VK_SHIFT};
      PressKey(VK_TAB);
    }
    EXPECT_EQ(Cur(), "2,2");
    PressKey(VK_UP);
    EXPECT_EQ(Cur(), "2,1");
    PressKey(VK_ESCAPE);  // not the grid's: the cancel button's
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(grid->Cells(1, 1), "a");
  EXPECT_EQ(grid->Cells(2, 1), "b");
  EXPECT_EQ(grid->Cells(1, 2), "c");
  EXPECT_EQ(grid->Cells(2, 2), "d");
  EXPECT_EQ(grid->Cells(0, 2), "2");
  // The editor sits on the current cell.
  RECT cell = grid->CellRect(grid->Col(), grid->Row());
  EXPECT_EQ(grid->Editor()->Left(), cell.left);
  EXPECT_EQ(grid->Editor()->Top(), cell.top);
  EXPECT_EQ(grid->Editor()->Width(), 120);
}

TEST_F(StringGridTest, TheUpDownChangesTheRowsAndNumbersNewOnes) {
  auto click = [&](bool up) {
    LPARAM at = MAKELPARAM(8, up ? 3 : 17);
    SendMessageA(dlg.updown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(dlg.updown->Handle(), WM_LBUTTONUP, 0, at);
  };
  grid->SetCells(1, 1, "kept");
  click(true);
  EXPECT_EQ(dlg.rows->Text(), "3");
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->Cells(0, 3), "3");
  click(false);
  click(false);
  EXPECT_EQ(grid->RowCount(), 2);
  click(true);
  EXPECT_EQ(grid->Cells(0, 2), "2");
  EXPECT_EQ(grid->Cells(1, 1), "kept");
  EXPECT_EQ(grid->Cells(1, 2), "");  // the row was dropped with its text
}

TEST_F(StringGridTest, ClicksChooseCellsAndTheCurrentCellStaysInSight) {
  RECT r = grid->CellRect(2, 2);
  SendMessageA(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, r.top + 5));
  SendMessageA(grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 5, r.top + 5));
  EXPECT_EQ(Cur(), "2,2");
  RECT fixed = grid->CellRect(0, 1);
  SendMessageA(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fixed.left + 2, fixed.top + 2));
  EXPECT_EQ(Cur(), "2,2");  // a fixed cell is not chosen

  int selected = 0;
  grid->OnSelectCell = [&](TStringGrid*, int, int) { ++selected; };
  grid->SetRowCount(40);
  grid->SetCells(1, 39, "last");
  grid->SetCurrent(1, 39);
  EXPECT_EQ(selected, 1);
  EXPECT_GT(grid->TopRow(), 1);
  RECT last = grid->CellRect(1, 39);
  EXPECT_FALSE(IsRectEmpty(&last));
  EXPECT_LE(last.bottom, grid->ClientHeight());
  EXPECT_EQ(grid->Editor()->Top(), last.top);
  EXPECT_EQ(grid->Editor()->Text(), "last");
  EXPECT_TRUE(IsRectEmpty(&(r = grid->CellRect(1, 1))));  // scrolled away
  EXPECT_EQ(grid->CellRect(0, 0).top, 0);                // the fixed row stays
  grid->SetTopRow(1);
  EXPECT_FALSE(IsWindowVisible(grid->Editor()->Handle()));  // its cell is out of sight

  grid->SetEditing(false);
  grid->SetCurrent(1, 1);
  EXPECT_FALSE(IsWindowVisible(grid->Editor()->Handle()));
  SendMessageA(grid->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(Cur(), "2,1");
}

}  // namespace
}  // namespace cl
