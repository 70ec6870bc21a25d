// Progress bars.
#pragma once

#include "classlib/Control.h"

namespace cl {

class TProgressBar : public TControl {
 public:
  TProgressBar(TComponent* owner, TControl* parent);

  int Min() const;
  int Max() const;
  void SetRange(int min, int max);
  int Position() const;
  void SetPosition(int v);  // clamped to the range
  void StepBy(int delta);
};

}  // namespace cl
