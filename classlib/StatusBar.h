// The status bar with panels.
#pragma once

#include <string>
#include <vector>

#include "classlib/Control.h"

namespace cl {

class TStatusBar : public TControl {
 public:
  TStatusBar(TComponent* owner, TControl* parent);
  // Panel widths; the last panel takes the rest when its width is -1.
  void SetPanels(const std::vector<int>& widths);
  int PanelCount() const { return static_cast<int>(widths_.size()); }
  void SetPanelText(int index, const std::string& text);
  std::string PanelText(int index) const;
  // A click with its x position in the bar.
  std::function<void(TStatusBar*, int x)> OnPanelClick;
  bool Notify(NMHDR* hdr, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::vector<int> widths_;
  std::vector<std::string> texts_;
};

}  // namespace cl
