#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "classlib/Clipboard.h"

namespace {

// Another thread's window holds the clipboard open for a while.
std::thread HoldClipboard(DWORD ms) {
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread t([=] {
    HWND w = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool open = OpenClipboard(w);
    SetEvent(opened);
    if (open) {
      Sleep(ms);
      CloseClipboard();
    }
    DestroyWindow(w);
  });
  WaitForSingleObject(opened, 5000);
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

  // Held for a moment: the read waits for it.
  std::thread briefly = HoldClipboard(80);
  EXPECT_EQ(clipboard.AsText(), "目次");
  briefly.join();
  // Held for long: an error, after a moment only.
  std::thread long_hold = HoldClipboard(2000);
  const DWORD start = GetTickCount();
  EXPECT_THROW(clipboard.AsText(), cl::EClipboardError);
  EXPECT_THROW(clipboard.SetAsText("x"), cl::EClipboardError);
  EXPECT_LT(GetTickCount() - start, 1500u);
  long_hold.join();
  EXPECT_EQ(clipboard.AsText(), "目次");

  // A picture and no text: no text.
  clipboard.Open();
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, CreateBitmap(1, 1, 1, 1, nullptr));
  clipboard.Close();
  EXPECT_EQ(clipboard.AsText(), "");
}

}  // namespace
