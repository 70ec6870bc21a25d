#include "classlib/ComApartment.h"

#include <objbase.h>

namespace cl {

TComApartment::TComApartment() {
  // S_FALSE (already joined) is counted too and needs its own release.
  joined_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

TComApartment::~TComApartment() {
  if (joined_) CoUninitialize();
}

}  // namespace cl
