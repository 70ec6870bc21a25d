#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotspot/TrkShape.h"

namespace qm::hotspot {
namespace {

// The control that shows the picture: a white popup with double clicks.
class THost : public cl::TControl {
 public:
  THost() : cl::TControl(nullptr, nullptr) {
    CreateHandle(RegisterOwnClass("TrkShapeTestHost", CS_DBLCLKS,
                                  static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))),
                 "", WS_POPUP, 0);
    SetBounds(0, 0, 400, 300);
  }
};

class TrkShapeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostControl = new THost;
    host = hostControl->Handle();
    manager = new TTrkShapeManager(nullptr, hostControl);
    manager->SetFixedImage(TTrkBounds{10, 10, 200, 150});
    manager->OnSelected = [this](TTrkShape* s) { events.push_back("selected " + std::to_string(manager->ShapeIndex(s))); };
    manager->OnMoveEnd = [this](TTrkShape*) { events.push_back("moveend"); };
    manager->OnReSizeEnd = [this](TTrkShape*) { events.push_back("resizeend"); };
    manager->OnDblClickEnd = [this](TTrkShape*) { events.push_back("dblclickend"); };
    manager->OnMouseMoveEx = [this](TTrkShape*, int x, int y, int w, int h) { last = TTrkBounds{x, y, w, h}; };
  }
  void TearDown() override {
    delete manager;
    delete hostControl;
  }
  void Send(UINT msg, int x, int y, WPARAM keys = 0) { SendMessageA(host, msg, keys, MAKELPARAM(x, y)); }

  THost* hostControl = nullptr;
  HWND host = nullptr;
  TTrkShapeManager* manager = nullptr;
  std::vector<std::string> events;
  TTrkBounds last{};
};

TEST_F(TrkShapeTest, AddingSelectsOneShape) {
  TTrkShape* a = manager->AddShape(5, 5, 40, 30, true);
  EXPECT_EQ(a->Left(), 15);  // picture pixels + the image's place
  EXPECT_EQ(a->ImageLeft(), 5);
  EXPECT_EQ(a->ImageTop(), 5);
  EXPECT_TRUE(a->Selected());
  EXPECT_EQ(a->Cursor(), TTrkCursor::HandPoint);
  EXPECT_EQ(a->Pen().Mode, R2_NOT);
  TTrkShape* b = manager->AddShape(60, 5, 40, 30, true);
  EXPECT_FALSE(a->Selected());
  EXPECT_EQ(a->Cursor(), TTrkCursor::Default);
  EXPECT_TRUE(b->Selected());
  EXPECT_EQ(manager->ShapeAt(70, 20), b);
  // Shapes without SelectView stay selected.
  a->SetSelectView(false);
  a->SetSelected(true);
  EXPECT_FALSE(b->Selected());
  b->SetSelected(true);
  EXPECT_TRUE(a->Selected());
  EXPECT_EQ(manager->Count(), 2);
  manager->DeleteShape(2);
  manager->DeleteShape(-1);
  EXPECT_EQ(manager->Count(), 2);
  manager->DeleteShape(0);
  EXPECT_EQ(manager->Count(), 1);
  EXPECT_EQ(manager->ShapeIndex(b), 0);
  EXPECT_THROW(manager->Shapes(1), std::out_of_range);
  manager->ClearShapes();
  EXPECT_EQ(manager->Count(), 0);
}

TEST_F(TrkShapeTest, ClickOnSelectedShapeMovesWithinTheImage) {
  TTrkShape* s = manager->AddShape(20, 20, 40, 30, true);  // parent 30,30
  Send(WM_MOUSEMOVE, 50, 45);
  EXPECT_EQ(s->Cursor(), TTrkCursor::HandPoint);
  Send(WM_LBUTTONDOWN, 50, 45, MK_LBUTTON);
  EXPECT_EQ(s->DragMode(), 1);
  Send(WM_LBUTTONUP, 50, 45);
  EXPECT_EQ(events, std::vector<std::string>{"moveend"});  // a click reports a move end
  Send(WM_LBUTTONDOWN, 50, 45, MK_LBUTTON);
  Send(WM_MOUSEMOVE, 60, 40, MK_LBUTTON);
  EXPECT_EQ(s->Bounds(), (TTrkBounds{40, 25, 40, 30}));
  EXPECT_EQ(last, s->Bounds());
  Send(WM_MOUSEMOVE, 500, 500, MK_LBUTTON);  // clamped to the image
  EXPECT_EQ(s->Bounds(), (TTrkBounds{170, 130, 40, 30}));
  Send(WM_LBUTTONUP, 500, 500);
  EXPECT_EQ(s->DragMode(), 0);
}

TEST_F(TrkShapeTest, LeftHandleDraggedAcrossFlips) {
  TTrkShape* s = manager->AddShape(20, 20, 40, 30, true);  // parent 30..70 x 30..60
  Send(WM_MOUSEMOVE, 31, 45);  // left band, middle: handle 4
  EXPECT_EQ(s->Cursor(), TTrkCursor::SizeWE);
  Send(WM_LBUTTONDOWN, 31, 45, MK_LBUTTON);
  EXPECT_EQ(s->DragMode(), 2);
  Send(WM_MOUSEMOVE, 21, 45, MK_LBUTTON);
  EXPECT_EQ(s->Bounds(), (TTrkBounds{20, 30, 50, 30}));
  Send(WM_MOUSEMOVE, 91, 45, MK_LBUTTON);  // 20 past the right edge at 70
  EXPECT_EQ(s->Bounds(), (TTrkBounds{70, 30, 20, 30}));
  Send(WM_MOUSEMOVE, 101, 45, MK_LBUTTON);  // keeps growing to the right
  EXPECT_EQ(s->Bounds(), (TTrkBounds{70, 30, 31, 30}));
  Send(WM_MOUSEMOVE, 400, 45, MK_LBUTTON);  // up to the image's right edge (210)
  EXPECT_EQ(s->Bounds(), (TTrkBounds{70, 30, 140, 30}));
  Send(WM_LBUTTONUP, 400, 45);
  EXPECT_EQ(events, std::vector<std::string>{"resizeend"});
}

TEST_F(TrkShapeTest, PressOnAnotherShapeSelectsAndMovesIt) {
  TTrkShape* a = manager->AddShape(0, 0, 30, 30, true);
  TTrkShape* b = manager->AddShape(100, 100, 30, 30, false);
  Send(WM_LBUTTONDOWN, 125, 125, MK_LBUTTON);
  EXPECT_TRUE(b->Selected());
  EXPECT_FALSE(a->Selected());
  EXPECT_EQ(b->DragMode(), 1);
  Send(WM_MOUSEMOVE, 130, 125, MK_LBUTTON);
  EXPECT_EQ(b->Left(), 115);
  Send(WM_LBUTTONUP, 130, 125);
  EXPECT_EQ(events, (std::vector<std::string>{"selected 1", "moveend"}));
}

TEST_F(TrkShapeTest, DoubleClickReportsOnRelease) {
  manager->AddShape(0, 0, 30, 30, true);
  Send(WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
  Send(WM_LBUTTONUP, 25, 25);
  Send(WM_LBUTTONDBLCLK, 25, 25, MK_LBUTTON);
  EXPECT_EQ(events.size(), 1u);
  Send(WM_LBUTTONUP, 25, 25);
  EXPECT_EQ(events, (std::vector<std::string>{"moveend", "moveend", "dblclickend"}));
}

TEST_F(TrkShapeTest, PaintsFrameAndHandlesInverted) {
  TTrkShape* s = manager->AddShape(0, 0, 40, 30, true);  // parent 10,10 .. 50,40
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 60, -50, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 60, 50};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  manager->PaintShapes(dc);
  EXPECT_EQ(GetPixel(dc, 20, 10), RGB(0, 0, 0));  // top edge, inverted white
  EXPECT_EQ(GetPixel(dc, 12, 12), RGB(0, 0, 0));  // inside the top-left handle
  EXPECT_EQ(GetPixel(dc, 30, 25), RGB(255, 255, 255));  // the inside
  EXPECT_EQ(GetPixel(dc, 51, 25), RGB(255, 255, 255));  // outside
  EXPECT_EQ(GetPixel(dc, 49, 39), RGB(255, 255, 255));  // corner: frame and handle cancel out
  // Unselected: no handles, the frame only.
  s->SetSelected(false);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  manager->PaintShapes(dc);
  EXPECT_EQ(GetPixel(dc, 12, 12), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 10, 25), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 49, 39), RGB(0, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
}

TEST_F(TrkShapeTest, ShapesAreGraphicControlsOfTheParent) {
  TTrkShape* a = manager->AddShape(0, 0, 30, 30, false);
  TTrkShape* b = manager->AddShape(20, 20, 30, 30, true);
  // Owned by the manager, on the parent, the selected one in front.
  EXPECT_EQ(a->Owner(), manager);
  EXPECT_EQ(a->Parent(), hostControl);
  EXPECT_EQ(hostControl->GraphicControls(), (std::vector<cl::TGraphicControl*>{a, b}));
  a->SetSelected(true);
  EXPECT_EQ(hostControl->GraphicControls().back(), a);
  EXPECT_EQ(manager->ShapeAt(35, 35), a);
  EXPECT_EQ(b->cl::TGraphicControl::Cursor(), cl::TCursor::crDefault);
  EXPECT_EQ(a->cl::TGraphicControl::Cursor(), cl::TCursor::crHandPoint);
  // The parent paints them when it paints: a's frame inverts the white.
  ShowWindow(host, SW_SHOWNOACTIVATE);
  UpdateWindow(host);
  HDC dc = GetDC(host);
  EXPECT_EQ(GetPixel(dc, 20, 10), RGB(0, 0, 0));  // a's top edge, between handles
  EXPECT_EQ(GetPixel(dc, 25, 25), RGB(255, 255, 255));
  ReleaseDC(host, dc);
  // The hand over the selected shape, through the parent's WM_SETCURSOR.
  POINT p{25, 25};
  ClientToScreen(host, &p);
  SetCursorPos(p.x, p.y);
  SendMessageA(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
  // Freed shapes leave the list and the parent.
  manager->DeleteShape(0);
  EXPECT_EQ(hostControl->GraphicControls(), (std::vector<cl::TGraphicControl*>{b}));
  EXPECT_EQ(manager->Components().size(), 1u);
}

TEST_F(TrkShapeTest, LosingTheMouseEndsTheDrag) {
  TTrkShape* s = manager->AddShape(20, 20, 40, 30, true);
  Send(WM_LBUTTONDOWN, 50, 45, MK_LBUTTON);
  Send(WM_MOUSEMOVE, 60, 45, MK_LBUTTON);
  ASSERT_EQ(s->DragMode(), 1);
  ReleaseCapture();
  EXPECT_EQ(s->DragMode(), 0);
  EXPECT_EQ(events, std::vector<std::string>{"moveend"});
  // A shape freed mid-drag takes its capture with it.
  Send(WM_LBUTTONDOWN, 50, 45, MK_LBUTTON);
  manager->ClearShapes();
  EXPECT_NE(GetCapture(), host);
  Send(WM_MOUSEMOVE, 60, 45, MK_LBUTTON);
  EXPECT_TRUE(hostControl->GraphicControls().empty());
}

TEST_F(TrkShapeTest, ParentFreedBeforeTheManager) {
  TTrkShape* s = manager->AddShape(0, 0, 30, 30, true);
  delete hostControl;
  hostControl = nullptr;
  EXPECT_EQ(s->Parent(), nullptr);
  EXPECT_EQ(manager->ShapeAt(15, 15), nullptr);
  s->SetBounds(1, 1, 5, 5);
  manager->ClearShapes();
}

}  // namespace
}  // namespace qm::hotspot
