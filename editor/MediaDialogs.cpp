#include "editor/MediaDialogs.h"

#include <memory>

#include "classlib/Graphics.h"
#include "controls/LayoutControls.h"
#include "editor/ShgBitmap.h"
#include "editor/core/ShgPicture.h"

namespace qm::editor {

namespace {

using cl::ckButton;
using cl::ckCheckBox;
using cl::ckCustom;
using cl::ckImage;
using cl::ckListBox;

constexpr int kPreviewLeft = 200, kPreviewTop = 8;

const cl::TControlDesc kBmpControls[] = {
    {ckListBox, "BmpList", "", 8, 8, 180, 190, "sorted help=80"},
    {ckImage, "Image1", "", kPreviewLeft, kPreviewTop, 150, 150, "stretch"},
    {ckCheckBox, "CheckBox1", "透過表示", 200, 166, 150, 18, "help=82"},
    {ckCustom, "ViewPos", "表示位置\n文字\n左\n右", 8, 204, 342, 44,
     "class=TXpRadioGroup columns=3 index=0 help=149"},
    {ckButton, "OKBtn", "OK", 194, 256, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 275, 256, 75, 25, "cancel result=2"},
};
const cl::TDialogDesc kBmpDlg = {"TBmpDlg", "グラフィックの挿入", 358, 290, "border=dialog focus=BmpList",
                                 kBmpControls, qm::controls::MakeLayoutControl};

const cl::TControlDesc kMciControls[] = {
    {ckListBox, "MCIList", "", 8, 8, 180, 150, "sorted help=80"},
    {ckCheckBox, "MCI_Ext", "外部(&E)", 200, 8, 130, 18, "help=84"},
    {ckCheckBox, "MCI_Bar", "バー(&B)", 200, 32, 130, 18, "checked disabled help=85"},
    {ckCheckBox, "MCI_Menu", "メニュー(&M)", 200, 56, 130, 18, "checked disabled help=86"},
    {ckCheckBox, "MCI_Rep", "繰り返し(&R)", 200, 80, 130, 18, "disabled help=87"},
    {ckCheckBox, "MCI_Play", "自動再生(&P)", 200, 104, 130, 18, "disabled help=88"},
    {ckButton, "OKBtn", "OK", 174, 166, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 255, 166, 75, 25, "cancel result=2"},
};
const cl::TDialogDesc kMciDlg = {"TMCIDlg", "MCI設定", 338, 200, "border=dialog focus=MCIList", kMciControls};

bool EndsWithNoCase(const std::string& name, const char* ext) {
  const std::string e = ext;
  if (name.size() < e.size()) return false;
  for (std::size_t i = 0; i < e.size(); ++i) {
    char c = name[name.size() - e.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != e[i]) return false;
  }
  return true;
}

}  // namespace

// ---- graphic ---------------------------------------------------------------------

TBmpDlg::TBmpDlg(const std::string& project_dir)
    : cl::TDialogForm(nullptr, kBmpDlg),
      BmpList(Get<cl::TListBox>("BmpList")),
      Image1(Get<cl::TImage>("Image1")),
      CheckBox1(Get<cl::TCheckBox>("CheckBox1")),
      ViewPos(Get<qm::controls::TXpRadioGroup>("ViewPos")),
      OKBtn(Get<cl::TButton>("OKBtn")),
      project_dir_(project_dir) {
  BmpList->OnClick = [this](cl::TControl*) { BmpListClick(); };
  OKBtn->OnClick = [this](cl::TControl*) { OKBtnClick(); };
}

void TBmpDlg::FormShow() {
  BmpList->SetItems(PictureFileNames(project_dir_ + "\\bmp"));
  Chosen = -1;
}

void TBmpDlg::Preview(const std::string& path) {
  auto picture = std::make_unique<cl::TBitmap>();
  try {
    if (EndsWithNoCase(path, ".bmp")) {
      picture->LoadFromFile(path);
    } else if (!LoadShgBitmap(*picture, path)) {
      return;  // refused pictures show nothing
    }
  } catch (const std::exception&) {
    return;  // an empty preview, no message
  }
  if (picture->Width() <= 0 || picture->Height() <= 0) return;
  const PreviewSize size = PicturePreviewSize(picture->Width(), picture->Height());
  Image1->SetBounds(kPreviewLeft, kPreviewTop, size.Width, size.Height);
  Image1->SetGraphic(std::move(picture));
}

void TBmpDlg::BmpListClick() {
  const int i = BmpList->ItemIndex();
  if (i == Chosen) return;
  Chosen = i;
  Image1->Clear();
  if (i < 0) return;
  Preview(project_dir_ + "\\bmp\\" + BmpList->Item(i));
}

void TBmpDlg::OKBtnClick() {
  if (Chosen != -1) SetModalResult(cl::mrOk);
}

std::string TBmpDlg::Markup() const {
  PicturePlacement at = PicturePlacement::InLine;
  if (ViewPos->ItemIndex() == 1) at = PicturePlacement::Left;
  if (ViewPos->ItemIndex() == 2) at = PicturePlacement::Right;
  return PictureMarkup(at, CheckBox1->Checked(), BmpList->Item(Chosen));
}

// ---- MCI -----------------------------------------------------------------------------

TMCIDlg::TMCIDlg(const std::string& project_dir)
    : cl::TDialogForm(nullptr, kMciDlg),
      MCIList(Get<cl::TListBox>("MCIList")),
      MCI_Ext(Get<cl::TCheckBox>("MCI_Ext")),
      MCI_Bar(Get<cl::TCheckBox>("MCI_Bar")),
      MCI_Menu(Get<cl::TCheckBox>("MCI_Menu")),
      MCI_Rep(Get<cl::TCheckBox>("MCI_Rep")),
      MCI_Play(Get<cl::TCheckBox>("MCI_Play")),
      OKBtn(Get<cl::TButton>("OKBtn")),
      project_dir_(project_dir) {
  MCIList->OnClick = [this](cl::TControl*) { MCIListClick(); };
  OKBtn->OnClick = [this](cl::TControl*) { OKBtnClick(); };
}

void TMCIDlg::FormShow() {
  MCIList->SetItems(MediaFileNames(project_dir_));
  Chosen = -1;
}

void TMCIDlg::MCIListClick() {
  const int i = MCIList->ItemIndex();
  if (i == Chosen) return;
  Chosen = i;
  // Only video takes the bar, menu, repeat and play options; the ticks stay.
  const bool video = i >= 0 && IsVideoFile(MCIList->Item(i));
  for (cl::TCheckBox* c : {MCI_Bar, MCI_Menu, MCI_Rep, MCI_Play}) c->SetEnabled(video);
}

void TMCIDlg::OKBtnClick() {
  if (Chosen != -1) SetModalResult(cl::mrOk);
}

std::string TMCIDlg::Markup() const {
  MediaOptions o;
  o.External = MCI_Ext->Checked();
  o.PlayBar = MCI_Bar->Checked();
  o.Menu = MCI_Menu->Checked();
  o.Repeat = MCI_Rep->Checked();
  o.AutoPlay = MCI_Play->Checked();
  return MediaMarkup(MCIList->Item(Chosen), o);
}

}  // namespace qm::editor
