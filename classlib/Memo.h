// Memos: multi-line edits.
#pragma once

#include <string>

#include "classlib/StdCtrls.h"

namespace cl {

enum TScrollBars { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };

struct TMemoOptions {
  int ScrollBars = ssNone;
  bool WordWrap = true;     // lines wrap at the right edge (no horizontal scrolling)
  bool WantReturns = true;  // Enter breaks the line; otherwise it reaches the default button
  bool WantTabs = false;    // Tab types a tab; otherwise it moves the focus
};

class TMemo : public TEdit {
 public:
  TMemo(TComponent* owner, TControl* parent, const TMemoOptions& options = {});

  // The whole text, lines separated by CR LF.
  std::string Text() const { return TControl::Text(); }
  int LineCount() const;
  std::string Line(int i) const;
  // Appends a line at the end.
  void AddLine(const std::string& line);
  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);
  // Replaces the selection (inserts at the caret when nothing is selected).
  void SetSelText(const std::string& text);
  const TMemoOptions& Options() const { return options_; }

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TMemoOptions options_;
};

}  // namespace cl
