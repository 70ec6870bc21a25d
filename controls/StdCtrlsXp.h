// Check boxes, radio buttons and group boxes that look right under visual
// styles: placed on a themed parent (a tab sheet with a textured
// background) they show the parent's background instead of a flat fill,
// and the group box draws its frame and caption through the theme.
//
// A control is themed while the themed look is active (cl::ThemedLookActive)
// and its Ctl3D is on; the group box also needs its theme handle. Without
// themes (Wine starts with them off) all three are the class library's
// controls, and every themed step that fails falls back to them.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include "classlib/CheckBox.h"
#include "classlib/GroupBox.h"
#include "classlib/RadioButton.h"

namespace qm::controls {

// What the three classes share: the background reply to the colour
// question the parent reflects, and the erase.
class TXpBackground {
 public:
  bool Ctl3D = true;
  // The control paints through a memory DC, which its erase is given as
  // both wParam and lParam; other erases are then skipped.
  bool DoubleBuffered = false;

 protected:
  bool Themed() const;
  // Paints the parent's background into the DC of a WM_CTLCOLORSTATIC
  // reflected to control and answers the null brush; false when not themed.
  bool ParentBackgroundReply(cl::TControl& control, WPARAM wp, LPARAM lp, LRESULT& result) const;
  // The themed erase; false when not themed or without a parent window
  // (the caller then erases as it would).
  bool ThemedErase(cl::TControl& control, WPARAM wp, LPARAM lp) const;
};

class TXpCheckBox : public cl::TCheckBox, public TXpBackground {
 public:
  TXpCheckBox(cl::TComponent* owner, cl::TControl* parent, const std::string& caption);
  bool CtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class TXpRadioButton : public cl::TRadioButton, public TXpBackground {
 public:
  TXpRadioButton(cl::TComponent* owner, cl::TControl* parent, const std::string& caption);
  bool CtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class TXpCustomGroupBox : public cl::TGroupBox, public TXpBackground {
 public:
  TXpCustomGroupBox(cl::TComponent* owner, cl::TControl* parent, const std::string& caption);
  ~TXpCustomGroupBox() override;

  // The theme data of class "BUTTON"; null when themes were off at
  // creation.
  HTHEME Theme() const { return theme_; }

  bool CtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // Draws frame and caption through the theme; false when a theme call
  // failed (the class library's painting then runs over it).
  bool PaintThemed(HDC dc);

 private:
  void OpenTheme();
  void CloseTheme();
  HTHEME theme_ = nullptr;
};

}  // namespace qm::controls
