// Page breaks and Word's tables in topic files: loading keeps them out of
// the control's RTF (the control turns a page break into an empty paragraph
// and the cells of a row into tabs of one paragraph) and saving puts every
// one back.
#include <gtest/gtest.h>

#include "TopicTestUtil.h"
#include "core/FileSystem.h"
#include "editor/core/RtfText.h"
#include "editor/core/TopicLoad.h"
#include "editor/core/TopicSave.h"

namespace qm::editor {
namespace {

using test::CountControlWord;

std::string Counts(std::string_view rtf) {
  std::string s;
  for (const char* w : {"page", "cell", "row", "cellx", "intbl", "trowd", "footnote"})
    s += std::string(w) + "=" + std::to_string(CountControlWord(rtf, w)) + " ";
  return s;
}

// A row as Word writes it (the definition before the cells, the cell text
// in groups, a cell's second paragraph beginning with a tab, \row in a
// group of its own after a \pard of the table) and a row of the later kind
// (no definition before the cells; it is repeated in the group of \row,
// over a line end and with border words).
const Lines kWordTable{
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}",
    "{\\colortbl;\\red0\\green0\\blue0;}",
    "\\pard\\plain \\s2\\sb120\\keepn\\b\\f0 {\\page }{\\cs15 #{\\footnote \\pard\\plain {\\cs15 #}{ SECOND}}}"
    "{\\cs15 ${\\footnote \\pard\\plain {\\cs15 $}{ Second}}}{Second topic",
    "\\par }\\trowd \\trgaph108\\trleft402 \\clvertalt\\clbrdrt\\brdrs\\brdrw10 \\cellx1647\\clvertalt\\cellx8622"
    "\\pard \\sl240\\intbl\\qc {\\b All\\cell }{Whole document.\\cell }\\pard \\intbl {\\row }"
    "\\pard\\plain \\li120\\sa40\\intbl\\tx360 {Two\\par \\tab lines\\cell }{\\cell }"
    "\\pard\\intbl {\\trowd \\trgaph108\\clbrdrl",
    "\\brdrs \\cellx1647\\cellx8622\\row }\\pard\\li360 After\\par }"};

TEST(WordStructure, PageBreaksAndTableRowsLeaveTheControlsRtfAndComeBack) {
  TopicFields fields;
  TopicStash stash;
  const Lines editor = LoadTopicLines(kWordTable, fields, stash);
  const std::string shown = JoinLines(editor);
  // Nothing of the table or the page break reaches the control as RTF.
  EXPECT_EQ(Counts(shown), "page=0 cell=0 row=0 cellx=0 intbl=0 trowd=0 footnote=0 ") << shown;
  EXPECT_NE(shown.find("\\{page\\}"), std::string::npos) << shown;
  // Each paragraph of the table starts with {table}: the second cell has no
  // \pard of its own, the rows' last paragraphs do; the one after the table
  // has none. Cells and rows end paragraphs in the editor.
  EXPECT_NE(shown.find("\\{trowd 3\\}\\pard \\sl240\\{table\\}\\qc {\\b All\\{td\\}\\par }{\\{table\\}Whole document."
                       "\\{td\\}\\par }\\pard \\{table\\}{\\{tr\\}\\par }"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("{Two\\par \\{table\\}\\tab lines\\{td\\}\\par }{\\{table\\}\\{td\\}\\par }\\pard\\{table\\}"
                       "{\\{trowd 4\\}\\{tr\\}\\par }\\pard\\li360 After"),
            std::string::npos)
      << shown;
  ASSERT_EQ(stash.Items.size(), 4u);
  // The row definitions, border words and line end included, byte for byte.
  EXPECT_EQ(stash.Items[2].Rtf, "\\trowd \\trgaph108\\trleft402 \\clvertalt\\clbrdrt\\brdrs\\brdrw10 \\cellx1647"
                                "\\clvertalt\\cellx8622");
  EXPECT_EQ(stash.Items[3].Rtf, "\\trowd \\trgaph108\\clbrdrl\r\n\\brdrs \\cellx1647\\cellx8622");

  const std::string saved = JoinLines(SaveTopicLines(editor, "First", fields, stash));
  // Paragraphs that took \intbl over from the one before get their own.
  EXPECT_EQ(Counts(saved), "page=1 cell=4 row=2 cellx=4 intbl=7 trowd=2 footnote=3 ") << saved;
  const auto before = test::ReadRtfContent(JoinLines(kWordTable));
  const auto after = test::ReadRtfContent(saved);
  EXPECT_TRUE(after.Balanced);
  ASSERT_EQ(after.Paragraphs.size(), before.Paragraphs.size()) << saved;
  for (std::size_t i = 0; i < before.Paragraphs.size(); ++i)
    EXPECT_EQ(after.Paragraphs[i].InTable, before.Paragraphs[i].InTable) << before.Paragraphs[i].Text;
}

// What the control writes back: one paragraph a line, each after a \pard
// with its own format, the author's typing in it.
TEST(WordStructure, TheControlsParagraphsOfATableSaveAsCellsAndRows) {
  TopicFields fields;
  TopicStash stash;
  LoadTopicLines(kWordTable, fields, stash);
  const Lines control{
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}",
      "{\\colortbl;}",
      "\\pard\\keepn\\sb120 \\{page\\}\\{footnote 1\\}\\{footnote 2\\}Second topic\\par",
      "\\pard\\qc \\{trowd 3\\}\\{table\\}All\\{td\\}\\par",
      "\\pard\\qc \\{table\\}Whole typed document.\\{td\\}\\b0\\par",
      "\\pard \\{table\\}\\{tr\\}\\par",
      "\\pard\\li120\\sa40\\tx360 \\{table\\}Two\\par",
      "\\pard\\li120\\sa40\\tx360 \\{table\\}lines\\{td\\}\\par",
      "\\pard \\{table\\}\\{td\\}\\par",
      "\\pard \\{table\\}\\{trowd 4\\}\\{tr\\}\\par",
      "\\{page\\}Typed break\\par",
      "\\pard\\li360 After\\par",
      "}"};
  const std::string saved = JoinLines(SaveTopicLines(control, "First", fields, stash));
  EXPECT_EQ(Counts(saved), "page=2 cell=4 row=2 cellx=4 intbl=7 trowd=2 footnote=3 ") << saved;
  EXPECT_NE(saved.find("\\pard\\qc \\trowd \\trgaph108"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\\cellx8622\\intbl All\\cell \r\n\\pard\\qc \\intbl Whole typed document.\\cell \\b0\r\n"),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find("\\intbl Two\\par\r\n"), std::string::npos) << saved;
  // The control wrote no \pard for the paragraph after the row (it has the
  // row's format): it gets one, or it would be in the table.
  EXPECT_NE(saved.find("\\row \r\n\\pard \\page Typed break\\par"), std::string::npos) << saved;
  const auto after = test::ReadRtfContent(saved);
  EXPECT_TRUE(after.Balanced);
  for (const auto& p : after.Paragraphs) {
    const bool table = p.Text == "All" || p.Text == "Wholetypeddocument." || p.Text == "Two" || p.Text == "lines";
    if (table) EXPECT_TRUE(p.InTable) << p.Text;
    if (p.Text == "After" || p.Text == "Typedbreak") EXPECT_FALSE(p.InTable) << p.Text;
  }
}

// A literal "{page}" of a file stays text; a topic without Word's tables
// keeps the table markup of this editor.
TEST(WordStructure, LiteralPageTextAndOwnTablesKeepTheirMeaning) {
  const Lines file{"{\\rtf1\\ansi{\\fonttbl{\\f0 Gothic;}}", "{\\colortbl;}",
                   "\\pard #{\\footnote Own} Say \\{page\\} here\\par",
                   "\\pard \\cellx1000\\cellx2000\\intbl a\\cell b\\cell \\row \\pard more\\par }"};
  TopicFields fields;
  TopicStash stash;
  const Lines editor = LoadTopicLines(file, fields, stash);
  const std::string shown = JoinLines(editor);
  EXPECT_NE(shown.find("Say \\{#page\\} here"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\\{size 1000,2000\\}\\{table\\}a\\{td\\}b\\{td\\}\\{tr\\}\\pard \\{end\\}"), std::string::npos)
      << shown;
  const std::string saved = JoinLines(SaveTopicLines(editor, "Own", fields, stash));
  EXPECT_EQ(CountControlWord(saved, "page"), 0) << saved;
  EXPECT_NE(saved.find("Say \\{page\\} here"), std::string::npos) << saved;
}

// Real multi-topic files of other authors: every page break, cell, row, cell
// edge and footnote is in the saved file (the block adds the topic's id).
TEST(WordStructure, RealMultiTopicFilesKeepTheirStructure) {
  for (const char* name : {"projects/andes-fbd/AfxCore.rtf", "projects/andes-fbd/AfxPrint.rtf",
                           "projects/andes-fbd/Andes.rtf", "projects/andes-fbd/Popups.rtf",
                           "projects/calques3d/AfxCore.rtf"}) {
    const Lines file = test::ReadTopicFile(PathJoin(QM_TESTDATA_DIR, name));
    ASSERT_FALSE(file.empty()) << name;
    TopicFields fields;
    TopicStash stash;
    const Lines editor = LoadTopicLines(file, fields, stash);
    const std::string shown = JoinLines(editor);
    for (const char* w : {"page", "cell", "row", "intbl"}) EXPECT_EQ(CountControlWord(shown, w), 0) << name << " " << w;
    const std::string original = JoinLines(file);
    std::string saved = JoinLines(SaveTopicLines(editor, "Topic", fields, stash));
    const int added = CountControlWord(saved, "footnote") - CountControlWord(original, "footnote");
    EXPECT_TRUE(added == 1 || added == 2) << name << " " << added;
    for (const char* w : {"page", "cell", "row", "cellx", "trowd"})
      EXPECT_EQ(CountControlWord(saved, w), CountControlWord(original, w)) << name << " " << w;
  }
}

}  // namespace
}  // namespace qm::editor
