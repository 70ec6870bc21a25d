#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "core/FileSystem.h"
#include "hotspot/ShgGraphic.h"

namespace qm::hotspot {
namespace {

const std::string kData = QM_TESTDATA_DIR;

struct Dib {
  DIBSECTION ds{};
  explicit Dib(HBITMAP b) { EXPECT_EQ(GetObject(b, sizeof ds, &ds), static_cast<int>(sizeof ds)); }
  const unsigned char* Bits() const { return static_cast<const unsigned char*>(ds.dsBm.bmBits); }
  std::size_t Bytes() const { return static_cast<std::size_t>(ds.dsBm.bmWidthBytes) * ds.dsBm.bmHeight; }
};

// Pixels of a 24-bit bitmap that are not white.
int InkedPixels(HBITMAP bmp) {
  Dib d(bmp);
  int n = 0;
  for (int y = 0; y < d.ds.dsBm.bmHeight; ++y) {
    const unsigned char* row = d.Bits() + y * d.ds.dsBm.bmWidthBytes;
    for (int x = 0; x < d.ds.dsBm.bmWidth; ++x)
      if (row[3 * x] != 255 || row[3 * x + 1] != 255 || row[3 * x + 2] != 255) ++n;
  }
  return n;
}

TEST(ShgGraphic, BitmapsAsStored) {
  for (const char* name : {"ACCDLG.SHG", "SCREEN.SHG", "RADDLG.SHG"}) {
    SCOPED_TRACE(name);
    TShg shg;
    shg.LoadFromFile(kData + "/shg/shed/" + name);
    HBITMAP bmp = ToGraphic(shg);
    ASSERT_NE(bmp, nullptr);
    Dib d(bmp);
    EXPECT_EQ(d.ds.dsBm.bmWidth, static_cast<LONG>(shg.width));
    EXPECT_EQ(d.ds.dsBm.bmHeight, static_cast<LONG>(shg.height));
    EXPECT_EQ(d.ds.dsBm.bmBitsPixel, 4);
    const std::string file = shg.BuildBitmapFile();
    ASSERT_EQ(d.Bytes(), file.size() - 118);
    EXPECT_EQ(std::memcmp(d.Bits(), file.data() + 118, d.Bytes()), 0);
    // The colour table went in too.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    RGBQUAD table[16];
    EXPECT_EQ(GetDIBColorTable(dc, 0, 16, table), 16u);
    EXPECT_EQ(std::memcmp(table, file.data() + 54, 64), 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
  }
}

TEST(ShgGraphic, BmpImportMatchesTheStoredPicture) {
  // The .bmp an editor made ACCDLG.SHG from, imported here, rebuilds to the
  // same bitmap as the .SHG.
  TShg imported, stored;
  imported.LoadFromFile(kData + "/projects/andes-fbd/AccDlg.bmp");
  stored.LoadFromFile(kData + "/shg/shed/ACCDLG.SHG");
  EXPECT_TRUE(imported.BuildBitmapFile() == stored.BuildBitmapFile());
  // The editor that made the .SHG keeps 2-byte runs inside literal blocks;
  // this packer codes every run of 2 or more as a run, so the packed bytes
  // differ (and are a little longer) while the pixels are the same.
  EXPECT_NE(imported.pictureBytes.size(), stored.pictureBytes.size());
}

TEST(ShgGraphic, BitmapWithoutColourTableAndOddWidth) {
  // 4-bit, 3 pixels wide, colours used 0: no over-read, rows padded.
  TShg shg;
  shg.pictureType = kShgTypeBitmap;
  shg.bitCount = 4;
  shg.width = 3;
  shg.height = 2;
  shg.colorsUsed = 0;
  shg.packing = 0;
  shg.pictureBytes = std::string("\x12\x30\x00\x00\x45\x60\x00\x00", 8);
  HBITMAP bmp = ToGraphic(shg);
  ASSERT_NE(bmp, nullptr);
  Dib d(bmp);
  EXPECT_EQ(d.Bytes(), 8u);
  EXPECT_EQ(std::memcmp(d.Bits(), shg.pictureBytes.data(), 8), 0);
  DeleteObject(bmp);
}

TEST(ShgGraphic, EmbeddedMetafileIsDrawn) {
  std::string file;
  ASSERT_TRUE(ReadFileBytes(kData + "/shg/hlp-embedded/FBD_bm91_metafile_pack0.lp", file));
  TShg shg;
  shg.LoadFromBytes(file);
  HBITMAP bmp = ToGraphic(shg);
  ASSERT_NE(bmp, nullptr);
  Dib d(bmp);
  EXPECT_EQ(d.ds.dsBm.bmWidth, static_cast<LONG>(shg.mfWidth));
  EXPECT_EQ(d.ds.dsBm.bmHeight, static_cast<LONG>(shg.mfHeight));
  EXPECT_GT(InkedPixels(bmp), 0);
  DeleteObject(bmp);
  HMETAFILE mf = ToWinMetafile(shg);
  ASSERT_NE(mf, nullptr);
  // The records up to the end record (the stored bytes may have a tail).
  EXPECT_GT(GetMetaFileBitsEx(mf, 0, nullptr), shg.mfDecompressedSize - 8);
  DeleteMetaFile(mf);
}

TEST(ShgGraphic, PlaceableAndEnhancedImportsDraw) {
  int drawn = 0;
  for (const std::string& name : ListFiles(kData + "/meta/wmf", ".wmf")) {
    SCOPED_TRACE(name);
    TShg shg;
    try {
      shg.LoadFromFile(kData + "/meta/wmf/" + name);
    } catch (const EShgErrorFile&) {
      continue;  // not placeable
    }
    TShg back;
    back.LoadFromBytes(shg.SaveToBytes());
    HBITMAP bmp = ToGraphic(back);
    ASSERT_NE(bmp, nullptr);
    Dib d(bmp);
    EXPECT_EQ(d.ds.dsBm.bmWidth, static_cast<LONG>(shg.mfWidth));
    EXPECT_EQ(d.ds.dsBm.bmBitsPixel, 24);
    if (InkedPixels(bmp) > 0) ++drawn;
    DeleteObject(bmp);
  }
  EXPECT_GE(drawn, 7);
  int imported = 0, drawnEmf = 0;
  for (const std::string& name : ListFiles(kData + "/meta/emf", ".emf")) {
    SCOPED_TRACE(name);
    TShg shg;
    UsePlatformConverters(shg);
    shg.LoadFromFile(kData + "/meta/emf/" + name);
    ++imported;
    EXPECT_EQ(shg.pictureType, kShgTypeMetafile);
    EXPECT_EQ(shg.magic, kShgMagicUpper);
    EXPECT_GT(shg.mfWidth, 0u);
    TShg back;
    back.LoadFromBytes(shg.SaveToBytes());
    HBITMAP bmp = ToGraphic(back);
    ASSERT_NE(bmp, nullptr);
    if (InkedPixels(bmp) > 0) ++drawnEmf;
    DeleteObject(bmp);
  }
  EXPECT_EQ(imported, 15);
  // Some pictures come out blank through the platform's enhanced-to-Windows
  // metafile conversion (Wine's converter drops records it cannot map).
  EXPECT_GE(drawnEmf, 5);
}

TEST(ShgGraphic, BrokenEnhancedMetafilesNeverCrash) {
  for (const std::string& name : ListFiles(kData + "/meta/emf-corrupted", ".emf")) {
    SCOPED_TRACE(name);
    TShg shg;
    UsePlatformConverters(shg);
    try {
      shg.LoadFromFile(kData + "/meta/emf-corrupted/" + name);
      HBITMAP bmp = ToGraphic(shg);
      if (bmp) DeleteObject(bmp);
    } catch (const EShgError&) {
      EXPECT_TRUE(shg.pictureBytes.empty() || shg.pictureType == kShgTypeMetafile);
    }
  }
  // Cut short anywhere, an enhanced metafile is refused.
  std::string emf;
  ASSERT_TRUE(ReadFileBytes(kData + "/meta/emf/libemf2svg-test-030.emf", emf));
  for (std::size_t n = 0; n < emf.size(); n += 7)
    EXPECT_THROW(EmfToPlaceableMetafile(std::string_view(emf).substr(0, n)), EShgErrorFile) << n;
}

TEST(ShgGraphic, MalformedMetafileRecordsAreNotDrawn) {
  TShg shg;
  shg.LoadFromFile(kData + "/meta/wmf/libwmf-arrow01.wmf");
  shg.pictureBytes = RunLenPack(std::string("\x01\x00\x09\x00\x00\x03\xFF\xFF\x00\x00", 10));
  shg.mfDecompressedSize = 10;
  EXPECT_THROW(ToGraphic(shg), EShgError);
}

TEST(ShgGraphic, ClassLibraryGraphics) {
  // A bitmap picture: the same pixels, with a palette of its colours.
  TShg shg;
  shg.LoadFromFile(kData + "/shg/shed/ACCDLG.SHG");
  std::unique_ptr<cl::TGraphic> g = ToClassGraphic(shg);
  auto* bmp = dynamic_cast<cl::TBitmap*>(g.get());
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(bmp->Width(), static_cast<int>(shg.width));
  EXPECT_EQ(bmp->Height(), static_cast<int>(shg.height));
  EXPECT_EQ(bmp->PixelFormat(), cl::TPixelFormat::pf4bit);
  ASSERT_NE(bmp->Palette(), nullptr);
  EXPECT_EQ(GetPaletteEntries(bmp->Palette(), 0, 0, nullptr), 16u);
  cl::TBitmap file;
  file.LoadFromFile(kData + "/projects/andes-fbd/AccDlg.bmp");
  int different = 0;
  for (int y = 0; y < bmp->Height(); ++y)
    for (int x = 0; x < bmp->Width(); ++x)
      if (bmp->Canvas().Pixel(x, y) != file.Canvas().Pixel(x, y)) ++different;
  EXPECT_EQ(different, 0);

  // A metafile picture: drawn at its size, it looks as ToGraphic draws it.
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(kData + "/shg/hlp-embedded/FBD_bm91_metafile_pack0.lp", bytes));
  TShg meta;
  meta.LoadFromBytes(bytes);
  g = ToClassGraphic(meta);
  auto* mf = dynamic_cast<cl::TMetafile*>(g.get());
  ASSERT_NE(mf, nullptr);
  EXPECT_EQ(mf->Width(), static_cast<int>(meta.mfWidth));
  EXPECT_EQ(mf->Height(), static_cast<int>(meta.mfHeight));
  cl::TBitmap drawn;
  drawn.SetSize(mf->Width(), mf->Height());
  drawn.Canvas().Draw(0, 0, *mf);
  cl::TBitmap reference;
  reference.SetHandle(ToGraphic(meta));
  int ink = 0;
  different = 0;
  for (int y = 0; y < drawn.Height(); ++y)
    for (int x = 0; x < drawn.Width(); ++x) {
      if (reference.Canvas().Pixel(x, y) != RGB(255, 255, 255)) ++ink;
      if (reference.Canvas().Pixel(x, y) != drawn.Canvas().Pixel(x, y)) ++different;
    }
  EXPECT_GT(ink, 0);
  EXPECT_LE(different, ink / 10);
  // Saved as a placeable metafile, it reads back at the same size.
  std::stringstream placeable;
  mf->SaveToStream(placeable);
  cl::TMetafile back;
  back.LoadFromStream(placeable);
  EXPECT_EQ(back.Width(), mf->Width());
  EXPECT_EQ(back.Height(), mf->Height());
}

}  // namespace
}  // namespace qm::hotspot
