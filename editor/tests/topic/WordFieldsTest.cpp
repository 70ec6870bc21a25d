// Word's fields (hyperlinks, symbols) in topic files: the control drops a
// field's result text, so loading sets the field's opening and end aside
// around that text, which the author sees and edits, and saving puts them
// back around it.
#include <gtest/gtest.h>

#include "TopicTestUtil.h"
#include "editor/core/TopicLoad.h"
#include "editor/core/TopicSave.h"

namespace qm::editor {
namespace {

// As Word writes them: a hyperlink whose instruction runs over lines and
// whose result is another field with its text in a group of its own; in
// the next paragraph two fields, the first's result beginning with a quote,
// the second a symbol without result text.
const Lines kFields{
    "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 Gothic;}}",
    "{\\colortbl ;\\red0\\green0\\blue255;}",
    "\\pard #{\\footnote Links} {available at }{\\field\\fldedit{\\*\\fldinst {",
    " HYPERLINK \"ftp://a.gov/srtm/\" }{{\\*\\datafield ",
    "00d0c9ea}}}{\\fldrslt {\\field{\\*\\fldinst { HYPERLINK \"ftp://b.gov/\" }}{\\fldrslt ",
    "{\\cs15\\ul\\cf2 http://dds.gov/srtm/}}}}}{.",
    "\\par }\\pard {See }{\\field{\\*\\fldinst {HYPERLINK \"http://c.org/\"}}"
    "{\\fldrslt\\ul \\lquote {\\cf2 c.org}}}{ and 1}"
    "{{\\field{\\*\\fldinst SYMBOL 176 \\\\f \"Symbol\" \\\\s 10}{\\fldrslt\\f3\\fs20}}}{ here.",
    "\\par }}"};

TEST(WordFields, ResultTextIsShownAndEveryFieldComesBackWhole) {
  TopicFields fields;
  TopicStash stash;
  const Lines editor = LoadTopicLines(kFields, fields, stash);
  const std::string shown = JoinLines(editor);
  EXPECT_NE(shown.find("{available at }\\{field 1\\}\\{field 2\\}\r\n{\\cs15\\ul\\cf2 http://dds.gov/srtm/}"
                       "\\{fieldend 3\\}\\{fieldend 4\\}{."),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("{See }\\{field 5\\}\\lquote {\\cf2 c.org}\\{fieldend 6\\}{ and 1}{\\{field 7\\}}{ here."),
            std::string::npos)
      << shown;
  ASSERT_EQ(stash.Items.size(), 7u);
  EXPECT_EQ(stash.Items[0].Rtf, "{\\field\\fldedit{\\*\\fldinst {\r\n HYPERLINK \"ftp://a.gov/srtm/\" }"
                                "{{\\*\\datafield \r\n00d0c9ea}}}{\\fldrslt ");
  EXPECT_EQ(stash.Items[4].Rtf, "{\\field{\\*\\fldinst {HYPERLINK \"http://c.org/\"}}{\\fldrslt\\ul ");
  EXPECT_EQ(stash.Items[2].Rtf, "}}");
  EXPECT_EQ(stash.Items[6].Rtf, "{\\field{\\*\\fldinst SYMBOL 176 \\\\f \"Symbol\" \\\\s 10}{\\fldrslt\\f3\\fs20}}");

  // The author edits a result's text: the file has the edit inside the
  // field, and every other byte as it was.
  Lines edited = editor;
  for (std::string& line : edited) {
    if (const auto at = line.find("c.org}"); at != std::string::npos) line.replace(at, 5, "c.net");
  }
  std::string expected = JoinLines(kFields);
  expected.replace(expected.find("c.org}"), 5, "c.net");
  EXPECT_EQ(JoinLines(SaveTopicLines(edited, "Links", fields, stash)), expected);
}

// A field's end or opening that the author deleted or copied: the other
// placeholders of that field stay text, and the file's braces balance; an
// unended {jmp before a field is text and leaves the field whole.
TEST(WordFields, UnpairedPlaceholdersStayTextAndKeepTheBracesBalanced) {
  TopicFields fields;
  TopicStash stash;
  Lines editor = LoadTopicLines(kFields, fields, stash);
  for (std::string& line : editor) {
    if (const auto at = line.find("\\{fieldend 6\\}"); at != std::string::npos) line.erase(at, 14);
    if (const auto at = line.find("\\{field 1\\}"); at != std::string::npos) line.insert(at, "\\{jmp x \\{field 5\\}");
  }
  const std::string saved = JoinLines(SaveTopicLines(editor, "Links", fields, stash));
  const auto content = test::ReadRtfContent(saved);
  EXPECT_TRUE(content.Balanced) << saved;
  EXPECT_NE(content.Visible.find("{jmp x {field 5}"), std::string::npos) << content.Visible;
  EXPECT_NE(content.Visible.find("http://dds.gov/srtm/"), std::string::npos) << content.Visible;
  EXPECT_NE(saved.find("{\\fldrslt {\\field{\\*\\fldinst { HYPERLINK \"ftp://b.gov/\" }}"), std::string::npos) << saved;
}

}  // namespace
}  // namespace qm::editor
