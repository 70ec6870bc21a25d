// Toolbars that dock in a dock bar or float in a tool window of their own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "classlib/Action.h"
#include "classlib/Control.h"
#include "classlib/ImageList.h"
#include "classlib/Menu.h"

namespace cl {

class TToolBar;
class TControlBar;

enum class TToolButtonStyle { Button, Check, DropDown, Separator };

class TToolButton : public TComponent, public TActionClient {
 public:
  TToolButton(TToolBar* bar, TToolButtonStyle style);
  ~TToolButton() override;
  void SetAction(TAction* a);
  TAction* Action() const { return action_; }
  void SetImageIndex(int i);
  int ImageIndex() const { return image_index_; }
  void SetHint(const std::string& h) { hint_ = h; }
  std::string Hint() const;
  TPopupMenu* DropdownMenu = nullptr;
  std::function<void(TToolButton*)> OnClick;
  TToolButtonStyle Style() const { return style_; }
  int CommandId() const { return id_; }
  void Click();
  void ActionChanged() override;
  void ActionFreed() override;

 private:
  friend class TToolBar;
  TToolBar* bar_;
  TToolButtonStyle style_;
  TAction* action_ = nullptr;
  int image_index_ = -1;
  std::string hint_;
  int id_;
};

class TToolBar : public TControl {
 public:
  // caption: the title of the tool window it floats in.
  TToolBar(TComponent* owner, TControlBar* dock, const std::string& caption);
  TToolButton* AddButton(TAction* action, TToolButtonStyle style = TToolButtonStyle::Button);
  TToolButton* AddSeparator();
  // A control (a combo box) in the row of buttons: a gap of width pixels
  // that the control, a child of the bar, fills.
  void AddControl(TControl* c, int width);
  void SetImages(TImageList* images, TImageList* disabled);
  const std::vector<TToolButton*>& Buttons() const { return buttons_; }
  const std::string& Caption() const { return caption_; }
  TControlBar* Dock() const { return dock_; }
  // Floating: the tool window that holds the bar; docked: nullptr.
  HWND FloatingWindow() const { return float_window_; }
  bool Floating() const { return float_window_ != nullptr; }
  // Floats the bar in a tool window at this screen rectangle.
  void FloatAt(const RECT& screen);
  // Puts a floating bar back into its dock at (left, top).
  void DockAt(int left, int top);
  void SetBarVisible(bool v);
  bool BarVisible() const;
  TPopupMenu* PopupMenu = nullptr;
  // Width and height the buttons need, grip included when docked.
  SIZE IdealSize() const;
  void UpdateButton(TToolButton* b);
  HWND ToolbarHandle() const { return toolbar_; }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

  static constexpr int kGrip = 9;

 private:
  friend class TToolButton;
  void Relayout();
  // Shows or hides the tool window; while its owner is hidden, a shown one
  // waits for the owner to show first.
  void ShowFloatingWindow(bool show);
  LRESULT FloatWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK FloatProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  TControlBar* dock_;
  std::string caption_;
  HWND toolbar_ = nullptr;
  HWND float_window_ = nullptr;
  std::vector<TToolButton*> buttons_;
  // Hosted controls and the index of the gap each fills.
  std::vector<std::pair<TControl*, int>> hosted_;
  void PlaceHosted();
  bool dragging_ = false;
  POINT drag_offset_{};
  RECT drag_dock_{};       // the dock's screen rectangle as the drag began
  int drag_last_row_ = 0;  // the lowest row the bar may be dragged to
  int last_dock_left_ = 0, last_dock_top_ = 0;
};

// The dock bar: toolbars sit in rows at their Left and Top; its height follows them.
class TControlBar : public TControl {
 public:
  TControlBar(TComponent* owner, TControl* parent);
  bool Contains(const TToolBar* bar) const;
  // Moves docked toolbars that overlap one in their row to its right (a bar
  // grows as its buttons are added), then fits the dock's height to the
  // docked, visible toolbars.
  void AdjustHeight();
  static constexpr int kRowHeight = 26;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace cl
