// The editing surface around the topic editor: cut, copy, paste and undo,
// the format bar (font name and size, bold, italic, underline, the text
// colour), alignment and bullets, the ruler with its three indent markers,
// copying attributes and indents (F5 to F8), the font dialog, the insert
// mode and modified panels, the editor's margins and wheel.
#pragma once

#include <string>

#include "classlib/ComboBox.h"
#include "controls/ComboBoxF.h"
#include "classlib/Panel.h"
#include "editor/CommandGroup.h"

namespace qm::editor {

// The format bar's boxes: flat combo boxes.
using TFormatComboBox = controls::TComboBoxF;

// The ruler: the panel above the editor with a bar at each default tab stop.
class TRulerPanel : public cl::TPanel {
 public:
  using TPanel::TPanel;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class TEditingCommands : public TCommandGroup {
 public:
  explicit TEditingCommands(TMainForm& form);

  // Edit.
  cl::TAction* CutA = nullptr;
  cl::TAction* CopyA = nullptr;
  cl::TAction* PasteA = nullptr;
  cl::TAction* UndoA = nullptr;
  // Format.
  cl::TAction* BoldA = nullptr;
  cl::TAction* ItalicA = nullptr;
  cl::TAction* UnderlineA = nullptr;
  cl::TAction* LeftAlignA = nullptr;
  cl::TAction* RightAlignA = nullptr;
  cl::TAction* CenterAlignA = nullptr;
  cl::TAction* BulletsA = nullptr;
  cl::TMenuItem* BulletsItem = nullptr;
  cl::TAction* AttrCopyA = nullptr;
  cl::TAction* AttrPasteA = nullptr;
  cl::TAction* IndentCopyA = nullptr;
  cl::TAction* IndentPasteA = nullptr;
  cl::TMenuItem* miEditFont = nullptr;
  cl::TAction* ColorA = nullptr;
  cl::TPopupMenu* ColorMenu = nullptr;
  TFormatComboBox* FontName = nullptr;
  TFormatComboBox* FontSize = nullptr;
  // The ruler and its markers.
  TRulerPanel* Ruler = nullptr;
  cl::TPanel* RulerLine = nullptr;
  cl::TPanel* FirstInd = nullptr;
  cl::TPanel* LeftInd = nullptr;
  cl::TPanel* RightInd = nullptr;

  void SelectionChange();
  // Cut, copy, paste and undo after the editor became read-only (all off)
  // or writable (each by the editor's state).
  void EditEnabling();
  void UpdateCutCopy();
  void RichEditChange();
  void ShowModifiedMark(bool modified);
  void EditorInsertChange();
  void SetEditorMargins();
  void FillFontNames();
  void SelectFont();
  void FontSizeChange();
  void FontNameChange();
  void AlignExecute(int tag);
  void BulletsAExecute();
  void SetColor(int color_index);
  void AttrCopyAExecute();
  void AttrPasteAExecute();
  void IndentCopyAExecute();
  void IndentPasteAExecute();
  // A marker dropped at its place: the indents it stands for.
  void FirstIndMouseUp();
  void LeftIndMouseUp();
  void RightIndMouseUp();
  void RulerResize();

  void FormCreated() override;
  void ClipboardChanged() override;

 private:
  void RulerItemMouseDown(cl::TPanel* marker, int x);
  void RulerItemMouseMove(cl::TPanel* marker, int x);
  void SetStyleBit(unsigned bit, bool on);
  bool updating_ = false;  // SelectionChange moves the controls
  bool dragging_ = false;
  int grab_ = 0;
  cl::TTextAttributes copied_attr_;
  int copied_first_ = 0, copied_left_ = 0, copied_right_ = 0;
};

}  // namespace qm::editor
