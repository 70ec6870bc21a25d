// Multi-topic Word files of another author through the editor's own open
// and save: page breaks, table rows, cells, cell edges and footnotes stay,
// and the paragraphs of tables stay in their tables.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "TopicTestUtil.h"
#include "WineTestUtil.h"
#include "editor/core/RtfText.h"

using namespace qm::editor;
using namespace qm::editor::test;

namespace {

std::string Counts(std::string_view rtf) {
  std::string s;
  for (const char* w : {"page", "cell", "row", "cellx", "footnote"})
    s += std::string(w) + "=" + std::to_string(CountControlWord(rtf, w)) + " ";
  return s;
}

// The paragraphs with text, each as its text, its indents, keep flags and
// whether it is in a table; typed taken off the end of a text.
std::vector<std::string> Paragraphs(std::string_view rtf, bool lists, const std::string& typed = "") {
  std::vector<std::string> list;
  for (auto p : ReadRtfContent(rtf).Paragraphs) {
    if (p.Text.empty() || (p.InList && !lists)) continue;
    if (!typed.empty() && p.Text.ends_with(typed)) p.Text.resize(p.Text.size() - typed.size());
    list.push_back(p.Text.substr(0, 40) + (p.InTable ? " intbl" : "") + (p.KeepNext ? " keepn" : "") +
                   " li" + std::to_string(p.Left) + " fi" + std::to_string(p.First));
  }
  return list;
}

// The paragraphs of before (outside Word's lists, whose list words the
// control drops) not found in after in the same order, with their format.
std::string Lost(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::string d;
  std::size_t from = 0;
  int count = 0;
  for (const std::string& p : before) {
    const auto it = std::find(after.begin() + static_cast<std::ptrdiff_t>(from), after.end(), p);
    if (it == after.end()) {
      if (++count <= 4) d += "\n " + p;
      continue;
    }
    from = static_cast<std::size_t>(it - after.begin()) + 1;
  }
  return d;
}

class WordTopic : public ::testing::TestWithParam<const char*> {};

TEST_P(WordTopic, ThreeEditsAndSavesKeepPagesTablesAndFootnotes) {
  EditorFixture fx;
  const std::string dir = CopyProject("andes-fbd");
  fx.dialog_answers = {dir + "\\FBD.hpj"};
  fx.form->ProjectCmds->OpenAExecute(nullptr);
  const std::string id = GetParam();
  const std::string path = dir + "\\rtf\\" + id + ".rtf";
  const std::string original = ReadFile(path);
  ASSERT_GT(CountControlWord(original, "page"), 0);
  ASSERT_GT(CountControlWord(original, "cell"), 0);
  const auto paragraphs = Paragraphs(original, false);
  std::string typed;
  std::string first_save;
  for (int round = 1; round <= 3; ++round) {
    fx.ClickTopic(id);
    ASSERT_EQ(fx.form->Project.TopicId, id);
    if (round == 1) {
      const std::string shown = fx.form->Editor->PlainText();
      EXPECT_NE(shown.find("{page}"), std::string::npos);
      EXPECT_NE(shown.find("{td}"), std::string::npos);
    }
    fx.TypeAtEnd("typed " + std::to_string(round));
    typed += "typed" + std::to_string(round);
    fx.form->ProjectCmds->SaveAExecute(nullptr);
    EXPECT_TRUE(fx.boxes.empty()) << fx.boxes.front().text;
    const std::string saved = ReadFile(path);
    if (round == 1) first_save = saved;
    // The block adds the topic's own id footnote to those of the file.
    std::string expected = Counts(original);
    expected.replace(expected.find("footnote=") + 9, std::string::npos,
                     std::to_string(CountControlWord(original, "footnote") + 1) + " ");
    EXPECT_EQ(Counts(saved), expected) << "round " << round;
    // The typed words end the last paragraph (the file ends without \par).
    EXPECT_EQ(Lost(paragraphs, Paragraphs(saved, true, typed)), "") << "round " << round;
    fx.ClickTopic("Popups");
  }
  // The author types a page break: it is one more \page in the file.
  fx.ClickTopic(id);
  fx.TypeAtEnd("{page}New");
  fx.form->ProjectCmds->SaveAExecute(nullptr);
  EXPECT_EQ(CountControlWord(ReadFile(path), "page"), CountControlWord(original, "page") + 1);
}

INSTANTIATE_TEST_SUITE_P(AndesFbd, WordTopic, ::testing::Values("AfxPrint", "Andes"));

}  // namespace
