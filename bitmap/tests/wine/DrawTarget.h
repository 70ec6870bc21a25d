// A 24-bit top-down DIB section in a memory DC for the drawing tests, read
// back as RGB triples.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace qm::test {

struct Target {
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  uint8_t* bits = nullptr;
  int w, h;
  Target(int width, int height) : w(width), h(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    dc = CreateCompatibleDC(nullptr);
    void* p = nullptr;
    bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint8_t*>(p);
    old = SelectObject(dc, bmp);
  }
  ~Target() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  std::vector<uint8_t> Rgb() const {
    GdiFlush();
    std::vector<uint8_t> out;
    const int stride = (w * 3 + 3) / 4 * 4;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = bits + y * stride + 3 * x;
        out.insert(out.end(), {p[2], p[1], p[0]});
      }
    return out;
  }
};

}  // namespace qm::test
