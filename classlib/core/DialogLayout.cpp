#include "classlib/core/DialogLayout.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace cl {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Keys every control accepts.
const char* const kCommonKeys[] = {"parent", "tab", "help", "disabled", "hidden", "align"};

struct TKindKeys {
  TControlKind kind;
  const char* name;
  std::vector<const char*> keys;
};

const std::vector<TKindKeys>& KindTable() {
  static const std::vector<TKindKeys> table = {
      {ckLabel, "label", {"center", "right", "noprefix"}},
      {ckButton, "button", {"default", "cancel", "result"}},
      {ckEdit, "edit", {"readonly", "imeoff", "noautoselect", "maxlength"}},
      {ckMemo, "memo",
       {"readonly", "imeoff", "vscroll", "hscroll", "wantreturns", "wanttabs", "nowrap",
        "maxlength"}},
      {ckCheckBox, "check box", {"checked"}},
      {ckRadioButton, "radio button", {"checked"}},
      {ckGroupBox, "group box", {}},
      {ckComboBox, "combo box", {"list", "sorted", "index", "dropdowncount"}},
      {ckListBox, "list box", {"sorted", "index"}},
      {ckPanel, "panel", {"bevel", "bevelwidth", "color"}},
      {ckImage, "image", {"stretch", "center", "autosize"}},
      {ckScrollBox, "scroll box", {"color"}},
      {ckPageControl, "page control", {}},
      {ckTabSheet, "tab sheet", {"active"}},
      {ckUpDown, "up-down",
       {"associate", "min", "max", "pos", "increment", "wrap", "nothousands", "horizontal"}},
      {ckListView, "list view", {"rowselect", "showselalways", "editlabels", "nosortheader",
                                 "gridlines"}},
      {ckProgressBar, "progress bar", {"min", "max", "pos"}},
      {ckSpeedButton, "speed button", {"flat", "glyph"}},
      {ckStringGrid, "string grid",
       {"cols", "rows", "fixedcols", "fixedrows", "colwidth", "rowheight", "editing", "nolines"}},
  };
  return table;
}

const TKindKeys& KindEntry(TControlKind kind) {
  for (const TKindKeys& k : KindTable())
    if (k.kind == kind) return k;
  throw ELayoutError("Unknown control kind " + std::to_string(static_cast<int>(kind)));
}

bool IsContainer(TControlKind kind) {
  return kind == ckGroupBox || kind == ckPanel || kind == ckScrollBox || kind == ckTabSheet ||
         kind == ckPageControl;
}

bool ParseInt(const std::string& text, long long& value) {
  if (text.empty()) return false;
  const char* begin = text.c_str();
  char* end = nullptr;
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  value = std::strtoll(hex ? begin + 2 : begin, &end, hex ? 16 : 10);
  return end && *end == '\0' && end != (hex ? begin + 2 : begin);
}

bool OneOf(const std::string& v, std::initializer_list<const char*> allowed) {
  for (const char* a : allowed)
    if (v == a) return true;
  return false;
}

}  // namespace

TLayoutProps::TLayoutProps(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size()) break;
    std::size_t key_start = i;
    while (i < text.size() && !IsBlank(text[i]) && text[i] != '=') ++i;
    std::string key = text.substr(key_start, i - key_start);
    std::string value;
    if (i < text.size() && text[i] == '=') {
      ++i;
      if (i < text.size() && text[i] == '\'') {
        std::size_t close = text.find('\'', i + 1);
        if (close == std::string::npos) throw ELayoutError("Unclosed quote in \"" + text + "\"");
        value = text.substr(i + 1, close - i - 1);
        i = close + 1;
      } else {
        std::size_t value_start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        value = text.substr(value_start, i - value_start);
      }
    }
    if (key.empty()) throw ELayoutError("Empty property name in \"" + text + "\"");
    if (!values_.emplace(key, value).second)
      throw ELayoutError("Property " + key + " given twice in \"" + text + "\"");
  }
}

std::string TLayoutProps::Text(const std::string& key, const std::string& fallback) const {
  auto it = values_.find(key);
  return it == values_.end() ? fallback : it->second;
}

long long TLayoutProps::Int(const std::string& key, long long fallback) const {
  auto it = values_.find(key);
  if (it == values_.end()) return fallback;
  long long v = 0;
  if (!ParseInt(it->second, v)) throw ELayoutError("Property " + key + " is not a number: " + it->second);
  return v;
}

bool KnownProp(TControlKind kind, const std::string& key) {
  if (kind == ckCustom) return true;  // its maker reads and checks them
  for (const char* k : kCommonKeys)
    if (key == k) return true;
  for (const char* k : KindEntry(kind).keys)
    if (key == k) return true;
  return false;
}

bool KnownDialogProp(const std::string& key) {
  return OneOf(key, {"border", "minmax", "nosysmenu", "helpbutton", "ontop", "position", "focus",
                     "font", "fontheight", "help"});
}

const char* KindName(TControlKind kind) { return KindEntry(kind).name; }

std::vector<std::string> CaptionLines(const char* caption) {
  std::vector<std::string> lines;
  std::string text = caption ? caption : "";
  if (text.empty()) return lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t nl = text.find('\n', start);
    lines.push_back(text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return lines;
}

void CheckLayout(const TDialogDesc& dialog) {
  const std::string where = std::string(dialog.ClassName ? dialog.ClassName : "?") + ": ";
  auto fail = [&](const std::string& control, const std::string& what) {
    throw ELayoutError(where + (control.empty() ? "" : control + ": ") + what);
  };

  TLayoutProps dprops;
  try {
    dprops = TLayoutProps(dialog.Props ? dialog.Props : "");
  } catch (const ELayoutError& e) {
    fail("", e.what());
  }
  for (const auto& [key, value] : dprops.Values())
    if (!KnownDialogProp(key)) fail("", "unknown property " + key);
  if (dprops.Has("border") &&
      !OneOf(dprops.Text("border"), {"dialog", "tool", "sizeable", "single", "none"}))
    fail("", "border must be dialog, tool, sizeable, single or none");
  if (dprops.Has("position") && !OneOf(dprops.Text("position"), {"center", "none"}))
    fail("", "position must be center or none");

  std::map<std::string, TControlKind> kinds;
  int defaults = 0, cancels = 0;
  for (const TControlDesc& c : dialog.Controls) {
    std::string name = c.Name ? c.Name : "";
    if (name.empty()) fail("", "a control has no name");
    TLayoutProps props;
    try {
      props = TLayoutProps(c.Props ? c.Props : "");
      for (const auto& [key, value] : props.Values()) {
        if (!KnownProp(c.Kind, key))
          fail(name, std::string("a ") + KindName(c.Kind) + " has no property " + key);
      }
      for (const char* numeric : {"tab", "help", "result", "maxlength", "index", "dropdowncount",
                                  "bevelwidth", "color", "min", "max", "pos", "increment", "cols",
                                  "rows", "fixedcols", "fixedrows", "colwidth", "rowheight"}) {
        std::string v = props.Text(numeric);
        if (!props.Has(numeric) || (std::string(numeric) == "result" &&
                                    OneOf(v, {"ok", "cancel", "yes", "no"})))
          continue;
        props.Int(numeric);
      }
    } catch (const ELayoutError& e) {
      if (std::string(e.what()).rfind(where, 0) == 0) throw;
      fail(name, e.what());
    }
    if (c.Width < 0 || c.Height < 0) fail(name, "negative size");

    if (props.Has("parent")) {
      std::string parent = props.Text("parent");
      auto it = kinds.find(parent);
      if (it == kinds.end()) fail(name, "parent " + parent + " is not declared before it");
      if (!IsContainer(it->second)) fail(name, "parent " + parent + " cannot hold controls");
      if ((it->second == ckPageControl) != (c.Kind == ckTabSheet))
        fail(name, "a page control holds tab sheets, and a tab sheet needs a page control");
    } else if (c.Kind == ckTabSheet) {
      fail(name, "a tab sheet needs a page control as its parent");
    }
    if (props.Has("align") &&
        !OneOf(props.Text("align"), {"none", "top", "bottom", "left", "right", "client"}))
      fail(name, "align must be none, top, bottom, left, right or client");
    if (props.Has("bevel") && !OneOf(props.Text("bevel"), {"none", "raised", "lowered"}))
      fail(name, "bevel must be none, raised or lowered");
    if (c.Kind == ckCustom) {
      if (props.Text("class").empty()) fail(name, "a custom control needs class=");
      if (!dialog.Maker) fail(name, "a custom control needs the dialog's Maker");
    }
    if (props.Has("default")) ++defaults;
    if (props.Has("cancel")) ++cancels;
    if (c.Kind == ckListView) {
      for (const std::string& line : CaptionLines(c.Caption)) {
        std::size_t colon = line.rfind(':');
        long long w = 0;
        if (colon == std::string::npos || !ParseInt(line.substr(colon + 1), w) || w < 0)
          fail(name, "a column must be written title:width, not \"" + line + "\"");
      }
    }
    if (c.Kind == ckStringGrid) {
      long long cols = props.Int("cols", 5), rows = props.Int("rows", 5);
      if (cols < 1 || rows < 1) fail(name, "a grid needs a column and a row");
      if (props.Int("fixedcols", 1) >= cols || props.Int("fixedrows", 1) >= rows ||
          props.Int("fixedcols", 1) < 0 || props.Int("fixedrows", 1) < 0)
        fail(name, "the fixed columns and rows must leave a cell to edit");
    }
    if (!kinds.emplace(name, c.Kind).second) fail(name, "the name is used twice");
  }
  if (defaults > 1) fail("", "more than one default button");
  if (cancels > 1) fail("", "more than one cancel button");

  for (const TControlDesc& c : dialog.Controls) {
    TLayoutProps props(c.Props ? c.Props : "");
    if (c.Kind == ckUpDown && props.Has("associate")) {
      auto it = kinds.find(props.Text("associate"));
      if (it == kinds.end() || it->second != ckEdit)
        fail(c.Name, "associate must name an edit of the dialog");
    }
  }
  if (dprops.Has("focus") && !kinds.count(dprops.Text("focus")))
    fail("", "focus names no control: " + dprops.Text("focus"));
}

std::vector<std::size_t> CreationOrder(const TDialogDesc& dialog) {
  struct TEntry {
    std::size_t index;
    std::string parent;
    long long key;
  };
  std::vector<TEntry> entries;
  std::map<std::string, long long> sibling_count;
  for (std::size_t i = 0; i < dialog.Controls.size(); ++i) {
    TLayoutProps props(dialog.Controls[i].Props ? dialog.Controls[i].Props : "");
    std::string parent = props.Text("parent");
    long long position = sibling_count[parent]++;
    entries.push_back({i, parent, props.Has("tab") ? props.Int("tab") : position});
  }
  // Children of one parent in tab order; a parent before its children.
  std::vector<std::size_t> order;
  std::set<std::string> placed_parents;
  std::vector<std::string> pending = {""};
  while (!pending.empty()) {
    std::string parent = pending.front();
    pending.erase(pending.begin());
    std::vector<TEntry> children;
    for (const TEntry& e : entries)
      if (e.parent == parent) children.push_back(e);
    std::stable_sort(children.begin(), children.end(),
                     [](const TEntry& a, const TEntry& b) { return a.key < b.key; });
    for (const TEntry& e : children) {
      order.push_back(e.index);
      std::string name = dialog.Controls[e.index].Name;
      if (placed_parents.insert(name).second) pending.push_back(name);
    }
  }
  return order;
}

TLayoutRect FitInto(TLayoutRect w, int work_left, int work_top, int work_right, int work_bottom) {
  if (w.Left < work_left) w.Left = work_left;
  if (w.Top < work_top) w.Top = work_top;
  if (w.Left + w.Width > work_right) w.Left = work_right - w.Width;
  if (w.Top + w.Height > work_bottom) w.Top = work_bottom - w.Height;
  return w;
}

}  // namespace cl
