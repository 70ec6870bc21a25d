#include <gtest/gtest.h>

#include "editor/core/RecentProjects.h"

using namespace qm::editor;

TEST(ShortenRecentPath, KeepsTheTailAfterTheLastLongEnoughBackslash) {
  EXPECT_EQ(ShortenRecentPath("C:\\Documents and Settings\\user\\My Documents\\proj\\sample.hpj"),
            "C:\\..\\proj\\sample.hpj");
  // Only two backslashes: whole, however long.
  std::string two = "C:\\" + std::string(40, 'a') + "\\b.hpj";
  EXPECT_EQ(ShortenRecentPath(two), two);
  EXPECT_EQ(ShortenRecentPath("\\\\server\\share\\some folder\\deeper\\x.hpj"),
            "\\\\..\\some folder\\deeper\\x.hpj");
}

TEST(ShortenRecentPath, ATrailByteThatLooksLikeABackslashIsNoSeparator) {
  // "ソ" is 83 5C: twenty of them hold twenty 0x5C bytes but only two real
  // backslashes, so the path is kept whole.
  std::string so;
  for (int i = 0; i < 20; ++i) so += "ソ";
  std::string path = "C:\\" + so + "\\x.hpj";
  EXPECT_EQ(ShortenRecentPath(path), path);
  // Three real ones: the tail starts after the third.
  EXPECT_EQ(ShortenRecentPath("C:\\" + so + "\\" + so + "\\x.hpj"), "C:\\..\\x.hpj");
}

TEST(RecentItemCaption, ShortPathsAreShownWhole) {
  EXPECT_EQ(RecentItemCaption(1, "C:\\a\\b.hpj"), "&1 C:\\a\\b.hpj");
  std::string exactly32 = "C:\\" + std::string(25, 'x') + "\\b.hpj";
  ASSERT_EQ(exactly32.size(), 34u);
  EXPECT_EQ(RecentItemCaption(2, "C:\\" + std::string(23, 'x') + "\\b.hpj"),
            "&2 C:\\" + std::string(23, 'x') + "\\b.hpj");
}

TEST(PushRecentPath, MovesAnExistingPathToTheFrontIgnoringCase) {
  std::vector<std::string> r{"C:\\a.hpj", "C:\\b.hpj", "C:\\c.hpj"};
  EXPECT_FALSE(PushRecentPath(r, "c:\\A.HPJ"));
  EXPECT_TRUE(PushRecentPath(r, "C:\\C.hpj"));
  EXPECT_EQ(r, (std::vector<std::string>{"C:\\C.hpj", "C:\\a.hpj", "C:\\b.hpj"}));
  for (int i = 0; i < 6; ++i) PushRecentPath(r, "D:\\" + std::to_string(i) + ".hpj");
  EXPECT_EQ(r.size(), 9u);  // the list only grows; five are shown and stored
  EXPECT_EQ(r.front(), "D:\\5.hpj");
}

TEST(PushRecentPath, PathsThatDifferInADoubleByteCharacterAreTwoProjects) {
  // ア is 83 41 and ヂ 83 61: their trail bytes differ only as 'A' and 'a'.
  std::vector<std::string> r{"C:\\ア\\p.hpj"};
  EXPECT_TRUE(PushRecentPath(r, "C:\\ヂ\\p.hpj"));
  EXPECT_EQ(r, (std::vector<std::string>{"C:\\ヂ\\p.hpj", "C:\\ア\\p.hpj"}));
  EXPECT_FALSE(PushRecentPath(r, "c:\\ヂ\\P.HPJ"));
}
