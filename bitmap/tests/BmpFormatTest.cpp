// The BMP records: fields read as stored, every cut-short record refused with
// the place it needed to reach, and the writer's exact bytes.
#include <gtest/gtest.h>

#include <string>

#include "bitmap/core/QvBmpFormat.h"

namespace qm {
namespace {

// File header, header size, header, masks and colour table, as the readers
// of the library take them one after the other.
bool ReadFront(ByteReader& r, QvBmpFileHeader& file, QvBmpHeader& header, QvRGBQuad* colors) {
  uint32_t size;
  return ReadBmpFileHeader(r, file) && r.ReadU32(size) && ReadBmpHeader(r, size, header) &&
         (header.info.biCompression != kBiBitfields || ReadBmpMasks(r, header)) &&
         ReadBmpColors(r, header, BmpColorCount(header.info), colors, 256);
}

// Cut anywhere, the front is refused and the reader asks for the end of the
// record it was in (records are asked for whole).
void ExpectEveryCutRefused(const std::string& front, std::vector<uint64_t> recordEnds) {
  for (size_t n = 0; n < front.size(); ++n) {
    ByteReader r(front.data(), n);
    QvBmpFileHeader file;
    QvBmpHeader header;
    QvRGBQuad colors[256];
    EXPECT_FALSE(ReadFront(r, file, header, colors)) << n;
    uint64_t end = 0;
    for (uint64_t e : recordEnds)
      if (e > n) {
        end = e;
        break;
      }
    EXPECT_EQ(r.Wanted(), end) << n;
  }
}

// "BM", bfSize 0x0102, reserved words (ignored), bfOffBits 0x0304.
const std::string kFileHeader("BM\x02\x01\x00\x00\xAA\xAA\xBB\xBB\x04\x03\x00\x00", 14);

TEST(BmpFormat, InformationHeaderWithMasksAndColours) {
  std::string front = kFileHeader;
  ByteWriter w(front);
  for (uint32_t v : {40u, 3u, 0xFFFFFFFEu}) w.WriteU32(v);  // size, width, height -2
  w.WriteU16(1);
  w.WriteU16(16);
  for (uint32_t v : {3u, 77u, 3780u, 0u, 2u, 9u}) w.WriteU32(v);  // BI_BITFIELDS ... biClrImportant
  for (uint32_t v : {0xF800u, 0x07E0u, 0x001Fu, 0x00010203u, 0x04050607u}) w.WriteU32(v);
  ExpectEveryCutRefused(front, {14, 18, 54, 66, 74});

  ByteReader r(front);
  QvBmpFileHeader file;
  QvBmpHeader header;
  QvRGBQuad colors[256] = {};
  ASSERT_TRUE(ReadFront(r, file, header, colors));
  EXPECT_EQ(r.Position(), front.size());
  EXPECT_EQ(file.type, kBmpFileType);
  EXPECT_EQ(file.fileSize, 0x0102u);
  EXPECT_EQ(file.offBits, 0x0304u);
  const QvBitmapInfoHeader& h = header.info;
  EXPECT_FALSE(header.IsCore());
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 3);
  EXPECT_EQ(h.biHeight, -2);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 16);
  EXPECT_EQ(h.biCompression, kBiBitfields);
  EXPECT_EQ(h.biSizeImage, 77u);
  EXPECT_EQ(h.biXPelsPerMeter, 3780);
  EXPECT_EQ(h.biYPelsPerMeter, 0);
  EXPECT_EQ(h.biClrUsed, 2u);
  EXPECT_EQ(h.biClrImportant, 9u);
  EXPECT_EQ(header.masks[0], 0xF800u);
  EXPECT_EQ(header.masks[2], 0x001Fu);
  EXPECT_EQ(colors[1].rgbBlue, 0x07);
  EXPECT_EQ(colors[1].rgbReserved, 0x04);  // quads are kept as stored
}

TEST(BmpFormat, CoreHeaderIsWidenedAndItsTriplesBecomeQuads) {
  std::string front = kFileHeader;
  ByteWriter w(front);
  w.WriteU32(12);
  for (uint16_t v : {0xFFFF, 0x8001, 1, 1}) w.WriteU16(v);  // width, height, planes, 1 bit
  w.WriteBytes("\x01\x02\x03\x04\x05\x06", 6);
  ExpectEveryCutRefused(front, {14, 18, 26, 32});

  ByteReader r(front);
  QvBmpFileHeader file;
  QvBmpHeader header;
  QvRGBQuad colors[256] = {};
  ASSERT_TRUE(ReadFront(r, file, header, colors));
  EXPECT_TRUE(header.IsCore());
  EXPECT_EQ(header.info.biWidth, 65535);
  EXPECT_EQ(header.info.biHeight, 32769);  // zero-extended: bottom-up
  EXPECT_EQ(header.info.biBitCount, 1);
  EXPECT_EQ(header.info.biCompression, kBiRgb);
  EXPECT_EQ(BmpColorCount(header.info), 2u);
  EXPECT_EQ(colors[1].rgbBlue, 4);
  EXPECT_EQ(colors[1].rgbRed, 6);
  EXPECT_EQ(colors[1].rgbReserved, 0);
}

TEST(BmpFormat, LongerHeadersHoldTheirMasks) {
  for (uint32_t size : {44u, 52u, 124u}) {
    SCOPED_TRACE(size);
    std::string bytes;
    ByteWriter w(bytes);
    w.WriteU32(size);
    w.WriteZeros(36);
    w.WriteU32(0xFF0000);
    if (size > 44) {
      w.WriteU32(0x00FF00);
      w.WriteU32(0x0000FF);
    }
    w.WriteZeros(size - bytes.size());
    ByteReader r(bytes);
    uint32_t read;
    QvBmpHeader header;
    ASSERT_TRUE(r.ReadU32(read) && ReadBmpHeader(r, read, header));
    EXPECT_EQ(r.Position(), size);  // the rest of the header is passed over
    ASSERT_TRUE(ReadBmpMasks(r, header));
    EXPECT_EQ(r.Position(), size);  // nothing follows for the masks
    EXPECT_EQ(header.masks[0], 0xFF0000u);
    EXPECT_EQ(header.masks[1], size > 44 ? 0x00FF00u : 0u);  // a header too short for it: zero
  }
}

TEST(BmpFormat, ColourTablesKeepTheFirstEntriesAndPassOverTheRest) {
  QvBmpHeader header;
  header.size = 40;
  std::string table;
  ByteWriter w(table);
  for (uint32_t i = 0; i < 300; ++i) w.WriteU32(i);
  QvRGBQuad colors[256];
  ByteReader r(table);
  ASSERT_TRUE(ReadBmpColors(r, header, 300, colors, 256));
  EXPECT_EQ(r.Position(), 1200u);
  EXPECT_EQ(colors[255].rgbBlue, 255);
  ByteReader cut(table.data(), 1199);
  EXPECT_FALSE(ReadBmpColors(cut, header, 300, colors, 256));
  EXPECT_EQ(cut.Wanted(), 1200u);
}

TEST(BmpFormat, WriterBytesAndReadingThemBack) {
  QvBitmapInfoHeader h{};
  h.biSize = 40;
  h.biWidth = 2;
  h.biHeight = -3;
  h.biPlanes = 1;
  h.biBitCount = 8;
  h.biXPelsPerMeter = 3780;
  h.biYPelsPerMeter = 3780;
  h.biClrUsed = 2;
  h.biClrImportant = 1;
  std::string out;
  ByteWriter w(out);
  WriteBmpHeaders(w, h, "\x10\x20\x30\x00\x40\x50\x60\x00", 2, 12);
  const std::string expected(
      "BM\x4A\0\0\0\0\0\0\0\x3E\0\0\0"                    // size 74, pixels at 62
      "\x28\0\0\0\x02\0\0\0\xFD\xFF\xFF\xFF\x01\0\x08\0"  // 40, 2, -3, 1, 8
      "\0\0\0\0\0\0\0\0\xC4\x0E\0\0\xC4\x0E\0\0"           // 0, 0, 3780, 3780
      "\x02\0\0\0\x01\0\0\0"                              // 2, 1
      "\x10\x20\x30\x00\x40\x50\x60\x00", 62);
  EXPECT_EQ(out, expected);

  ByteReader r(out);
  QvBmpFileHeader file;
  QvBmpHeader back;
  QvRGBQuad colors[256];
  ASSERT_TRUE(ReadFront(r, file, back, colors));
  EXPECT_EQ(file.offBits, r.Position());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&back.info), 40),
            std::string(reinterpret_cast<const char*>(&h), 40));
}

}  // namespace
}  // namespace qm
