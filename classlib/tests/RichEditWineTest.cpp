#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "classlib/RichEdit.h"
#include "classlib/tests/RtfControlWord.h"

namespace cl {
namespace {

class THost : public TControl {
 public:
  THost() : TControl(nullptr, nullptr) {
    CreateHandle(RegisterOwnClass("ClRichEditTestHost"), "", WS_POPUP, WS_EX_TOOLWINDOW);
    SetBounds(40, 40, 400, 200);
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Typing as the message loop delivers it to an ANSI window: a double-byte
// character comes as its lead byte and then its trail byte.
void TypeBytes(HWND w, const std::string& bytes) {
  for (unsigned char c : bytes) PostMessageA(w, WM_CHAR, c, 1);
  Pump();
}

struct RichEditTyping : ::testing::Test {
  THost host;
  TRichEdit edit{nullptr, &host};
  RichEditTyping() {
    edit.SetBounds(0, 0, 400, 200);
    edit.LoadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\pard\\f0\\fs20 x\\par}");
    edit.SetSel(1, 0);
  }
};

TEST_F(RichEditTyping, DoubleByteCharactersArriveWholeAndAreWrittenAsShiftJis) {
  TypeBytes(edit.Handle(), "日本a");
  PostMessageA(edit.Handle(), WM_IME_CHAR, 0x8CEA, 1);  // 語, both bytes at once
  Pump();
  EXPECT_EQ(edit.Line(0), "x日本a語");
  // Typed into an Arial run, the characters took a Japanese font, so the
  // RTF holds their code page 932 bytes, not Unicode escapes.
  const std::string rtf = edit.SaveRtf();
  EXPECT_NE(rtf.find("\\'93\\'fa\\'96\\'7b"), std::string::npos) << rtf;
  for (std::size_t i = rtf.find("\\u"); i != std::string::npos; i = rtf.find("\\u", i + 1))
    EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(rtf[i + 2])) || rtf[i + 2] == '-') << rtf;
}

// Text that a command inserts (a link from a dialog, say) into a Western run
// is written out as code page 932 bytes as well.
TEST_F(RichEditTyping, InsertedJapaneseTextIsWrittenAsShiftJis) {
  edit.SetSelText("{jmp 日本,a}");
  EXPECT_EQ(edit.Line(0), "x{jmp 日本,a}");
  const std::string rtf = edit.SaveRtf();
  EXPECT_NE(rtf.find("\\'93\\'fa\\'96\\'7b"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find("\\u26085"), std::string::npos) << rtf;
}

TEST_F(RichEditTyping, ReadOnlyTakesNothingAndALeadByteDoesNotOutliveFocus) {
  edit.SetReadOnly(true);
  TypeBytes(edit.Handle(), "日");
  EXPECT_EQ(edit.Line(0), "x");
  edit.SetReadOnly(false);
  // A lead byte whose trail never came is dropped when the focus leaves.
  // (Sent, not posted: the queue would pair it with the next character.)
  SendMessageA(edit.Handle(), WM_CHAR, 0x93, 1);
  SendMessageA(edit.Handle(), WM_KILLFOCUS, 0, 0);
  SendMessageA(edit.Handle(), WM_CHAR, 'b', 1);
  EXPECT_EQ(edit.Line(0), "xb");
}

TEST_F(RichEditTyping, SelectionAndParagraphAttributesReachTheRtf) {
  edit.LoadText("abc def");
  edit.SetSel(0, 3);
  TTextAttributes a = edit.SelAttributes();
  a.Style = fsBold | fsUnderline;
  a.Color = RGB(0, 0, 255);
  a.Size = 14;
  edit.SetSelAttributes(a);
  const TTextAttributes back = edit.SelAttributes();
  EXPECT_EQ(back.Style, static_cast<unsigned>(fsBold | fsUnderline));
  EXPECT_EQ(back.Color, RGB(0, 0, 255));
  EXPECT_EQ(back.Size, 14);
  edit.SetSel(4, 3);
  edit.SetSelStyle(fsItalic);
  edit.SetSelColor(RGB(0, 128, 0));
  edit.SetAlignment(TParaAlignment::Center);
  edit.SetIndents(30, 6, 12);
  edit.SetBullet(true);
  const TParaAttributes p = edit.Paragraph();
  EXPECT_EQ(p.Alignment, TParaAlignment::Center);
  EXPECT_TRUE(p.Bullet);
  EXPECT_EQ(p.FirstIndent, 30);
  EXPECT_EQ(p.LeftIndent, 6);
  EXPECT_EQ(p.RightIndent, 12);
  const std::string rtf = edit.SaveRtf();
  EXPECT_TRUE(qmtest::HasControlWord(rtf, "\\b")) << rtf;
  EXPECT_TRUE(qmtest::HasControlWord(rtf, "\\i")) << rtf;
  EXPECT_NE(rtf.find("\\red0\\green0\\blue255"), std::string::npos) << rtf;
  EXPECT_TRUE(qmtest::HasControlWord(rtf, "\\qc")) << rtf;
}

// The topic is saved only when the control is modified: a paragraph's new
// format must count as a change, as new text and character formats do.
TEST_F(RichEditTyping, ParagraphFormatsMarkTheTextModified) {
  edit.LoadText("abc def");
  const auto modified_by = [&](auto change) {
    edit.SetModified(false);
    change();
    return edit.Modified();
  };
  EXPECT_TRUE(modified_by([&] { edit.SetIndents(20, 10, 0); }));
  EXPECT_TRUE(modified_by([&] { edit.SetAlignment(TParaAlignment::Right); }));
  EXPECT_TRUE(modified_by([&] { edit.SetBullet(true); }));
  edit.SetSel(0, 3);
  EXPECT_TRUE(modified_by([&] { edit.SetSelStyle(fsBold); }));
}

// A bullet is drawn in a symbol face; without one the control falls back to
// a face that lacks the glyph and draws its empty box instead of the dot.
TEST_F(RichEditTyping, ABulletShowsAsAFilledDotNotAnEmptyBox) {
  edit.LoadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\pard\\f0\\fs48 x\\par}");
  edit.SetSel(0, 0);
  edit.SetBullet(true);
  ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(edit.Handle());
  // What the control shows left of the text, on its own surface.
  POINTL at{};
  SendMessageA(edit.Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 0);
  const int w = at.x, h = 40;
  ASSERT_GT(w, 4);
  HDC screen = GetDC(edit.Handle());
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, 0, at.y, SRCCOPY);
  ReleaseDC(edit.Handle(), screen);
  auto dark = [&](int x, int y) { return GetRValue(GetPixel(mem, x, y)) < 128; };
  int left = w, right = -1, top = h, bottom = -1;
  std::string seen;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      seen += dark(x, y) ? '#' : '.';
      if (!dark(x, y)) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
    seen += '\n';
  }
  ASSERT_GE(right, 0) << "no bullet drawn:\n" << seen;
  // A dot is dark in its middle; the empty box is light there.
  EXPECT_TRUE(dark((left + right) / 2, (top + bottom) / 2)) << seen;
  EXPECT_LE(right - left, 12) << seen;
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
}

}  // namespace
}  // namespace cl
