// Windowed controls: a component that owns one window handle.
//
// One window procedure serves every control; it finds the object by its
// window handle and calls its virtual WndProc inside an exception barrier.
// Common controls of the platform are subclassed the same way, and the
// notifications they send their parent are handed back to them (Notify,
// Command).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Component.h"

namespace cl {

class TGraphicControl;

enum class TAlign { None, Top, Bottom, Left, Right, Client };

enum TShiftFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;
TShiftState CurrentShiftState();

class TControl : public TComponent {
 public:
  TControl(TComponent* owner, TControl* parent);
  ~TControl() override;

  HWND Handle() const { return handle_; }
  TControl* Parent() const { return parent_; }
  // Moves the window under another parent window (docking, floating).
  void SetParent(TControl* parent);
  const std::vector<TControl*>& Controls() const { return children_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  int ClientWidth() const;
  int ClientHeight() const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const;
  void SetEnabled(bool v);
  std::string Text() const;
  void SetText(const std::string& text);
  void SetFocus();
  bool Focused() const;
  // The hint a toolbar that hosts the control shows in its tooltip, as it
  // does for its buttons.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  void Invalidate();
  void BringToFront();
  // The font: height in pixels (negative: character height), Shift-JIS.
  void SetFont(const std::string& name, int height, bool bold = false);
  HFONT Font() const { return font_; }

  // Lays out the aligned children inside the client area.
  void Realign();

  // Events.
  std::function<void(TControl*)> OnClick;
  std::function<void(TControl*)> OnDblClick;
  std::function<void(TControl*, WORD& key, TShiftState)> OnKeyDown;
  std::function<void(TControl*, int button, TShiftState, int x, int y)> OnMouseDown;
  std::function<void(TControl*, TShiftState, int x, int y)> OnMouseMove;
  std::function<void(TControl*, int button, TShiftState, int x, int y)> OnMouseUp;
  std::function<void(TControl*)> OnResize;

  // Handles a message; the default passes it on.
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  // A WM_NOTIFY / WM_COMMAND that this control sent to its parent.
  virtual bool Notify(NMHDR* hdr, LRESULT& result) { return false; }
  virtual bool Command(WORD code) { return false; }
  // A WM_CTLCOLORSTATIC / WM_CTLCOLORBTN that this control sent its
  // parent: true with the brush in result to answer it.
  virtual bool CtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }

  // The windowless controls on this one, back to front (GraphicControl.h).
  const std::vector<TGraphicControl*>& GraphicControls() const { return graphic_controls_; }

  static TControl* FromHandle(HWND h);
  // Our own window class, registered once per name.
  static const char* RegisterOwnClass(const char* name, UINT class_style = CS_DBLCLKS,
                                      HBRUSH background = nullptr);

 protected:
  // Creates the window; class_name of a platform class subclasses it.
  void CreateHandle(const char* class_name, const char* text, DWORD style, DWORD ex_style);
  // A top-level window (hidden at first) owned by owner.
  void CreateTopLevelHandle(const char* class_name, const char* text, DWORD style,
                            DWORD ex_style, HWND owner);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
  // For a control that paints its whole client area itself: the background
  // is never erased apart, and WM_PAINT and WM_PRINTCLIENT call paint. True
  // when msg was one of those, with its result.
  bool PaintsItself(UINT msg, WPARAM wp, LRESULT& result, const std::function<void(HDC)>& paint);
  void UpdateBoundsFromWindow();
  // Set by controls whose notifications report their clicks and double
  // clicks (buttons, lists): the mouse messages then run no OnClick and
  // OnDblClick of their own.
  bool clicks_notified_ = false;

 private:
  void MakeWindow(const char* class_name, const char* text, DWORD style, DWORD ex_style,
                  HWND parent);
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend class TGraphicControl;
  friend class TGraphicUpdate;
  std::vector<TGraphicControl*> graphic_controls_;
  TGraphicControl* graphic_capture_ = nullptr;
  // While a TGraphicUpdate lasts: the area its graphic controls asked to
  // repaint.
  int graphic_update_depth_ = 0;
  RECT graphic_dirty_ = {};
  HWND handle_ = nullptr;
  std::string hint_;
  WNDPROC old_proc_ = nullptr;
  TControl* parent_;
  std::vector<TControl*> children_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::None;
  bool visible_ = true;
  HFONT font_ = nullptr;
  bool own_font_ = false;
  bool realigning_ = false;
};

// Keeps the hourglass while it lives (Screen.Cursor := crHourGlass ... finally).
class TWaitCursor {
 public:
  TWaitCursor();
  ~TWaitCursor();
  static bool Active();

 private:
  HCURSOR old_;
};

}  // namespace cl
