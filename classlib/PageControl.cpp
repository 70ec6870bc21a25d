#include "classlib/PageControl.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Panel.h"

namespace cl {

// ---- tab sheets ---------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner, TPageControl* page_control, const std::string& caption)
    : TControl(owner, page_control), page_control_(page_control) {
  SetVisible(false);  // until chosen
  CreateHandle(RegisterOwnClass("TTabSheet"), caption.c_str(), WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
               WS_EX_CONTROLPARENT);
  page_control_->AddPage(this);
}

TTabSheet::~TTabSheet() {
  if (page_control_) page_control_->RemovePage(this);
}

int TTabSheet::PageIndex() const {
  if (!page_control_) return -1;
  auto& v = page_control_->pages_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TTabSheet::SetCaption(const std::string& caption) {
  SetText(caption);
  if (!page_control_) return;
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  std::string text = caption;
  item.pszText = &text[0];
  SendMessageA(page_control_->Handle(), TCM_SETITEMA, static_cast<WPARAM>(PageIndex()),
               reinterpret_cast<LPARAM>(&item));
}

LRESULT TTabSheet::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (ForwardCloseToForm(Handle(), msg)) return 0;
  return TControl::WndProc(msg, wp, lp);
}

// ---- page control -----------------------------------------------------------

TPageControl::TPageControl(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
               WS_EX_CONTROLPARENT);
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->page_control_ = nullptr;
}

TTabSheet* TPageControl::ActivePage() const {
  return active_ >= 0 && active_ < PageCount() ? pages_[static_cast<std::size_t>(active_)] : nullptr;
}

void TPageControl::AddPage(TTabSheet* page) {
  pages_.push_back(page);
  std::string text = page->Text();
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = &text[0];
  SendMessageA(Handle(), TCM_INSERTITEMA, pages_.size() - 1, reinterpret_cast<LPARAM>(&item));
  PlacePages();
  if (active_ < 0) SetActivePageIndex(0);
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  int index = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  if (Handle()) SendMessageA(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  if (active_ >= PageCount() || index == active_) {
    active_ = -1;
    if (PageCount() > 0) SetActivePageIndex(std::min(index, PageCount() - 1));
  } else if (index < active_) {
    --active_;
  }
}

void TPageControl::SetActivePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it != pages_.end()) SetActivePageIndex(static_cast<int>(it - pages_.begin()));
}

void TPageControl::SetActivePageIndex(int i) {
  if (i < 0 || i >= PageCount()) return;
  active_ = i;
  SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(i), 0);
  ShowActive();
}

void TPageControl::ShowActive() {
  HWND focus = GetFocus();
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* p = pages_[static_cast<std::size_t>(i)];
    if (i != active_ && p->Handle() && focus && IsChild(p->Handle(), focus)) SetFocus();
  }
  if (TTabSheet* p = ActivePage()) {
    p->SetVisible(true);
    p->BringToFront();
  }
  for (int i = 0; i < PageCount(); ++i)
    if (i != active_) pages_[static_cast<std::size_t>(i)]->SetVisible(false);
}

void TPageControl::SelectNextPage(bool forward) {
  if (PageCount() < 2) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return;
  SetActivePageIndex((active_ + (forward ? 1 : PageCount() - 1)) % PageCount());
  if (OnChange) OnChange(this);
}

void TPageControl::PlacePages() {
  if (!Handle()) return;
  RECT r;
  GetClientRect(Handle(), &r);
  SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  for (TTabSheet* p : pages_) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool TPageControl::Notify(NMHDR* hdr, LRESULT& result) {
  switch (hdr->code) {
    case TCN_SELCHANGING: {
      bool allow = true;
      if (OnChanging) OnChanging(this, allow);
      result = allow ? FALSE : TRUE;
      return true;
    }
    case TCN_SELCHANGE:
      active_ = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
      ShowActive();
      if (OnChange) OnChange(this);
      result = 0;
      return true;
  }
  return false;
}

LRESULT TPageControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE: {
      LRESULT r = TControl::WndProc(msg, wp, lp);
      PlacePages();
      return r;
    }
    case WM_SETFONT: {
      LRESULT r = TControl::WndProc(msg, wp, lp);
      PlacePages();  // the tabs' height follows the font
      return r;
    }
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
