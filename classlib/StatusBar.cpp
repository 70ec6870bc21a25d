#include "classlib/StatusBar.h"

#include <commctrl.h>

namespace cl {

TStatusBar::TStatusBar(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(STATUSCLASSNAMEA, "", CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0);
  SetAlign(TAlign::Bottom);
}

void TStatusBar::SetPanels(const std::vector<int>& widths) {
  panels_.resize(widths.size());
  std::vector<int> edges;
  int x = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    panels_[i].width = widths[i];
    x = widths[i] < 0 ? -1 : x + widths[i];
    edges.push_back(x);
  }
  SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < PanelCount(); ++i) ShowPanel(i);
}

void TStatusBar::ShowPanel(int index) {
  const Panel& p = panels_[static_cast<std::size_t>(index)];
  WPARAM type = static_cast<WPARAM>(index);
  if (p.bevel == TStatusPanelBevel::None) type |= SBT_NOBORDERS;
  if (p.bevel == TStatusPanelBevel::Raised) type |= SBT_POPOUT;
  // The control centres the text after one tab and right-aligns it after two.
  std::string shown = p.alignment == TStatusPanelAlignment::Center  ? "\t" + p.text
                      : p.alignment == TStatusPanelAlignment::Right ? "\t\t" + p.text
                                                                   : p.text;
  SendMessageA(Handle(), SB_SETTEXTA, type, reinterpret_cast<LPARAM>(shown.c_str()));
}

void TStatusBar::SetSimplePanel(bool on) {
  simple_ = on;
  SendMessageA(Handle(), SB_SIMPLE, on ? TRUE : FALSE, 0);
}

void TStatusBar::SetSimpleText(const std::string& text) {
  simple_text_ = text;
  SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  if (index < 0 || index >= PanelCount()) return;
  panels_[static_cast<std::size_t>(index)].text = text;
  ShowPanel(index);
}

std::string TStatusBar::PanelText(int index) const {
  if (index < 0 || index >= PanelCount()) return {};
  return panels_[static_cast<std::size_t>(index)].text;
}

void TStatusBar::SetPanelBevel(int index, TStatusPanelBevel bevel) {
  if (index < 0 || index >= PanelCount()) return;
  panels_[static_cast<std::size_t>(index)].bevel = bevel;
  ShowPanel(index);
}

TStatusPanelBevel TStatusBar::PanelBevel(int index) const {
  if (index < 0 || index >= PanelCount()) return TStatusPanelBevel::Lowered;
  return panels_[static_cast<std::size_t>(index)].bevel;
}

void TStatusBar::SetPanelAlignment(int index, TStatusPanelAlignment alignment) {
  if (index < 0 || index >= PanelCount()) return;
  panels_[static_cast<std::size_t>(index)].alignment = alignment;
  ShowPanel(index);
}

TStatusPanelAlignment TStatusBar::PanelAlignment(int index) const {
  if (index < 0 || index >= PanelCount()) return TStatusPanelAlignment::Left;
  return panels_[static_cast<std::size_t>(index)].alignment;
}

bool TStatusBar::Notify(NMHDR* hdr, LRESULT& result) {
  if (hdr->code == NM_CLICK && OnPanelClick) {
    auto* m = reinterpret_cast<NMMOUSE*>(hdr);
    OnPanelClick(this, static_cast<int>(m->pt.x));
    return true;
  }
  return false;
}

LRESULT TStatusBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) {
    // The bar keeps the height it is given.
    LRESULT r = DefaultProc(msg, wp, lp);
    UpdateBoundsFromWindow();
    return r;
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
