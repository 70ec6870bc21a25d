#include <windows.h>
// After windows.h.
#include <richedit.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "WineTestUtil.h"
#include "classlib/Application.h"
#include "classlib/tests/ModalTest.h"
#include "core/FileSystem.h"
#include "controls/DragDrop.h"
#include "editor/EditingCommands.h"
#include "editor/LinkCommands.h"
#include "editor/LinkDialogs.h"
#include "editor/TopicInfoDialog.h"
#include "editor/core/EditingSurface.h"

using namespace qm::editor;
using namespace qm::editor::test;

namespace {

// The andes-fbd project open with its topic Popups in the editor.
struct OpenTopic {
  EditorFixture fx;
  std::string dir = CopyProject("andes-fbd");
  TMainForm& f = *fx.form;
  OpenTopic() {
    fx.dialog_answers = {dir + "\\FBD.hpj"};
    f.ProjectCmds->OpenAExecute(nullptr);
    fx.ClickTopic("Popups");
  }
  TEditingCommands& Editing() { return f.Group<TEditingCommands>(); }
  TLinkCommands& Links() { return f.Group<TLinkCommands>(); }
  void Save() { f.ProjectCmds->SaveAExecute(nullptr); }
  // Lines from..to-1 selected (the caret at `from` when they are equal).
  void Select(int from, int to) {
    const auto at = [&](int line) {
      return static_cast<int>(SendMessageA(f.Editor->Handle(), EM_LINEINDEX, line, 0));
    };
    f.Editor->SetSel(at(from), at(to) - at(from));
  }
  // Each of lines from..to-1 as its text and first/left indent (points).
  std::string Indents(int from, int to) {
    std::string lines;
    for (int i = from; i < to; ++i) {
      Select(i, i);
      const cl::TParaAttributes p = f.Editor->Paragraph();
      lines += f.Editor->Line(i) + " " + std::to_string(p.FirstIndent) + "/" + std::to_string(p.LeftIndent) +
               (p.Alignment == cl::TParaAlignment::Center ? " center" : "") + (p.Bullet ? " bullet" : "") + "|";
    }
    return lines;
  }
};

// Runs `answer` on the modal dialog of window class `cls` once it is up,
// while `open` shows it.
template <class D>
void AnswerDialog(const char* cls, std::function<void(D&)> answer, const std::function<void()>& open) {
  qmtest::WhenWindowUp(cls, [cls, answer](HWND w) {
    auto* d = dynamic_cast<D*>(cl::TControl::FromHandle(w));
    ASSERT_NE(d, nullptr) << cls;
    answer(*d);
  });
  open();
}

void Click(cl::TControl* c) { SendMessageA(c->Handle(), BM_CLICK, 0, 0); }

TEST(EditingSurface, InsertTogglesOverwriteAndItsPanelShiftInsertDoesNot) {
  OpenTopic t;
  ASSERT_EQ(t.f.Project.TopicId, "Popups");
  HWND e = t.f.Editor->Handle();
  SendMessageA(e, WM_KEYDOWN, VK_INSERT, 1);
  EXPECT_FALSE(t.f.Editor->InsertMode());
  EXPECT_EQ(t.f.StatusBar->PanelText(8), "上書");
  {
    qmtest::THeldKeys shift({VK_SHIFT});
    SendMessageA(e, WM_KEYDOWN, VK_INSERT, 1);
  }
  EXPECT_EQ(t.f.StatusBar->PanelText(8), "上書");
  SendMessageA(e, WM_KEYDOWN, VK_INSERT, 1);
  EXPECT_EQ(t.f.StatusBar->PanelText(8), "挿入");
}

TEST(EditingSurface, AMarginClickSelectsTheLineAndTheModifiedMarkFollows) {
  OpenTopic t;
  HWND e = t.f.Editor->Handle();
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 6));
  SendMessageA(e, WM_LBUTTONUP, 0, MAKELPARAM(2, 6));
  EXPECT_GT(t.f.Editor->SelLength(), 0);
  EXPECT_EQ(t.f.Editor->SelText(), t.f.Editor->Line(0));
  EXPECT_TRUE(t.Editing().CopyA->Enabled());
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "");
  t.fx.TypeAtEnd("x");
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "変更");
  t.Save();
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "");
}

TEST(EditingSurface, BoldAndAColourReachTheSavedTopic) {
  OpenTopic t;
  t.fx.TypeAtEnd("\r強調した赤");
  const int end = GetWindowTextLengthA(t.f.Editor->Handle());
  t.f.Editor->SetSel(end - 5, 5);
  t.Editing().BoldA->Execute();
  t.Editing().SetColor(9);  // 赤
  t.Save();
  const std::string saved = ReadFile(t.dir + "\\rtf\\Popups.rtf");
  EXPECT_NE(saved.find("\\red255\\green0\\blue0;"), std::string::npos) << saved;
  // The topic holds bold text of its own, so a \b in the file proves
  // nothing: opened again from the file, the words are bold and red, the
  // text before them is neither.
  t.fx.ClickTopic("Andes");
  t.fx.ClickTopic("Popups");
  FINDTEXTEXA words{{0, -1}, "強調した赤", {}};
  ASSERT_GE(SendMessageA(t.f.Editor->Handle(), EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&words)), 0);
  t.f.Editor->SetSel(words.chrgText.cpMin, words.chrgText.cpMax - words.chrgText.cpMin);
  ASSERT_EQ(t.f.Editor->SelText(), "強調した赤");
  const cl::TTextAttributes marked = t.f.Editor->SelAttributes();
  EXPECT_TRUE(marked.Style & cl::fsBold);
  EXPECT_EQ(marked.Color, RGB(255, 0, 0));
  t.f.Editor->SetSel(0, 1);
  EXPECT_FALSE(t.f.Editor->SelAttributes().Style & cl::fsBold);
  EXPECT_NE(t.f.Editor->SelAttributes().Color, RGB(255, 0, 0));
}

TEST(EditingSurface, TheFontSizeBoxRefusesSizesTheControlCannotHold) {
  OpenTopic t;
  t.f.Editor->SetSel(0, 3);
  const int before = t.f.Editor->SelAttributes().Size;
  t.Editing().FontSize->SetText("99999");
  t.Editing().FontSizeChange();
  EXPECT_EQ(t.f.Editor->SelAttributes().Size, before);
  EXPECT_EQ(t.Editing().FontSize->Text(), std::to_string(before));
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "");
  // A new size alone is a change, shown as one.
  t.Editing().FontSize->SetText("20");
  t.Editing().FontSizeChange();
  EXPECT_EQ(t.f.Editor->SelAttributes().Size, 20);
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "変更");
}

TEST(EditingSurface, TheRulerStandsAboveTheEditorAndItsMarkersSetIndents) {
  OpenTopic t;
  TEditingCommands& e = t.Editing();
  EXPECT_EQ(e.Ruler->Top(), 0);
  EXPECT_EQ(t.f.Editor->Top(), e.Ruler->Height());
  t.f.Editor->SetSel(0, 0);
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "");
  t.f.Editor->SetIndents(15, 0, 0);
  EXPECT_EQ(t.f.StatusBar->PanelText(9), "変更");
  e.SelectionChange();
  EXPECT_EQ(e.FirstInd->Left(), 22);
  // Taken at its middle and let go where it stood: the indent is kept.
  SendMessageA(e.FirstInd->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageA(e.FirstInd->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(t.f.Editor->Paragraph().FirstIndent, 15);
  // Dragged 8 pixels right: 6 points more.
  SendMessageA(e.FirstInd->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageA(e.FirstInd->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 4));
  SendMessageA(e.FirstInd->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(t.f.Editor->Paragraph().FirstIndent, 21);
  EXPECT_EQ(e.FirstInd->Left(), FirstIndentMarkerLeft(21));
  // Bullets on and off set both indents.
  e.BulletsA->Execute();
  EXPECT_TRUE(t.f.Editor->Paragraph().Bullet);
  EXPECT_EQ(t.f.Editor->Paragraph().FirstIndent, 30);
  e.BulletsA->Execute();
  EXPECT_FALSE(t.f.Editor->Paragraph().Bullet);
  EXPECT_EQ(t.f.Editor->Paragraph().FirstIndent, 0);
  EXPECT_EQ(t.f.Editor->Paragraph().LeftIndent, 0);
}

// Paragraphs with a first line further in, copied and pasted, keep their
// indents (the control's own RTF goes through the clipboard) however they are
// copied: by the action, by Ctrl+Insert, by Shift+Delete, each mended once
// (a cut refused leaves the clipboard as it was). A copied paragraph formatted
// like the one above it keeps its format too (the control's copy may leave
// it out), also when a cut takes it away. The save writes every paragraph as
// RTF means it.
TEST(EditingSurface, CopiedParagraphsArePastedAndSavedWithTheirIndents) {
  OpenTopic t;
  cl::TRichEdit& ed = *t.f.Editor;
  ed.SetSel(0, 0);
  ed.SetSelText("A1\rB2\rC3\r");
  // A1 and B2 alike, C3 unlike B2, the empty last line plain.
  t.Select(0, 2);
  ed.SetIndents(54, -18, 0);
  ed.SetAlignment(cl::TParaAlignment::Center);
  ed.SetBullet(true);
  t.Select(2, 3);
  ed.SetIndents(36, 18, 0);
  t.Select(1, 2);
  t.Editing().CopyA->OnExecute(nullptr);
  t.Select(3, 3);
  t.fx.EditorKey(VK_SHIFT, VK_INSERT);  // A1 B2 C3 B2
  t.Select(2, 3);
  t.fx.EditorKey(VK_CONTROL, VK_INSERT);
  ed.SetReadOnly(true);
  t.Select(0, 1);
  t.fx.EditorKey(VK_SHIFT, VK_DELETE);  // refused: the clipboard keeps C3
  ed.SetReadOnly(false);
  t.Select(4, 4);
  t.fx.EditorKey(VK_SHIFT, VK_INSERT);  // A1 B2 C3 B2 C3
  t.Select(1, 2);
  t.fx.EditorKey(VK_SHIFT, VK_DELETE);  // A1 C3 B2 C3
  t.Select(4, 4);
  t.Editing().PasteA->OnExecute(nullptr);  // A1 C3 B2 C3 B2
  EXPECT_EQ(t.Indents(0, 5),
            "A1 54/-18 center bullet|C3 36/18|B2 54/-18 center bullet|C3 36/18|B2 54/-18 center bullet|");
  t.Save();
  const std::string saved = ReadFile(t.dir + "\\rtf\\Popups.rtf");
  const std::size_t first = saved.find("\\li720\\fi360");
  ASSERT_NE(first, std::string::npos) << saved;
  EXPECT_NE(saved.find("\\li720\\fi360", first + 1), std::string::npos) << saved;
}

// A paragraph without text and one of a tab alone, copied with a hanging one
// after them, each keep their own indents when pasted (the control writes
// their words in one run).
TEST(EditingSurface, CopiedParagraphsWithoutTextKeepTheirOwnIndents) {
  OpenTopic t;
  cl::TRichEdit& ed = *t.f.Editor;
  ed.SetSel(0, 0);
  ed.SetSelText("\r\t\rHanging\r");
  t.Select(0, 2);
  ed.SetIndents(54, -18, 0);
  t.Select(2, 3);
  ed.SetIndents(0, 18, 0);
  t.Select(0, 3);
  t.fx.EditorKey(VK_CONTROL, VK_INSERT);
  t.Select(3, 3);
  t.fx.EditorKey(VK_SHIFT, VK_INSERT);
  EXPECT_EQ(t.Indents(3, 6), " 54/-18|\t 54/-18|Hanging 0/18|");
}

TEST(Links, ALinkDialogFilledAndConfirmedInsertsItsMarkup) {
  OpenTopic t;
  t.fx.TypeAtEnd("\r");
  AnswerDialog<TJumpDlg>("TJumpDlg", [](TJumpDlg& d) {
    d.LinkStrEd->SetText("次へ");
    d.LinkIDEd->SetText("Andes");
    Click(d.LinkAttr->Button(1));
    Click(d.OKBtn);
  }, [&] { t.Links().LinkA->Execute(); });
  EXPECT_NE(t.f.Editor->PlainText().find("{jmp 次へ,*Andes}"), std::string::npos);
  AnswerDialog<TKLinkDlg>("TKLinkDlg", [](TKLinkDlg& d) {
    d.LinkStrEd->SetText("表示");
    d.LinkIDEd->SetText("印刷");
    Click(d.LinkType);
    Click(d.OKBtn);
  }, [&] { t.Links().KLinkA->Execute(); });
  EXPECT_NE(t.f.Editor->PlainText().find("{button 表示,KL(\"印刷\")}"), std::string::npos);
}

TEST(Links, ATreeNodeDroppedOnTheTextInsertsALink) {
  OpenTopic t;
  t.fx.TypeAtEnd("\r");
  ContentsNode* andes = nullptr;
  for (ContentsNode* n : t.f.Project.Contents.Nodes())
    if (!andes && n->Kind == kTopicNode && t.f.Project.TopicIds[n->Data] != "Popups") andes = n;
  ASSERT_NE(andes, nullptr);
  const std::string id = t.f.Project.TopicIds[andes->Data];
  RECT r;
  TreeView_GetItemRect(t.f.ConTextView->Handle(), static_cast<cl::TTreeNode>(andes->ViewItem), &r, TRUE);
  t.f.ConTextView->BeginDrag(static_cast<cl::TTreeNode>(andes->ViewItem), {r.left + 2, r.top + 2});
  std::string id_shown;
  bool id_enabled = true;
  AnswerDialog<TJumpDlg>("TJumpDlg", [&](TJumpDlg& d) {
    id_shown = d.LinkIDEd->Text();
    id_enabled = d.LinkIDEd->Enabled();
    d.LinkStrEd->SetText("山");
    Click(d.OKBtn);
  }, [&] { t.Links().EditorDragDrop(t.f.ConTextView); });
  qm::controls::TDragSession::Cancel();
  EXPECT_EQ(id_shown, id);
  EXPECT_FALSE(id_enabled);
  EXPECT_NE(t.f.Editor->PlainText().find("{jmp 山," + id + "}"), std::string::npos);
}

TEST(TopicInfo, ANewIdRenamesTheFileTheTreeAndTheProjectAfterSave) {
  OpenTopic t;
  ASSERT_TRUE(qm::FileExists(t.dir + "\\rtf\\Popups.rtf"));
  AnswerDialog<TSetTopicDlg>("TSetTopicDlg", [](TSetTopicDlg& d) {
    d.TidEd->SetText("Popups2");
    d.TitleEd->SetText("ポップアップ");
    d.brwEd->SetText("grp:0010");
    d.KKeyEd->SetText("ポップ");
    Click(d.OKBtn);
  }, [&] { ASSERT_TRUE(t.f.IsShortCut(VK_F9, 0)); });
  EXPECT_EQ(t.f.Project.TopicId, "Popups2");
  EXPECT_FALSE(qm::FileExists(t.dir + "\\rtf\\Popups.rtf"));
  EXPECT_TRUE(qm::FileExists(t.dir + "\\rtf\\Popups2.rtf"));
  EXPECT_EQ(t.f.ConTextView->NodeText(static_cast<cl::TTreeNode>(t.f.Project.OpenTopicNode->ViewItem)),
            "ポップアップ");
  EXPECT_EQ(t.f.StatusBar->PanelText(0), "Popups2");
  t.Save();
  const std::string topic = ReadFile(t.dir + "\\rtf\\Popups2.rtf");
  EXPECT_NE(topic.find("#{\\footnote Popups2}"), std::string::npos);
  EXPECT_NE(topic.find("+{\\footnote grp:0010}"), std::string::npos);
  EXPECT_NE(topic.find("K{\\footnote ポップ}"), std::string::npos);
  const std::string hpj = ReadFile(t.dir + "\\FBD.hpj");
  EXPECT_NE(hpj.find("Popups2.rtf"), std::string::npos);
  EXPECT_EQ(hpj.find("Popups.rtf"), std::string::npos);
}

}  // namespace

// The edit keys work on the size box's text as in the font name box beside
// it; a size typed there still reaches the selection.
TEST(EditingSurface, TheEditKeysWorkOnTheSizeBoxText) {
  OpenTopic t;
  t.f.Editor->SetSel(0, 3);
  cl::TComboBox* box = t.Editing().FontSize;
  HWND text = FindWindowExA(box->Handle(), nullptr, "Edit", nullptr);
  ASSERT_NE(text, nullptr);
  const std::string size = box->Text();
  ASSERT_EQ(size.size(), 2u) << size;
  const std::string topic = t.f.Editor->PlainText();
  SetFocus(text);
  auto key = [&](std::initializer_list<int> held, int vk) {
    qmtest::THeldKeys down(held);
    PostMessageA(text, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PostMessageA(text, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
    t.fx.Pump();
    return box->Text();
  };
  SendMessageA(text, EM_SETSEL, 0, 0);
  EXPECT_EQ(key({}, VK_DELETE), size.substr(1));
  EXPECT_EQ(key({VK_CONTROL}, 'Z'), size);
  EXPECT_EQ(key({VK_CONTROL}, 'A'), size);
  EXPECT_EQ(key({VK_CONTROL}, 'X'), "");
  EXPECT_EQ(key({VK_CONTROL}, 'Z'), size);
  SendMessageA(text, EM_SETSEL, 0, -1);
  EXPECT_EQ(key({VK_SHIFT}, VK_DELETE), "");
  // Typed again, the size reaches the selection.
  for (char c : std::string("20")) PostMessageA(text, WM_CHAR, static_cast<WPARAM>(c), 1);
  t.fx.Pump();
  EXPECT_EQ(box->Text(), "20");
  EXPECT_EQ(t.f.Editor->SelAttributes().Size, 20);
  EXPECT_EQ(t.f.Editor->PlainText(), topic) << "a key ran on the topic";
}

// A Word topic whose headings keep with the next paragraph, opened in the
// editor: each paragraph has the flags the file gives it, whether or not the
// control carries \keepn over \pard, and an undo right after opening takes
// none of them back.
TEST(EditingSurface, AnOpenedTopicKeepsItsOwnKeepFlagsThroughAnUndo) {
  EditorFixture fx;
  const std::string dir = CopyProject("calques3d");
  TMainForm& f = *fx.form;
  fx.dialog_answers = {dir + "\\Calques3D.hpj"};
  f.ProjectCmds->OpenAExecute(nullptr);
  ASSERT_TRUE(CopyFileA((std::string(QM_TESTDATA_DIR) + "/topics/calques3d-menus.rtf").c_str(),
                        f.Project.TopicFilePath("afxcore").c_str(), FALSE));
  fx.ClickTopic("afxcore");
  const std::vector<unsigned> flags = cl::GetParagraphKeepFlags(f.Editor->Handle());
  ASSERT_GT(flags.size(), 20u);
  int keep_with_next = 0;
  for (unsigned k : flags) keep_with_next += (k & cl::kfKeepWithNext) ? 1 : 0;
  // The file's two headings that keep with the next paragraph (its first
  // heading has no \keepn, and a style gives no paragraph its flags); the
  // body text after them keeps with nothing.
  EXPECT_EQ(keep_with_next, 2);
  EXPECT_EQ(flags.back() & cl::kfKeepWithNext, 0u);
  SendMessageA(f.Editor->Handle(), EM_UNDO, 0, 0);
  EXPECT_EQ(cl::GetParagraphKeepFlags(f.Editor->Handle()), flags) << "an undo changed the loaded topic";
}
