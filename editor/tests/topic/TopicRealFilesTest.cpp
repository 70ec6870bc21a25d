// Real topic files written by other tools go through loading and saving
// without losing footnotes, hotspots, pictures or text.
#include <gtest/gtest.h>

#include <algorithm>

#include "TopicTestUtil.h"
#include "core/FileSystem.h"
#include "editor/core/TopicLoad.h"
#include "editor/core/TopicSave.h"

namespace qm::editor {
namespace {

struct RealTopic {
  std::string folder;
  std::string name;
};

std::vector<RealTopic> RealTopics() {
  std::vector<RealTopic> topics;
  for (const char* project : {"andes-fbd", "calques3d"}) {
    const std::string dir = PathJoin(PathJoin(QM_TESTDATA_DIR, "projects"), project);
    for (const auto& name : ListFiles(dir, ".rtf")) topics.push_back({dir, name});
  }
  return topics;
}

class RealTopicTest : public ::testing::TestWithParam<RealTopic> {};

TEST_P(RealTopicTest, LoadsAndSavesBackWithNothingLost) {
  const RealTopic& t = GetParam();
  const Lines file = test::ReadTopicFile(PathJoin(t.folder, t.name));
  ASSERT_FALSE(file.empty());
  const std::string id = ChangeFileExt(t.name, "");
  TopicFields fields;
  TopicStash stash;
  const Lines editor = LoadTopicLines(file, fields, stash);
  std::vector<int> unused;
  const Lines saved = SaveTopicLines(editor, id, fields, stash, &unused);
  EXPECT_TRUE(unused.empty());

  const auto before = test::ReadRtfContent(JoinLines(file));
  const auto shown = test::ReadRtfContent(RichEditStreamIn(editor));
  const auto after = test::ReadRtfContent(JoinLines(saved));
  ASSERT_TRUE(before.Balanced);
  EXPECT_TRUE(shown.Balanced);
  EXPECT_TRUE(after.Balanced);
  if (after.Visible != before.Visible) {
    std::size_t d = 0;
    while (d < after.Visible.size() && d < before.Visible.size() && after.Visible[d] == before.Visible[d]) ++d;
    ADD_FAILURE() << "text differs at " << d << ": before \"" << before.Visible.substr(d > 60 ? d - 60 : 0, 160)
                  << "\"\n after \"" << after.Visible.substr(d > 60 ? d - 60 : 0, 160) << "\"";
  }
  EXPECT_EQ(after.Hidden, before.Hidden);
  EXPECT_EQ(after.Pictures, before.Pictures);
  // The editor holds no picture and no footnote the control could lose.
  EXPECT_EQ(shown.Pictures, 0);
  EXPECT_TRUE(shown.Footnotes.empty());
  // Every footnote is still there; the block adds the topic's own id.
  auto remaining = after.Footnotes;
  for (const auto& f : before.Footnotes) {
    auto it = std::find(remaining.begin(), remaining.end(), f);
    ASSERT_NE(it, remaining.end()) << "lost footnote: " << f;
    remaining.erase(it);
  }
  // (A file written by another tool has its header where the control's RTF
  // would have its first body line; the block lands there.)
  EXPECT_NE(JoinLines(saved).find("#{\\footnote " + id + "} "), std::string::npos);

  // The saved file loads again to the same fields and text.
  TopicFields again;
  TopicStash stash2;
  const Lines editor2 = LoadTopicLines(saved, again, stash2);
  EXPECT_EQ(again, fields);
  EXPECT_EQ(stash2.Items.size(), stash.Items.size());
}

INSTANTIATE_TEST_SUITE_P(Projects, RealTopicTest, ::testing::ValuesIn(RealTopics()),
                         [](const ::testing::TestParamInfo<RealTopic>& info) {
                           std::string n = info.param.folder.substr(info.param.folder.rfind('/') + 1) + "_" +
                                            info.param.name;
                           for (char& c : n) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return n;
                         });

TEST(RealTopics, AllAreFound) { EXPECT_EQ(RealTopics().size(), 9u); }

// The Word-made topic files hold, between them, what their three save
// cycles under Wine are for: page breaks, Word tables whose cell text stands
// in groups, tab stops left of the margin, styles with \keepn, and a last
// paragraph (the last a \par ends: the empty one after it, which Word
// writes at every document's end, has the same format) whose format is not
// that of the paragraph before it.
TEST(RealTopics, WordTopicsHoldPageBreaksTablesNegativeTabsKeepStylesAndOwnLastParagraphs) {
  int pages = 0, grouped_cells = 0, negative_tabs = 0, style_keepn = 0, own_last = 0;
  const std::string dir = PathJoin(QM_TESTDATA_DIR, "topics");
  for (const auto& name : ListFiles(dir, ".rtf")) {
    const std::string text = JoinLines(test::ReadTopicFile(PathJoin(dir, name)));
    const auto c = test::ReadRtfContent(text);
    pages += c.Pages > 1;
    grouped_cells += c.Cells > 0 && text.find("\\cell }") != std::string::npos;
    negative_tabs += std::any_of(c.Paragraphs.begin(), c.Paragraphs.end(), [](const test::RtfParagraph& p) {
      return std::any_of(p.Tabs.begin(), p.Tabs.end(), [](const std::string& t) { return t[0] == '-'; });
    });
    const std::size_t sheet = text.find("{\\stylesheet");
    style_keepn += sheet != std::string::npos && text.find("\\keepn", sheet) < text.find("}}", sheet);
    const auto n = c.Paragraphs.size();
    own_last += n > 1 && test::FormatText(c.Paragraphs[n - 1]) != test::FormatText(c.Paragraphs[n - 2]);
  }
  EXPECT_GE(pages, 12);
  EXPECT_GE(grouped_cells, 4);
  EXPECT_GE(negative_tabs, 2);
  EXPECT_GE(style_keepn, 8);
  EXPECT_GE(own_last, 4);
}

TEST(RealTopics, EquationKeepsEveryEmbeddedPicture) {
  const Lines file = test::ReadTopicFile(PathJoin(QM_TESTDATA_DIR, "projects/andes-fbd/EQUATION.RTF"));
  TopicFields fields;
  TopicStash stash;
  const Lines editor = LoadTopicLines(file, fields, stash);
  const auto pictures = std::count_if(stash.Items.begin(), stash.Items.end(),
                                      [](const TopicStashItem& i) { return i.Word == "pict"; });
  EXPECT_EQ(pictures, 52);
  const Lines saved = SaveTopicLines(editor, "EQUATION", fields, stash);
  EXPECT_EQ(test::ReadRtfContent(JoinLines(saved)).Pictures, 52);
}

}  // namespace
}  // namespace qm::editor
