// A splitter: a thin bar that resizes the aligned control before it.
#pragma once

#include "classlib/Control.h"

namespace cl {

class TSplitter : public TControl {
 public:
  // align: Left, Right, Top or Bottom, the same as the control it resizes.
  TSplitter(TComponent* owner, TControl* parent, TAlign align, int size = 3);
  std::function<void(TSplitter*)> OnMoved;
  int MinSize = 30;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TControl* Target() const;
  POINT start_{};
  int start_size_ = 0;
  bool dragging_ = false;
};

}  // namespace cl
