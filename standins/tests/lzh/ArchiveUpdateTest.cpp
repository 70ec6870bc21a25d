// The archiver's command run on real folders, checked with our own reader and
// with Debian's lhasa, an unpacker of its own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "core/FileSystem.h"
#include "standins/unlha32/core/ArchiveUpdate.h"
#include "standins/unlha32/core/LzhArchive.h"

namespace fs = std::filesystem;
using namespace qm::lzh;

namespace {

const std::string kTestData = QM_TESTDATA_DIR;

std::string TempDir() {
  char tmpl[] = "/tmp/qmlzhXXXXXX";
  return ::mkdtemp(tmpl);
}

void Write(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  qm::WriteFileReplacing(path, bytes);
}

std::string Read(const std::string& path) {
  std::string s;
  EXPECT_TRUE(qm::ReadFileBytes(path, s)) << path;
  return s;
}

// andes-fbd as the editor keeps a project: topics in rtf/, pictures in bmp/,
// the project, contents and map files at the top. Named after the project
// file, as the editor names it.
std::string LayOutAndes(const std::string& dir) {
  const std::string from = kTestData + "/projects/andes-fbd";
  for (const auto& e : fs::directory_iterator(from)) {
    const std::string name = e.path().filename().string();
    std::string ext = e.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string to = dir + "/" + name;
    if (ext == ".rtf") to = dir + "/rtf/" + name;
    if (ext == ".bmp" || ext == ".shg") to = dir + "/bmp/" + name;
    Write(to, Read(e.path().string()));
  }
  return dir;
}

std::string BackupLine(const std::string& archive, const std::string& dir) {
  return "u -x1 -jm3 -a1 \"" + archive + "\" \"" + dir + "\\\" \"FBD.hpj\" \"FBD.cnt\" \"FBD.hm\" " +
         "bmp\\*.* rtf\\*.* *.avi *.wav";
}

int Unlha(const std::string& line, std::string* report = nullptr) {
  std::string r;
  const int rc = RunUnlha(line, r);
  if (report) *report = r;
  return rc;
}

// Member paths and data, unpacked by our reader (every CRC checked).
std::map<std::string, std::string> Unpacked(const std::string& archivePath) {
  const std::string archive = Read(archivePath);
  std::vector<Member> members;
  std::string error;
  EXPECT_TRUE(ListMembers(archive, members, error)) << error;
  std::map<std::string, std::string> out;
  for (const Member& m : members) {
    std::string data;
    EXPECT_TRUE(CheckMember(m, error, &data)) << error;
    out[m.header.path] = data;
  }
  return out;
}

// Last write time in whole seconds, as archives keep it.
long long MTime(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mtime;
}

int Lhasa(const std::string& args) {
  const int rc = std::system(("lhasa " + args + " >/dev/null 2>&1").c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

// Every file below dir, by path relative to it ('/' separated).
std::map<std::string, std::string> Tree(const std::string& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) out[fs::relative(e.path(), dir).string()] = Read(e.path().string());
  return out;
}

class ArchiveUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(std::system("command -v lhasa >/dev/null"), 0) << "lhasa is needed (scripts/setup.sh)";
    root_ = TempDir();
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string root_;
};

}  // namespace

TEST_F(ArchiveUpdate, BacksUpAProjectThatLhasaUnpacksAsItWas) {
  const std::string project = LayOutAndes(root_ + "/FBD help");
  const std::string archive = project + "/FBD.hpj.lzh";
  std::string report;
  ASSERT_EQ(Unlha(BackupLine(archive, project), &report), kUnlhaOk) << report;
  // No .avi or .wav in the project: not an error.
  EXPECT_NE(report.find("*.avi: no such file"), std::string::npos);

  const auto members = Unpacked(archive);
  EXPECT_EQ(members.count("FBD.hpj"), 1u);
  EXPECT_EQ(members.count("FBD.cnt"), 1u);
  EXPECT_EQ(members.count("FBD.hm"), 1u);
  EXPECT_EQ(members.count("rtf\\EQUATION.RTF"), 1u);
  EXPECT_EQ(members.count("bmp\\RADDLG.SHG"), 1u);
  EXPECT_EQ(members.count("FBD.HLP"), 0u);  // not named by the command

  // lhasa's own checks and its unpacking: the same names, folders and bytes.
  EXPECT_EQ(Lhasa("t \"" + archive + "\""), 0);
  const std::string out = root_ + "/out";
  fs::create_directories(out);
  ASSERT_EQ(Lhasa("xw=\"" + out + "\" \"" + archive + "\""), 0);
  const auto unpacked = Tree(out);
  EXPECT_EQ(unpacked.size(), members.size());
  for (const auto& [path, data] : unpacked) {
    EXPECT_EQ(data, Read(project + "/" + path)) << path;
    EXPECT_EQ(MTime(out + "/" + path), MTime(project + "/" + path)) << path;
  }
  EXPECT_EQ(unpacked.count("rtf/Andes.rtf"), 1u);
  EXPECT_EQ(unpacked.count("bmp/Screen.bmp"), 1u);
}

TEST_F(ArchiveUpdate, UpdateKeepsOlderMembersAndReplacesChangedOnes) {
  const std::string dir = root_ + "/p";
  Write(dir + "/a.hpj", "[OPTIONS]\r\n");
  Write(dir + "/rtf/one.rtf", "{\\rtf1 one}");
  Write(dir + "/rtf/\x95\x5C.rtf", "{\\rtf1 表}");  // a name whose last byte is 0x5C
  const std::string archive = dir + "/a.hpj.lzh";
  const std::string line = "u -x1 \"" + archive + "\" \"" + dir + "/\" \"a.hpj\" rtf\\*.*";
  ASSERT_EQ(Unlha(line), kUnlhaOk);

  // rtf/one.rtf goes away, a.hpj changes, a new topic comes.
  fs::remove(dir + "/rtf/one.rtf");
  Write(dir + "/a.hpj", "[OPTIONS]\r\nTITLE=x\r\n");
  fs::last_write_time(dir + "/a.hpj", fs::last_write_time(dir + "/a.hpj") + std::chrono::seconds(5));
  Write(dir + "/rtf/two.rtf", "{\\rtf1 two}");
  std::string report;
  ASSERT_EQ(Unlha(line, &report), kUnlhaOk) << report;
  EXPECT_NE(report.find("rtf\\\x95\x5C.rtf: kept"), std::string::npos) << report;
  auto members = Unpacked(archive);
  EXPECT_EQ(members["rtf\\one.rtf"], "{\\rtf1 one}");
  EXPECT_EQ(members["a.hpj"], "[OPTIONS]\r\nTITLE=x\r\n");
  EXPECT_EQ(members["rtf\\two.rtf"], "{\\rtf1 two}");
  EXPECT_EQ(members["rtf\\\x95\x5C.rtf"], "{\\rtf1 表}");
  EXPECT_EQ(members.size(), 4u);
  EXPECT_EQ(Lhasa("t \"" + archive + "\""), 0);
  // lhasa keeps the code page 932 bytes of the names.
  const std::string out = root_ + "/out";
  fs::create_directories(out);
  ASSERT_EQ(Lhasa("xw=\"" + out + "\" \"" + archive + "\""), 0);
  EXPECT_EQ(Tree(out)["rtf/\x95\x5C.rtf"], "{\\rtf1 表}");

  // Nothing new: the archive is not rewritten.
  const std::string before = Read(archive);
  ASSERT_EQ(Unlha(line), kUnlhaOk);
  EXPECT_EQ(Read(archive), before);
}

TEST_F(ArchiveUpdate, UpdatesTheArchivesOfOtherToolsAndRefusesTheBrokenOne) {
  const std::string dir = root_ + "/p";
  Write(dir + "/new.txt", "new text");
  for (const char* name : {"a0.lzh", "a5.lzh", "a6.lzh", "a7.lzh", "h2.lzh"}) {
    const std::string archive = root_ + "/" + name;
    Write(archive, Read(kTestData + "/lzh/" + name));
    std::string report;
    ASSERT_EQ(Unlha("u -x1 \"" + archive + "\" \"" + dir + "/\" new.txt", &report), kUnlhaOk) << name << report;
    const auto members = Unpacked(archive);
    EXPECT_EQ(members.at("FBD.hpj"), Read(kTestData + "/projects/andes-fbd/FBD.hpj")) << name;
    EXPECT_EQ(members.at("new.txt"), "new text");
    EXPECT_EQ(Lhasa("t \"" + archive + "\""), 0) << name;
  }

  const std::string bad = root_ + "/bad.lzh";
  const std::string original = Read(kTestData + "/lzh/bad.lzh");
  Write(bad, original);
  std::string report;
  EXPECT_EQ(Unlha("u -x1 \"" + bad + "\" \"" + dir + "/\" new.txt", &report), kUnlhaBrokenArchive);
  EXPECT_NE(report.find("CRC"), std::string::npos) << report;
  EXPECT_EQ(Read(bad), original);
  EXPECT_FALSE(fs::exists(bad + ".~new"));
}

TEST_F(ArchiveUpdate, FailuresAreReported) {
  const std::string dir = root_ + "/p";
  Write(dir + "/a.txt", "a");
  // The archive's folder does not exist.
  EXPECT_EQ(Unlha("u \"" + root_ + "/none/a.lzh\" \"" + dir + "/\" a.txt"), kUnlhaCannotWrite);
  // Nothing matches and there is no archive.
  EXPECT_EQ(Unlha("u \"" + root_ + "/b.lzh\" \"" + dir + "/\" *.wav"), kUnlhaNothingToDo);
  EXPECT_FALSE(fs::exists(root_ + "/b.lzh"));
  EXPECT_EQ(Unlha("x \"" + root_ + "/b.lzh\""), kUnlhaBadCommand);
  // A read-only archive is not replaced.
  const std::string ro = root_ + "/ro.lzh";
  ASSERT_EQ(Unlha("u \"" + ro + "\" \"" + dir + "/\" a.txt"), kUnlhaOk);
  ::chmod(ro.c_str(), 0444);
  Write(dir + "/b.txt", "b");
  EXPECT_EQ(Unlha("u \"" + ro + "\" \"" + dir + "/\" *.txt"), kUnlhaCannotWrite);
  EXPECT_EQ(Unpacked(ro).size(), 1u);
  // A folder where the archive should be.
  fs::create_directories(root_ + "/c.lzh");
  EXPECT_NE(Unlha("u \"" + root_ + "/c.lzh\" \"" + dir + "/\" a.txt"), kUnlhaOk);
}
