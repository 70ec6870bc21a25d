// The status bar with panels.
#pragma once

#include <string>
#include <vector>

#include "classlib/Control.h"

namespace cl {

// The edge a panel is drawn with.
enum class TStatusPanelBevel { Lowered, None, Raised };
// Where a panel's text stands in it.
enum class TStatusPanelAlignment { Left, Center, Right };

class TStatusBar : public TControl {
 public:
  TStatusBar(TComponent* owner, TControl* parent);
  // Panel widths; the last panel takes the rest when its width is -1. New
  // panels are lowered, with their text on the left.
  void SetPanels(const std::vector<int>& widths);
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  void SetPanelText(int index, const std::string& text);
  std::string PanelText(int index) const;
  void SetPanelBevel(int index, TStatusPanelBevel bevel);
  TStatusPanelBevel PanelBevel(int index) const;
  void SetPanelAlignment(int index, TStatusPanelAlignment alignment);
  TStatusPanelAlignment PanelAlignment(int index) const;
  // One text over the whole bar in place of the panels (a menu item's hint
  // while a menu is open); the panels come back with SetSimplePanel(false).
  void SetSimplePanel(bool on);
  bool SimplePanel() const { return simple_; }
  void SetSimpleText(const std::string& text);
  std::string SimpleText() const { return simple_text_; }
  // A click with its x position in the bar.
  std::function<void(TStatusBar*, int x)> OnPanelClick;
  bool Notify(NMHDR* hdr, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  struct Panel {
    int width = 0;
    std::string text;
    TStatusPanelBevel bevel = TStatusPanelBevel::Lowered;
    TStatusPanelAlignment alignment = TStatusPanelAlignment::Left;
  };
  // Hands a panel's text, edge and alignment to the control.
  void ShowPanel(int index);
  std::vector<Panel> panels_;
  bool simple_ = false;
  std::string simple_text_;
};

}  // namespace cl
