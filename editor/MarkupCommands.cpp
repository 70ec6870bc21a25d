#include "editor/MarkupCommands.h"

#include <richedit.h>

#include <string>

#include "editor/EditingCommands.h"
#include "editor/core/MarkupCommands.h"

namespace qm::editor {

using cl::TAction;
using cl::TMenuItem;

namespace {

// The captions of the line and style choices, in choice order.
constexpr const char* kLineCaptions[kLineChoiceCount] = {"箱(&X)", "上(&T)", "下(&B)", "右(&R)", "左(&L)"};
constexpr const char* kStyleCaptions[kStyleChoiceCount] = {"標準線(&N)", "太線(&B)", "二重線(&2)", "影付き線(&S)"};

// What the rich-edit control says about the caret's display line.
CaretLine CaretLineOf(HWND edit, long caret) {
  CaretLine l;
  l.Caret = caret;
  const LRESULT line = SendMessageA(edit, EM_EXLINEFROMCHAR, 0, caret);
  l.LineStart = static_cast<long>(SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
  l.NextLineStart = static_cast<long>(SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(line + 1), 0));
  if (l.NextLineStart <= l.LineStart) l.NextLineStart = -1;
  if (l.NextLineStart < 0) {
    // The last line ends the text: its length is all that follows its start.
    l.TextLength = l.LineStart + static_cast<long>(SendMessageA(edit, EM_LINELENGTH, l.LineStart, 0));
    return l;
  }
  l.TextLength = l.NextLineStart;
  // The last two characters of the line tell a hard break from a wrap; of a
  // double-byte character only the trail byte is seen, and it is never CR or
  // LF.
  char buf[8] = {};
  TEXTRANGEA tr = {{l.NextLineStart - 2 < l.LineStart ? l.LineStart : l.NextLineStart - 2, l.NextLineStart}, buf};
  const LRESULT got = SendMessageA(edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
  const int n = got > 0 && got < static_cast<LRESULT>(sizeof buf) ? static_cast<int>(got) : 0;
  l.BreakLength = HardBreakLength(n >= 2 ? static_cast<unsigned char>(buf[n - 2]) : -1,
                                  n >= 1 ? static_cast<unsigned char>(buf[n - 1]) : -1);
  return l;
}

// A drop-down button's choice: one in range becomes the remembered one,
// checked alone in the button's menu and shown on the button; any other
// keeps the last. Returns the remembered choice.
int Remember(cl::TPopupMenu* menu, cl::TToolButton* button, TAction* action, int image_base, int count,
             int choice) {
  if (choice >= 0 && choice < count && choice != button->Tag) {
    menu->Items()->Item(choice)->SetChecked(true);
    for (int i = 0; i < count; ++i)
      if (i != choice) menu->Items()->Item(i)->SetChecked(false);
    button->Tag = choice;
    action->SetImageIndex(image_base + choice);
  }
  return static_cast<int>(button->Tag);
}

}  // namespace

TMarkupCommands::TMarkupCommands(TMainForm& form) : TCommandGroup(form) {
  cl::TActionList* list = Form.ActionList1;
  keepA = list->Add("keepA", "折り返しなし(&W)");
  EndA = list->Add("EndA", "属性解除(&E)", cl::scCtrl | 'E');
  TopicIdA = list->Add("TopicIdA", "トピックID(I)");
  NoScrollA = list->Add("NoScrollA", "非スクロール設定(&H)", VK_F10);
  keepA->OnExecute = [this](cl::TComponent*) { keepAExecute(); };
  EndA->OnExecute = [this](cl::TComponent*) { EndAExecute(); };
  TopicIdA->OnExecute = [this](cl::TComponent*) { TopicIdAExecute(); };
  NoScrollA->OnExecute = [this](cl::TComponent*) { NoScrollAExecute(); };

  // The drop-down buttons' menus: radio groups, the first choice checked.
  LineMenu = new cl::TPopupMenu(&Form);
  LineMenu->Name = "LineMenu";
  StyleMenu = new cl::TPopupMenu(&Form);
  StyleMenu->Name = "StyleMenu";
  for (int i = 0; i < kLineChoiceCount; ++i) {
    TMenuItem* m = LineMenu->Items()->AddItem(kLineCaptions[i], [this, i](TMenuItem*) { SetLine(i); });
    m->Tag = i;
    m->RadioItem = true;
    m->SetImageIndex(kLineImageBase + i);
    m->SetChecked(i == 0);
  }
  for (int i = 0; i < kStyleChoiceCount; ++i) {
    TMenuItem* m = StyleMenu->Items()->AddItem(kStyleCaptions[i], [this, i](TMenuItem*) { SetStyle(i); });
    m->Tag = i;
    m->RadioItem = true;
    m->SetImageIndex(kStyleImageBase + i);
    m->SetChecked(i == 0);
  }
  LineMenu->Items()->SetImages(Form.ImageList4, Form.ImageList5);
  StyleMenu->Items()->SetImages(Form.ImageList4, Form.ImageList5);

  // The TopicBar's buttons; a click on the button repeats its choice.
  LineButtonA = list->Add("LineButtonA", "線型", 0, kLineImageBase);
  LineButtonA->SetHint("線型");
  StyleButtonA = list->Add("StyleButtonA", "線種", 0, kStyleImageBase);
  StyleButtonA->SetHint("線種");
  LineButtonA->OnExecute = [this](cl::TComponent*) { SetLine(-1); };
  StyleButtonA->OnExecute = [this](cl::TComponent*) { SetStyle(-1); };
  Form.TopicBar->AddSeparator();
  LineButton = Form.TopicBar->AddButton(LineButtonA, cl::TToolButtonStyle::DropDown);
  LineButton->Name = "LineButton";
  LineButton->DropdownMenu = LineMenu;
  StyleButton = Form.TopicBar->AddButton(StyleButtonA, cl::TToolButtonStyle::DropDown);
  StyleButton->Name = "StyleButton";
  StyleButton->DropdownMenu = StyleMenu;

  // The Insert menu: keep, end, topic id and the two sub-menus; the Format
  // menu: the non-scrolling flag.
  for (TAction* a : {keepA, EndA, TopicIdA}) Form.InsertMarkupPlace.Add(a);
  LineItem = Form.InsertMarkupPlace.Add("線型(&L)", "LineItem");
  for (int i = 0; i < kLineChoiceCount; ++i)
    LineItem->AddItem(kLineCaptions[i], [this, i](TMenuItem*) { SetLine(i); })->Tag = i;
  LineStyleItem = Form.InsertMarkupPlace.Add("線種(&S)", "LineStyleItem");
  for (int i = 0; i < kStyleChoiceCount; ++i)
    LineStyleItem->AddItem(kStyleCaptions[i], [this, i](TMenuItem*) { SetStyle(i); })->Tag = i;
  Form.FormatPlace.Add("-");
  Form.FormatPlace.Add(NoScrollA);

  // The line shortcuts: items of a main-menu item that is never shown, so
  // that only their keys reach them (the message loop takes the keys before
  // the editor, which has uses of its own for Ctrl+Y, Ctrl+U and Ctrl+K).
  ctrlY1 = Form.HiddenPlace.Add("ctrlY1", "ctrlY1", -1, cl::scCtrl | 'Y');
  ctrlU1 = Form.HiddenPlace.Add("ctrlU1", "ctrlU1", -1, cl::scCtrl | 'U');
  ctrlK1 = Form.HiddenPlace.Add("ctrlK1", "ctrlK1", -1, cl::scCtrl | 'K');
  ctrlY1->OnClick = [this](TMenuItem*) { ctrlY1Click(); };
  ctrlU1->OnClick = [this](TMenuItem*) { ctrlU1Click(); };
  ctrlK1->OnClick = [this](TMenuItem*) { ctrlK1Click(); };

  for (TAction* a : {keepA, EndA, TopicIdA, NoScrollA, LineButtonA, StyleButtonA}) {
    a->SetEnabled(false);
    Form.TopicOpenCommands.Actions.push_back(a);
  }
  for (TMenuItem* m : {LineItem, LineStyleItem, ctrlY1, ctrlU1, ctrlK1}) {
    m->SetEnabled(false);
    Form.TopicOpenCommands.Items.push_back(m);
  }
}

void TMarkupCommands::Insert(std::string_view markup) {
  if (Form.Editor->ReadOnly()) return;
  Form.Editor->SetSelText(std::string(markup));
}

void TMarkupCommands::Delete(long start, long length) {
  if (Form.Editor->ReadOnly() || length <= 0) return;
  Form.Editor->SetSel(static_cast<int>(start), static_cast<int>(length));
  Form.Editor->SetSelText("");
}

void TMarkupCommands::SetLine(int choice) {
  if (Form.Editor->ReadOnly()) return;
  Insert(LineMarkup(Remember(LineMenu, LineButton, LineButtonA, kLineImageBase, kLineChoiceCount, choice)));
}

void TMarkupCommands::SetStyle(int choice) {
  if (Form.Editor->ReadOnly()) return;
  Insert(StyleMarkup(Remember(StyleMenu, StyleButton, StyleButtonA, kStyleImageBase, kStyleChoiceCount, choice)));
}

void TMarkupCommands::keepAExecute() { Insert(kKeepMarkup); }

void TMarkupCommands::EndAExecute() { Insert(kEndMarkup); }

void TMarkupCommands::TopicIdAExecute() {
  if (Form.Editor->ReadOnly()) return;
  const TopicIdWrap w = WrapTopicId(Form.Editor->SelText(), Form.Editor->SelStart());
  Form.Editor->SetSelText(w.Text);
  Form.Editor->SetSel(static_cast<int>(w.Caret), 0);
}

void TMarkupCommands::NoScrollAExecute() {
  if (Project.TopicId.empty()) return;
  Project.TopicFootnotes.NoScroll = !Project.TopicFootnotes.NoScroll;
  NoScrollA->SetChecked(Project.TopicFootnotes.NoScroll);
  // The next save writes the footnote block with or without \keepn.
  Form.Editor->SetModified(true);
  Form.Group<TEditingCommands>().ShowModifiedMark(true);
}

void TMarkupCommands::ctrlY1Click() {
  const qm::editor::DeleteRange r = DeleteLineRange(CaretLineOf(Form.Editor->Handle(), Form.Editor->SelStart()));
  Delete(r.Start, r.Length);
}

void TMarkupCommands::ctrlU1Click() {
  const qm::editor::DeleteRange r =
      DeleteToLineStartRange(CaretLineOf(Form.Editor->Handle(), Form.Editor->SelStart()));
  Delete(r.Start, r.Length);
}

void TMarkupCommands::ctrlK1Click() {
  const qm::editor::DeleteRange r =
      DeleteToLineEndRange(CaretLineOf(Form.Editor->Handle(), Form.Editor->SelStart()));
  Delete(r.Start, r.Length);
}

void TMarkupCommands::ShowNoScroll() { NoScrollA->SetChecked(Project.TopicFootnotes.NoScroll); }

}  // namespace qm::editor
