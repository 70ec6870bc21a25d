// The rich edit on which topics are edited: the class library's rich edit
// with a left margin in which a click selects whole lines (a drag extends
// the selection line by line, and resting near the top or bottom edge
// scrolls it on), a formatting rectangle of fixed width or following the
// client width, the word-wrap mode for East Asian text, an insert/overwrite
// mode flipped by the Insert key, and scrolling by the mouse wheel.
#pragma once

#include <functional>

#include "classlib/RichEdit.h"
#include "controls/core/MarginSelect.h"

namespace qm::controls {

class TRichEditEx : public cl::TRichEdit {
 public:
  TRichEditEx(cl::TComponent* owner, cl::TControl* parent, DWORD extra_style = 0);
  ~TRichEditEx() override;

  // True in insert mode, false in overwrite mode, where a typed character
  // replaces the one after the caret (never a line break).
  bool InsertMode() const { return insert_mode_; }
  // After the unshifted Insert key has flipped InsertMode.
  std::function<void(TRichEditEx*)> OnInsertChange;

  // Width of the selection margin in pixels; also the formatting
  // rectangle's left inset (and its right one while it follows the client
  // width). A negative value is ignored.
  int LineLeft() const { return line_left_; }
  void SetLineLeft(int v);
  // A fixed width of the formatting rectangle, in force while it exceeds
  // LineLeft.
  int LineWidth() const { return line_width_; }
  void SetLineWidth(int v);
  // The word-wrap flags (WordWrapFlag); sent only when they change.
  unsigned char WordWrapMode() const { return word_wrap_; }
  void SetWordWrapMode(unsigned char flags);
  // Re-apply the formatting rectangle when the control is resized.
  bool AutoResize = true;
  void UpdateFormatRect();
  void ApplyWordWrapMode();

  // The margin selection, for those who watch it.
  bool Selecting() const { return selecting_; }
  int ScrollDirection() const { return scroll_dir_; }
  bool ScrollTimerEnabled() const { return timer_on_; }
  static constexpr UINT kScrollInterval = 80;
  // One tick of the auto-scroll timer.
  void LineSelectTimer();

  // Scrolls a rich edit or edit control by one wheel notch (down or up) as
  // the system's wheel-scroll-lines setting says: that many lines, a page
  // for WHEEL_PAGESCROLL, nothing for 0.
  static void WheelScrollNotch(HWND control, bool down);

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  void InsertTypedChar(const std::string& ch) override;

 private:
  static constexpr UINT_PTR kScrollTimerId = 0x5C02;
  void SetScrollTimer(bool on);
  int FontPixels() const;
  long CharFromPos(int x, int y) const;
  long LineFromChar(long c) const;
  long LineIndex(long line) const;
  long LineLength(long c) const;
  void SelectToLine(long line_start);
  void MarginButtonDown(int x, int y, WPARAM keys, long old_start, long old_end);
  void MarginMouseMove(int x, int y);
  // In overwrite mode with nothing selected: selects the character after the
  // caret unless it is a line break or the end, so that typing replaces it.
  void SelectCharToOverwrite();

  bool insert_mode_ = true;
  bool selecting_ = false;
  long sel_line_start_ = 0;
  long anchor_end_ = 0;
  long anchor_start_ = 0;
  int line_left_ = 6;
  int line_width_ = 0;
  unsigned char word_wrap_ = kAllWordWrapFlags;
  int scroll_dir_ = kScrollUp;
  bool timer_on_ = false;
  int wheel_delta_ = 0;
};

}  // namespace qm::controls
