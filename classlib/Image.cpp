#include "classlib/Image.h"

#include "classlib/ScrollBox.h"

namespace cl {

TImage::TImage(TComponent* owner, TControl* parent) : TGraphicControl(owner, parent) {}

TImage::~TImage() = default;

void TImage::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  icon_ = nullptr;
  PictureChanged();
}

TBitmap& TImage::Bitmap() {
  auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get());
  if (!bitmap) {
    graphic_ = std::make_unique<TBitmap>();
    bitmap = static_cast<TBitmap*>(graphic_.get());
    icon_ = nullptr;
    PictureChanged();
  }
  return *bitmap;
}

void TImage::SetIcon(HICON icon) {
  graphic_.reset();
  icon_ = icon;
  PictureChanged();
}

void TImage::Clear() {
  graphic_.reset();
  icon_ = nullptr;
  PictureChanged();
}

bool TImage::Empty() const { return !icon_ && (!graphic_ || graphic_->Empty()); }

void TImage::SetStretch(bool v) {
  stretch_ = v;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  center_ = v;
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  auto_size_ = v;
  PictureChanged();
}

void TImage::PictureChanged() {
  if (auto_size_ && !Empty()) {
    int w = icon_ ? GetSystemMetrics(SM_CXICON) : graphic_->Width();
    int h = icon_ ? GetSystemMetrics(SM_CYICON) : graphic_->Height();
    SetBounds(Left(), Top(), w, h);
    if (auto* box = dynamic_cast<TScrollBox*>(Parent())) box->UpdateScrollRange();
  }
  Invalidate();
}

RECT TImage::DestRect() const {
  int w = icon_ ? GetSystemMetrics(SM_CXICON) : graphic_ ? graphic_->Width() : 0;
  int h = icon_ ? GetSystemMetrics(SM_CYICON) : graphic_ ? graphic_->Height() : 0;
  if (stretch_) return RECT{0, 0, Width(), Height()};
  if (center_) {
    int x = (Width() - w) / 2, y = (Height() - h) / 2;
    return RECT{x, y, x + w, y + h};
  }
  return RECT{0, 0, w, h};
}

void TImage::Paint() {
  if (!Empty()) {
    RECT r = DestRect();
    if (icon_) {
      DrawIconEx(Canvas().Handle(), r.left, r.top, icon_, r.right - r.left, r.bottom - r.top, 0,
                 nullptr, DI_NORMAL);
    } else {
      Canvas().StretchDraw(r, *graphic_);
    }
  }
  TGraphicControl::Paint();  // OnPaint, when set, draws on top
}

}  // namespace cl
