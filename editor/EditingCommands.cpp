#include "editor/EditingCommands.h"

#include <set>

#include "classlib/FontDialog.h"
#include "controls/RichEditEx.h"
#include "core/Cp932.h"
#include "editor/ImageIndexes.h"
#include "editor/RichEditIndentFix.h"
#include "editor/RichEditKeepFix.h"
#include "editor/core/EditingSurface.h"

namespace qm::editor {

using cl::TAction;

LRESULT TRulerPanel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT r;
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const std::string ticks = Text();
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    r.top += 8;
    DrawTextA(dc, ticks.c_str(), static_cast<int>(ticks.size()), &r, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(Handle(), &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return TPanel::WndProc(msg, wp, lp);
}

TEditingCommands::TEditingCommands(TMainForm& form) : TCommandGroup(form) {
  cl::TActionList* list = Form.ActionList1;
  CutA = list->Add("CutA", "切り取り(&T)", cl::scCtrl | 'X', kImgCut);
  CopyA = list->Add("CopyA", "コピー(&C)", cl::scCtrl | 'C', kImgCopy);
  PasteA = list->Add("PasteA", "貼り付け(&P)", cl::scCtrl | 'V', kImgPaste);
  UndoA = list->Add("UndoA", "元に戻す(&U)", cl::scCtrl | 'Z', kImgUndo);
  // Every copy out of the editor, by these actions or by its keys, passes
  // the control's OnCopy, and only that mends the copied RTF.
  Form.Editor->OnCopy = [](cl::TRichEdit* editor, const PARAFORMAT& first) { MendCopiedRtf(*editor, first); };
  Form.Editor->OnPaste = [](cl::TRichEdit* editor) { return PasteMended(*editor); };
  CutA->OnExecute = [this](cl::TComponent*) { SendMessageA(Form.Editor->Handle(), WM_CUT, 0, 0); };
  CopyA->OnExecute = [this](cl::TComponent*) { SendMessageA(Form.Editor->Handle(), WM_COPY, 0, 0); };
  PasteA->OnExecute = [this](cl::TComponent*) { SendMessageA(Form.Editor->Handle(), WM_PASTE, 0, 0); };
  UndoA->OnExecute = [this](cl::TComponent*) { SendMessageA(Form.Editor->Handle(), EM_UNDO, 0, 0); };
  for (TAction* a : {UndoA, CutA, CopyA, PasteA}) {
    a->SetEnabled(false);
    Form.EditClipPlace.Add(a);
    Form.EditBar->AddButton(a);
  }

  BoldA = list->Add("BoldA", "強調(&B)", 0, kImgBold);
  ItalicA = list->Add("ItalicA", "斜体(&T)", 0, kImgItalic);
  UnderlineA = list->Add("UnderlineA", "下線(&U)", 0, kImgUnderline);
  const unsigned styles[] = {cl::fsBold, cl::fsItalic, cl::fsUnderline};
  int i = 0;
  for (TAction* a : {BoldA, ItalicA, UnderlineA}) {
    const unsigned bit = styles[i++];
    a->OnExecute = [this, a, bit](cl::TComponent*) {
      if (updating_) return;
      a->SetChecked(!a->Checked());
      SetStyleBit(bit, a->Checked());
    };
  }
  LeftAlignA = list->Add("LeftAlignA", "左揃え(&L)", 0, kImgAlignLeft);
  RightAlignA = list->Add("RightAlignA", "右揃え(&R)", 0, kImgAlignRight);
  CenterAlignA = list->Add("CenterAlignA", "中央揃え(&E)", 0, kImgCenter);
  i = 0;
  for (TAction* a : {LeftAlignA, RightAlignA, CenterAlignA}) {
    a->Tag = i++;
    a->OnExecute = [this, a](cl::TComponent*) { AlignExecute(a->Tag); };
  }
  BulletsA = list->Add("BulletsA", "箇条書き(&P)", 0, kImgBullets);
  BulletsA->OnExecute = [this](cl::TComponent*) { BulletsAExecute(); };
  AttrCopyA = list->Add("AttrCopyA", "書式のコピー", VK_F5);
  AttrPasteA = list->Add("AttrPasteA", "書式の貼り付け", VK_F6);
  IndentCopyA = list->Add("IndentCopyA", "インデントのコピー", VK_F7);
  IndentPasteA = list->Add("IndentPasteA", "インデントの貼り付け", VK_F8);
  AttrCopyA->OnExecute = [this](cl::TComponent*) { AttrCopyAExecute(); };
  AttrPasteA->OnExecute = [this](cl::TComponent*) { AttrPasteAExecute(); };
  IndentCopyA->OnExecute = [this](cl::TComponent*) { IndentCopyAExecute(); };
  IndentPasteA->OnExecute = [this](cl::TComponent*) { IndentPasteAExecute(); };

  // The colour menu of ColorA: the table's colours, grey before silver.
  ColorMenu = new cl::TPopupMenu(&Form);
  ColorMenu->Name = "ColorMenu";
  for (int index : kColorMenuOrder) {
    cl::TMenuItem* m = ColorMenu->Items()->AddItem(kColorTable[static_cast<std::size_t>(index)].Caption,
                                                   [this, index](cl::TMenuItem*) { SetColor(index); });
    m->Tag = index;
    m->SetImageIndex(kImgColorFirst + index);
  }
  ColorMenu->Items()->SetImages(Form.ImageList4, Form.ImageList5);
  ColorA = list->Add("ColorA", "文字色", 0, kImgTextColor);
  ColorA->SetHint("文字色");
  ColorA->OnExecute = [this](cl::TComponent*) {
    POINT p;
    GetCursorPos(&p);
    ColorMenu->Popup(p.x, p.y, Form.Handle());
  };

  // The format bar: the boxes, then the buttons.
  FontName = new TFormatComboBox(&Form, Form.AttrBar, cl::TComboBoxStyle::DropDown, true);
  FontName->Name = "FontName";
  FontName->SetHint("ﾌｫﾝﾄ名");
  Form.AttrBar->AddControl(FontName, 130);
  FontSize = new TFormatComboBox(&Form, Form.AttrBar);
  FontSize->Name = "FontSize";
  FontSize->SetHint("ﾌｫﾝﾄｻｲｽﾞ");
  FontSize->SetItems({"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"});
  Form.AttrBar->AddControl(FontSize, 44);
  FontName->OnSelect = [this](cl::TControl*) { FontNameChange(); };
  FontSize->OnChange = [this](cl::TControl*) { FontSizeChange(); };
  for (TAction* a : {BoldA, ItalicA, UnderlineA}) Form.AttrBar->AddButton(a, cl::TToolButtonStyle::Check);
  cl::TToolButton* color_button = Form.AttrBar->AddButton(ColorA, cl::TToolButtonStyle::DropDown);
  color_button->DropdownMenu = ColorMenu;
  Form.AttrBar->AddSeparator();
  for (TAction* a : {LeftAlignA, CenterAlignA, RightAlignA, BulletsA}) Form.AttrBar->AddButton(a, cl::TToolButtonStyle::Check);

  // The Format menu.
  miEditFont = Form.FormatPlace.Add("フォント(&F)...", "miEditFont");
  miEditFont->OnClick = [this](cl::TMenuItem*) { SelectFont(); };
  Form.FormatPlace.Add("-");
  for (TAction* a : {LeftAlignA, CenterAlignA, RightAlignA}) Form.FormatPlace.Add(a);
  BulletsItem = Form.FormatPlace.Add(BulletsA);
  Form.FormatPlace.Add("-");
  for (TAction* a : {AttrCopyA, AttrPasteA, IndentCopyA, IndentPasteA}) Form.FormatPlace.Add(a);

  for (TAction* a : {BoldA, ItalicA, UnderlineA, ColorA, LeftAlignA, CenterAlignA, RightAlignA, BulletsA, AttrCopyA,
                     AttrPasteA, IndentCopyA, IndentPasteA}) {
    a->SetEnabled(false);
    Form.TopicOpenCommands.Actions.push_back(a);
  }
  miEditFont->SetEnabled(false);
  Form.TopicOpenCommands.Items.push_back(miEditFont);
  FontName->SetEnabled(false);
  FontSize->SetEnabled(false);
  Form.TopicOpenCommands.Controls.push_back(FontName);
  Form.TopicOpenCommands.Controls.push_back(FontSize);

  // The ruler above the editor: a line and three markers.
  Ruler = new TRulerPanel(&Form, Form.EditorPane);
  Ruler->Name = "Ruler";
  Ruler->SetHeight(24);
  Ruler->SetAlign(cl::TAlign::Top);
  Ruler->SetText(RulerTicks());
  RulerLine = new cl::TPanel(&Form, Ruler);
  RulerLine->SetBevelOuter(cl::TBevelCut::Lowered);
  RulerLine->SetBounds(6, 10, 100, 2);
  struct MarkerDef {
    cl::TPanel** marker;
    const char* name;
    int top, width, height;
  };
  for (const MarkerDef& d : {MarkerDef{&FirstInd, "FirstInd", 1, 9, 9}, MarkerDef{&LeftInd, "LeftInd", 10, 9, 9},
                             MarkerDef{&RightInd, "RightInd", 12, 11, 12}}) {
    auto* m = new cl::TPanel(&Form, Ruler);
    m->Name = d.name;
    m->SetBevelOuter(cl::TBevelCut::Raised);
    m->SetBounds(2, d.top, d.width, d.height);
    m->OnMouseDown = [this, m](cl::TControl*, int button, cl::TShiftState, int x, int) {
      if (button == 0) RulerItemMouseDown(m, x);
    };
    m->OnMouseMove = [this, m](cl::TControl*, cl::TShiftState, int x, int) { RulerItemMouseMove(m, x); };
    *d.marker = m;
  }
  FirstInd->OnMouseUp = [this](cl::TControl*, int, cl::TShiftState, int, int) { FirstIndMouseUp(); };
  LeftInd->OnMouseUp = [this](cl::TControl*, int, cl::TShiftState, int, int) { LeftIndMouseUp(); };
  RightInd->OnMouseUp = [this](cl::TControl*, int, cl::TShiftState, int, int) { RightIndMouseUp(); };
  Ruler->OnResize = [this](cl::TControl*) { RulerResize(); };

  // The editor's events.
  auto* editor = Form.Editor;
  editor->OnSelectionChange = [this](cl::TRichEdit*) { SelectionChange(); };
  editor->OnChange = [this](cl::TRichEdit*) { RichEditChange(); };
  editor->OnInsertChange = [this](controls::TRichEditEx*) { EditorInsertChange(); };
  editor->AutoResize = false;  // the window sets its margins
  Form.EditorPane->OnResize = [this](cl::TControl*) {
    SetEditorMargins();
    SelectionChange();
  };
}

void TEditingCommands::FormCreated() {
  FillFontNames();
  copied_attr_ = Form.Editor->SelAttributes();
  UpdateCutCopy();
  RichEditChange();
  ClipboardChanged();
  SetEditorMargins();
  SelectionChange();
}

void TEditingCommands::ClipboardChanged() {
  // Paste is enabled exactly while the clipboard holds text.
  PasteA->SetEnabled(!Form.Editor->ReadOnly() && IsClipboardFormatAvailable(CF_TEXT) != 0);
}

void TEditingCommands::SelectionChange() {
  updating_ = true;
  try {
    const cl::TParaAttributes p = Form.Editor->Paragraph();
    FirstInd->SetLeft(FirstIndentMarkerLeft(p.FirstIndent));
    LeftInd->SetLeft(LeftIndentMarkerLeft(p.LeftIndent, p.FirstIndent));
    RightInd->SetLeft(RightIndentMarkerLeft(p.RightIndent, Ruler->ClientWidth()));
    const cl::TTextAttributes a = Form.Editor->SelAttributes();
    BoldA->SetChecked((a.Style & cl::fsBold) != 0);
    ItalicA->SetChecked((a.Style & cl::fsItalic) != 0);
    UnderlineA->SetChecked((a.Style & cl::fsUnderline) != 0);
    BulletsA->SetChecked(p.Bullet);
    FontSize->SetText(IntToStr(a.Size));
    FontName->SetText(a.Name);
    LeftAlignA->SetChecked(p.Alignment == cl::TParaAlignment::Left);
    RightAlignA->SetChecked(p.Alignment == cl::TParaAlignment::Right);
    CenterAlignA->SetChecked(p.Alignment == cl::TParaAlignment::Center);
    UpdateCutCopy();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

void TEditingCommands::EditEnabling() {
  if (Form.Editor->ReadOnly()) {
    for (TAction* a : {CutA, CopyA, PasteA, UndoA}) a->SetEnabled(false);
    return;
  }
  UpdateCutCopy();
  RichEditChange();
  ClipboardChanged();
}

void TEditingCommands::UpdateCutCopy() {
  if (Form.Editor->ReadOnly()) return;
  const bool selected = Form.Editor->SelLength() > 0;
  CopyA->SetEnabled(selected);
  CutA->SetEnabled(selected);
}

void TEditingCommands::RichEditChange() {
  if (Form.Editor->ReadOnly()) return;
  ShowModifiedMark(Form.Editor->Modified());
  UndoA->SetEnabled(Form.Editor->CanUndo());
}

void TEditingCommands::ShowModifiedMark(bool modified) {
  Form.StatusBar->SetPanelText(kModifiedPanel, ModifiedText(modified));
}

void TEditingCommands::EditorInsertChange() {
  Form.StatusBar->SetPanelText(kInsertModePanel, InsertModeText(Form.Editor->InsertMode()));
}

void TEditingCommands::SetEditorMargins() {
  RECT r = {6, 0, Form.Editor->ClientWidth() - 6, Form.Editor->ClientHeight()};
  SendMessageA(Form.Editor->Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

namespace {
int CALLBACK AddFontName(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM data) {
  auto* names = reinterpret_cast<std::set<std::string>*>(data);
  std::string name(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE));
  if (!name.empty()) names->insert(std::move(name));
  return 1;
}
}  // namespace

void TEditingCommands::FillFontNames() {
  // The system lists a face once for each of its character sets: the names
  // are made unique here, not by asking the box for each one.
  std::set<std::string> names;
  HDC dc = GetDC(nullptr);
  EnumFontsA(dc, nullptr, AddFontName, reinterpret_cast<LPARAM>(&names));
  ReleaseDC(nullptr, dc);
  for (const std::string& name : names) FontName->Add(name);
}

void TEditingCommands::SetStyleBit(unsigned bit, bool on) {
  cl::TTextAttributes a = Form.Editor->SelAttributes();
  Form.Editor->SetSelStyle(on ? (a.Style | bit) : (a.Style & ~bit));
}

void TEditingCommands::FontSizeChange() {
  if (updating_) return;
  const FontSizeInput in = ParseFontSize(FontSize->Text());
  if (in.Action == FontSizeAction::Apply) {
    Form.Editor->SetSelSize(in.Points);
  } else if (in.Action == FontSizeAction::Restore) {
    updating_ = true;
    FontSize->SetText(IntToStr(Form.Editor->SelAttributes().Size));
    updating_ = false;
  }
}

void TEditingCommands::FontNameChange() {
  if (updating_) return;
  // A name typed that is not in the list is not applied.
  const int i = FontName->ItemIndex();
  if (i >= 0) Form.Editor->SetSelFontName(FontName->Item(i));
}

void TEditingCommands::AlignExecute(int tag) {
  if (updating_) return;
  LeftAlignA->SetChecked(tag == 0);
  RightAlignA->SetChecked(tag == 1);
  CenterAlignA->SetChecked(tag == 2);
  Form.Editor->SetAlignment(static_cast<cl::TParaAlignment>(tag));
}

void TEditingCommands::BulletsAExecute() {
  if (updating_) return;
  const BulletsState b = ToggleBullets(BulletsItem->Checked());
  BulletsA->SetChecked(b.On);
  Form.Editor->SetBullet(b.On);
  const cl::TParaAttributes p = Form.Editor->Paragraph();
  Form.Editor->SetIndents(b.FirstIndent, b.LeftIndent, p.RightIndent);
  SelectionChange();
}

void TEditingCommands::SelectFont() {
  cl::TFontDialog dlg(nullptr);
  const cl::TTextAttributes a = Form.Editor->SelAttributes();
  dlg.FontName = a.Name;
  dlg.FontSize = a.Size;
  dlg.Bold = (a.Style & cl::fsBold) != 0;
  dlg.Italic = (a.Style & cl::fsItalic) != 0;
  dlg.Underline = (a.Style & cl::fsUnderline) != 0;
  dlg.StrikeOut = (a.Style & cl::fsStrikeOut) != 0;
  dlg.Color = a.Color;
  dlg.Effects = true;
  if (dlg.Execute(Form.Handle())) {
    cl::TTextAttributes n;
    n.Name = dlg.FontName;
    n.Size = dlg.FontSize;
    n.Color = dlg.Color;
    n.Style = (dlg.Bold ? cl::fsBold : 0) | (dlg.Italic ? cl::fsItalic : 0) | (dlg.Underline ? cl::fsUnderline : 0) |
              (dlg.StrikeOut ? cl::fsStrikeOut : 0);
    Form.Editor->SetSelAttributes(n);
  }
  Form.Editor->SetFocus();
}

void TEditingCommands::SetColor(int color_index) {
  if (updating_ || color_index < 0 || color_index >= static_cast<int>(kColorTable.size())) return;
  Form.Editor->SetSelColor(kColorTable[static_cast<std::size_t>(color_index)].Color);
}

void TEditingCommands::AttrCopyAExecute() { copied_attr_ = Form.Editor->SelAttributes(); }

void TEditingCommands::AttrPasteAExecute() { Form.Editor->SetSelAttributes(copied_attr_); }

void TEditingCommands::IndentCopyAExecute() {
  const cl::TParaAttributes p = Form.Editor->Paragraph();
  copied_first_ = p.FirstIndent;
  copied_left_ = p.LeftIndent;
  copied_right_ = p.RightIndent;
}

void TEditingCommands::IndentPasteAExecute() {
  Form.Editor->SetIndents(copied_first_, copied_left_, copied_right_);
  SelectionChange();
}

void TEditingCommands::RulerItemMouseDown(cl::TPanel* marker, int x) {
  grab_ = MarkerGrabOffset(marker->Width());
  marker->SetLeft(marker->Left() + x - grab_);
  dragging_ = true;
  SetCapture(marker->Handle());
}

void TEditingCommands::RulerItemMouseMove(cl::TPanel* marker, int x) {
  if (dragging_) marker->SetLeft(marker->Left() + x - grab_);
}

void TEditingCommands::FirstIndMouseUp() {
  dragging_ = false;
  ReleaseCapture();
  const cl::TParaAttributes p = Form.Editor->Paragraph();
  const int first = FirstIndentFromMarker(FirstInd->Left(), grab_);
  Form.Editor->SetIndents(first, p.LeftIndent, p.RightIndent);
  LeftIndMouseUp();
}

void TEditingCommands::LeftIndMouseUp() {
  dragging_ = false;
  ReleaseCapture();
  const cl::TParaAttributes p = Form.Editor->Paragraph();
  Form.Editor->SetIndents(p.FirstIndent, LeftIndentFromMarker(LeftInd->Left(), grab_, p.FirstIndent), p.RightIndent);
  SelectionChange();
}

void TEditingCommands::RightIndMouseUp() {
  dragging_ = false;
  ReleaseCapture();
  const cl::TParaAttributes p = Form.Editor->Paragraph();
  Form.Editor->SetIndents(p.FirstIndent, p.LeftIndent,
                          RightIndentFromMarker(RightInd->Left(), grab_, Ruler->ClientWidth()));
  SelectionChange();
}

void TEditingCommands::RulerResize() {
  RulerLine->SetWidth(Ruler->ClientWidth() - 2 * RulerLine->Left());
}

}  // namespace qm::editor
