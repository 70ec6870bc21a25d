#include <gtest/gtest.h>

#include <stdexcept>

#include "classlib/core/GridModel.h"

namespace cl {
namespace {

TEST(GridModelTest, CellsSurviveResizingAndFixedCellsAreNotCurrent) {
  TGridModel g(3, 3, 1, 1);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 1);
  g.SetCell(1, 1, "a");
  g.SetCell(2, 2, "d");
  g.SetColCount(5);
  g.SetRowCount(4);
  EXPECT_EQ(g.Cell(1, 1), "a");
  EXPECT_EQ(g.Cell(2, 2), "d");
  EXPECT_EQ(g.Cell(4, 3), "");
  g.SetCurrent(4, 3);
  g.SetColCount(2);  // the current cell moves back inside
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Cell(1, 1), "a");
  EXPECT_THROW(g.Cell(2, 0), std::out_of_range);
  g.SetColCount(0);  // never below one cell to edit
  EXPECT_EQ(g.ColCount(), 2);
  EXPECT_FALSE(g.SetCurrent(0, 1));
  EXPECT_FALSE(g.SetCurrent(1, 9));
  EXPECT_EQ(g.Row(), 3);
}

TEST(GridModelTest, TabWrapsRowByRowAndBackwards) {
  TGridModel g(3, 3, 1, 1);  // data cells (1..2) x (1..2)
  std::string path;
  for (int i = 0; i < 5; ++i) {
    path += std::to_string(g.Col()) + std::to_string(g.Row()) + " ";
    g.MoveNext(false);
  }
  EXPECT_EQ(path, "11 21 12 22 11 ");
  g.MoveNext(true);  // 21 back to 11, then from the first cell to the last
  g.MoveNext(true);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 2);
  g.MoveBy(-5, -5);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 1);
}

TEST(GridModelTest, GeometryScrollingAndHitTest) {
  TGridModel g(6, 4, 1, 1);
  g.SetDefaultColWidth(50);
  g.SetDefaultRowHeight(20);
  g.SetColWidth(0, 20);
  // Column 0: 0..20, line, column 1: 21..71, line, column 2: 72..122.
  TGridRect r = g.CellRect(2, 1);
  EXPECT_EQ(r.Left, 72);
  EXPECT_EQ(r.Top, 21);
  EXPECT_EQ(r.Right, 122);
  int c = -1, w = -1;
  EXPECT_TRUE(g.CellAt(75, 30, c, w));
  EXPECT_EQ(c, 2);
  EXPECT_EQ(w, 1);
  EXPECT_FALSE(g.CellAt(71, 30, c, w));  // on a grid line
  EXPECT_FALSE(g.CellAt(1000, 30, c, w));
  EXPECT_EQ(g.TotalWidth(), 21 + 5 * 51);

  // A 200-pixel client shows the fixed column and three data columns.
  EXPECT_EQ(g.MaxLeftCol(200), 3);
  g.SetCurrent(5, 1);
  g.ScrollInView(200, 100);
  EXPECT_EQ(g.LeftCol(), 3);
  EXPECT_TRUE(g.CellRect(1, 1).Empty());  // scrolled away
  EXPECT_EQ(g.CellRect(0, 1).Left, 0);    // fixed: stays
  EXPECT_EQ(g.CellRect(3, 1).Left, 21);
  EXPECT_TRUE(g.CellAt(25, 5, c, w));
  EXPECT_EQ(c, 3);
  EXPECT_EQ(w, 0);
  g.SetCurrent(1, 1);
  g.ScrollInView(200, 100);
  EXPECT_EQ(g.LeftCol(), 1);
}

}  // namespace
}  // namespace cl
