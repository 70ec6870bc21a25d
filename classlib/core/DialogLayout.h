// Dialog layouts: a dialog is declared as a static table of control
// descriptions, from which the class library's TDialogForm builds its
// controls. This part is portable: the table's types, the reading of the
// property texts, the checks of a table and the tab order.
//
//   const cl::TControlDesc kControls[] = {
//       {cl::ckLabel, "Label1", "行数", 8, 164, 30, 12},
//       {cl::ckEdit, "RowEd", "2", 40, 160, 40, 20, "readonly help=90"},
//       {cl::ckUpDown, "RowUpDown", "", 80, 160, 15, 20, "associate=RowEd min=1 max=100 pos=2"},
//       {cl::ckButton, "OKBtn", "OK", 200, 190, 75, 25, "default result=1"},
//       {cl::ckButton, "CancelBtn", "キャンセル", 285, 190, 75, 25, "cancel result=2"},
//   };
//   const cl::TDialogDesc kTableDlg = {"TTableDlg", "表作成", 368, 224, "border=dialog", kControls};
//
// Bounds are pixels in the client area of the control's parent, as form
// descriptions give them. Props is a list of words separated by blanks: a
// flag ("default") or a key and a value ("help=90"); a value with blanks is
// quoted with single quotes (font='ＭＳ Ｐゴシック').
#pragma once

#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace cl {

enum TControlKind {
  ckLabel,
  ckButton,
  ckEdit,
  ckMemo,
  ckCheckBox,
  ckRadioButton,
  ckGroupBox,
  ckComboBox,    // Caption: the items, one a line ("\n" between)
  ckListBox,     // Caption: the items
  ckPanel,
  ckImage,
  ckScrollBox,
  ckPageControl,
  ckTabSheet,    // parent: a page control; Caption: the tab's text
  ckUpDown,
  ckListView,    // Caption: the columns, "title:width" one a line
  ckProgressBar,
  ckSpeedButton,
  ckStringGrid,
  // A control of a class the class library does not know: Props names it
  // (class=TXpRadioGroup) and the dialog's Maker builds it, reading the
  // other properties itself.
  ckCustom,
};

struct TControlDesc {
  TControlKind Kind;
  const char* Name;
  const char* Caption;
  int Left, Top, Width, Height;
  const char* Props = "";
};

class TComponent;
class TControl;
class TLayoutProps;

// Builds a ckCustom control of the dialog, owned by owner, in parent, at the
// row's bounds; throws ELayoutError for a class or property it does not know.
using TControlMaker = TComponent* (*)(TComponent* owner, TControl* parent, const TControlDesc& desc,
                                      const TLayoutProps& props);

struct TDialogDesc {
  const char* ClassName;  // the window class of the form ("TTableDlg")
  const char* Caption;
  int ClientWidth, ClientHeight;
  const char* Props;
  std::span<const TControlDesc> Controls;
  // Builds the table's ckCustom rows; a table with such rows needs one.
  TControlMaker Maker = nullptr;
};

// A table that cannot be built: a typing error of the program's author.
class ELayoutError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The properties of one control or of the dialog, read from its Props text.
class TLayoutProps {
 public:
  TLayoutProps() = default;
  // Throws ELayoutError for unbalanced quotes, an empty key or a key given twice.
  explicit TLayoutProps(const std::string& text);

  bool Has(const std::string& key) const { return values_.count(key) != 0; }
  std::string Text(const std::string& key, const std::string& fallback = {}) const;
  // A decimal or 0x-hexadecimal integer; throws ELayoutError for anything else.
  long long Int(const std::string& key, long long fallback = 0) const;
  const std::map<std::string, std::string>& Values() const { return values_; }

 private:
  std::map<std::string, std::string> values_;
};

// The keys a control of this kind accepts.
bool KnownProp(TControlKind kind, const std::string& key);
bool KnownDialogProp(const std::string& key);
const char* KindName(TControlKind kind);
// The lines of a caption ("a\nb" gives a and b; an empty caption none).
std::vector<std::string> CaptionLines(const char* caption);

// Checks a whole table before anything is built and throws ELayoutError
// naming the dialog and the control: empty or repeated names, unknown
// properties, a parent that is not declared before its child or cannot hold
// controls, a tab sheet outside a page control, an up-down without an edit
// to drive, a bad list-view column, more than one default or cancel button.
void CheckLayout(const TDialogDesc& dialog);

// The order in which the controls are created (and so the Tab order): each
// parent's controls follow their tab=N where given and their order of
// declaration otherwise (a control without tab=N counts as its position
// among its siblings); parents come before their children.
std::vector<std::size_t> CreationOrder(const TDialogDesc& dialog);

struct TLayoutRect {
  int Left, Top, Width, Height;
};

// Moves a window of the given bounds into the work area: its left edge is
// raised to the area's, then its top; then it is moved left or up when its
// right or bottom edge passes the area's (so a window larger than the area
// ends flush with its right or bottom edge).
TLayoutRect FitInto(TLayoutRect window, int work_left, int work_top, int work_right,
                    int work_bottom);

}  // namespace cl
