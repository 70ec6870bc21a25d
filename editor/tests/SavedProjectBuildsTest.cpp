// A project made by another tool, opened and saved here, still builds the
// same help: the compiler finds the same topic files and pictures, names the
// same help file and language, and every option but those the editor sets
// by design keeps its line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/Cp932.h"
#include "editor/core/ProjectFiles.h"
#include "standins/hcrtf/core/Compiler.h"
#include "TestUtil.h"

using namespace qm;
using namespace qm::editor;
using namespace qm::editor::test;
namespace fs = std::filesystem;

namespace {

struct Build {
  std::vector<std::string> missing;  // files not found, sorted; in capitals,
                                     // as the compiler's Windows finds them
  std::string language, help_file;
};

Build Compile(const std::string& hpj) {
  Build b;
  for (const std::string& line : hcrtf::CompileProject(hpj).log) {
    if (line.starts_with("HC5011")) b.missing.push_back(UpperAscii(line));
    if (line.starts_with("Language:")) b.language = line;
    if (line.starts_with("No help file")) b.help_file = line;
  }
  std::sort(b.missing.begin(), b.missing.end());
  return b;
}

// The lines of one section, without empty and comment lines.
std::vector<std::string> SectionLines(const std::string& hpj, std::string_view section) {
  std::vector<std::string> out;
  bool in = false;
  for (const std::string& line : SplitLines(ReadAll(hpj))) {
    if (!line.empty() && line[0] == '[') {
      in = EqualsNoCase(TrimRight(line), section);
      continue;
    }
    if (in && !Trim(line).empty() && line[0] != ';') out.push_back(line);
  }
  return out;
}

// The option lines of a project file that the editor has no say in.
std::vector<std::string> KeptOptions(const std::string& hpj) {
  std::vector<std::string> out;
  for (const std::string& line : SectionLines(hpj, "[OPTIONS]")) {
    const std::string key = UpperAscii(Trim(line.substr(0, line.find('='))));
    if (key == "CNT" || key == "CONTENTS" || key == "ROOT" || key == "BMROOT") continue;
    out.push_back(line);
  }
  return out;
}

class SavedProjectBuilds : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

}  // namespace

TEST_P(SavedProjectBuilds, SameFilesHelpFileLanguageAndOptions) {
  const std::string dir = TempDir() + "/p";
  fs::copy(fs::path(QM_TESTDATA_DIR) / "projects" / GetParam().first, dir, fs::copy_options::recursive);
  const std::string hpj = dir + "/" + GetParam().second;
  const Build before = Compile(hpj);
  const std::vector<std::string> options = KeptOptions(hpj);
  const std::vector<std::string> config = SectionLines(hpj, "[CONFIG]");

  ProjectModel m;
  ReadProject(m, hpj);
  // Topic files the editor took into its rtf folder are built from there
  // only once the project names them: the next save must write it.
  if (fs::exists(dir + "/rtf")) EXPECT_TRUE(m.ProjectModified);
  m.ProjectModified = true;
  ASSERT_TRUE(WriteProject(m));

  const Build after = Compile(hpj);
  EXPECT_EQ(after.missing, before.missing);
  EXPECT_EQ(after.language, before.language);
  EXPECT_EQ(after.help_file, before.help_file);
  // The help window's buttons, made by [CONFIG] macros, in the same order.
  EXPECT_EQ(SectionLines(hpj, "[CONFIG]"), config);
  const std::vector<std::string> saved = KeptOptions(hpj);
  for (const std::string& line : options) {
    EXPECT_NE(std::find(saved.begin(), saved.end(), line), saved.end()) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Projects, SavedProjectBuilds,
    ::testing::Values(std::pair{"andes-fbd", "FBD.hpj"}, std::pair{"andes-fbd", "FBD-tcp.hpj"},
                      std::pair{"calques3d", "Calques3D.hpj"}, std::pair{"calques3d", "Calques3D_FRA.hpj"},
                      std::pair{"delphidabbler-vied", "VIEd.hpj"},
                      std::pair{"delphidabbler-filever", "FileVer.hpj"},
                      std::pair{"delphidabbler-filevershext", "FileVerShExt.hpj"},
                      std::pair{"delphidabbler-about", "PJAbout.hpj"}, std::pair{"inetnav", "INETNAV.hpj"},
                      std::pair{"genedoc", "GENEDOC.HPJ"}, std::pair{"nmr-proyecto", "Proyecto.hpj"}),
    [](const auto& info) {
      std::string n = info.param.second;
      for (char& c : n) if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return n;
    });
