#include <gtest/gtest.h>

#include "editor/core/BackupCommand.h"

using namespace qm::editor;

TEST(BackupCommand, IntoTheProjectFolder) {
  EXPECT_EQ(BackupCommandLine("C:\\Help\\My Help", "マイヘルプ.hpj", "マイヘルプ.hm", ""),
            "u -x1 -jm3 -a1 \"C:\\Help\\My Help\\マイヘルプ.hpj.lzh\" \"C:\\Help\\My Help\\\" "
            "\"マイヘルプ.hpj\" \"マイヘルプ.cnt\" \"マイヘルプ.hm\" bmp\\*.* rtf\\*.* *.avi *.wav");
}

TEST(BackupCommand, IntoABackupFolder) {
  EXPECT_EQ(BackupCommandLine("C:\\Help", "demo.hpj", "map\\ids.h", "D:\\Backup"),
            "u -x1 -jm3 -a1 \"D:\\Backup\\demo.hpj.lzh\" \"C:\\Help\\\" \"demo.hpj\" \"demo.cnt\" "
            "\"map\\ids.h\" bmp\\*.* rtf\\*.* *.avi *.wav");
  // A closing backslash stays: two before the archive's name.
  EXPECT_EQ(BackupCommandLine("C:\\Help", "demo.hpj", "demo.hm", "D:\\Backup\\"),
            "u -x1 -jm3 -a1 \"D:\\Backup\\\\demo.hpj.lzh\" \"C:\\Help\\\" \"demo.hpj\" \"demo.cnt\" "
            "\"demo.hm\" bmp\\*.* rtf\\*.* *.avi *.wav");
  EXPECT_EQ(BackupFolder("", "C:\\Help"), "C:\\Help");
  EXPECT_EQ(BackupFolder("D:\\B", "C:\\Help"), "D:\\B");
}

TEST(BackupCommand, Messages) {
  EXPECT_STREQ(kBackupFailedMessage, "ﾊﾞｯｸｱｯﾌﾟの作成に失敗しました.");
  // Half-width katakana are single bytes of code page 932.
  EXPECT_EQ(static_cast<unsigned char>(kBackupFailedMessage[0]), 0xCA);
  EXPECT_STREQ(kArchiverMissingMessage, "Unlha32.dllの読み込みに失敗しました.");
}

TEST(ArchiverSearchFolders, ProgramSystemWindowsThenAbsolutePathEntriesOnly) {
  EXPECT_EQ(ArchiverSearchFolders("C:\\prog", "C:\\windows\\system32", "C:\\windows",
                                  "C:\\bin;;.;\"D:\\Tools Dir\";lib;\\root;\\\\srv\\share;E:/x;..\\up;"),
            (std::vector<std::string>{"C:\\prog", "C:\\windows\\system32", "C:\\windows", "C:\\bin",
                                      "D:\\Tools Dir", "\\\\srv\\share", "E:/x"}));
  // A drive without a separator ("C:") is that drive's current folder.
  EXPECT_EQ(ArchiverSearchFolders("", "", "", "C:;C:x"), std::vector<std::string>{});
}
