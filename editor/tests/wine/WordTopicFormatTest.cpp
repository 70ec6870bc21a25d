// A Word-made topic through the editor's own load, save, copy and paste
// under the real rich edit: tab stops left of the margin, a style with
// \keepn that no paragraph uses, a last paragraph without \par, and a pasted
// heading kept with the next paragraph.
#include <windows.h>
// After windows.h.
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "WineTestUtil.h"
#include "classlib/RichEdit.h"
#include "core/FileSystem.h"
#include "editor/EditingCommands.h"

using namespace qm::editor;
using namespace qm::editor::test;

namespace {

// Each paragraph with text of an RTF text, in order (destinations, the header's
// tables and footnotes left out; blanks dropped), mapped to its format at its
// end as words in a fixed order: \li \fi \ri, alignment, \sb \sa, \keep
// \keepn and the tab stops with their kinds. \pard resets it; groups keep it.
std::vector<std::pair<std::string, std::string>> ParagraphList(const std::string& rtf) {
  struct Format {
    long li = 0, fi = 0, ri = 0, sb = 0, sa = 0;
    std::string align = "ql", tabs;
    bool keep = false, keepn = false;
    bool skip = false;
  };
  std::vector<std::pair<std::string, std::string>> paragraphs;
  std::vector<Format> stack{Format{}};
  std::string text;
  bool group_start = false;
  for (std::size_t i = 0; i < rtf.size();) {
    Format& f = stack.back();
    const char c = rtf[i];
    if (c == '{' || c == '}') {
      if (c == '{') stack.push_back(f);
      if (c == '}' && stack.size() > 1) stack.pop_back();
      group_start = c == '{';
      ++i;
      continue;
    }
    if (c != '\\') {
      if (!f.skip && c != ' ' && c != '\r' && c != '\n') text += c;
      group_start = false;
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
    const std::string word = rtf.substr(i + 1, j - i - 1);
    std::size_t k = j;
    if (k < rtf.size() && rtf[k] == '-') ++k;
    while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) ++k;
    const long value = k > j ? std::stol(rtf.substr(j, k - j)) : 0;
    i = word.empty() ? std::min(rtf.size(), i + (rtf.compare(i, 2, "\\'") == 0 ? 4 : 2))
                     : (k < rtf.size() && rtf[k] == ' ' ? k + 1 : k);
    if (word.empty() && rtf.compare(i - 2, 2, "\\*") == 0) f.skip = true;
    if (group_start && (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "footnote" ||
                        word == "info" || word == "pict")) {
      f.skip = true;
      // A footnote's mark (the editor writes footnotes of its own).
      if (word == "footnote" && !text.empty() && std::string("#$K+!AB>").find(text.back()) != std::string::npos)
        text.pop_back();
    }
    group_start = false;
    if (word == "pard") {
      const bool skip = f.skip;
      f = Format{};
      f.skip = skip;
    } else if (word == "li" || word == "fi" || word == "ri" || word == "sb" || word == "sa") {
      (word == "li" ? f.li : word == "fi" ? f.fi : word == "ri" ? f.ri : word == "sb" ? f.sb : f.sa) = value;
    } else if (word == "ql" || word == "qr" || word == "qc" || word == "qj") {
      f.align = word;
    } else if (word == "keep" || word == "keepn") {
      (word == "keep" ? f.keep : f.keepn) = true;
    } else if (word == "tx" || word == "tb" || word.rfind("tq", 0) == 0 || word.rfind("tl", 0) == 0) {
      f.tabs += "\\" + word + (word == "tx" || word == "tb" ? std::to_string(value) : "");
    } else if (word == "par" && !f.skip) {
      if (!text.empty())
        paragraphs.emplace_back(text, "\\li" + std::to_string(f.li) + "\\fi" + std::to_string(f.fi) + "\\ri" +
                           std::to_string(f.ri) + "\\" + f.align + "\\sb" + std::to_string(f.sb) + "\\sa" +
                           std::to_string(f.sa) + (f.keep ? "\\keep" : "") + (f.keepn ? "\\keepn" : "") + f.tabs);
      text.clear();
    }
  }
  return paragraphs;
}

// The same by text (of paragraphs with the same text, the last).
std::map<std::string, std::string> ParagraphFormats(const std::string& rtf) {
  std::map<std::string, std::string> formats;
  for (auto& [text, format] : ParagraphList(rtf)) formats[text] = format;
  return formats;
}

// The calques3d project with its topic afxcore replaced by the Word-made
// topic of testdata/topics, open in the editor.
struct WordTopic {
  EditorFixture fx;
  std::string dir = CopyProject("calques3d");
  TMainForm& f = *fx.form;
  std::string original = ReadFile(std::string(QM_TESTDATA_DIR) + "/topics/calques3d-menus.rtf");
  WordTopic() {
    qm::WriteFileReplacing(dir + "\\AfxCore.rtf", original);
    fx.dialog_answers = {dir + "\\Calques3D.hpj"};
    f.ProjectCmds->OpenAExecute(nullptr);
    fx.ClickTopic("afxcore");
  }
  std::string Saved() { return ReadFile(f.Project.TopicFilePath("afxcore")); }
  void Save() { f.ProjectCmds->SaveAExecute(nullptr); }
  TEditingCommands& Editing() { return f.Group<TEditingCommands>(); }
  // Selects the paragraph that begins with text (with its end when whole),
  // or puts the caret at its start.
  void SelectParagraph(const std::string& text, bool whole) {
    const std::string all = f.Editor->PlainText();
    const std::size_t at = all.find(text);
    ASSERT_NE(at, std::string::npos) << text;
    const std::size_t end = all.find("\r\n", at);
    f.Editor->SetSel(static_cast<int>(at), whole ? static_cast<int>(end + 2 - at) : 0);
  }
};

// Three times opened, typed into at the end and saved: the editor stays, and
// every paragraph keeps its format, tab stops left of the margin included
// (the control's writer may fault on those), the body's paragraphs no \keepn
// of the stylesheet's title style, and the last paragraph, which no \par
// ends, its own \li (not the right alignment of the one before it).
TEST(WordTopicFormat, ThreeSavesKeepEveryParagraphsFormatAndTabStops) {
  WordTopic t;
  auto before = ParagraphFormats(t.original.substr(0, t.original.rfind('}')) + "\\par}");
  ASSERT_EQ(before["WhenyoupresstheTABkeyinatextwindow,theinsertionpointmovestotherighttothenexttabstop."],
            "\\li90\\fi0\\ri0\\ql\\sb0\\sa40\\tx-180\\tx86");
  std::string last = "Lastlinewithoutaparagraphmark";
  ASSERT_EQ(before[last], "\\li720\\fi0\\ri0\\ql\\sb0\\sa0");
  for (int round = 1; round <= 3; ++round) {
    t.fx.TypeAtEnd("x");
    t.Save();
    const auto after = ParagraphFormats(t.Saved());
    before[last + "x"] = before[last];
    before.erase(last);
    last += "x";
    std::string changes;
    for (const auto& [text, format] : before) {
      const auto it = after.find(text);
      if (it == after.end() || it->second != format)
        changes += "\n" + text.substr(0, 40) + ": " + format + " became " + (it == after.end() ? "lost" : it->second);
    }
    EXPECT_EQ(changes, "") << "round " << round;
    t.fx.ClickTopic("afxcore");
  }
}

// Copied, a paragraph with tab stops left of the margin takes them to the
// clipboard (for any program); pasted back, the control gets them as
// loading gives them, and the save writes both paragraphs with them. A
// heading with \keepn, copied with two paragraphs after it and pasted,
// gives its flag to itself alone: the pasted paragraphs and the one the
// paste runs into keep theirs.
TEST(WordTopicFormat, PastedParagraphsKeepTheirTabStopsAndKeepFlags) {
  WordTopic t;
  cl::TRichEdit& ed = *t.f.Editor;
  t.SelectParagraph("Click on the graphic", true);
  t.fx.EditorKey(VK_CONTROL, 'C');
  OpenClipboard(nullptr);
  HANDLE h = GetClipboardData(RegisterClipboardFormatA("Rich Text Format"));
  const std::string copied = h ? static_cast<const char*>(GlobalLock(h)) : "";
  if (h) GlobalUnlock(h);
  CloseClipboard();
  EXPECT_NE(copied.find("\\tx-810\\tx0\\tx86"), std::string::npos) << copied;
  t.SelectParagraph("Right-aligned note", false);
  t.Editing().PasteA->OnExecute(nullptr);

  t.SelectParagraph("Last line", false);
  ed.SetSelText("Heading\rBody one\rBody two\r");
  t.SelectParagraph("Heading", false);
  PARAFORMAT2 pf{};
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_KEEPNEXT;
  pf.wEffects = PFE_KEEPNEXT;
  SendMessageA(ed.Handle(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  const int from = ed.SelStart();
  t.SelectParagraph("Last line", false);
  ed.SetSel(from, ed.SelStart() - from);
  t.fx.EditorKey(VK_CONTROL, 'C');
  t.SelectParagraph("Right-aligned note", false);
  t.fx.EditorKey(VK_CONTROL, 'V');
  t.Save();

  const std::string saved = t.Saved();
  std::vector<std::string> graphic;
  for (const auto& [text, format] : ParagraphList(saved))
    if (text.rfind("Clickonthegraphic", 0) == 0) graphic.push_back(format);
  const std::string tabs = "\\li115\\fi0\\ri0\\ql\\sb0\\sa0\\tx-810\\tx0\\tx86";
  EXPECT_EQ(graphic, (std::vector<std::string>{tabs, tabs})) << saved.substr(saved.size() - 1500);
  // The file's headings and the pasted one, none of the paragraphs after
  // it, nor the one it ran into.
  auto keep_next = [](const std::string& rtf) {
    std::set<std::string> kept;
    for (const auto& [paragraph, format] : ParagraphFormats(rtf))
      if (format.find("\\keepn") != std::string::npos) kept.insert(paragraph);
    return kept;
  };
  std::set<std::string> headings = keep_next(t.original);
  ASSERT_FALSE(headings.empty());
  headings.insert("Heading");
  EXPECT_EQ(keep_next(saved), headings) << saved.substr(saved.size() - 1500);
  const auto after = ParagraphFormats(saved);
  EXPECT_EQ(after.at("Right-alignednote"), "\\li0\\fi0\\ri360\\qr\\sb120\\sa240\\keep");
}

}  // namespace
