#include <gtest/gtest.h>

#include "editor/core/EditorSettings.h"

using namespace qm;
using namespace qm::editor;

TEST(EditorSettings, MissingOrBrokenValuesTakeTheirDefaults) {
  MemoryIniStore store;
  store.Write("Pos", "Width", "wide");
  store.Write("Pos", "Height", "500");
  store.Write("Env", "Tcopy", "1");
  IniSettings ini(store);
  EditorSettings s;
  std::vector<std::string> recent;
  s.Load(ini, recent);
  EXPECT_EQ(s.Width, 640);
  EXPECT_EQ(s.Height, 500);
  EXPECT_EQ(s.CWidth, 150);
  EXPECT_EQ(s.EHeight, 50);
  EXPECT_EQ(s.FontName, "ＭＳ Ｐゴシック");
  EXPECT_EQ(s.FontSize, 12);
  EXPECT_TRUE(s.Tcopy);
  EXPECT_TRUE(recent.empty());
}

TEST(EditorSettings, RecentProjectsSkipEmptyRowsAndKeepFive) {
  MemoryIniStore store;
  store.Write("Old", "file1", "C:\\a\\one.hpj");
  store.Write("Old", "file2", "");
  store.Write("Old", "file3", "C:\\b\\three.hpj");
  IniSettings ini(store);
  EditorSettings s;
  std::vector<std::string> recent;
  s.Load(ini, recent);
  ASSERT_EQ(recent, (std::vector<std::string>{"C:\\a\\one.hpj", "C:\\b\\three.hpj"}));

  // Seven rows at close: the first five are kept.
  std::vector<std::string> seven;
  for (int i = 1; i <= 7; ++i) seven.push_back("p" + std::to_string(i) + ".hpj");
  s.Save(ini, seven);
  EXPECT_EQ(*store.Read("Old", "file5"), "p5.hpj");
  EXPECT_FALSE(store.Read("Old", "file6").has_value());
  // Two rows: file3 to file5 are written empty.
  s.Save(ini, {"x.hpj", "y.hpj"});
  EXPECT_EQ(*store.Read("Old", "file2"), "y.hpj");
  EXPECT_EQ(*store.Read("Old", "file3"), "");
  EXPECT_EQ(*store.Read("Old", "file5"), "");
  EXPECT_EQ(*store.Read("Env", "Tcopy"), "0");
}

TEST(ToolBarState, DefaultsAreTheDesignPositionAndBooleansAreOneOrZero) {
  MemoryIniStore store;
  IniSettings ini(store);
  ToolBarState s = ToolBarState::Load(ini, "EditBar", 26, 120);
  EXPECT_TRUE(s.Docking);
  EXPECT_TRUE(s.Visible);
  EXPECT_EQ(s.Top, 26);
  EXPECT_EQ(s.Left, 120);
  s.Docking = false;
  s.Left = 300;
  s.Save(ini, "EditBar");
  EXPECT_EQ(*store.Read("ToolBar\\EditBar", "Docking"), "0");
  EXPECT_EQ(*store.Read("ToolBar\\EditBar", "Visible"), "1");
  ToolBarState t = ToolBarState::Load(ini, "EditBar", 0, 0);
  EXPECT_FALSE(t.Docking);
  EXPECT_EQ(t.Left, 300);
  EXPECT_EQ(t.Top, 26);
}
