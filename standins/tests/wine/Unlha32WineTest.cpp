// The built unlha32.dll, loaded and called as the editor's backup does.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "classlib/tests/TempDir.h"
#include "core/FileSystem.h"
#include "standins/unlha32/core/LzhArchive.h"

namespace {

using UnlhaProc = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

std::string DllPath() {
  std::string d = QM_DIST_DIR "/archiver/unlha32.dll";
  for (char& c : d)
    if (c == '/') c = '\\';
  return d;
}

void Write(const std::string& path, const std::string& bytes) { qm::WriteFileReplacing(path, bytes); }

std::string Read(const std::string& path) {
  std::string s;
  qm::ReadFileBytes(path, s);
  return s;
}

// A project as the editor keeps it, with a Japanese name and a hidden file.
std::string MakeProject() {
  const std::string dir = qmtest::NewTempDir() + "\\ヘルプ 表";
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\rtf").c_str(), nullptr);
  CreateDirectoryA((dir + "\\bmp").c_str(), nullptr);
  Write(dir + "\\ヘルプ.hpj", "[OPTIONS]\r\nTITLE=ヘルプ\r\n");
  Write(dir + "\\ヘルプ.cnt", ":Base ヘルプ.hlp\r\n");
  Write(dir + "\\rtf\\はじめに.rtf", "{\\rtf1 はじめに}");
  Write(dir + "\\rtf\\Second.rtf", std::string(20000, 'x'));
  Write(dir + "\\bmp\\pic.bmp", "BM" + std::string(3000, '\x10'));
  Write(dir + "\\bmp\\hidden.bmp", "BM");
  SetFileAttributesA((dir + "\\bmp\\hidden.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Write(dir + "\\other.hlp", "not backed up");
  return dir;
}

std::string BackupLine(const std::string& archive, const std::string& dir) {
  return "u -x1 -jm3 -a1 \"" + archive + "\" \"" + dir + "\\\" \"ヘルプ.hpj\" \"ヘルプ.cnt\" \"ヘルプ.hm\"" +
         " bmp\\*.* rtf\\*.* *.avi *.wav";
}

std::map<std::string, std::string> Members(const std::string& archivePath) {
  const std::string archive = Read(archivePath);
  std::vector<qm::lzh::Member> members;
  std::string error;
  EXPECT_TRUE(qm::lzh::ListMembers(archive, members, error)) << error;
  std::map<std::string, std::string> out;
  for (const auto& m : members) {
    std::string data;
    EXPECT_TRUE(qm::lzh::CheckMember(m, error, &data)) << error;
    out[m.header.path] = data;
  }
  return out;
}

class Unlha32Dll : public ::testing::Test {
 protected:
  void SetUp() override {
    dll_ = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(dll_, nullptr) << DllPath();
    unlha_ = reinterpret_cast<UnlhaProc>(reinterpret_cast<void*>(GetProcAddress(dll_, "Unlha")));
    ASSERT_NE(unlha_, nullptr) << "no undecorated Unlha export";
  }
  void TearDown() override {
    if (dll_) FreeLibrary(dll_);
  }
  HMODULE dll_ = nullptr;
  UnlhaProc unlha_ = nullptr;
};

}  // namespace

TEST_F(Unlha32Dll, BacksUpAProjectIntoItsFolder) {
  const std::string dir = MakeProject();
  const std::string archive = dir + "\\ヘルプ.hpj.lzh";
  ASSERT_EQ(unlha_(nullptr, BackupLine(archive, dir).c_str(), nullptr, 0), 0);
  auto members = Members(archive);
  EXPECT_EQ(members["ヘルプ.hpj"], "[OPTIONS]\r\nTITLE=ヘルプ\r\n");
  EXPECT_EQ(members["ヘルプ.cnt"], ":Base ヘルプ.hlp\r\n");
  EXPECT_EQ(members["rtf\\はじめに.rtf"], "{\\rtf1 はじめに}");
  EXPECT_EQ(members["rtf\\Second.rtf"], std::string(20000, 'x'));
  EXPECT_EQ(members["bmp\\pic.bmp"], "BM" + std::string(3000, '\x10'));
  EXPECT_EQ(members.count("bmp\\hidden.bmp"), 1u);  // -a1: hidden files too
  EXPECT_EQ(members.count("other.hlp"), 0u);
  EXPECT_EQ(members.size(), 6u);

  // Without -a1 a hidden file stays out; the archive in a backup folder
  // given with a trailing backslash (two before the name).
  const std::string backup = qmtest::NewTempDir();
  const std::string line = "u -x1 \"" + backup + "\\\\x.lzh\" \"" + dir + "\\\" bmp\\*.*";
  char out[256];
  ASSERT_EQ(unlha_(nullptr, line.c_str(), out, sizeof out), 0) << out;
  members = Members(backup + "\\x.lzh");
  EXPECT_EQ(members.count("bmp\\hidden.bmp"), 0u);
  EXPECT_EQ(members.count("bmp\\pic.bmp"), 1u);
}

TEST_F(Unlha32Dll, UpdateKeepsTheMembersNotAddedAgain) {
  const std::string dir = MakeProject();
  const std::string archive = dir + "\\ヘルプ.hpj.lzh";
  ASSERT_EQ(unlha_(nullptr, BackupLine(archive, dir).c_str(), nullptr, 0), 0);
  DeleteFileA((dir + "\\rtf\\Second.rtf").c_str());
  Write(dir + "\\rtf\\Third.rtf", "{\\rtf1 third}");
  ASSERT_EQ(unlha_(nullptr, BackupLine(archive, dir).c_str(), nullptr, 0), 0);
  auto members = Members(archive);
  EXPECT_EQ(members["rtf\\Second.rtf"], std::string(20000, 'x'));
  EXPECT_EQ(members["rtf\\Third.rtf"], "{\\rtf1 third}");
  EXPECT_EQ(members.size(), 7u);
}

TEST_F(Unlha32Dll, OutputBufferAndFailures) {
  const std::string dir = MakeProject();
  // A buffer of size 0 is never written, not even on failure.
  char buf[64];
  memset(buf, '#', sizeof buf);
  EXPECT_NE(unlha_(nullptr, "x nonsense", buf, 0), 0);
  EXPECT_EQ(std::string(buf, sizeof buf), std::string(sizeof buf, '#'));
  // A small buffer gets what fits, closed by a zero byte.
  EXPECT_NE(unlha_(nullptr, "x nonsense", buf, 5), 0);
  EXPECT_EQ(strlen(buf), 4u);
  EXPECT_EQ(buf[5], '#');

  // The archive's folder does not exist.
  EXPECT_NE(unlha_(nullptr, BackupLine(dir + "\\none\\a.lzh", dir).c_str(), nullptr, 0), 0);
  // A read-only archive cannot be replaced and stays as it was.
  const std::string archive = dir + "\\ro.lzh";
  ASSERT_EQ(unlha_(nullptr, BackupLine(archive, dir).c_str(), nullptr, 0), 0);
  const std::string before = Read(archive);
  SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_READONLY);
  Write(dir + "\\rtf\\New.rtf", "new");
  EXPECT_NE(unlha_(nullptr, BackupLine(archive, dir).c_str(), nullptr, 0), 0);
  EXPECT_EQ(Read(archive), before);
  SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_NORMAL);

  // The damaged archive of the test data is refused and left untouched.
  const std::string bad = dir + "\\bad.lzh";
  ASSERT_TRUE(CopyFileA(QM_TESTDATA_DIR "/lzh/bad.lzh", bad.c_str(), FALSE));
  SetFileAttributesA(bad.c_str(), FILE_ATTRIBUTE_NORMAL);
  const std::string damaged = Read(bad);
  EXPECT_NE(unlha_(nullptr, BackupLine(bad, dir).c_str(), nullptr, 0), 0);
  EXPECT_EQ(Read(bad), damaged);
}
