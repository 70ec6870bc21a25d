// Word-made topic files of other help projects (testdata/topics), each a
// topic of a project, through the editor's own commands: opened from the
// contents tree, a word typed at its end, saved; three times over. After
// every save the file has the page breaks, table cells, rows, cell edges and
// footnotes of the original, its text but for the typed words, and every
// paragraph, found again by its text, the format the original gave it (the
// last paragraph, which no \par ends, and into which the words go, too).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "TopicTestUtil.h"
#include "WineTestUtil.h"
#include "core/FileSystem.h"

using namespace qm::editor;
using namespace qm::editor::test;

namespace {

std::string TopicsDir() { return std::string(QM_TESTDATA_DIR) + "/topics"; }

std::vector<std::string> TopicFiles() { return qm::ListFiles(TopicsDir(), ".rtf"); }

// The file name as a topic id and a test name.
std::string IdOf(const std::string& name) {
  std::string id = qm::ChangeFileExt(name, "");
  std::replace(id.begin(), id.end(), '-', '_');
  return id;
}

std::string Counts(const RtfContent& c, std::size_t footnotes) {
  return "\\page " + std::to_string(c.Pages) + ", \\cell " + std::to_string(c.Cells) + ", \\row " +
         std::to_string(c.Rows) + ", \\cellx " + std::to_string(c.CellEdges) + ", \\footnote " +
         std::to_string(footnotes);
}

// The text of the paragraphs that have text, in order.
std::string Texts(const std::vector<RtfParagraph>& paragraphs) {
  std::string t;
  for (const RtfParagraph& p : paragraphs) {
    if (!p.Text.empty()) t += p.Text + "|";
  }
  return t;
}

// Where two texts first differ, with some text around.
std::string TextDifference(const std::string& was, const std::string& now) {
  if (was == now) return {};
  std::size_t d = 0;
  while (d < was.size() && d < now.size() && was[d] == now[d]) ++d;
  const std::size_t from = d > 50 ? d - 50 : 0;
  return "text differs at " + std::to_string(d) + ": was \"" + was.substr(from, 120) + "\"\n now \"" +
         now.substr(from, 120) + "\"";
}

// The footnotes one list has and the other lacks.
std::string FootnoteDifference(std::vector<std::string> was, std::vector<std::string> now) {
  std::string d;
  for (const std::string& f : was) {
    auto it = std::find(now.begin(), now.end(), f);
    if (it == now.end()) d += "\n lost footnote \"" + f.substr(0, 40) + "\"";
    else now.erase(it);
  }
  for (const std::string& f : now) d += "\n new footnote \"" + f.substr(0, 40) + "\"";
  return d;
}

// The project: real.hpj naming one topic, whose file is the real one.
std::string ProjectOf(const std::string& name) {
  const std::string dir = NewTempDir();
  CreateDirectoryA((dir + "\\rtf").c_str(), nullptr);
  const std::string hpj = "[OPTIONS]\r\nTITLE=Real topics\r\n\r\n[FILES]\r\n" + IdOf(name) + ".rtf\r\n";
  qm::WriteFileReplacing(dir + "\\real.hpj", hpj);
  EXPECT_TRUE(CopyFileA((TopicsDir() + "/" + name).c_str(), (dir + "\\rtf\\" + IdOf(name) + ".rtf").c_str(), FALSE));
  return dir;
}

class RealTopicCycles : public ::testing::TestWithParam<std::string> {};

TEST_P(RealTopicCycles, ThreeOpenEditSaveCyclesKeepPagesTablesTextAndParagraphFormats) {
  const std::string name = GetParam();
  const std::string id = IdOf(name);
  const RtfContent original = ReadRtfContent(ReadFile(TopicsDir() + "/" + name));
  ASSERT_TRUE(original.Balanced) << name;
  const std::string dir = ProjectOf(name);
  const std::string file = dir + "\\rtf\\" + id + ".rtf";
  EditorFixture fx;
  TMainForm& f = *fx.form;
  fx.dialog_answers = {dir + "\\real.hpj"};
  f.ProjectCmds->OpenAExecute(nullptr);
  ASSERT_EQ(f.Project.TopicIds.IndexOf(id), 0) << name << ": the project is not open";
  fx.boxes.clear();

  std::string typed;
  for (int cycle = 1; cycle <= 3; ++cycle) {
    const std::string where = name + " cycle " + std::to_string(cycle) + ": ";
    // A crash of the control names the file and the step in the log.
    std::fprintf(stderr, "%sopening, typing, saving\n", where.c_str());
    std::fflush(stderr);
    if (cycle == 1) fx.ClickTopic(id);
    else f.TopicCmds->LoadTopic();
    ASSERT_EQ(f.Project.TopicId, id) << where << "the topic is not open";
    const std::string word = "Edit" + std::to_string(cycle);
    fx.TypeAtEnd(word);
    typed += word;
    f.ProjectCmds->SaveAExecute(nullptr);
    fx.Pump();
    for (const auto& box : fx.boxes) ADD_FAILURE() << where << "the editor said: " << box.text;
    ASSERT_TRUE(fx.boxes.empty());

    const std::string saved = ReadFile(file);
    const RtfContent after = ReadRtfContent(saved);
    EXPECT_TRUE(after.Balanced) << where << "the saved file's braces do not balance";
    // Saving puts the topic's id into the first topic's footnotes (its own
    // "#{\footnote id}"), which a file of another project lacks.
    std::vector<std::string> footnotes = after.Footnotes;
    if (std::find(original.Footnotes.begin(), original.Footnotes.end(), id) == original.Footnotes.end()) {
      auto own = std::find(footnotes.begin(), footnotes.end(), id);
      EXPECT_NE(own, footnotes.end()) << where << "the saved file lacks the topic's own id";
      if (own != footnotes.end()) footnotes.erase(own);
    }
    EXPECT_EQ(Counts(after, footnotes.size()), Counts(original, original.Footnotes.size()))
        << where << "page breaks, cells, rows, cell edges or footnotes";
    EXPECT_EQ(FootnoteDifference(original.Footnotes, footnotes), "") << where;

    // The original's paragraphs, the typed words at the end of its last one:
    // of the last that a \par ends, which the control makes its last (an
    // empty paragraph after it is no paragraph of the control's), or of the
    // empty one after it, if the editor keeps that.
    std::vector<RtfParagraph> expected = original.Paragraphs;
    if (!expected.empty()) expected.back().Text += typed;
    if (original.Last.Text.empty()) {
      std::vector<RtfParagraph> kept = original.Paragraphs;
      kept.push_back(original.Last);
      kept.back().Text = typed;
      if (Texts(kept) == Texts(after.Paragraphs)) expected = kept;
    }
    EXPECT_EQ(TextDifference(Texts(expected), Texts(after.Paragraphs)), "") << where;
    EXPECT_EQ(ParagraphChanges(expected, after.Paragraphs, FormatText, nullptr, 12), "") << where;
  }
}

INSTANTIATE_TEST_SUITE_P(Topics, RealTopicCycles, ::testing::ValuesIn(TopicFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return IdOf(info.param); });

}  // namespace
