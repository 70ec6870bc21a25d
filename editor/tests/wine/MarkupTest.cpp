// The markup commands and the line shortcuts on a real project, keys going
// through the message loop as the author's do.
#include <gtest/gtest.h>

#include <string>

#include "WineTestUtil.h"
#include "classlib/Application.h"
#include "classlib/tests/ModalTest.h"
#include "classlib/tests/RtfControlWord.h"
#include "editor/LinkCommands.h"
#include "editor/MarkupCommands.h"
#include "editor/TopicInfoDialog.h"

using namespace qm::editor;
using namespace qm::editor::test;

namespace {

struct MarkupTopic {
  EditorFixture fx;
  std::string dir = CopyProject("andes-fbd");
  TMainForm& f = *fx.form;
  MarkupTopic() {
    fx.dialog_answers = {dir + "\\FBD.hpj"};
    f.ProjectCmds->OpenAExecute(nullptr);
    fx.ClickTopic("Popups");
    f.Editor->SetFocus();
    fx.Pump();
  }
  TMarkupCommands& Markup() { return f.Group<TMarkupCommands>(); }
  // The editor holding just this text, the caret at `caret`.
  void Text(const std::string& text, int caret) {
    f.Editor->SetSel(0, -1);
    f.Editor->SetSelText(text);
    f.Editor->SetSel(caret, 0);
  }
  std::string Plain() { return f.Editor->PlainText(); }
  // A key with Ctrl held, posted to the editor and run by the message loop.
  void CtrlKey(char key) { fx.EditorKey(VK_CONTROL, key); }
  // F10 as the system sends it: a system key.
  void F10() {
    PostMessageA(f.Editor->Handle(), WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageA(f.Editor->Handle(), WM_SYSKEYUP, VK_F10, 0xC0000001);
    fx.Pump();
  }
};

// The rich-edit control's text with CR LF turned into "|" for reading.
std::string Bars(std::string s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    out += (s[i] == '\r' || s[i] == '\n') ? '|' : s[i];
  }
  return out;
}

TEST(LineShortcuts, CtrlYUKThroughTheMessageLoop) {
  MarkupTopic t;
  ASSERT_EQ(t.f.Project.TopicId, "Popups");
  t.Text("one\rtwo\rthree", 5);  // in "two"
  t.CtrlKey('Y');
  EXPECT_EQ(Bars(t.Plain()), "one|three");
  EXPECT_TRUE(t.f.Editor->Modified());
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "変更");

  t.Text("one\rtwo\rthree", 6);  // "tw|o"
  t.CtrlKey('U');
  EXPECT_EQ(Bars(t.Plain()), "one|o|three");
  t.CtrlKey('U');  // at the line's start: nothing
  EXPECT_EQ(Bars(t.Plain()), "one|o|three");

  t.Text("one\rtwo\rthree", 1);  // "o|ne": the break stays
  t.CtrlKey('K');
  EXPECT_EQ(Bars(t.Plain()), "o|two|three");
  // On the last line: to the text's end, nothing before the caret.
  const int last = static_cast<int>(Bars(t.Plain()).size()) - 3;
  t.f.Editor->SetSel(last, 0);
  t.CtrlKey('K');
  EXPECT_EQ(Bars(t.Plain()), "o|two|th");
  // At the end of a line: nothing.
  t.f.Editor->SetSel(1, 0);
  t.CtrlKey('K');
  EXPECT_EQ(Bars(t.Plain()), "o|two|th");
}

TEST(LineShortcuts, CtrlKOnASoftWrappedLineStopsAtTheWrap) {
  MarkupTopic t;
  std::string words;
  for (int i = 0; i < 60; ++i) words += "word" + std::to_string(i) + " ";
  t.Text(words + "\rnext", 2);
  const LRESULT second = SendMessageA(t.f.Editor->Handle(), EM_LINEINDEX, 1, 0);
  ASSERT_LT(second, static_cast<LRESULT>(words.size())) << "the first paragraph does not wrap";
  t.CtrlKey('K');
  const std::string after = Bars(t.Plain());
  EXPECT_EQ(after.substr(0, 2), "wo");
  // Only the first display line went: the rest of the paragraph and the
  // next one are there.
  EXPECT_EQ(after.size(), words.size() + 5 - (static_cast<std::size_t>(second) - 2));
  EXPECT_NE(after.find("|next"), std::string::npos);
}

TEST(LineShortcuts, NothingHappensWithoutAnOpenTopic) {
  EditorFixture fx;
  fx.form->Editor->LoadText("kept");
  fx.form->Editor->SetSel(0, 0);
  EXPECT_FALSE(fx.form->IsShortCut('Y', cl::ssCtrl));
  EXPECT_EQ(fx.form->Editor->PlainText(), "kept");
  // The hidden menu never reaches the menu bar.
  HMENU bar = fx.form->MainMenu->Handle();
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    char text[64] = {};
    GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    EXPECT_STRNE(text, "隠し");
  }
}

TEST(Markup, TheLineButtonRemembersTheChoiceAndTopicIdWraps) {
  MarkupTopic t;
  TMarkupCommands& m = t.Markup();
  t.Text("", 0);
  m.LineMenu->Items()->Item(2)->Click();  // 下(&B) in the drop-down
  EXPECT_EQ(t.Plain(), "{line b}");
  EXPECT_EQ(m.LineButton->Tag, 2);
  EXPECT_EQ(m.LineButton->ImageIndex(), 43);
  EXPECT_TRUE(m.LineMenu->Items()->Item(2)->Checked());
  EXPECT_FALSE(m.LineMenu->Items()->Item(0)->Checked());
  m.LineButton->Click();
  EXPECT_EQ(t.Plain(), "{line b}{line b}");
  // The Insert menu's style item of another choice moves the button too.
  m.LineStyleItem->Item(3)->Click();
  m.StyleButton->Click();
  EXPECT_EQ(t.Plain(), "{line b}{line b}{style s}{style s}");
  EXPECT_EQ(m.StyleButton->ImageIndex(), 49);

  t.Text("abc XYZ def", 4);
  t.f.Editor->SetSel(4, 3);
  m.TopicIdA->Execute();
  EXPECT_EQ(t.Plain(), "abc {tid XYZ} def");
  EXPECT_EQ(t.f.Editor->SelStart(), 9);
  EXPECT_EQ(t.f.Editor->SelLength(), 0);
  // Ctrl+E: {end}, not the control's centring.
  t.CtrlKey('E');
  EXPECT_EQ(t.Plain(), "abc {tid {end}XYZ} def");
}

TEST(Markup, F10FlipsTheFlagAndSaveWritesKeepn) {
  MarkupTopic t;
  TMarkupCommands& m = t.Markup();
  ASSERT_FALSE(t.f.Project.TopicFootnotes.NoScroll);
  t.f.Editor->SetModified(false);
  t.F10();
  EXPECT_TRUE(t.f.Project.TopicFootnotes.NoScroll);
  EXPECT_TRUE(m.NoScrollA->Checked());
  EXPECT_TRUE(t.f.Editor->Modified());
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "変更");
  // The menu bar did not take F10 for itself.
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetCurrentThreadId(), &gui);
  EXPECT_EQ(gui.flags & GUI_INMENUMODE, 0u);
  t.f.ProjectCmds->SaveAExecute(nullptr);
  const std::string saved = ReadFile(t.dir + "\\rtf\\Popups.rtf");
  EXPECT_TRUE(qmtest::HasControlWord(saved, "\\keepn")) << saved.substr(0, 400);

  // Opened again, the check follows the file; F10 twice keeps the flag.
  t.fx.ClickTopic("Andes");
  EXPECT_FALSE(m.NoScrollA->Checked());
  t.fx.ClickTopic("Popups");
  EXPECT_TRUE(m.NoScrollA->Checked());
  t.F10();
  t.F10();
  EXPECT_TRUE(t.f.Project.TopicFootnotes.NoScroll);
  t.F10();
  t.f.ProjectCmds->SaveAExecute(nullptr);
  EXPECT_FALSE(qmtest::HasControlWord(ReadFile(t.dir + "\\rtf\\Popups.rtf"), "\\keepn"));
}

TEST(Markup, TheTitleCopyOfANewTopicChecksNoScroll) {
  MarkupTopic t;
  t.f.Project.Program.Tcopy = true;
  t.fx.ClickTopic("Andes");
  t.f.ContentsCmds->AddCntAExecute(nullptr);
  ASSERT_EQ(t.f.Project.OpenTopicNode->Kind, kTopicNode);
  ASSERT_EQ(t.f.Editor->PlainText(), "");
  EXPECT_FALSE(t.Markup().NoScrollA->Checked());
  static bool answered;
  answered = false;
  qmtest::WhenWindowUp("TSetTopicDlg", [](HWND w) {
    auto* d = dynamic_cast<TSetTopicDlg*>(cl::TControl::FromHandle(w));
    ASSERT_NE(d, nullptr);
    d->TitleEd->SetText("見出し");
    SendMessageA(d->OKBtn->Handle(), BM_CLICK, 0, 0);
    answered = true;
  });
  t.f.Group<TLinkCommands>().setKeyAExecute();
  ASSERT_TRUE(answered);
  EXPECT_TRUE(t.f.Project.TopicFootnotes.NoScroll);
  EXPECT_TRUE(t.Markup().NoScrollA->Checked());
  EXPECT_EQ(Bars(t.Plain()).substr(0, 12), "見出し|{end}");
}

}  // namespace
