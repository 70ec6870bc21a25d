#include "classlib/StatusBar.h"

#include <commctrl.h>

namespace cl {

TStatusBar::TStatusBar(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(STATUSCLASSNAMEA, "", CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0);
  SetAlign(TAlign::Bottom);
}

void TStatusBar::SetPanels(const std::vector<int>& widths) {
  widths_ = widths;
  texts_.resize(widths.size());
  std::vector<int> edges;
  int x = 0;
  for (int w : widths) {
    x = w < 0 ? -1 : x + w;
    edges.push_back(x);
  }
  SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < texts_.size(); ++i) SetPanelText(static_cast<int>(i), texts_[i]);
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  if (index < 0 || index >= PanelCount()) return;
  texts_[static_cast<std::size_t>(index)] = text;
  SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TStatusBar::PanelText(int index) const {
  if (index < 0 || index >= PanelCount()) return {};
  return texts_[static_cast<std::size_t>(index)];
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
