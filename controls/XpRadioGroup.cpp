#include "controls/XpRadioGroup.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "classlib/Application.h"
#include "controls/core/RadioGroupLayout.h"

namespace qm::controls {

// ---------------------------------------------------------------------------
// TXpGroupButton

TXpGroupButton::TXpGroupButton(TXpCustomRadioGroup* group)
    : TXpRadioButton(group, group, ""), group_(group) {
  group_->buttons_.push_back(this);
  SetVisible(false);
  SetEnabled(group_->Enabled());
  OnClick = [g = group_](cl::TControl* sender) { g->ButtonClicked(static_cast<TXpGroupButton*>(sender)); };
}

TXpGroupButton::~TXpGroupButton() {
  auto& v = group_->buttons_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

bool TXpGroupButton::Command(WORD code) {
  if (in_click_) return true;
  in_click_ = true;
  bool handled = true;
  try {
    if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
      if (GroupButtonAction(code, Checked(), group_->CanModify()) != TButtonAction::None)
        handled = TXpRadioButton::Command(code);
    } else if (code != BN_SETFOCUS || group_->CanModify()) {
      // Moving onto a button with the arrow keys checks it: a selection
      // change too.
      handled = TXpRadioButton::Command(code);
    }
  } catch (const std::exception& e) {
    cl::Application().HandleException(e);
  }
  in_click_ = false;
  return handled;
}

LRESULT TXpGroupButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN: {
      const LRESULT r = TXpRadioButton::WndProc(msg, wp, lp);
      if (group_->OnKeyDown) {
        WORD key = static_cast<WORD>(wp);
        group_->OnKeyDown(group_, key, cl::CurrentShiftState());
      }
      return r;
    }
    case WM_CHAR:
      if (SwallowGroupKey(static_cast<char>(wp), group_->CanModify())) return 0;
      break;
  }
  return TXpRadioButton::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------------------
// TXpCustomRadioGroup

TXpCustomRadioGroup::TXpCustomRadioGroup(cl::TComponent* owner, cl::TControl* parent, const std::string& caption)
    : TXpCustomGroupBox(owner, parent, caption) {
  // A click on the frame is no click of the group: only its buttons click.
  clicks_notified_ = true;
}

TXpCustomRadioGroup::~TXpCustomRadioGroup() { MatchButtonCount(0); }

void TXpCustomRadioGroup::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  ItemsChanged();
}

void TXpCustomRadioGroup::AddItem(const std::string& item) {
  items_.push_back(item);
  ItemsChanged();
}

void TXpCustomRadioGroup::DeleteItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) throw std::out_of_range("List index out of bounds");
  items_.erase(items_.begin() + index);
  ItemsChanged();
}

void TXpCustomRadioGroup::ClearItems() {
  items_.clear();
  ItemsChanged();
}

void TXpCustomRadioGroup::SetItemIndex(int value) {
  const TItemIndexChange c = controls::SetItemIndex(item_index_, value, ButtonCount(), reading_);
  if (reading_ || !c.changed) {
    item_index_ = c.itemIndex;
    return;
  }
  if (c.uncheck >= 0) buttons_[static_cast<std::size_t>(c.uncheck)]->SetChecked(false);
  item_index_ = c.itemIndex;
  // Checking clicks the button, which reaches ButtonClicked and OnClick.
  if (c.check >= 0) buttons_[static_cast<std::size_t>(c.check)]->SetChecked(true);
}

void TXpCustomRadioGroup::SetColumns(int value) {
  value = ClampRadioColumns(value);
  if (value == columns_) return;
  columns_ = value;
  ArrangeButtons();
  Invalidate();
}

void TXpCustomRadioGroup::EndReading() {
  reading_ = false;
  RefreshButtons();
}

void TXpCustomRadioGroup::ButtonClicked(TXpGroupButton* button) {
  if (updating_) return;
  auto it = std::find(buttons_.begin(), buttons_.end(), button);
  item_index_ = it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
  if (OnClick) OnClick(this);
}

void TXpCustomRadioGroup::ItemsChanged() {
  if (reading_) return;
  item_index_ = ItemIndexAfterItemsChanged(item_index_, static_cast<int>(items_.size()));
  RefreshButtons();
}

void TXpCustomRadioGroup::MatchButtonCount(int count) {
  while (ButtonCount() < count) new TXpGroupButton(this);
  while (ButtonCount() > count) delete buttons_.back();
}

void TXpCustomRadioGroup::RefreshButtons() {
  MatchButtonCount(static_cast<int>(items_.size()));
  for (std::size_t i = 0; i < items_.size(); ++i) buttons_[i]->SetText(items_[i]);
  if (item_index_ >= 0) {
    updating_ = true;
    try {
      Button(item_index_)->SetChecked(true);
    } catch (...) {
      updating_ = false;
      throw;
    }
    updating_ = false;
  }
  ArrangeButtons();
  Invalidate();
}

void TXpCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty() || reading_ || !Handle()) return;
  TEXTMETRICA tm{};
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsA(screen, &tm);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);

  const bool rtl = (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  const std::vector<TButtonPlace> places =
      ArrangeRadioButtons(ButtonCount(), columns_, Width(), Height(), tm.tmHeight, ClientWidth(), rtl);
  HDWP defer = BeginDeferWindowPos(ButtonCount());
  for (std::size_t k = 0; k < buttons_.size(); ++k) {
    const TButtonPlace& p = places[k];
    HWND h = buttons_[k]->Handle();
    if (defer) defer = DeferWindowPos(defer, h, nullptr, p.left, p.top, p.width, p.height,
                                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!defer) SetWindowPos(h, nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  if (defer) EndDeferWindowPos(defer);
  for (TXpGroupButton* b : buttons_) b->SetVisible(true);
}

LRESULT TXpCustomRadioGroup::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
    case WM_SETFONT: {
      const LRESULT r = TXpCustomGroupBox::WndProc(msg, wp, lp);
      if (msg == WM_SETFONT)
        for (TXpGroupButton* b : buttons_) SendMessageA(b->Handle(), WM_SETFONT, wp, lp);
      ArrangeButtons();
      return r;
    }
    case WM_ENABLE: {
      const LRESULT r = TXpCustomGroupBox::WndProc(msg, wp, lp);
      for (TXpGroupButton* b : buttons_) b->SetEnabled(wp != 0);
      return r;
    }
  }
  return TXpCustomGroupBox::WndProc(msg, wp, lp);
}

}  // namespace qm::controls
