// Image lists of 16 x 16 images.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "classlib/Component.h"

namespace cl {

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;
  // Loads a strip of 16 x 16 images from a bitmap resource; magenta is clear.
  void LoadStrip(const char* resource_name);
  HIMAGELIST Handle() const { return handle_; }
  int Count() const;

 private:
  HIMAGELIST handle_ = nullptr;
};

}  // namespace cl
