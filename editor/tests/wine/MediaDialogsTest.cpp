#include <gtest/gtest.h>

#include "WineTestUtil.h"
#include "classlib/tests/ModalTest.h"
#include "core/FileSystem.h"
#include "editor/MediaCommands.h"
#include "editor/MediaDialogs.h"
#include "editor/ShgBitmap.h"

using namespace qm::editor::test;
using namespace qm::editor;

namespace {

template <class L>
void Choose(L* list, const std::string& name) {
  for (int i = 0; i < list->Count(); ++i) {
    if (list->Item(i) == name) {
      list->SetItemIndex(i);
      return;
    }
  }
  ADD_FAILURE() << "not listed: " << name;
}

struct MediaFixture {
  EditorFixture fx;
  std::string dir = CopyProject("andes-fbd");
  TMainForm& f = *fx.form;
  TMediaCommands& cmds = f.Group<TMediaCommands>();
  MediaFixture() {
    fx.dialog_answers = {dir + "\\FBD.hpj"};
    f.ProjectCmds->OpenAExecute(nullptr);
    // Pictures that help files carried, renamed as the editor's own.
    const std::string embedded = std::string(QM_TESTDATA_DIR) + "/shg/hlp-embedded/";
    const std::pair<const char*, const char*> copies[] = {
        {"DISKARC_bm0_dib4_pack1.lp", "pack1.shg"},
        {"DISKARC_bm9_dib4_pack2.lp", "pack2.shg"},
        {"FLARIUM24_bm21_dib8_pack3.lp", "pack3.mrb"},
        {"FBD_bm91_metafile_pack0.lp", "meta.shg"},
    };
    for (auto [from, to] : copies) CopyFileA((embedded + from).c_str(), (dir + "\\bmp\\" + to).c_str(), FALSE);
    for (const char* name : {"\\movie.avi", "\\sound.wav"}) {
      HANDLE h = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      CloseHandle(h);
    }
    for (ContentsNode* n : f.Project.Contents.Nodes()) {
      if (n->Kind == kTopicNode) {
        fx.ClickTopic(f.Project.TopicIds.Id(static_cast<std::size_t>(n->Data)));
        break;
      }
    }
    f.Editor->SetSel(0, 0);
  }
};

TEST(GraphicDialog, ThePicturesPreviewAndTheChosenOneIsInserted) {
  MediaFixture m;
  ASSERT_TRUE(m.cmds.BmpA->Enabled());
  Answer<TBmpDlg>(m.fx, [](TBmpDlg& dlg) {
    // OK does nothing until a picture is chosen.
    dlg.OKBtn->Command(BN_CLICKED);
    EXPECT_EQ(dlg.ModalResult(), cl::mrNone);
    // A packed bitmap and a metafile preview, at most 150 pixels a side.
    for (const char* name : {"pack1.shg", "meta.shg", "ACCDLG.SHG", "Force.bmp"}) {
      Choose(dlg.BmpList, name);
      dlg.BmpListClick();
      ASSERT_NE(dlg.Image1->Graphic(), nullptr) << name;
      EXPECT_LE(dlg.Image1->Width(), 150) << name;
      EXPECT_LE(dlg.Image1->Height(), 150) << name;
      EXPECT_GT(dlg.Image1->Width(), 0) << name;
    }
    // Packings 2 and 3: an empty preview and no message.
    for (const char* name : {"pack2.shg", "pack3.mrb"}) {
      Choose(dlg.BmpList, name);
      dlg.BmpListClick();
      EXPECT_TRUE(dlg.Image1->Empty()) << name;
    }
    Choose(dlg.BmpList, "ACCDLG.SHG");
    dlg.BmpListClick();
    SendMessageA(dlg.ViewPos->Button(1)->Handle(), BM_CLICK, 0, 0);
    dlg.CheckBox1->SetChecked(true);
    dlg.OKBtn->Command(BN_CLICKED);
  }, cl::mrCancel);
  m.cmds.BmpA->Execute();
  EXPECT_EQ(m.f.Editor->PlainText().find("{bmlt ACCDLG.SHG}"), 0u);
  EXPECT_TRUE(m.fx.boxes.empty());
}

// The reader fills the bitmap from a bitmap or a metafile picture, leaves
// it alone for a refused file and throws for a file it cannot read.
TEST(GraphicDialog, LoadShgBitmapReadsBitmapsAndMetafilesAndRefusesOthers) {
  const std::string embedded = std::string(QM_TESTDATA_DIR) + "/shg/hlp-embedded/";
  cl::TBitmap bitmap;
  ASSERT_TRUE(LoadShgBitmap(bitmap, embedded + "DISKARC_bm0_dib4_pack1.lp"));
  EXPECT_GT(bitmap.Width(), 0);
  const int width = bitmap.Width();
  EXPECT_FALSE(LoadShgBitmap(bitmap, embedded + "DISKARC_bm9_dib4_pack2.lp"));
  EXPECT_EQ(bitmap.Width(), width);
  cl::TBitmap drawn;
  ASSERT_TRUE(LoadShgBitmap(drawn, embedded + "FBD_bm91_metafile_pack0.lp"));
  ASSERT_GT(drawn.Width(), 0);
  ASSERT_GT(drawn.Height(), 0);
  // The metafile is drawn: not every pixel is the white it was cleared to.
  bool drawn_on = false;
  HDC dc = drawn.Canvas().Handle();
  for (int y = 0; y < drawn.Height() && !drawn_on; y += 2)
    for (int x = 0; x < drawn.Width() && !drawn_on; x += 2) drawn_on = GetPixel(dc, x, y) != 0xFFFFFF;
  EXPECT_TRUE(drawn_on);
  EXPECT_THROW(LoadShgBitmap(bitmap, embedded + "missing.lp"), qm::FileError);
}

TEST(MciDialog, SoundAndVideoMarkupWithTheirOptions) {
  MediaFixture m;
  Answer<TMCIDlg>(m.fx, [](TMCIDlg& dlg) {
    ASSERT_EQ(dlg.MCIList->Count(), 2);
    Choose(dlg.MCIList, "sound.wav");
    dlg.MCIListClick();
    EXPECT_FALSE(dlg.MCI_Bar->Enabled());
    dlg.MCI_Ext->SetChecked(true);
    dlg.OKBtn->Command(BN_CLICKED);
  }, cl::mrCancel);
  m.cmds.MciA->Execute();
  EXPECT_EQ(m.f.Editor->PlainText().find("{mci EXTERNAL PLAY,sound.wav}"), 0u);

  m.f.Editor->SetSel(0, 0);
  Answer<TMCIDlg>(m.fx, [](TMCIDlg& dlg) {
    Choose(dlg.MCIList, "movie.avi");
    dlg.MCIListClick();
    EXPECT_TRUE(dlg.MCI_Bar->Enabled());
    EXPECT_TRUE(dlg.MCI_Play->Enabled());
    dlg.MCI_Bar->SetChecked(false);
    dlg.OKBtn->Command(BN_CLICKED);
  }, cl::mrCancel);
  m.cmds.MciA->Execute();
  EXPECT_EQ(m.f.Editor->PlainText().find("{mci NOPLAYBAR,movie.avi}{mci EXTERNAL"), 0u);
}

}  // namespace
