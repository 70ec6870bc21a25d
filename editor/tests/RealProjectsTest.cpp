// Projects written by Help Workshop and edited by hand, with their defects:
// they must open, keep every topic and round-trip.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Cp932.h"
#include "editor/core/ProjectFiles.h"
#include "TestUtil.h"

using namespace qm;
using namespace qm::editor;
using namespace qm::editor::test;
namespace fs = std::filesystem;

namespace {

struct RealProject {
  const char* folder;
  const char* hpj;
  const char* cnt;
};

class RealProjects : public ::testing::TestWithParam<RealProject> {
 protected:
  void SetUp() override {
    dir_ = TempDir();
    fs::copy(fs::path(QM_TESTDATA_DIR) / "projects" / GetParam().folder, dir_,
             fs::copy_options::recursive);
    path_ = dir_ + "/" + GetParam().hpj;
  }
  std::string dir_, path_;
};

// The [FILES] ids of a project file, read plainly.
std::vector<std::string> FilesIds(const std::string& path) {
  std::vector<std::string> ids;
  bool in = false;
  for (const std::string& line : SplitLines(ReadAll(path))) {
    if (line.empty() || line[0] == '[') in = EqualsNoCase(line, "[FILES]");
    else if (in) ids.push_back(ChangeFileExt(line, ""));
  }
  return ids;
}

}  // namespace

TEST_P(RealProjects, OpensWithEveryTopicAndBookInTheTree) {
  std::vector<std::string> files = FilesIds(path_);
  // A project file whose own contents file is missing lists its topics.
  Lines cnt;
  if (GetParam().cnt) cnt = SplitLines(ReadAll(dir_ + "/" + GetParam().cnt));
  ProjectModel m;
  ASSERT_NO_THROW(ReadProject(m, path_));
  ASSERT_FALSE(files.empty());
  std::vector<ContentsNode*> nodes = m.Contents.Nodes();
  for (const std::string& id : files) {
    int idx = m.TopicIds.IndexOf(id);
    ASSERT_GE(idx, 0) << id;
    int found = 0;
    for (ContentsNode* n : nodes) {
      found += (n->Kind == kTopicNode || n->Kind == kHiddenTopicNode) && n->Data == idx;
    }
    EXPECT_EQ(found, 1) << id;
    EXPECT_GT(m.TopicIds.MapNumber(idx), 0) << id;
  }
  // Every entry of the contents file is a node, in the file's order; the
  // levels are those of the file, a jump of more than one level going one
  // level down.
  std::size_t k = 0;
  int books = 0;
  for (const std::string& line : cnt) {
    if (line.empty() || line[0] == ':' || line[0] == ';') continue;
    std::size_t blank = line.find(' ');
    int level = std::stoi(line.substr(0, blank));
    std::string text = line.substr(blank + 1, line.find('=') == std::string::npos
                                                  ? std::string::npos
                                                  : line.find('=') - blank - 1);
    while (k < nodes.size() && nodes[k]->Kind != kExternalNode && !nodes[k]->IsBook() &&
           nodes[k]->Text != text) {
      ++k;  // topics of the project placed among the entries
    }
    ASSERT_LT(k, nodes.size()) << line;
    EXPECT_EQ(nodes[k]->Text, text);
    EXPECT_LE(nodes[k]->Level() + 1, level) << line;
    if (k > 0 && level <= nodes[k - 1]->Level() + 2) {
      EXPECT_EQ(nodes[k]->Level() + 1, level) << line;
    }
    books += line.find('=') == std::string::npos;
    EXPECT_EQ(nodes[k]->IsBook(), line.find('=') == std::string::npos) << line;
    ++k;
  }
  if (GetParam().cnt) {
    EXPECT_GT(books, 3);
  }
}

TEST_P(RealProjects, LooseFilesMoveIntoBmpAndRtf) {
  std::size_t rtf_before = ListFiles(dir_, ".rtf").size();
  std::size_t pics_before = ListFiles(dir_, ".bmp").size() + ListFiles(dir_, ".shg").size();
  ProjectModel m;
  ReadProject(m, path_);
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_TRUE(ListFiles(dir_, ".rtf").empty());
  EXPECT_TRUE(ListFiles(dir_, ".bmp").empty());
  EXPECT_TRUE(ListFiles(dir_, ".shg").empty());
  EXPECT_EQ(ListFiles(dir_ + "/rtf", ".rtf").size(), rtf_before);
  EXPECT_EQ(ListFiles(dir_ + "/bmp", ".bmp").size() + ListFiles(dir_ + "/bmp", ".shg").size(),
            pics_before);
}

TEST_P(RealProjects, WriteReadGivesTheSameModelAndWriteTwiceTheSameBytes) {
  ProjectModel m;
  ReadProject(m, path_);
  ASSERT_TRUE(WriteProject(m));
  EXPECT_FALSE(m.ProjectModified);
  std::string hpj = ReadAll(path_);
  std::string cnt = ReadAll(PathJoin(dir_, m.CntFileName()));
  std::string map = ReadAll(m.MapFilePath());

  ProjectModel r;
  ReadProject(r, path_);
  EXPECT_FALSE(r.ProjectModified);
  EXPECT_EQ(Dump(r), Dump(m));
  ASSERT_TRUE(WriteProject(r));
  EXPECT_EQ(ReadAll(path_), hpj);
  EXPECT_EQ(ReadAll(PathJoin(dir_, r.CntFileName())), cnt);
  EXPECT_EQ(ReadAll(r.MapFilePath()), map);
}

// A save that fails at the last of the three files leaves all three as they
// were, the project still modified; a map file named in a folder that is
// not there yet gets its folder, and the save completes.
TEST_P(RealProjects, ASaveWritesAllThreeFilesOrLeavesThemAsTheyWere) {
  ProjectModel m;
  ReadProject(m, path_);
  ASSERT_TRUE(WriteProject(m));
  m.ProjectModified = true;
  // Every one of the three files changes.
  m.HelpTitle += " 2";
  for (ContentsNode* n : m.Contents.Nodes()) {
    if (n->Kind == kTopicNode) {
      m.TopicTitles[n->Data] += " 2";
      break;
    }
  }
  const std::string cnt_path = PathJoin(dir_, m.CntFileName());
  const std::string files[] = {ReadAll(path_), ReadAll(cnt_path), ReadAll(m.MapFilePath())};
  // The file written beside the project file cannot be made.
  const std::string blocker = path_ + ".~new";
  ASSERT_TRUE(CreateDir(blocker));
  EXPECT_THROW(WriteProject(m), FileError);
  EXPECT_TRUE(m.ProjectModified);
  EXPECT_EQ(ReadAll(path_), files[0]);
  EXPECT_EQ(ReadAll(cnt_path), files[1]);
  EXPECT_EQ(ReadAll(m.MapFilePath()), files[2]);
  fs::remove(blocker);

  m.MapFile = "hlp\\" + ChangeFileExt(GetParam().hpj, ".hm");
  ASSERT_TRUE(WriteProject(m));
  EXPECT_FALSE(m.ProjectModified);
  EXPECT_NE(ReadAll(path_), files[0]);
  EXPECT_NE(ReadAll(cnt_path), files[1]);
  EXPECT_TRUE(FileExists(dir_ + "/hlp/" + ChangeFileExt(GetParam().hpj, ".hm")));
  ProjectModel r;
  ReadProject(r, path_);
  EXPECT_EQ(r.MapFile, m.MapFile);
  EXPECT_EQ(r.MapFileLines, m.MapFileLines);
}

INSTANTIATE_TEST_SUITE_P(Projects, RealProjects,
                         ::testing::Values(RealProject{"andes-fbd", "FBD.hpj", "FBD.cnt"},
                                           RealProject{"andes-fbd", "FBD-tcp.hpj", nullptr},
                                           RealProject{"calques3d", "Calques3D.hpj",
                                                       "Calques3D.cnt"}),
                         [](const auto& info) {
                           std::string n = info.param.hpj;
                           for (char& c : n) if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });
