#include <gtest/gtest.h>

#include "standins/unlha32/core/UnlhaCommand.h"

using namespace qm::lzh;

TEST(UnlhaCommand, TheEditorsBackupLine) {
  const char* line =
      "u -x1 -jm3 -a1 \"D:\\backup\\\\ヘルプ.hpj.lzh\" \"C:\\my help\\\" \"ヘルプ.hpj\" \"ヘルプ.cnt\" "
      "\"ヘルプ.hm\" bmp\\*.* rtf\\*.* *.avi *.wav";
  UnlhaCommand c;
  std::string error;
  ASSERT_TRUE(ParseUnlhaCommand(line, c, error)) << error;
  EXPECT_EQ(c.command, 'u');
  EXPECT_EQ(c.switches, (std::vector<std::string>{"-x1", "-jm3", "-a1"}));
  EXPECT_TRUE(c.storeFolders);
  EXPECT_TRUE(c.allAttributes);
  EXPECT_EQ(c.archive, "D:\\backup\\\\ヘルプ.hpj.lzh");
  EXPECT_EQ(c.baseFolder, "C:\\my help");
  EXPECT_EQ(c.items, (std::vector<std::string>{"ヘルプ.hpj", "ヘルプ.cnt", "ヘルプ.hm", "bmp\\*.*",
                                               "rtf\\*.*", "*.avi", "*.wav"}));
}

TEST(UnlhaCommand, BaseFolderOnlyWhenItEndsInASeparator) {
  UnlhaCommand c;
  std::string error;
  // "表" is 0x95 0x5C: its last byte is no separator.
  ASSERT_TRUE(ParseUnlhaCommand("u a.lzh \"C:\\表\" x.txt", c, error));
  EXPECT_EQ(c.baseFolder, "");
  EXPECT_EQ(c.items, (std::vector<std::string>{"C:\\表", "x.txt"}));
  ASSERT_TRUE(ParseUnlhaCommand("u a.lzh \"C:\\表\\\" x.txt", c, error));
  EXPECT_EQ(c.baseFolder, "C:\\表");
  ASSERT_TRUE(ParseUnlhaCommand("u a.lzh C:\\ x.txt", c, error));
  EXPECT_EQ(c.baseFolder, "C:\\");
  EXPECT_FALSE(c.storeFolders);
  ASSERT_TRUE(ParseUnlhaCommand("u -x0 a.lzh x\\ -- -y.txt", c, error));
  EXPECT_EQ(c.baseFolder, "x");
  EXPECT_EQ(c.items, (std::vector<std::string>{"-y.txt"}));
}

TEST(UnlhaCommand, RefusesWhatItCannotDo) {
  UnlhaCommand c;
  std::string error;
  EXPECT_FALSE(ParseUnlhaCommand("", c, error));
  EXPECT_FALSE(ParseUnlhaCommand("x a.lzh", c, error));
  EXPECT_FALSE(ParseUnlhaCommand("u -x1", c, error));
  EXPECT_FALSE(ParseUnlhaCommand("update a.lzh", c, error));
  EXPECT_TRUE(ParseUnlhaCommand("A a.lzh", c, error));
  EXPECT_EQ(c.command, 'a');
}

TEST(UnlhaCommand, Patterns) {
  EXPECT_TRUE(MatchesPattern("Intro.rtf", "*.*"));
  EXPECT_TRUE(MatchesPattern("README", "*.*"));
  EXPECT_TRUE(MatchesPattern("MOVIE.AVI", "*.avi"));
  EXPECT_FALSE(MatchesPattern("movie.avi.bak", "*.avi"));
  EXPECT_FALSE(MatchesPattern("a.wav2", "*.wav"));
  EXPECT_TRUE(MatchesPattern("ヘルプ.hpj", "ヘルプ.HPJ"));
  EXPECT_TRUE(MatchesPattern("ヘルプ.hpj", "???.hpj"));  // one "?" per character
  EXPECT_FALSE(MatchesPattern("ヘルプ.hpj", "????.hpj"));
  EXPECT_TRUE(MatchesPattern("aXbXc", "a*b*c"));
  EXPECT_FALSE(MatchesPattern("ab", "a?b"));
  EXPECT_TRUE(MatchesPattern("abc", "abc.*"));
}
