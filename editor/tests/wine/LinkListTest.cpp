// The link list, the macro dialog and browse-id renumbering on a real
// project of the test data.
#include <gtest/gtest.h>

#include "WineTestUtil.h"
#include "classlib/tests/ModalTest.h"
#include "core/FileSystem.h"
#include "editor/BrowseRenumberCommands.h"
#include "editor/LinkListCommands.h"
#include "editor/LinkListDialog.h"
#include "editor/MacroLinkDialog.h"
#include "editor/core/LinkListLines.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

void Click(cl::TControl* c) { SendMessageA(c->Handle(), BM_CLICK, 0, 0); }

struct OpenProject {
  EditorFixture fx;
  std::string dir;
  TMainForm& f = *fx.form;
  explicit OpenProject(const std::string& name = "andes-fbd", const std::string& hpj = "FBD.hpj")
      : dir(CopyProject(name)) {
    fx.dialog_answers = {dir + "\\" + hpj};
    f.ProjectCmds->OpenAExecute(nullptr);
  }
  std::string IdOf(const ContentsNode* n) const { return f.Project.TopicIds[static_cast<std::size_t>(n->Data)]; }
  void Open(const ContentsNode* n) { fx.ClickTopic(IdOf(n)); }
  std::string Text() const { return f.Editor->PlainText(); }
};

TEST(LinkList, AppendsLinksToTheHiddenChildrenAndTheyReadBack) {
  OpenProject p;
  ContentsNode* parent = nullptr;
  for (ContentsNode* n : p.f.Project.Contents.Nodes())
    if (n->Kind == kTopicNode && HasHiddenFirstChild(n) && n->FirstChild()->NextSibling()) {
      parent = n;
      break;
    }
  ASSERT_NE(parent, nullptr);
  auto& cmds = p.f.Group<TLinkListCommands>();
  p.Open(parent);
  ASSERT_EQ(p.f.Project.TopicId, p.IdOf(parent));
  EXPECT_TRUE(cmds.LinkListItem->Enabled());

  const ContentsNode* a = parent->FirstChild();
  const ContentsNode* b = a->NextSibling();
  const std::string idA = p.IdOf(a), idB = p.IdOf(b);
  const std::string titleA = SafeLinkText(p.f.Project.TopicTitles[static_cast<std::size_t>(a->Data)], idA);
  const std::string before = p.Text();
  p.f.Editor->SetSel(0, 0);  // the list goes to the end whatever the caret
  Answer<TLinkListDlg>(p.fx, [](TLinkListDlg& dlg) {
    EXPECT_EQ(dlg.LinkTypeEd->ItemIndex(), 1);
    EXPECT_FALSE(dlg.LinkSubView->Enabled());
    EXPECT_TRUE(dlg.LineSp->Checked());
    Click(dlg.LinkTypeEd->Button(0));
    Click(dlg.LineSp);
  });
  cmds.LinkListItemClick();
  const std::string after = p.Text();
  ASSERT_EQ(after.rfind(before.substr(0, before.find_last_not_of("\r\n") + 1), 0), 0u);
  EXPECT_NE(after.find("{jmp " + titleA + "," + idA + "}\r\n{jmp "), std::string::npos);
  EXPECT_NE(after.find("," + idB + "}"), std::string::npos);
  EXPECT_EQ(after.find("\r\n\r\n{jmp"), std::string::npos);  // no blank lines

  // Buttons to the main window, with blank lines; cancel adds nothing.
  p.f.Project.HasSubWindow = true;
  Answer<TLinkListDlg>(p.fx, [](TLinkListDlg& dlg) {
    Click(dlg.LinkTypeEd->Button(0));
    EXPECT_TRUE(dlg.LinkSubView->Enabled());
    Click(dlg.LinkSubView->Button(1));
    Click(dlg.AddBtn);
  });
  cmds.LinkListItemClick();
  EXPECT_NE(p.Text().find("\r\n\r\n{button ,JI(>main," + idA + ")}\x81\x40" + titleA), std::string::npos);
  const std::string kept = p.Text();
  Answer<TLinkListDlg>(p.fx, nullptr, cl::mrCancel);
  cmds.LinkListItemClick();
  EXPECT_EQ(p.Text(), kept);

  // Saved and opened again, the links read back as they were typed.
  p.Open(a);
  p.Open(parent);
  EXPECT_NE(p.Text().find("{jmp " + titleA + "," + idA + "}"), std::string::npos);
  EXPECT_NE(p.Text().find("{button ,JI(>main," + idA + ")}"), std::string::npos);

  // A hidden topic has no hidden children of its own.
  p.Open(a);
  EXPECT_FALSE(cmds.LinkListItem->Enabled());
}

TEST(MacroDialog, FilledAndConfirmedAndTheMacroAlone) {
  OpenProject p;
  const ContentsNode* topic = nullptr;
  for (ContentsNode* n : p.f.Project.Contents.Nodes())
    if (n->Kind == kTopicNode) {
      topic = n;
      break;
    }
  ASSERT_NE(topic, nullptr);
  auto& cmds = p.f.Group<TLinkListCommands>();
  EXPECT_FALSE(cmds.MacA->Enabled());
  p.Open(topic);
  ASSERT_TRUE(cmds.MacA->Enabled());

  p.f.Editor->SetSel(0, 0);
  p.f.Editor->SetSelText("閉じる");
  p.f.Editor->SetSel(0, 3);
  std::vector<std::string> help;
  Answer<TMacDlg>(p.fx, [&](TMacDlg& dlg) {
    EXPECT_EQ(dlg.LinkEd->Text(), "閉じる");
    EXPECT_EQ(dlg.PageControl1->ActivePageIndex(), 4);
    EXPECT_EQ(dlg.PageControl1->ActivePage()->Caption(), "ウインドウ");
    dlg.WinHelpCall = [&](HWND, const std::string& file, UINT command, ULONG_PTR data) {
      help = {file, std::to_string(command), reinterpret_cast<const char*>(data)};
      return TRUE;
    };
    Click(dlg.HelpBtn);
    // Nothing typed: OK stays.
    Click(dlg.OKBtn);
    EXPECT_EQ(dlg.ModalResult(), cl::mrNone);
    // A template twice, then one that replaces the selected second.
    cl::TListBox* windows = dlg.Lists[4];
    windows->SetItemIndex(1);
    dlg.ListBoxClick(windows);
    dlg.ListBoxClick(windows);
    EXPECT_EQ(dlg.MacEd->Text(), "CloseWindow([window-name])CloseWindow([window-name])");
    dlg.MacEd->SetSel(26, 26);
    windows->SetItemIndex(0);
    dlg.ListBoxClick(windows);
    dlg.MacEd->SetText("CloseWindow(sub);Back()");
    Click(dlg.LinkAttr->Button(2));
    Click(dlg.OKBtn);
  });
  cmds.MacAExecute();
  EXPECT_EQ(help, (std::vector<std::string>{p.f.Project.Program.HcwFolder.empty() ? "hcw.hlp"
                                                : qm::PathJoin(p.f.Project.Program.HcwFolder, "hcw.hlp"),
                                            std::to_string(HELP_KEY), "macro quick reference"}));
  EXPECT_EQ(p.Text().rfind("{jmp 閉じる,%!CloseWindow(sub);Back()}", 0), 0u);

  // As a button: the attribute turns off and carries nothing.
  p.f.Editor->SetSel(0, 0);
  Answer<TMacDlg>(p.fx, [](TMacDlg& dlg) {
    dlg.LinkEd->SetText("戻る");
    dlg.MacEd->SetText("Back()");
    Click(dlg.LinkAttr->Button(1));
    Click(dlg.BtnCheck);
    EXPECT_FALSE(dlg.LinkAttr->Enabled());
    Click(dlg.OKBtn);
  });
  cmds.MacAExecute();
  EXPECT_EQ(p.Text().rfind("{button 戻る,!Back()}{jmp", 0), 0u);

  // マクロのみ: refused without a macro, then the macro alone.
  p.f.Editor->SetSel(0, 0);
  Answer<TMacDlg>(p.fx, [](TMacDlg& dlg) {
    Click(dlg.Button1);
    EXPECT_EQ(dlg.ModalResult(), cl::mrNone);
    dlg.Lists[1]->SetItemIndex(0);
    dlg.ListBoxClick(dlg.Lists[1]);
    Click(dlg.Button1);
  });
  cmds.MacAExecute();
  EXPECT_EQ(p.Text().rfind("Back(){button", 0), 0u);

  // Saved, the link is a hotspot that runs the macros, the button is
  // text; loaded again, the topic shows them as they were inserted.
  p.f.TopicCmds->SaveTopic();
  const std::string file = ReadFile(p.f.Project.TopicFilePath(p.IdOf(topic)));
  EXPECT_NE(file.find("}{\\v %!CloseWindow(sub);Back()}"), std::string::npos);
  EXPECT_NE(file.find(",!Back()\\}"), std::string::npos);
  p.f.TopicCmds->LoadTopic();
  EXPECT_NE(p.Text().find("Back(){button 戻る,!Back()}{jmp 閉じる,%!CloseWindow(sub);Back()}"), std::string::npos);
}

// A topic of a real project and three new topics after it on its level,
// each saved by the editor once so that its file has the editor's layout.
struct Siblings : OpenProject {
  std::vector<ContentsNode*> topics;
  Siblings() : OpenProject("calques3d", "Calques3D.hpj") {
    for (ContentsNode* n : f.Project.Contents.Nodes())
      if (n->Kind == kTopicNode) {
        topics.push_back(n);
        break;
      }
    if (topics.empty()) return;
    Open(topics[0]);
    fx.TypeAtEnd("x");
    for (int i = 0; i < 3; ++i) {
      // Each new topic goes after the selected one (before the book that
      // follows) and opens at once; the one before it is saved.
      f.ContentsCmds->AddCntA->Execute();
      topics.push_back(f.Project.OpenTopicNode);
      fx.TypeAtEnd("x");
    }
    Open(topics[0]);
  }
  std::string File(const ContentsNode* n) const { return ReadFile(f.Project.TopicFilePath(IdOf(n))); }
};

TEST(Renumbering, ThreeSiblingsGetTheFollowingNumbersInTheirFiles) {
  Siblings p;
  ASSERT_EQ(p.topics.size(), 4u);
  auto& cmds = p.f.Group<TBrowseRenumberCommands>();
  ASSERT_TRUE(cmds.KId_Auto->Enabled());
  for (const ContentsNode* n : p.topics) ASSERT_TRUE(qm::FileExists(p.f.Project.TopicFilePath(p.IdOf(n))));
  const std::string kept = p.File(p.topics[2]);

  // Refused browse ids are told and change nothing.
  p.f.Project.TopicFootnotes.BrowseId = "grp:x";
  cmds.KId_AutoClick();
  ASSERT_EQ(p.fx.boxes.size(), 1u);
  EXPECT_EQ(p.fx.boxes[0].text, "カレントの参照IDの：の後ろが数値のもののみ対応しています.");
  EXPECT_EQ(p.File(p.topics[2]), kept);

  p.f.Project.TopicFootnotes.BrowseId = "grp:7";
  cmds.KId_AutoClick();
  EXPECT_EQ(p.fx.boxes.size(), 1u);
  EXPECT_EQ(p.f.Project.TopicFootnotes.BrowseId, "grp:0007");
  EXPECT_FALSE(p.f.Editor->Modified());
  EXPECT_NE(p.File(p.topics[0]).find("+{\\footnote grp:0007}"), std::string::npos);
  const char* const numbers[] = {"grp:0008", "grp:0009", "grp:0010"};
  for (std::size_t i = 1; i < 4; ++i) {
    const std::string file = p.File(p.topics[i]);
    EXPECT_NE(file.find(std::string("+{\\footnote ") + numbers[i - 1] + "}"), std::string::npos) << i;
    EXPECT_NE(file.find("#{\\footnote " + p.IdOf(p.topics[i]) + "}"), std::string::npos);
  }
  // Opened in the editor, a sibling shows its new browse id and its text.
  p.Open(p.topics[2]);
  EXPECT_EQ(p.f.Project.TopicFootnotes.BrowseId, "grp:0009");
  EXPECT_NE(p.Text().find('x'), std::string::npos);
}

TEST(Renumbering, AFileThatCannotBeWrittenIsNamed) {
  Siblings p;
  ASSERT_EQ(p.topics.size(), 4u);
  // A folder where the second sibling's new file would be written.
  const std::string blocked = p.f.Project.TopicFilePath(p.IdOf(p.topics[2]));
  const std::string kept = ReadFile(blocked);
  ASSERT_TRUE(qm::CreateDir(blocked + ".~new"));
  p.f.Project.TopicFootnotes.BrowseId = "g:1";
  p.f.Group<TBrowseRenumberCommands>().KId_AutoClick();
  ASSERT_EQ(p.fx.boxes.size(), 1u);
  EXPECT_NE(p.fx.boxes[0].text.find(p.IdOf(p.topics[2])), std::string::npos);
  EXPECT_NE(p.File(p.topics[1]).find("g:0002"), std::string::npos);
  EXPECT_EQ(ReadFile(blocked), kept);
  EXPECT_EQ(p.File(p.topics[3]).find("g:0004"), std::string::npos);
}

TEST(Renumbering, TheSiblingsOfAnotherToolAreNamedAndLeftAlone) {
  Siblings p;
  ASSERT_EQ(p.topics.size(), 4u);
  // A sibling written by another tool: its footnotes below the first body line.
  const std::string foreign = p.f.Project.TopicFilePath(p.IdOf(p.topics[2]));
  const std::string bytes = "{\\rtf1\r\n{\\fonttbl{\\f0 A;}}\r\n#{\\footnote F}\r\n}\r\n";
  qm::WriteFileReplacing(foreign, bytes);
  p.f.Project.TopicFootnotes.BrowseId = "g:1";
  p.f.Group<TBrowseRenumberCommands>().KId_AutoClick();
  ASSERT_EQ(p.fx.boxes.size(), 1u);
  EXPECT_EQ(p.fx.boxes[0].text,
            "次のﾄﾋﾟｯｸは先頭行に脚注がないため, 観覧IDを書き換えませんでした.\r\n" + p.IdOf(p.topics[2]));
  EXPECT_EQ(ReadFile(foreign), bytes);
  EXPECT_NE(p.File(p.topics[3]).find("g:0004"), std::string::npos);
}

}  // namespace
