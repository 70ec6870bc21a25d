#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "classlib/tests/ModalTest.h"
#include "editor/TopicInfoDialog.h"

using namespace qm::editor;
using qmtest::RunModal;

namespace {

struct TopicInfoDialogTest : ::testing::Test {
  void SetUp() override {
    cl::Application().Initialize();
    project.AddTopic("abc", 1);
    project.AddTopic("other", 2);
    project.TopicId = "abc";
    cl::SetMessageBoxHook([this](const cl::MessageBoxCall& c) {
      boxes.push_back(c);
      return IDOK;
    });
    dlg->Project = &project;
    dlg->LastComponentName = &last_component;
    dlg->SetValues({"abc", "", "題", "", "", "", "", 0});
    dlg->SetSubWindow("sub", true);
  }
  void TearDown() override { cl::SetMessageBoxHook(nullptr); }
  static void Click(cl::TControl* c) { SendMessageA(c->Handle(), BM_CLICK, 0, 0); }

  // Runs the filler; `fill` answers its dialog once it is up.
  void RunFiller(std::function<void(TCompDlg&)> fill) {
    static std::function<void(TCompDlg&)> step;
    step = std::move(fill);
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      HWND w = FindWindowA("TCompDlg", nullptr);
      auto* comp = dynamic_cast<TCompDlg*>(cl::TControl::FromHandle(w));
      ASSERT_NE(comp, nullptr);
      step(*comp);
    });
    dlg->DelphiBtnClick();
  }

  qm::editor::ProjectModel project;
  std::string last_component;
  std::vector<cl::MessageBoxCall> boxes;
  std::unique_ptr<TSetTopicDlg> dlg = std::make_unique<TSetTopicDlg>();
};

TEST_F(TopicInfoDialogTest, OkShowsTheFirstFailureAndStaysOpen) {
  int stayed = -1;
  const int result = RunModal(*dlg, [&] {
    dlg->TidEd->SetText("ABC");
    Click(dlg->OKBtn);
    stayed = dlg->ModalResult();
    dlg->TidEd->SetText("abc2");
    dlg->brwEd->SetText("grp:1");
    Click(dlg->OKBtn);
  });
  EXPECT_EQ(stayed, 0);
  EXPECT_EQ(result, cl::mrOk);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kTopicIdExistsMessage);
  EXPECT_EQ(boxes[0].caption, "Quillmark");
  EXPECT_EQ(boxes[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
  const TopicInfoValues v = dlg->Values();
  EXPECT_EQ(v.Id, "abc2");
  EXPECT_EQ(v.BrowseId, "grp:1");
  EXPECT_EQ(v.Title, "題");
}

TEST_F(TopicInfoDialogTest, TheFillerWritesEveryFieldAndReadsItsKindBack) {
  RunFiller([](TCompDlg& comp) {
    EXPECT_EQ(comp.CompName->Text(), "");
    comp.CompName->SetText("Gauge");
    comp.PropName->SetText("Caption");
    SendMessageA(comp.OKBtn->Handle(), BM_CLICK, 0, 0);
  });
  TopicInfoValues v = dlg->Values();
  EXPECT_EQ(v.Id, "Gauge_Caption");
  EXPECT_EQ(v.BrowseId, "Gauge_prop:Caption");
  EXPECT_EQ(v.Title, "Gauge.Caption");
  EXPECT_EQ(v.BKeywords, "prop_GaugeCaption");
  EXPECT_EQ(v.KKeywords, "Caption,;Caption,Gauge");
  EXPECT_EQ(v.AKeywords, "Gauge_Caption;Caption_Property;Caption");
  EXPECT_EQ(last_component, "Gauge");
  // Opened again, it shows the names; names it refuses keep it open.
  RunFiller([this](TCompDlg& comp) {
    EXPECT_EQ(comp.CompName->Text(), "Gauge");
    EXPECT_EQ(comp.PropName->Text(), "Caption");
    comp.MethodName->SetText("Refresh");
    SendMessageA(comp.OKBtn->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(comp.ModalResult(), 0);
    EXPECT_EQ(boxes.back().text, kSeveralMembersMessage);
    comp.SetModalResult(cl::mrCancel);
  });
  EXPECT_EQ(dlg->Values().Id, "Gauge_Caption");
}

TEST_F(TopicInfoDialogTest, MacroTemplatesAndTheSecondWindow) {
  dlg->MacroInput(1);
  dlg->MacroInput(0);
  EXPECT_EQ(dlg->Values().Macros, "CloseWindow(sub);CloseSecondarys()");
  EXPECT_TRUE(dlg->sub1->Enabled());
  dlg->SetSubWindow("sub", false);
  EXPECT_FALSE(dlg->sub1->Enabled());
  EXPECT_FALSE(dlg->WinGrp->Enabled());
  // A double click on the empty K keywords takes the title.
  SendMessageA(dlg->KKeyEd->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(dlg->Values().KKeywords, "題");
}

}  // namespace
