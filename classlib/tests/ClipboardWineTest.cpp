#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "classlib/Clipboard.h"

namespace {

// Another thread's window holds the clipboard open until `release` is set.
std::thread HoldClipboard(HANDLE release) {
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread t([=] {
    HWND w = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool open = OpenClipboard(w);
    SetEvent(opened);
    if (open) {
      WaitForSingleObject(release, INFINITE);
      CloseClipboard();
    }
    DestroyWindow(w);
  });
  WaitForSingleObject(opened, INFINITE);
  CloseHandle(opened);
  return t;
}

TEST(ClipboardText, InAndOutWithRetries) {
  cl::TClipboard clipboard;
  clipboard.SetAsText("Topic1");
  EXPECT_EQ(clipboard.AsText(), "Topic1");
  clipboard.SetAsText("");  // an empty text replaces it too
  EXPECT_EQ(clipboard.AsText(), "");
  clipboard.SetAsText("目次");
  EXPECT_EQ(clipboard.AsText(), "目次");

  // Held for a while: the read waits for it. The holder lets go from a
  // third thread once the read has started waiting.
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread briefly = HoldClipboard(release);
  std::thread releaser([=] {
    Sleep(100);
    SetEvent(release);
  });
  EXPECT_EQ(clipboard.AsText(), "目次");
  releaser.join();
  briefly.join();
  // Held for good: an error, for a read and for a write.
  ResetEvent(release);
  std::thread held = HoldClipboard(release);
  EXPECT_THROW(clipboard.AsText(), cl::EClipboardError);
  EXPECT_THROW(clipboard.SetAsText("x"), cl::EClipboardError);
  SetEvent(release);
  held.join();
  CloseHandle(release);
  EXPECT_EQ(clipboard.AsText(), "目次");

  // A picture and no text: no text.
  clipboard.Open();
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, CreateBitmap(1, 1, 1, 1, nullptr));
  clipboard.Close();
  EXPECT_EQ(clipboard.AsText(), "");
}

// A holder that renders its text on demand and, asked the first time, is not
// ready: the reader asks again and gets it.
int g_render_requests = 0;

LRESULT CALLBACK RenderLater(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_RENDERFORMAT && w == CF_TEXT && ++g_render_requests > 1) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(mem), "later", 6);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
  }
  return DefWindowProcA(h, m, w, l);
}

TEST(ClipboardText, TextRenderedOnDemandIsAskedForAgain) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = RenderLater;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QmRenderLater";
  RegisterClassA(&wc);
  HWND owner = CreateWindowExA(0, "QmRenderLater", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, nullptr);
  CloseClipboard();
  EXPECT_EQ(cl::TClipboard().AsText(), "later");
  EXPECT_EQ(g_render_requests, 2);
  DestroyWindow(owner);
}

}  // namespace
