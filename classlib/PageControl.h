// Page controls: tabs over a stack of tab sheets, of which the chosen one
// is shown. A tab sheet is the container of its page's controls and fills
// the page control's display area.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/Control.h"

namespace cl {

class TPageControl;

class TTabSheet : public TControl {
 public:
  // Adds a page at the end of the page control.
  TTabSheet(TComponent* owner, TPageControl* page_control, const std::string& caption);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return page_control_; }
  int PageIndex() const;
  // The tab's text.
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& caption);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend class TPageControl;
  TPageControl* page_control_;
};

class TPageControl : public TControl {
 public:
  TPageControl(TComponent* owner, TControl* parent);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Page(int i) const { return pages_.at(static_cast<std::size_t>(i)); }
  TTabSheet* ActivePage() const;
  int ActivePageIndex() const { return active_; }
  // Shows the page and selects its tab; runs no event.
  void SetActivePage(TTabSheet* page);
  void SetActivePageIndex(int i);
  // Moves to the next (previous) page, wrapping around, as the user's
  // Ctrl+Tab does: OnChanging may refuse, OnChange follows.
  void SelectNextPage(bool forward);

  // The user is about to leave the active page; clear allow to stay.
  std::function<void(TPageControl*, bool& allow)> OnChanging;
  // The user chose another page.
  std::function<void(TPageControl*)> OnChange;

  bool Notify(NMHDR* hdr, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend class TTabSheet;
  void AddPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void PlacePages();
  void ShowActive();
  std::vector<TTabSheet*> pages_;
  int active_ = -1;
};

}  // namespace cl
