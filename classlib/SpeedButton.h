// Speed buttons: a button with a picture that never takes the focus. A
// flat one shows its edge only while the mouse is over it.
#pragma once

#include <string>

#include "classlib/Control.h"
#include "classlib/Graphics.h"

namespace cl {

class TSpeedButton : public TControl {
 public:
  TSpeedButton(TComponent* owner, TControl* parent, const std::string& caption = "");

  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  // The picture; the colour of its bottom-left pixel is drawn transparent.
  TBitmap& Glyph() { return glyph_; }
  // Loads the picture from a bitmap resource of the program.
  void LoadGlyph(const char* resource_name);
  // Call after drawing on the glyph.
  void GlyphChanged() { Invalidate(); }
  bool MouseInControl() const { return hot_; }
  // Runs OnClick as a click of the user would (nothing when disabled).
  void Click();

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc);
  bool flat_ = false;
  bool hot_ = false, pressed_ = false, inside_ = false;
  TBitmap glyph_;
};

}  // namespace cl
