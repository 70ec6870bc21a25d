// Up-down controls: two arrow buttons that step a position between a
// minimum and a maximum; bound to an edit (the associate), they write the
// position into its text and read it back from there.
#pragma once

#include "classlib/Control.h"

namespace cl {

class TEdit;

struct TUpDownOptions {
  bool Horizontal = false;
  bool Wrap = false;       // past the maximum comes the minimum
  bool Thousands = true;   // the edit's number has thousands separators
  bool ArrowKeys = true;   // the arrow keys in the edit step the position
};

class TUpDown : public TControl {
 public:
  TUpDown(TComponent* owner, TControl* parent, const TUpDownOptions& options = {});

  TEdit* Associate() const { return associate_; }
  // Binds the edit (null unbinds); the up-down keeps its own bounds.
  void SetAssociate(TEdit* edit);
  int Min() const;
  int Max() const;
  void SetRange(int min, int max);
  // The position; with an associate, what its text says when that is a
  // number in the range, else the last good position.
  int Position() const;
  void SetPosition(int v);
  int Increment() const;
  void SetIncrement(int step);

  // A click on an arrow, after the position changed.
  std::function<void(TControl*)> OnChangePosition;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TEdit* associate_ = nullptr;
};

}  // namespace cl
