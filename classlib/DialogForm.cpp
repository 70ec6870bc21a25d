#include "classlib/DialogForm.h"

#include <algorithm>

#include "classlib/Application.h"
#include "classlib/CheckBox.h"
#include "classlib/ComboBox.h"
#include "classlib/GroupBox.h"
#include "classlib/Image.h"
#include "classlib/ListBox.h"
#include "classlib/ListView.h"
#include "classlib/Memo.h"
#include "classlib/PageControl.h"
#include "classlib/Panel.h"
#include "classlib/ProgressBar.h"
#include "classlib/RadioButton.h"
#include "classlib/ScrollBox.h"
#include "classlib/SpeedButton.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringGrid.h"
#include "classlib/UpDown.h"

namespace cl {

namespace {

// Control ids of the dialog's windows start here, clear of menu commands
// and of toolbar buttons.
constexpr int kFirstControlId = 0x6000;

struct TFormStyle {
  DWORD style, ex_style;
};

TFormStyle StyleOf(const TDialogDesc& desc) {
  CheckLayout(desc);
  TLayoutProps p(desc.Props ? desc.Props : "");
  std::string border = p.Text("border", "dialog");
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD ex = WS_EX_CONTROLPARENT;
  if (border == "dialog") {
    style |= DS_MODALFRAME;
    ex |= WS_EX_DLGMODALFRAME;
  } else if (border == "sizeable") {
    style |= WS_THICKFRAME;
  } else if (border == "tool") {
    ex |= WS_EX_TOOLWINDOW;
  } else if (border == "none") {
    style &= ~(WS_CAPTION | WS_SYSMENU);
  }
  if (p.Has("minmax")) style |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  if (p.Has("nosysmenu")) style &= ~WS_SYSMENU;
  if (p.Has("helpbutton")) ex |= WS_EX_CONTEXTHELP;
  if (p.Has("ontop")) ex |= WS_EX_TOPMOST;
  return {style, ex};
}

TAlign AlignOf(const std::string& a) {
  if (a == "top") return TAlign::Top;
  if (a == "bottom") return TAlign::Bottom;
  if (a == "left") return TAlign::Left;
  if (a == "right") return TAlign::Right;
  if (a == "client") return TAlign::Client;
  return TAlign::None;
}

int ResultOf(const std::string& r) {
  if (r == "ok") return mrOk;
  if (r == "cancel") return mrCancel;
  if (r == "yes") return mrYes;
  if (r == "no") return mrNo;
  return r.empty() ? 0 : std::stoi(r, nullptr, 0);
}

std::string MemoText(const char* caption) {
  std::string text;
  for (const std::string& line : CaptionLines(caption)) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

int Int(const TLayoutProps& p, const char* key, long long fallback) {
  return static_cast<int>(p.Int(key, fallback));
}

}  // namespace

TDialogForm::TDialogForm(TComponent* owner, const TDialogDesc& desc)
    : TForm(owner, desc.ClassName, desc.Caption ? desc.Caption : "", StyleOf(desc).style,
            StyleOf(desc).ex_style),
      class_name_(desc.ClassName) {
  Build(desc);
}

void TDialogForm::Build(const TDialogDesc& desc) {
  maker_ = desc.Maker;
  TLayoutProps dprops(desc.Props ? desc.Props : "");
  SetFont(dprops.Text("font", "MS UI Gothic"), Int(dprops, "fontheight", -12));
  HelpContext = Int(dprops, "help", 0);
  SetClientSize(desc.ClientWidth, desc.ClientHeight);

  std::vector<TLayoutProps> props;
  for (const TControlDesc& d : desc.Controls) props.emplace_back(d.Props ? d.Props : "");
  int id = kFirstControlId;
  for (std::size_t i : CreationOrder(desc)) {
    const TControlDesc& d = desc.Controls[i];
    TControl* parent = this;
    if (props[i].Has("parent")) parent = Get<TControl>(props[i].Text("parent"));
    TComponent* c = MakeControl(d, parent, props[i]);
    c->Name = d.Name;
    if (props[i].Has("help")) help_[c] = Int(props[i], "help", 0);
    if (auto* w = dynamic_cast<TControl*>(c)) {
      SetWindowLongPtrA(w->Handle(), GWLP_ID, id++);
      if (props[i].Has("align")) w->SetAlign(AlignOf(props[i].Text("align")));
      if (props[i].Has("disabled")) w->SetEnabled(false);
      if (props[i].Has("hidden")) w->SetVisible(false);
    } else if (auto* g = dynamic_cast<TGraphicControl*>(c)) {
      if (props[i].Has("disabled")) g->SetEnabled(false);
      if (props[i].Has("hidden")) g->SetVisible(false);
    }
  }

  // Bindings that need both ends.
  for (std::size_t i = 0; i < desc.Controls.size(); ++i) {
    const TControlDesc& d = desc.Controls[i];
    if (d.Kind == ckUpDown && props[i].Has("associate")) {
      auto* updown = Get<TUpDown>(d.Name);
      updown->SetAssociate(Get<TEdit>(props[i].Text("associate")));
      if (props[i].Has("pos")) updown->SetPosition(Int(props[i], "pos", 0));
    }
  }

  // Groups for the arrow keys: a run of radio buttons of one parent is one
  // group; every other control is a group of its own.
  for (std::size_t i = 0; i < desc.Controls.size(); ++i) {
    auto* w = dynamic_cast<TControl*>(FindComponent(desc.Controls[i].Name));
    if (!w || !w->Handle()) continue;
    HWND prev = GetWindow(w->Handle(), GW_HWNDPREV);
    bool radio = dynamic_cast<TRadioButton*>(w) != nullptr;
    bool prev_radio = prev && dynamic_cast<TRadioButton*>(TControl::FromHandle(prev)) != nullptr;
    if (!radio || !prev_radio) {
      LONG style = GetWindowLongA(w->Handle(), GWL_STYLE);
      SetWindowLongA(w->Handle(), GWL_STYLE, style | WS_GROUP);
    }
  }

  if (dprops.Has("focus")) {
    if (auto* c = dynamic_cast<TControl*>(FindComponent(dprops.Text("focus")))) SetActiveControl(c);
  }
  if (dprops.Text("position") == "center") CenterOnScreen();
}

TComponent* TDialogForm::MakeControl(const TControlDesc& d, TControl* parent,
                                     const TLayoutProps& p) {
  const std::string caption = d.Caption ? d.Caption : "";
  TControl* w = nullptr;
  switch (d.Kind) {
    case ckLabel: {
      auto* label = new TLabel(this, parent, caption);
      label->SetShowAccelChar(!p.Has("noprefix"));
      if (p.Has("center")) label->SetAlignment(TAlignment::Center);
      if (p.Has("right")) label->SetAlignment(TAlignment::RightJustify);
      w = label;
      break;
    }
    case ckButton: {
      auto* b = new TButton(this, parent, caption, ResultOf(p.Text("result")), p.Has("default"));
      if (p.Has("default")) default_ = b->Handle();
      if (p.Has("cancel")) cancel_ = b->Handle();
      w = b;
      break;
    }
    case ckEdit: {
      auto* e = new TEdit(this, parent);
      e->SetText(caption);
      if (p.Has("readonly")) e->SetReadOnly(true);
      if (p.Has("imeoff")) e->SetImeDisabled(true);
      if (p.Has("noautoselect")) e->AutoSelect = false;
      if (p.Has("maxlength")) e->SetMaxLength(Int(p, "maxlength", 0));
      w = e;
      break;
    }
    case ckMemo: {
      TMemoOptions o;
      o.ScrollBars = (p.Has("vscroll") ? ssVertical : 0) | (p.Has("hscroll") ? ssHorizontal : 0);
      o.WordWrap = !p.Has("nowrap");
      o.WantReturns = p.Has("wantreturns");
      o.WantTabs = p.Has("wanttabs");
      auto* m = new TMemo(this, parent, o);
      m->SetText(MemoText(d.Caption));
      if (p.Has("readonly")) m->SetReadOnly(true);
      if (p.Has("imeoff")) m->SetImeDisabled(true);
      if (p.Has("maxlength")) m->SetMaxLength(Int(p, "maxlength", 0));
      w = m;
      break;
    }
    case ckCheckBox: {
      auto* c = new TCheckBox(this, parent, caption);
      c->SetChecked(p.Has("checked"));
      w = c;
      break;
    }
    case ckRadioButton: {
      auto* r = new TRadioButton(this, parent, caption);
      r->SetChecked(p.Has("checked"));
      w = r;
      break;
    }
    case ckGroupBox:
      w = new TGroupBox(this, parent, caption);
      break;
    case ckComboBox: {
      auto* c = new TComboBox(this, parent,
                              p.Has("list") ? TComboBoxStyle::DropDownList : TComboBoxStyle::DropDown,
                              p.Has("sorted"));
      c->DropDownCount = Int(p, "dropdowncount", 8);
      c->SetItems(CaptionLines(d.Caption));
      if (p.Has("index")) c->SetItemIndex(Int(p, "index", -1));
      w = c;
      break;
    }
    case ckListBox: {
      auto* l = new TListBox(this, parent, p.Has("sorted"));
      l->SetItems(CaptionLines(d.Caption));
      if (p.Has("index")) l->SetItemIndex(Int(p, "index", -1));
      w = l;
      break;
    }
    case ckPanel: {
      auto* panel = new TPanel(this, parent);
      panel->SetText(caption);
      std::string bevel = p.Text("bevel", "none");
      panel->SetBevelOuter(bevel == "raised" ? TBevelCut::Raised
                           : bevel == "lowered" ? TBevelCut::Lowered : TBevelCut::None);
      panel->SetBevelWidth(Int(p, "bevelwidth", 1));
      if (p.Has("color")) panel->SetColor(static_cast<COLORREF>(p.Int("color")));
      w = panel;
      break;
    }
    case ckImage: {
      auto* image = new TImage(this, parent);
      image->SetBounds(d.Left, d.Top, d.Width, d.Height);
      image->SetStretch(p.Has("stretch"));
      image->SetCenter(p.Has("center"));
      image->SetAutoSize(p.Has("autosize"));
      return image;
    }
    case ckScrollBox: {
      auto* box = new TScrollBox(this, parent);
      if (p.Has("color")) box->SetColor(static_cast<COLORREF>(p.Int("color")));
      w = box;
      break;
    }
    case ckPageControl:
      w = new TPageControl(this, parent);
      break;
    case ckTabSheet: {
      auto* pages = dynamic_cast<TPageControl*>(parent);
      auto* sheet = new TTabSheet(this, pages, caption);
      if (p.Has("active")) pages->SetActivePage(sheet);
      return sheet;  // the page control places it
    }
    case ckUpDown: {
      TUpDownOptions o;
      o.Horizontal = p.Has("horizontal");
      o.Wrap = p.Has("wrap");
      o.Thousands = !p.Has("nothousands");
      auto* u = new TUpDown(this, parent, o);
      u->SetRange(Int(p, "min", 0), Int(p, "max", 100));
      if (p.Has("increment")) u->SetIncrement(Int(p, "increment", 1));
      u->SetPosition(Int(p, "pos", 0));
      w = u;
      break;
    }
    case ckListView: {
      TListViewOptions o;
      o.RowSelect = p.Has("rowselect");
      o.ReadOnly = !p.Has("editlabels");
      o.HideSelection = !p.Has("showselalways");
      o.ColumnClick = !p.Has("nosortheader");
      o.GridLines = p.Has("gridlines");
      auto* lv = new TListView(this, parent, o);
      for (const std::string& line : CaptionLines(d.Caption)) {
        std::size_t colon = line.rfind(':');
        lv->AddColumn(line.substr(0, colon), std::stoi(line.substr(colon + 1)));
      }
      w = lv;
      break;
    }
    case ckProgressBar: {
      auto* bar = new TProgressBar(this, parent);
      bar->SetRange(Int(p, "min", 0), Int(p, "max", 100));
      bar->SetPosition(Int(p, "pos", 0));
      w = bar;
      break;
    }
    case ckSpeedButton: {
      auto* b = new TSpeedButton(this, parent, caption);
      b->SetFlat(p.Has("flat"));
      if (p.Has("glyph")) b->LoadGlyph(p.Text("glyph").c_str());
      w = b;
      break;
    }
    case ckCustom:
      return maker_(this, parent, d, p);
    case ckStringGrid: {
      auto* g = new TStringGrid(this, parent, Int(p, "cols", 5), Int(p, "rows", 5));
      g->SetFixedCols(Int(p, "fixedcols", 1));
      g->SetFixedRows(Int(p, "fixedrows", 1));
      if (p.Has("colwidth")) g->SetDefaultColWidth(Int(p, "colwidth", 64));
      if (p.Has("rowheight")) g->SetDefaultRowHeight(Int(p, "rowheight", 24));
      g->SetGridLines(!p.Has("nolines"));
      g->SetEditing(p.Has("editing"));
      w = g;
      break;
    }
  }
  w->SetBounds(d.Left, d.Top, d.Width, d.Height);
  return w;
}

TButton* TDialogForm::DefaultButton() const { return dynamic_cast<TButton*>(TControl::FromHandle(default_)); }
TButton* TDialogForm::CancelButton() const { return dynamic_cast<TButton*>(TControl::FromHandle(cancel_)); }
void TDialogForm::SetDefaultButton(TButton* b) { default_ = b ? b->Handle() : nullptr; }
void TDialogForm::SetCancelButton(TButton* b) { cancel_ = b ? b->Handle() : nullptr; }

int TDialogForm::HelpContextOf(const TComponent* c) const {
  auto it = help_.find(c);
  return it == help_.end() ? 0 : it->second;
}

void TDialogForm::SetHelpContext(const TComponent* c, int context) { help_[c] = context; }

bool TDialogForm::ShowHelp(HWND from) {
  if (!from) from = GetFocus();
  int context = 0;
  for (HWND h = from; h && h != Handle() && IsChild(Handle(), h) && !context; h = GetParent(h))
    context = HelpContextOf(TControl::FromHandle(h));
  if (!context) context = HelpContext;
  if (!context) return false;
  if (OnHelp) {
    OnHelp(context);
  } else if (!Application().HelpFile.empty()) {
    Application().HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(context));
  }
  return true;
}

void TDialogForm::SetClientSize(int width, int height) {
  RECT r = {0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)));
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TDialogForm::PlaceAt(int left, int top) { SetBounds(left, top, Width(), Height()); }

void TDialogForm::PlaceAtCursor(int dx, int dy) {
  POINT p = {0, 0};
  GetCursorPos(&p);
  PlaceAt(p.x + dx, p.y + dy);
  KeepInside(WorkArea());
}

void TDialogForm::CenterOnScreen() {
  RECT w = WorkArea();
  PlaceAt(w.left + (w.right - w.left - Width()) / 2, w.top + (w.bottom - w.top - Height()) / 2);
}

void TDialogForm::KeepInside(const RECT& area) {
  TLayoutRect r = FitInto({Left(), Top(), Width(), Height()}, area.left, area.top, area.right, area.bottom);
  PlaceAt(r.Left, r.Top);
}

RECT TDialogForm::WorkArea() {
  RECT r = {};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0))
    r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return r;
}

bool TDialogForm::ClickButton(HWND button) {
  auto* b = dynamic_cast<TButton*>(TControl::FromHandle(button));
  if (!b || !IsWindowEnabled(button) || !IsWindowVisible(button)) return false;
  b->Command(BN_CLICKED);
  return true;
}

bool TDialogForm::IsShortCut(WORD key, TShiftState shift) {
  HWND focus = GetFocus();
  if (key == VK_F1 && !(shift & (ssShift | ssCtrl | ssAlt))) return ShowHelp();
  if (key >= VK_LEFT && key <= VK_DOWN && !(shift & (ssCtrl | ssAlt))) {
    // The arrows move between the radio buttons of one parent.
    auto* radio = dynamic_cast<TRadioButton*>(TControl::FromHandle(focus));
    if (radio && radio->Parent()) {
      std::vector<HWND> group;
      for (HWND h = GetWindow(GetParent(focus), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (dynamic_cast<TRadioButton*>(TControl::FromHandle(h)) && IsWindowVisible(h) && IsWindowEnabled(h))
          group.push_back(h);
      auto it = std::find(group.begin(), group.end(), focus);
      if (it != group.end() && group.size() > 1) {
        std::size_t i = static_cast<std::size_t>(it - group.begin());
        bool back = key == VK_LEFT || key == VK_UP;
        ::SetFocus(group[(i + (back ? group.size() - 1 : 1)) % group.size()]);
      }
      return true;
    }
  }
  if (key == VK_TAB && (shift & ssCtrl)) {
    // The page control holding the focus, else the first one.
    TPageControl* pages = nullptr;
    for (HWND h = focus; h && h != Handle() && !pages; h = GetParent(h))
      pages = dynamic_cast<TPageControl*>(TControl::FromHandle(h));
    for (std::size_t i = 0; i < Components().size() && !pages; ++i)
      pages = dynamic_cast<TPageControl*>(Components()[i]);
    if (pages) {
      pages->SelectNextPage(!(shift & ssShift));
      return true;
    }
  }
  return TForm::IsShortCut(key, shift);
}

LRESULT TDialogForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case DM_GETDEFID: {
      // Enter: the push button that has the focus, else the default button.
      HWND focus = GetFocus();
      HWND target = dynamic_cast<TButton*>(TControl::FromHandle(focus)) ? focus : default_;
      if (!target || !IsWindow(target)) return 0;
      return MAKELRESULT(GetDlgCtrlID(target), DC_HASDEFID);
    }
    case WM_COMMAND:
      if (lp == 0 || !TControl::FromHandle(reinterpret_cast<HWND>(lp))) {
        // From IsDialogMessage: IDCANCEL for Escape, or the id it was given
        // for Enter without the button's window.
        WORD id = LOWORD(wp);
        if (id == IDCANCEL) {
          ClickButton(cancel_);
          return 0;
        }
        if (id == IDOK) return 0;  // no default button: Enter does nothing
        if (id >= kFirstControlId) {
          for (HWND h : {default_, GetFocus()}) {
            if (h && GetDlgCtrlID(h) == id) {
              ClickButton(h);
              return 0;
            }
          }
        }
      }
      break;
    case WM_HELP: {
      auto* info = reinterpret_cast<HELPINFO*>(lp);
      ShowHelp(info->iContextType == HELPINFO_WINDOW ? static_cast<HWND>(info->hItemHandle) : nullptr);
      return TRUE;
    }
  }
  return TForm::WndProc(msg, wp, lp);
}

}  // namespace cl
