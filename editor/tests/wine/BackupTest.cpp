// Backup through the archiver stand-in, on a copy of a real project laid out
// as the editor keeps it; the archive is listed by lhasa, an unpacker written
// by others (Wine starts the Unix program).
#include <gtest/gtest.h>

#include <string>

#include "WineTestUtil.h"
#include "classlib/tests/UnixPath.h"
#include "core/FileSystem.h"
#include "editor/BackupCommands.h"
#include "editor/core/BackupCommand.h"

using namespace qm::editor::test;
using namespace qm::editor;
using qmtest::UnixPath;

namespace {

// "lhasa l <archive>"'s output; empty when it could not run. Wine starts
// the Unix shell but hands back no handle to wait on and no output, so the
// shell writes the listing into a file beside the archive and renames it
// when complete.
std::string LhasaList(const std::string& archive) {
  std::string listing = archive + ".txt";
  std::string unix_archive = UnixPath(archive);
  std::string unix_listing = UnixPath(listing);
  if (unix_archive.empty() || unix_listing.empty()) return {};
  std::string cmd = "Z:\\bin\\sh -c \"/usr/bin/lhasa l '" + unix_archive + "' > '" + unix_listing +
                    ".part' 2>&1; mv '" + unix_listing + ".part' '" + unix_listing + "'\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA("Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return "CreateProcess failed: " + std::to_string(GetLastError());
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  std::string out;
  qmtest::WaitUntil("lhasa's listing " + listing, [&] { return qm::ReadFileBytes(listing, out); });
  return out;
}

// Moves the files of one extension from the project folder into a
// sub-folder.
void MoveInto(const std::string& dir, const std::string& ext, const std::string& sub) {
  qm::CreateDir(dir + "\\" + sub);
  for (const std::string& f : qm::ListFiles(dir, ext))
    ASSERT_TRUE(qm::MoveFileTo(dir + "\\" + f, dir + "\\" + sub + "\\" + f));
}

// A copy of calques3d with its topics in rtf\ and pictures in bmp\, open in
// the editor; the archiver found in the stand-ins' folder only.
struct BackupFixture : EditorFixture {
  std::string dir;
  BackupFixture() {
    dir = CopyProject("calques3d");
    dialog_answers = {dir + "\\Calques3D.hpj"};
    form->ProjectCmds->OpenAExecute(nullptr);
    boxes.clear();
    form->Group<TBackupCommands>().ArchiverFolders = {DistFolder("archiver")};
  }
};

TEST(Backup, PacksTheProjectFilesAndItsTopicAndPictureFolders) {
  BackupFixture fx;
  ASSERT_TRUE(fx.form->Group<TBackupCommands>().Backup1->Enabled());
  MoveInto(fx.dir, ".rtf", "rtf");
  MoveInto(fx.dir, ".bmp", "bmp");
  // Neither another folder nor other media of the project folder go in.
  qm::CreateDir(fx.dir + "\\other");
  qm::WriteFileReplacing(fx.dir + "\\other\\note.txt", "x");
  qm::WriteFileReplacing(fx.dir + "\\clip.mid", "x");

  fx.form->Group<TBackupCommands>().Backup1Click(nullptr);
  EXPECT_TRUE(fx.boxes.empty()) << fx.boxes[0].text;
  std::string archive = fx.dir + "\\Calques3D.hpj.lzh";
  ASSERT_TRUE(qm::FileExists(archive));

  std::string list = LhasaList(archive);
  ASSERT_NE(list.find("Total"), std::string::npos) << UnixPath(archive) << "\n" << list;
  for (const char* name : {" Calques3D.hpj\n", " Calques3D.cnt\n", " Calques3D.hm\n",
                           " rtf/AfxCore.rtf\n", " bmp/AppExit.bmp\n"})
    EXPECT_NE(list.find(name), std::string::npos) << name << list;
  EXPECT_EQ(list.find("note.txt"), std::string::npos);
  EXPECT_EQ(list.find("clip.mid"), std::string::npos);
  EXPECT_EQ(list.find("Calques3D_FRA.hpj"), std::string::npos);
}

TEST(Backup, GoesIntoTheBackupFolderWhenOneIsSet) {
  BackupFixture fx;
  std::string target = NewTempDir();
  fx.form->Project.BackupPath = target;
  fx.form->Group<TBackupCommands>().BackupProject();
  EXPECT_TRUE(fx.boxes.empty());
  EXPECT_TRUE(qm::FileExists(target + "\\Calques3D.hpj.lzh"));
  EXPECT_FALSE(qm::FileExists(fx.dir + "\\Calques3D.hpj.lzh"));
}

TEST(Backup, AnArchiverThatFailsIsReported) {
  BackupFixture fx;
  // A backup folder that does not exist: the archive cannot be written.
  fx.form->Project.BackupPath = fx.dir + "\\missing\\folder";
  fx.form->Group<TBackupCommands>().BackupProject();
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text, kBackupFailedMessage);
  EXPECT_EQ(fx.boxes[0].caption, "Quillmark");
  EXPECT_TRUE(fx.boxes[0].flags & MB_ICONERROR);
}

// The library planted in one folder for the life of the object.
struct PlantedArchiver {
  std::string path;
  explicit PlantedArchiver(const std::string& folder) : path(folder + "\\unlha32.dll") {
    EXPECT_TRUE(CopyFileA((DistFolder("archiver") + "\\unlha32.dll").c_str(), path.c_str(), FALSE))
        << path;
  }
  ~PlantedArchiver() { DeleteFileA(path.c_str()); }
};

std::string SystemFolder(UINT (WINAPI* get)(LPSTR, UINT)) {
  char buf[MAX_PATH] = {};
  get(buf, MAX_PATH);
  return buf;
}

// The library is found in the program's folder, the system folder, the
// Windows folder and on PATH, as Windows' own search finds it; a copy in
// the current folder (the project folder after an open dialog) is never
// loaded, not even when PATH names "." or holds an empty entry.
TEST(Backup, TheLibraryIsFoundWhereWindowsLooksButNeverInTheCurrentFolder) {
  BackupFixture fx;
  auto& backup = fx.form->Group<TBackupCommands>();
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string on_path = NewTempDir();
  char old_path[32767] = {};
  GetEnvironmentVariableA("PATH", old_path, sizeof old_path);
  SetEnvironmentVariableA("PATH", (on_path + ";.;;" + old_path).c_str());
  const std::vector<std::string> folders = ArchiverFoldersOfThisProcess();
  const std::string places[] = {qm::ExtractFileDir(module), SystemFolder(GetSystemDirectoryA),
                                SystemFolder(GetWindowsDirectoryA), on_path};
  ASSERT_GE(folders.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(folders[k], places[k]);
  for (const std::string& f : places)
    ASSERT_FALSE(qm::FileExists(f + "\\unlha32.dll")) << "the test needs " << f << " without it";

  backup.ArchiverFolders = folders;
  for (const std::string& place : places) {
    PlantedArchiver planted(place);
    fx.boxes.clear();
    DeleteFileA((fx.dir + "\\Calques3D.hpj.lzh").c_str());
    backup.BackupProject();
    EXPECT_TRUE(fx.boxes.empty()) << place << ": " << (fx.boxes.empty() ? "" : fx.boxes[0].text);
    EXPECT_TRUE(qm::FileExists(fx.dir + "\\Calques3D.hpj.lzh")) << place;
  }

  DeleteFileA((fx.dir + "\\Calques3D.hpj.lzh").c_str());
  PlantedArchiver in_project(fx.dir);
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  SetCurrentDirectoryA(fx.dir.c_str());
  backup.ArchiverFolders = ArchiverFoldersOfThisProcess();
  fx.boxes.clear();
  backup.BackupProject();
  SetCurrentDirectoryA(before);
  SetEnvironmentVariableA("PATH", old_path);
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text, kArchiverMissingMessage);
  EXPECT_FALSE(qm::FileExists(fx.dir + "\\Calques3D.hpj.lzh"));
}

}  // namespace
