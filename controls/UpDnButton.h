// A narrow push button glued to the right end of an edit, showing a small
// arrow (down, or up in UpMode); the dialogs open the folder browser for the
// edit's folder with it. The arrow cells are made at run time from their
// row patterns (controls/core/ArrowGlyphs.h).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "classlib/StdCtrls.h"

namespace qm::controls {

class TUpDnButton : public cl::TButton {
 public:
  // 15 x 20 pixels at 0, 0, with no caption: only the arrow shows.
  TUpDnButton(cl::TComponent* owner, cl::TControl* parent);
  ~TUpDnButton() override;

  // The arrow points up.
  bool UpMode = false;

  // The edit the button is glued to: the button moves to the edit's right
  // end, overlapping its last pixel column, at the edit's top. With the
  // themed look the edit is made 4 pixels narrower and the button 4 wider,
  // once for a given edit however often this is called.
  cl::TEdit* Associate() const { return associate_; }
  void SetAssociate(cl::TEdit* edit);

  // The eight arrow cells of 9 x 6 pixels: 0-3 the classic look, 4-7 the
  // themed look; down, down disabled, up, up disabled.
  HIMAGELIST Glyphs() const { return glyphs_; }
  // The cell drawn now.
  int GlyphIndex() const;

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void PaintGlyph();
  HIMAGELIST glyphs_ = nullptr;
  cl::TEdit* associate_ = nullptr;
  cl::TEdit* narrowed_ = nullptr;  // the edit already made narrower
};

}  // namespace qm::controls
