#include <gtest/gtest.h>

#include "editor/core/StatusBarClick.h"

namespace qm::editor {
namespace {

TEST(StatusBarClick, PanelsByPositionAndTheBroadcast) {
  struct { int x; int panel; bool broadcast; } cases[] = {
      {0, 0, true},     {99, 0, true},   {100, 0, false}, {101, 1, false}, {136, 1, false},
      {137, 2, false},  {237, 2, false}, {238, 4, false}, {338, 4, false}, {339, 5, false},
      {439, 5, false},  {440, 6, false}, {540, 6, false}, {541, -1, false}, {2000, -1, false},
  };
  for (const auto& c : cases) {
    const StatusBarClick r = StatusBarClickAt(c.x, "Topic1");
    EXPECT_EQ(r.Panel, c.panel) << c.x;
    EXPECT_EQ(r.Broadcast, c.broadcast) << c.x;
  }
  // No topic open: the empty text is copied but not sent.
  const StatusBarClick empty = StatusBarClickAt(10, "");
  EXPECT_EQ(empty.Panel, 0);
  EXPECT_FALSE(empty.Broadcast);
}

}  // namespace
}  // namespace qm::editor
