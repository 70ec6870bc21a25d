#include <gtest/gtest.h>

#include "editor/core/DialogPlacement.h"

namespace qm::editor {
namespace {

TEST(DialogPlacement, AboveAndCentredOnTheCursorThenKeptInTheWorkArea) {
  const WorkRect area{0, 0, 1024, 740};
  DialogPlace p = PlaceDialogAtCursor(500, 300, 301, 200, area);
  EXPECT_EQ(p.Left, 500 - 150);  // half the width, rounded toward zero
  EXPECT_EQ(p.Top, 280);
  p = PlaceDialogAtCursor(10, 5, 300, 200, area);  // raised to the left and top edges
  EXPECT_EQ(p.Left, 0);
  EXPECT_EQ(p.Top, 0);
  p = PlaceDialogAtCursor(1020, 735, 300, 200, area);  // moved in from the right and bottom
  EXPECT_EQ(p.Left, 724);
  EXPECT_EQ(p.Top, 540);
  // Larger than the area: flush with its right and bottom edges.
  p = PlaceDialogAtCursor(100, 100, 1200, 800, {0, 30, 1024, 740});
  EXPECT_EQ(p.Left, 1024 - 1200);
  EXPECT_EQ(p.Top, 740 - 800);
  // A work area that does not start at 0 (a task bar on the left or top).
  p = PlaceDialogAtCursor(40, 30, 100, 100, WorkRect{60, 28, 1024, 768});
  EXPECT_EQ(p.Left, 60);
  EXPECT_EQ(p.Top, 28);
}

}  // namespace
}  // namespace qm::editor
