#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/GraphicControl.h"
#include "classlib/Graphics.h"

namespace cl {
namespace {

// A plain popup window that records its own painting.
class THost : public TControl {
 public:
  explicit THost(std::vector<std::string>* log) : TControl(nullptr, nullptr), log_(log) {
    CreateHandle(RegisterOwnClass("ClGraphicTestHost", CS_DBLCLKS,
                                  static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))),
                 "", WS_POPUP, WS_EX_TOOLWINDOW);
    SetBounds(50, 50, 200, 150);
  }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(Handle(), &ps);
      log_->push_back("host");
      EndPaint(Handle(), &ps);
      return 0;
    }
    return TControl::WndProc(msg, wp, lp);
  }

 private:
  std::vector<std::string>* log_;
};

// A filled rectangle that records what it gets.
class TBox : public TGraphicControl {
 public:
  TBox(TControl* parent, const std::string& name, COLORREF color, std::vector<std::string>* log)
      : TGraphicControl(nullptr, parent), color_(color), log_(log) {
    Name = name;
  }
  void Paint() override {
    log_->push_back(Name);
    Canvas().Brush.Color = color_;
    Canvas().Pen.Color = color_;
    Canvas().Rectangle(0, 0, Width(), Height());
  }
  void MouseDown(int button, TShiftState shift, int x, int y) override {
    log_->push_back(Name + " down " + std::to_string(button) + " " + std::to_string(x) + "," +
                    std::to_string(y) + ((shift & ssDouble) ? " double" : ""));
  }
  void MouseMove(TShiftState, int x, int y) override {
    log_->push_back(Name + " move " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(int button, TShiftState, int x, int y) override {
    log_->push_back(Name + " up " + std::to_string(button) + " " + std::to_string(x) + "," +
                    std::to_string(y));
  }
  void DblClick() override { log_->push_back(Name + " dblclick"); }
  void Click() override { log_->push_back(Name + " click"); }

 private:
  COLORREF color_;
  std::vector<std::string>* log_;
};

class GraphicControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<THost>(&log);
    a = std::make_unique<TBox>(host.get(), "a", RGB(255, 0, 0), &log);
    b = std::make_unique<TBox>(host.get(), "b", RGB(0, 0, 255), &log);
    a->SetBounds(10, 10, 50, 40);  // 10..60 x 10..50
    b->SetBounds(40, 30, 50, 40);  // 40..90 x 30..70, in front
    host->OnMouseMove = [this](TControl*, TShiftState, int x, int y) {
      log.push_back("host move " + std::to_string(x) + "," + std::to_string(y));
    };
  }
  void Send(UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageA(host->Handle(), msg, keys, MAKELPARAM(x, y));
  }
  void Repaint() {
    log.clear();
    InvalidateRect(host->Handle(), nullptr, TRUE);
    UpdateWindow(host->Handle());
  }

  std::vector<std::string> log;
  std::unique_ptr<THost> host;
  std::unique_ptr<TBox> a, b;
};

using Log = std::vector<std::string>;

TEST_F(GraphicControlTest, ParentPaintsThenControlsInZOrder) {
  ShowWindow(host->Handle(), SW_SHOWNOACTIVATE);
  Repaint();
  EXPECT_EQ(log, (Log{"host", "a", "b"}));
  a->BringToFront();
  Repaint();
  EXPECT_EQ(log, (Log{"host", "b", "a"}));
  b->SetVisible(false);
  Repaint();
  EXPECT_EQ(log, (Log{"host", "a"}));
  // Only the controls inside the repainted area paint.
  b->SetVisible(true);
  UpdateWindow(host->Handle());
  log.clear();
  RECT r{150, 100, 160, 110};
  InvalidateRect(host->Handle(), &r, TRUE);
  UpdateWindow(host->Handle());
  EXPECT_EQ(log, (Log{"host"}));
  // Changes under a TGraphicUpdate ask for one repaint when it ends, of the
  // area around them all: where the controls were and where they are.
  {
    TGraphicUpdate once(host.get());
    a->SetBounds(10, 10, 20, 20);
    b->SetBounds(120, 90, 20, 20);
    RECT none;
    EXPECT_FALSE(GetUpdateRect(host->Handle(), &none, FALSE));
  }
  RECT dirty;
  ASSERT_TRUE(GetUpdateRect(host->Handle(), &dirty, FALSE));
  EXPECT_EQ(std::vector<LONG>({dirty.left, dirty.top, dirty.right, dirty.bottom}),
            std::vector<LONG>({10, 10, 140, 110}));
  a->SetBounds(10, 10, 50, 40);
  b->SetBounds(40, 30, 50, 40);
  UpdateWindow(host->Handle());
  // Each control paints at its place, clipped to its bounds, front one last.
  TBitmap bmp;
  bmp.SetSize(100, 80);
  TGraphicControl::PaintControls(host.get(), bmp.Canvas().Handle());
  EXPECT_EQ(bmp.Canvas().Pixel(20, 20), RGB(255, 0, 0));
  EXPECT_EQ(bmp.Canvas().Pixel(50, 40), RGB(255, 0, 0));  // a is in front now
  EXPECT_EQ(bmp.Canvas().Pixel(80, 60), RGB(0, 0, 255));
  EXPECT_EQ(bmp.Canvas().Pixel(95, 75), RGB(255, 255, 255));
  EXPECT_EQ(GetROP2(bmp.Canvas().Handle()), R2_COPYPEN);
  POINT org;
  GetViewportOrgEx(bmp.Canvas().Handle(), &org);
  EXPECT_EQ(org.x, 0);
  EXPECT_FALSE(a->Canvas().HandleAllocated());  // only during painting
}

TEST_F(GraphicControlTest, MouseGoesToTheFrontControlAndFollowsTheCapture) {
  log.clear();
  Send(WM_MOUSEMOVE, 45, 35);  // both overlap here: b is in front
  Send(WM_MOUSEMOVE, 15, 15);
  Send(WM_MOUSEMOVE, 150, 120);  // no control: the parent's own
  EXPECT_EQ(log, (Log{"b move 5,5", "a move 5,5", "host move 150,120"}));
  log.clear();
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_TRUE(a->MouseCapture());
  EXPECT_EQ(GetCapture(), host->Handle());
  Send(WM_MOUSEMOVE, 150, 5, MK_LBUTTON);  // outside, still a's
  Send(WM_RBUTTONDOWN, 150, 5, MK_LBUTTON | MK_RBUTTON);
  Send(WM_LBUTTONUP, 150, 5, MK_RBUTTON);  // the right button is still down
  EXPECT_TRUE(a->MouseCapture());
  Send(WM_RBUTTONUP, 150, 5);
  EXPECT_FALSE(a->MouseCapture());
  EXPECT_NE(GetCapture(), host->Handle());
  Send(WM_MOUSEMOVE, 150, 5);
  EXPECT_EQ(log, (Log{"a down 0 10,10", "a move 140,-5", "a down 1 140,-5", "a up 0 140,-5",
                      "a up 1 140,-5", "host move 150,5"}));
  // A click is a left press and release inside; a double click comes
  // before its press.
  log.clear();
  Send(WM_LBUTTONDOWN, 80, 60, MK_LBUTTON);
  Send(WM_LBUTTONUP, 80, 60);
  Send(WM_LBUTTONDBLCLK, 80, 60, MK_LBUTTON);
  Send(WM_LBUTTONUP, 80, 60);
  EXPECT_EQ(log, (Log{"b down 0 40,30", "b up 0 40,30", "b click", "b dblclick",
                      "b down 0 40,30 double", "b up 0 40,30", "b click"}));
  // The right and middle buttons' double presses are no double click.
  log.clear();
  Send(WM_RBUTTONDBLCLK, 80, 60, MK_RBUTTON);
  Send(WM_RBUTTONUP, 80, 60);
  Send(WM_MBUTTONDBLCLK, 80, 60, MK_MBUTTON);
  Send(WM_MBUTTONUP, 80, 60);
  EXPECT_EQ(log, (Log{"b down 1 40,30 double", "b up 1 40,30", "b down 2 40,30 double",
                      "b up 2 40,30"}));
  // Hidden and disabled controls get nothing.
  log.clear();
  b->SetVisible(false);
  Send(WM_MOUSEMOVE, 80, 60);
  a->SetEnabled(false);
  Send(WM_MOUSEMOVE, 15, 15);
  EXPECT_EQ(log, (Log{"host move 80,60", "host move 15,15"}));
}

TEST_F(GraphicControlTest, CaptureLostEndsThePress) {
  log.clear();
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  ASSERT_TRUE(a->MouseCapture());
  ReleaseCapture();
  EXPECT_FALSE(a->MouseCapture());
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].substr(0, 6), "a up 0");
  // A control freed while it holds the mouse lets it go.
  Send(WM_LBUTTONDOWN, 80, 60, MK_LBUTTON);
  b.reset();
  EXPECT_NE(GetCapture(), host->Handle());
  EXPECT_EQ(host->GraphicControls().size(), 1u);
}

TEST_F(GraphicControlTest, CursorOfTheControlUnderTheMouse) {
  ShowWindow(host->Handle(), SW_SHOWNOACTIVATE);
  b->SetCursor(TCursor::crHandPoint);
  POINT p{80, 60};
  ClientToScreen(host->Handle(), &p);
  SetCursorPos(p.x, p.y);
  SetCursor(nullptr);
  LRESULT r = SendMessageA(host->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host->Handle()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(r, TRUE);
  EXPECT_EQ(GetCursor(), CursorHandle(TCursor::crHandPoint));
  // crDefault leaves the parent's own cursor.
  p = POINT{15, 15};
  ClientToScreen(host->Handle(), &p);
  SetCursorPos(p.x, p.y);
  SetCursor(nullptr);
  SendMessageA(host->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
  // Moving over the control shows its cursor at once.
  Send(WM_MOUSEMOVE, 80, 60);
  EXPECT_EQ(GetCursor(), CursorHandle(TCursor::crHandPoint));
}

TEST_F(GraphicControlTest, ParentFreedFirst) {
  // The window goes before its object: it is no longer taken for it.
  const HWND h = host->Handle();
  DestroyWindow(h);
  EXPECT_EQ(TControl::FromHandle(h), nullptr);
  host.reset();
  EXPECT_EQ(a->Parent(), nullptr);
  a->SetBounds(0, 0, 5, 5);
  a->Invalidate();
  a.reset();
  b.reset();
}

}  // namespace
}  // namespace cl
