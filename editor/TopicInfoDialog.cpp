#include "editor/TopicInfoDialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include "classlib/Dialogs.h"
#include "controls/LayoutControls.h"
#include "editor/DialogPlace.h"

namespace qm::editor {

const char kTopicInfoCaption[] = "Quillmark";

namespace {

using cl::ckButton;
using cl::ckEdit;
using cl::ckCustom;
using cl::ckLabel;
using cl::ckMemo;
using cl::ckSpeedButton;

const cl::TControlDesc kCompControls[] = {
    {ckLabel, "Label1", "コンポーネント名(&C)", 8, 12, 120, 14},
    {ckEdit, "CompName", "", 130, 8, 180, 20, "help=145"},
    {ckLabel, "Label2", "プロパティ名(&P)", 8, 40, 120, 14},
    {ckEdit, "PropName", "", 130, 36, 180, 20, "help=146"},
    {ckLabel, "Label3", "メソッド名(&M)", 8, 68, 120, 14},
    {ckEdit, "MethodName", "", 130, 64, 180, 20, "help=147"},
    {ckLabel, "Label4", "イベント名(&E)", 8, 96, 120, 14},
    {ckEdit, "EventName", "", 130, 92, 180, 20, "help=148"},
    {ckButton, "OKBtn", "設定", 154, 124, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 235, 124, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kCompDlg = {"TCompDlg", "Delphiコンポーネントヘルプ作成支援", 318, 156,
                                  "border=dialog focus=CompName", kCompControls};

const cl::TControlDesc kTopicControls[] = {
    {ckLabel, "Label1", "トピックID(&I)", 8, 12, 96, 14},
    {ckEdit, "TidEd", "", 106, 8, 220, 20, "imeoff help=52"},
    {ckSpeedButton, "DelphiBtn", "", 332, 6, 24, 24, "flat glyph=COMPONENTHELP"},
    {ckLabel, "Label2", "観覧ID(B)", 8, 40, 96, 14},
    {ckEdit, "brwEd", "", 106, 36, 250, 20, "imeoff help=53"},
    {ckLabel, "Label3", "タイトル(&T)", 8, 68, 96, 14},
    {ckEdit, "TitleEd", "", 106, 64, 250, 20, "noautoselect help=54"},
    {ckLabel, "Label4", "&Kキーワード", 8, 96, 96, 14},
    {ckEdit, "KKeyEd", "", 106, 92, 250, 20, "help=55"},
    {ckLabel, "Label5", "&Aキーワード", 8, 124, 96, 14},
    {ckEdit, "AKeyEd", "", 106, 120, 250, 20, "help=56"},
    {ckLabel, "Label6", "マクロ(&M)", 8, 152, 96, 14},
    {ckMemo, "MacEd", "", 106, 148, 250, 44, "vscroll help=57"},
    {ckCustom, "WinGrp", "表示ウインドウ(&W)\nデフォルト\nmain\nsub", 8, 198, 348, 42,
     "class=TXpRadioGroup columns=3 index=0 help=58"},
    {ckButton, "OKBtn", "変更", 200, 250, 75, 25, "default"},
    {ckButton, "CancelBtn", "キャンセル", 281, 250, 75, 25, "cancel result=cancel"},
};
const cl::TDialogDesc kSetTopicDlg = {"TSetTopicDlg", "トピック情報設定", 364, 284,
                                      "border=dialog focus=TitleEd", kTopicControls,
                                      qm::controls::MakeLayoutControl};

void Warn(HWND owner, const std::string& text) {
  cl::ShowMessageBox(owner, text, kTopicInfoCaption, MB_OK | MB_ICONWARNING);
}

constexpr UINT_PTR kMacroMenuSubclass = 0x5C03;

// The memo shows the template menu in place of the edit's own menu.
LRESULT CALLBACK MacroMemoProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_CONTEXTMENU) {
    auto* menu = reinterpret_cast<cl::TPopupMenu*>(data);
    POINT p = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (p.x == -1 && p.y == -1) {
      RECT r;
      GetWindowRect(w, &r);
      p = {r.left + 4, r.top + 4};
    }
    menu->Popup(p.x, p.y, GetAncestor(w, GA_ROOT));
    return 0;
  }
  return DefSubclassProc(w, msg, wp, lp);
}

}  // namespace

TCompDlg::TCompDlg()
    : TDialogForm(nullptr, kCompDlg),
      CompName(Get<cl::TEdit>("CompName")),
      PropName(Get<cl::TEdit>("PropName")),
      MethodName(Get<cl::TEdit>("MethodName")),
      EventName(Get<cl::TEdit>("EventName")),
      OKBtn(Get<cl::TButton>("OKBtn")) {
  OKBtn->OnClick = [this](cl::TControl*) {
    const std::string message = CheckComponentNames(Names());
    if (!message.empty()) {
      Warn(Handle(), message);
      return;
    }
    SetModalResult(cl::mrOk);
  };
}

ComponentNames TCompDlg::Names() const {
  return {CompName->Text(), PropName->Text(), MethodName->Text(), EventName->Text()};
}

void TCompDlg::SetNames(const ComponentNames& n) {
  CompName->SetText(n.Component);
  PropName->SetText(n.Property);
  MethodName->SetText(n.Method);
  EventName->SetText(n.Event);
}

TSetTopicDlg::TSetTopicDlg()
    : TDialogForm(nullptr, kSetTopicDlg),
      TidEd(Get<cl::TEdit>("TidEd")),
      brwEd(Get<cl::TEdit>("brwEd")),
      TitleEd(Get<cl::TEdit>("TitleEd")),
      KKeyEd(Get<cl::TEdit>("KKeyEd")),
      AKeyEd(Get<cl::TEdit>("AKeyEd")),
      MacEd(Get<cl::TMemo>("MacEd")),
      WinGrp(Get<qm::controls::TXpRadioGroup>("WinGrp")),
      DelphiBtn(Get<cl::TSpeedButton>("DelphiBtn")),
      OKBtn(Get<cl::TButton>("OKBtn")),
      PopupMenu1(new cl::TPopupMenu(this)) {
  const char* const captions[] = {"mainウインドウ以外を閉じる", "subウインドウを閉じる", "popupの色変更",
                                  "ウインドウ位置の設定"};
  for (int tag = 0; tag < 4; ++tag) {
    cl::TMenuItem* item = PopupMenu1->Items()->AddItem(captions[tag], [this, tag](cl::TMenuItem*) { MacroInput(tag); });
    if (tag == 1) sub1 = item;
  }
  SetWindowSubclass(MacEd->Handle(), MacroMemoProc, kMacroMenuSubclass, reinterpret_cast<DWORD_PTR>(PopupMenu1));
  KKeyEd->OnDblClick = [this](cl::TControl*) {
    if (KKeyEd->Text().empty()) KKeyEd->SetText(TitleEd->Text());
  };
  TitleEd->OnDblClick = [this](cl::TControl*) { TitleEd->SelectAll(); };
  DelphiBtn->OnClick = [this](cl::TControl*) { DelphiBtnClick(); };
  OKBtn->OnClick = [this](cl::TControl*) {
    if (Project) {
      const std::string message = CheckTopicInfo(*Project, Values());
      if (!message.empty()) {
        Warn(Handle(), message);
        return;
      }
    }
    SetModalResult(cl::mrOk);
  };
}

TSetTopicDlg::~TSetTopicDlg() {
  if (MacEd && MacEd->Handle()) RemoveWindowSubclass(MacEd->Handle(), MacroMemoProc, kMacroMenuSubclass);
}

void TSetTopicDlg::SetValues(const TopicInfoValues& v) {
  TidEd->SetText(v.Id);
  brwEd->SetText(v.BrowseId);
  TitleEd->SetText(v.Title);
  kind_ = v.BKeywords;
  KKeyEd->SetText(v.KKeywords);
  AKeyEd->SetText(v.AKeywords);
  MacEd->SetText(v.Macros);
  WinGrp->SetItemIndex(v.Window);
}

TopicInfoValues TSetTopicDlg::Values() const {
  return {TidEd->Text(), brwEd->Text(), TitleEd->Text(), kind_, KKeyEd->Text(), AKeyEd->Text(), MacEd->Text(),
          WinGrp->ItemIndex()};
}

void TSetTopicDlg::SetSubWindow(const std::string& name, bool enabled) {
  sub_window_ = name;
  WinGrp->SetEnabled(enabled);
  sub1->SetEnabled(enabled);
}

void TSetTopicDlg::MacroInput(int tag) {
  MacEd->SetText(AppendMacro(MacEd->Text(), MacroTemplate(tag, sub_window_)));
}

void TSetTopicDlg::DelphiBtnClick() {
  std::string none;
  std::string& last = LastComponentName ? *LastComponentName : none;
  auto dlg = std::make_unique<TCompDlg>();
  PlaceEditorDialog(*dlg, WorkArea);
  dlg->SetNames(ComponentNamesFromKind(kind_, TidEd->Text(), last));
  if (dlg->ShowModal() == cl::mrOk) {
    const ComponentNames n = dlg->Names();
    last = n.Component;
    const ComponentHelpFields f = FillComponentHelp(n);
    TidEd->SetText(f.Id);
    brwEd->SetText(f.BrowseId);
    TitleEd->SetText(f.Title);
    kind_ = f.Kind;
    KKeyEd->SetText(f.KKeywords);
    AKeyEd->SetText(f.AKeywords);
  } else if (last.empty()) {
    last = dlg->CompName->Text();
  }
}

}  // namespace qm::editor
