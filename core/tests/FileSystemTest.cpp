#include <gtest/gtest.h>

#include <cstdlib>

#include "core/FileSystem.h"

using namespace qm;

namespace {
std::string TempDir() {
  char tmpl[] = "/tmp/qmfsXXXXXX";
  const char* d = ::mkdtemp(tmpl);
  return d ? d : "";
}
}  // namespace

TEST(FileSystem, WriteReplacesWholeAndLeavesNoSideFile) {
  std::string dir = TempDir();
  std::string f = PathJoin(dir, "a.txt");
  WriteFileReplacing(f, "old");
  WriteFileReplacing(f, "new text");
  std::string got;
  ASSERT_TRUE(ReadFileBytes(f, got));
  EXPECT_EQ(got, "new text");
  EXPECT_EQ(ListFiles(dir, ".~new"), std::vector<std::string>{});
  // A write into a folder that does not exist fails and says so.
  EXPECT_THROW(WriteFileReplacing(PathJoin(dir, "no/such.txt"), "x"), FileError);
}

TEST(FileSystem, ListAndMove) {
  std::string dir = TempDir();
  WriteFileReplacing(PathJoin(dir, "B.BMP"), "1");
  WriteFileReplacing(PathJoin(dir, "a.bmp"), "2");
  WriteFileReplacing(PathJoin(dir, "c.rtf"), "3");
  ASSERT_TRUE(CreateDir(PathJoin(dir, "bmp")));
  EXPECT_EQ(ListFiles(dir, ".bmp"), (std::vector<std::string>{"B.BMP", "a.bmp"}));
  EXPECT_TRUE(MoveFileTo(PathJoin(dir, "a.bmp"), PathJoin(dir, "bmp/a.bmp")));
  EXPECT_FALSE(MoveFileTo(PathJoin(dir, "B.BMP"), PathJoin(dir, "c.rtf")));
  EXPECT_TRUE(FileExists(PathJoin(dir, "bmp/a.bmp")));
  EXPECT_TRUE(DirectoryExists(PathJoin(dir, "bmp")));
  EXPECT_FALSE(FileExists(PathJoin(dir, "bmp")));
}

TEST(PathHelpers, SeparatorsAndExtensions) {
  EXPECT_EQ(ExtractFileName("C:\\a\\b.hpj"), "b.hpj");
  EXPECT_EQ(ExtractFileDir("C:\\a\\b.hpj"), "C:\\a");
  EXPECT_EQ(ExtractFileExt("C:\\a.x\\b"), "");
  EXPECT_EQ(ChangeFileExt("C:\\a\\b.hpj", ".cnt"), "C:\\a\\b.cnt");
  // "ソ" ends in 0x5C: it is not a separator.
  EXPECT_EQ(ExtractFileName("C:\\ソ.hpj"), "ソ.hpj");
}
