// Images: a windowless control that shows a picture (a bitmap, a metafile
// or an icon) at its size, stretched over the control, or centred.
#pragma once

#include <windows.h>

#include <memory>

#include "classlib/GraphicControl.h"
#include "classlib/Graphics.h"

namespace cl {

class TImage : public TGraphicControl {
 public:
  TImage(TComponent* owner, TControl* parent);
  ~TImage() override;

  // The picture shown; null when there is none. The image owns it.
  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  // The picture as a bitmap; a picture of another kind (or none) is
  // replaced by an empty bitmap first. Drawing on its canvas shows after
  // Invalidate.
  TBitmap& Bitmap();
  // Shows an icon (not owned: shared icons such as the program's).
  void SetIcon(HICON icon);
  HICON Icon() const { return icon_; }
  // Shows nothing.
  void Clear();
  bool Empty() const;

  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  // The control takes the picture's size whenever the picture changes.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);

  // Where the picture is drawn, in the control's own coordinates.
  RECT DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TGraphic> graphic_;
  HICON icon_ = nullptr;
  bool stretch_ = false, center_ = false, auto_size_ = false;
};

}  // namespace cl
