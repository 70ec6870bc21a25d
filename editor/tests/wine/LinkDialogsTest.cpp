#include <gtest/gtest.h>

#include <memory>

#include "classlib/Application.h"
#include "classlib/tests/ModalTest.h"
#include "editor/LinkDialogs.h"

using namespace qm::editor;
using qmtest::RunModal;

namespace {

struct LinkDialogsTest : ::testing::Test {
  void SetUp() override { cl::Application().Initialize(); }
  static void Click(cl::TControl* c) { SendMessageA(c->Handle(), BM_CLICK, 0, 0); }
};

TEST_F(LinkDialogsTest, JumpFilledAndConfirmedGivesItsMarkup) {
  auto dlg = std::make_unique<TJumpDlg>();
  dlg->SubWindow = "sub";
  dlg->LinkStrEd->SetText("次へ");
  const int result = RunModal(*dlg, [&] {
    dlg->LinkIDEd->SetText("T2");
    dlg->LinkStrEd->SetText("次へ");
    Click(dlg->LinkAttr->Button(1));
    Click(dlg->LinkSubView->Button(1));
    Click(dlg->OKBtn);
  });
  EXPECT_EQ(result, cl::mrOk);
  EXPECT_EQ(dlg->Markup(), "{jmp 次へ,*T2>main}");
  dlg->LinkTypeEd->SetItemIndex(kJumpButton);
  EXPECT_EQ(dlg->Markup(), "{button 次へ,JI(>main,T2)}");
}

TEST_F(LinkDialogsTest, OkStaysOpenUntilTheLinkIsComplete) {
  auto dlg = std::make_unique<TJumpDlg>();
  int stayed = -1;
  const int result = RunModal(*dlg, [&] {
    dlg->LinkIDEd->SetText("T2");
    Click(dlg->OKBtn);  // type 0 without link text
    stayed = dlg->ModalResult();
    Click(dlg->LinkTypeEd->Button(kJumpSideButton));
    Click(dlg->OKBtn);
  });
  EXPECT_EQ(stayed, 0);
  EXPECT_EQ(result, cl::mrOk);
  EXPECT_EQ(dlg->Markup(), "{button ,JI(T2)}\x81\x40");
}

TEST_F(LinkDialogsTest, TheTypeChoosesWhichChoicesApply) {
  auto dlg = std::make_unique<TJumpDlg>();
  dlg->HasSubWindow = true;
  dlg->LinkSubView->SetItemIndex(2);
  // A click on the type group's button disables the window group and its
  // buttons.
  Click(dlg->LinkTypeEd->Button(kPopupText));
  EXPECT_EQ(dlg->LinkTypeEd->ItemIndex(), kPopupText);
  EXPECT_FALSE(dlg->LinkSubView->Enabled());
  EXPECT_FALSE(IsWindowEnabled(dlg->LinkSubView->Button(0)->Handle()));
  EXPECT_EQ(dlg->LinkSubView->ItemIndex(), 2);  // kept, but pop-ups carry no window
  EXPECT_TRUE(dlg->LinkAttr->Enabled());
  Click(dlg->LinkTypeEd->Button(kJumpButton));
  EXPECT_TRUE(dlg->LinkSubView->Enabled());
  EXPECT_TRUE(IsWindowEnabled(dlg->LinkSubView->Button(2)->Handle()));
  EXPECT_FALSE(dlg->LinkAttr->Enabled());
  EXPECT_FALSE(IsWindowEnabled(dlg->LinkAttr->Button(1)->Handle()));
  // Without a second window the window choice stays as it was set.
  auto plain = std::make_unique<TJumpDlg>();
  plain->LinkSubView->SetEnabled(false);
  plain->LinkTypeEd->SetItemIndex(kJumpButton);
  EXPECT_FALSE(plain->LinkSubView->Enabled());
}

TEST_F(LinkDialogsTest, KeywordLinksAndTheButtonCheck) {
  auto alink = std::make_unique<TLinkDlg>();
  alink->LinkStrEd->SetText("表示");
  alink->LinkIDEd->SetText("印刷");
  EXPECT_EQ(alink->Markup(), "{jmp 表示,!AL(\"印刷\")}");
  alink->LinkType->SetChecked(true);
  EXPECT_FALSE(alink->LinkAttr->Enabled());
  EXPECT_EQ(alink->Markup(), "{button 表示,AL(\"印刷\")}");
  auto klink = std::make_unique<TKLinkDlg>();
  klink->LinkIDEd->SetText("k1;k2");
  int stayed = -1;
  const int result = RunModal(*klink, [&] {
    Click(klink->OKBtn);
    stayed = klink->ModalResult();
    Click(klink->LinkType);
    Click(klink->OKBtn);
  });
  EXPECT_EQ(stayed, 0);
  EXPECT_EQ(result, cl::mrOk);
  EXPECT_EQ(klink->Markup(), "{button ,KL(\"k1;k2\")}");
}

TEST_F(LinkDialogsTest, DoubleClickOnAnEmptyEditCopiesTheOther) {
  auto dlg = std::make_unique<TKLinkDlg>();
  dlg->LinkStrEd->SetText("語");
  SendMessageA(dlg->LinkIDEd->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(dlg->LinkIDEd->Text(), "語");
  dlg->LinkIDEd->SetText("x");
  SendMessageA(dlg->LinkStrEd->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(dlg->LinkStrEd->Text(), "語");
}

}  // namespace
