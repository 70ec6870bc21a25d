#include <gtest/gtest.h>
#include <windows.h>

#include "classlib/tests/TempDir.h"
#include "core/FileSystem.h"

using namespace qm;
using qmtest::NewTempDir;

TEST(FileSystemWin32, ReplacesAnExistingFileAndKeepsJapaneseNames) {
  std::string dir = PathJoin(NewTempDir(), "ソース本");
  ASSERT_TRUE(CreateDir(dir));
  std::string f = PathJoin(dir, "表.hpj");
  WriteFileReplacing(f, "one");
  WriteFileReplacing(f, "two");
  std::string got;
  ASSERT_TRUE(ReadFileBytes(f, got));
  EXPECT_EQ(got, "two");
  EXPECT_EQ(ListFiles(dir, ".HPJ"), std::vector<std::string>{"表.hpj"});
  EXPECT_EQ(ExtractFileName(f), "表.hpj");
  EXPECT_EQ(ExtractFileDir(f), dir);
}
