#include "classlib/ImageList.h"

#include <stdexcept>
#include <string>

namespace cl {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

void TImageList::LoadStrip(const char* resource_name) {
  HIMAGELIST h = ImageList_LoadImageA(GetModuleHandleA(nullptr), resource_name, 16, 4,
                                      RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
  if (!h) throw std::runtime_error(std::string("Cannot load image strip ") + resource_name);
  if (handle_) ImageList_Destroy(handle_);
  handle_ = h;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

}  // namespace cl
