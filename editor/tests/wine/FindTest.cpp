// Find and replace in the open topic, and Paste following the clipboard.
#include <gtest/gtest.h>

#include <string>

#include "WineTestUtil.h"
#include "editor/EditingCommands.h"
#include "editor/FindCommands.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

// A copy of calques3d with its first topic open and holding the text.
struct FindFixture : EditorFixture {
  std::string dir;
  explicit FindFixture(const std::string& text) {
    dir = CopyProject("calques3d");
    dialog_answers = {dir + "\\Calques3D.hpj"};
    form->ProjectCmds->OpenAExecute(nullptr);
    for (ContentsNode* n : form->Project.Contents.Nodes())
      if (n->Kind == kTopicNode) {
        ClickTopic(form->Project.TopicIds.Id(static_cast<std::size_t>(n->Data)));
        break;
      }
    form->Editor->LoadText(text);
    form->Editor->SetSel(0, 0);
    boxes.clear();
  }
  TFindCommands& Find() { return form->Group<TFindCommands>(); }
  std::string Text() {
    std::string t = form->Editor->PlainText();
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
    return t;
  }
};

TEST(FindReplace, JapaneseMatchesAreSelectedAndReplacedExactly) {
  FindFixture fx("あいうえお テスト abc テスト end");
  TFindCommands& c = fx.Find();
  ASSERT_FALSE(fx.form->Editor->ReadOnly());
  ASSERT_TRUE(c.Find1->Enabled());
  c.FindDialog1->FindText = "テスト";
  c.FindDialog1Find(c.FindDialog1);
  EXPECT_EQ(fx.form->Editor->SelText(), "テスト");
  EXPECT_EQ(fx.form->Editor->SelStart(), 6);
  // F3 repeats the find dialog's search, not the replace dialog's.
  c.ReplaceDialog1->FindText = "abc";
  c.FindNext1Click(nullptr);
  EXPECT_EQ(fx.form->Editor->SelStart(), 14);
  EXPECT_EQ(fx.form->Editor->SelText(), "テスト");

  // Replace: the selected match, then the next is selected; none is left.
  fx.form->Editor->SetSel(6, 3);
  c.ReplaceDialog1->FindText = "テスト";
  c.ReplaceDialog1->ReplaceText = "試験";
  c.ReplaceDialog1->ReplaceAll = false;
  c.ReplaceDialog1Replace(c.ReplaceDialog1);
  EXPECT_EQ(fx.Text(), "あいうえお 試験 abc テスト end");
  EXPECT_EQ(fx.form->Editor->SelText(), "テスト");
  c.ReplaceDialog1Replace(c.ReplaceDialog1);
  EXPECT_EQ(fx.Text(), "あいうえお 試験 abc 試験 end");
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text, "\"テスト\"が見つかりません.");
}

TEST(FindReplace, ReplaceAllWithTheFindTextInTheReplacementEnds) {
  FindFixture fx("漢字 aa 漢字 AA 漢字");
  TFindCommands& c = fx.Find();
  fx.form->Editor->SetSel(3, 0);
  c.ReplaceDialog1->FindText = "漢字";
  c.ReplaceDialog1->ReplaceText = "[漢字]";
  c.ReplaceDialog1->ReplaceAll = true;
  c.ReplaceDialog1Replace(c.ReplaceDialog1);
  // Nothing before the selection is touched.
  EXPECT_EQ(fx.Text(), "漢字 aa [漢字] AA [漢字]");
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text, "置換が終了しました.");

  // Match case: a selected "AA" is not "aa". Replace leaves it and selects
  // the next "aa"; Replace All from a selected "AA" takes only the "aa" after.
  fx.boxes.clear();
  fx.form->Editor->LoadText("AA aa AA aa");
  fx.form->Editor->SetSel(0, 2);
  c.ReplaceDialog1->FindText = "aa";
  c.ReplaceDialog1->ReplaceText = "b";
  c.ReplaceDialog1->MatchCase = true;
  c.ReplaceDialog1->ReplaceAll = false;
  c.ReplaceDialog1Replace(c.ReplaceDialog1);
  EXPECT_EQ(fx.Text(), "AA aa AA aa");
  EXPECT_EQ(fx.form->Editor->SelStart(), 3);
  EXPECT_EQ(fx.form->Editor->SelText(), "aa");
  fx.form->Editor->SetSel(6, 2);
  ASSERT_EQ(fx.form->Editor->SelText(), "AA");
  c.ReplaceDialog1->ReplaceAll = true;
  c.ReplaceDialog1Replace(c.ReplaceDialog1);
  EXPECT_EQ(fx.Text(), "AA aa AA b");
  EXPECT_TRUE(fx.boxes.size() == 1 && fx.boxes[0].text == "置換が終了しました.");
}

TEST(FindReplace, TheDialogFindsThroughItsButtonAndStaysInTheWorkArea) {
  FindFixture fx("one two one");
  TFindCommands& c = fx.Find();
  fx.form->Editor->SetSel(4, 3);  // "two"
  SetCursorPos(5, 5);
  c.Find1Click(nullptr);
  fx.Pump();
  HWND dlg = c.FindDialog1->Handle();
  ASSERT_TRUE(dlg);
  char text[64] = {};
  GetDlgItemTextA(dlg, 0x480, text, sizeof text);  // the find-what box
  EXPECT_STREQ(text, "two");
  RECT r{};
  GetWindowRect(dlg, &r);
  EXPECT_GE(r.left, fx.form->WorkArea.left);
  EXPECT_GE(r.top, fx.form->WorkArea.top);

  // A double-byte character typed into the box comes as two bytes.
  HWND box = GetDlgItem(dlg, 0x480);
  SetDlgItemTextA(dlg, 0x480, "");
  const std::string te = "テ";
  PostMessageA(box, WM_CHAR, static_cast<unsigned char>(te[0]), 1);
  PostMessageA(box, WM_CHAR, static_cast<unsigned char>(te[1]), 1);
  fx.Pump();
  GetDlgItemTextA(dlg, 0x480, text, sizeof text);
  EXPECT_EQ(std::string(text), te);

  SetDlgItemTextA(dlg, 0x480, "one");
  SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // Find Next
  fx.Pump();
  EXPECT_EQ(c.FindDialog1->FindText, "one");
  EXPECT_EQ(fx.form->Editor->SelStart(), 8);
  // Nothing more: the dialog closes and says so.
  SendMessageA(dlg, WM_COMMAND, IDOK, 0);
  fx.Pump();
  EXPECT_FALSE(IsWindow(dlg));
  ASSERT_EQ(fx.boxes.size(), 1u);
  EXPECT_EQ(fx.boxes[0].text, "\"one\"が見つかりません.");
}

void PutOnClipboard(HWND owner, const char* text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  if (text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(mem), text, strlen(text) + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
  } else {
    HDC dc = GetDC(nullptr);
    SetClipboardData(CF_BITMAP, CreateCompatibleBitmap(dc, 4, 4));
    ReleaseDC(nullptr, dc);
  }
  CloseClipboard();
}

TEST(Paste, FollowsTheClipboardWhileATopicIsOpen) {
  FindFixture fx("text");
  TEditingCommands& e = fx.form->Group<TEditingCommands>();
  HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  PutOnClipboard(other, "貼る");
  fx.Pump();
  EXPECT_TRUE(e.PasteA->Enabled());
  fx.form->Editor->SetSel(0, 0);
  e.PasteA->Execute();
  EXPECT_EQ(fx.Text(), "貼るtext");
  PutOnClipboard(other, nullptr);  // a picture, no text
  fx.Pump();
  EXPECT_FALSE(e.PasteA->Enabled());
  PutOnClipboard(other, "x");
  fx.Pump();
  EXPECT_TRUE(e.PasteA->Enabled());
  // Undo takes the paste back.
  EXPECT_TRUE(e.UndoA->Enabled());
  e.UndoA->Execute();
  EXPECT_EQ(fx.Text(), "text");
  DestroyWindow(other);
}

}  // namespace
