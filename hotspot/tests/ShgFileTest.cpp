#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

#include "core/FileSystem.h"
#include "bitmap/core/QvBmpFormat.h"
#include "bitmap/core/QvDib.h"
#include "bitmap/core/QvStream.h"
#include "hotspot/core/Shg.h"

namespace qm::hotspot {
namespace {

const std::string kShed = std::string(QM_TESTDATA_DIR) + "/shg/shed";
const std::string kEmbedded = std::string(QM_TESTDATA_DIR) + "/shg/hlp-embedded";
const std::string kAndes = std::string(QM_TESTDATA_DIR) + "/projects/andes-fbd";
const std::string kMeta = std::string(QM_TESTDATA_DIR) + "/meta";

std::string Load(const std::string& path) {
  std::string b;
  EXPECT_TRUE(ReadFileBytes(path, b)) << path;
  return b;
}

std::uint32_t U32(const std::string& s, std::size_t at) { return LoadLe32(s.data() + at); }
std::uint16_t U16(const std::string& s, std::size_t at) { return LoadLe16(s.data() + at); }

// A BMP file reduced to what a picture is: size, depth, colours and rows.
struct Picture {
  std::int32_t width = 0, height = 0;
  int bits = 0;
  std::string palette;  // 4 bytes per entry
  std::string rows;     // bottom-up, padded rows
};

Picture ParseBmp(const std::string& f) {
  Picture p;
  EXPECT_EQ(f.substr(0, 2), "BM");
  ByteReader r(f);
  QvBmpFileHeader file;
  std::uint32_t headerSize = 0;
  QvBmpHeader header;
  EXPECT_TRUE(ReadBmpFileHeader(r, file) && r.ReadU32(headerSize) && headerSize >= kBmpInfoHeaderSize &&
              ReadBmpHeader(r, headerSize, header));
  p.width = header.info.biWidth;
  p.height = header.info.biHeight;
  p.bits = header.info.biBitCount;
  p.palette = f.substr(kBmpFileHeaderSize + headerSize, 4 * BmpColorCount(header.info));
  const std::size_t stride = static_cast<std::size_t>(DibStride(p.width, p.bits));
  p.rows = f.substr(file.offBits, stride * std::abs(p.height));
  EXPECT_EQ(p.rows.size(), stride * std::abs(p.height));
  return p;
}

void ExpectInvalid(TShg& shg, const std::function<void()>& f) {
  try {
    f();
    ADD_FAILURE() << "not refused";
  } catch (const EShgErrorFile& e) {
    EXPECT_STREQ(e.what(), "TShg.LoadFromFile: File type is invalid");
  }
  EXPECT_TRUE(shg.pictureBytes.empty());
  EXPECT_EQ(shg.HotSpotCount(), 0);
}

// A temporary folder for files the tests write.
class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/shgtestXXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A plain BMP stream built in the test.
std::string MakeBmp(int width, int height, int bits, const std::string& rows, int colors) {
  QvBitmapInfoHeader h{};
  h.biSize = kBmpInfoHeaderSize;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<std::uint16_t>(bits);
  h.biClrUsed = static_cast<std::uint32_t>(colors);
  std::string table;
  ByteWriter t(table);
  for (int i = 0; i < colors; ++i) t.WriteU32(0x00010203u * i);
  std::string b;
  ByteWriter w(b);
  WriteBmpHeaders(w, h, table.data(), static_cast<std::uint32_t>(colors), static_cast<std::uint32_t>(rows.size()));
  return b + rows;
}

// --- the real .SHG files ----------------------------------------------------

const std::map<std::string, std::string> kTwins = {
    {"ACCDLG.SHG", "AccDlg.bmp"}, {"ANGDLG.SHG", "Angdlg.bmp"}, {"BDYDLG.SHG", "BdyDlg.bmp"},
    {"DISDLG.SHG", "DisDlg.bmp"}, {"FORCEDLG.SHG", "ForceDlg.bmp"}, {"RADDLG.SHG", "RadDlg.bmp"},
    {"SCREEN.SHG", "Screen.bmp"}};

TEST(ShgRealFiles, RebuildGivesTheTwinBitmap) {
  for (const auto& [shgName, bmpName] : kTwins) {
    SCOPED_TRACE(shgName);
    TShg shg;
    shg.LoadFromFile(kShed + "/" + shgName);
    EXPECT_EQ(shg.magic, kShgMagicLower);
    EXPECT_EQ(shg.packing, 1);
    const std::string built = shg.BuildBitmapFile();
    EXPECT_EQ(U32(built, 2), built.size());  // bfSize counts the padded rows
    Picture mine = ParseBmp(built);
    Picture twin = ParseBmp(Load(kAndes + "/" + bmpName));
    EXPECT_EQ(mine.width, twin.width);
    EXPECT_EQ(mine.height, twin.height);
    EXPECT_EQ(mine.bits, twin.bits);
    EXPECT_EQ(mine.palette, twin.palette);
    EXPECT_TRUE(mine.rows == twin.rows);
  }
}

TEST(ShgRealFiles, HotspotsReadAsStored) {
  for (const auto& [shgName, bmpName] : kTwins) {
    SCOPED_TRACE(shgName);
    const std::string file = Load(kShed + "/" + shgName);
    TShg shg;
    shg.LoadFromBytes(file);
    ASSERT_GT(shg.HotSpotCount(), 0);
    // The block, read here on its own: records and strings in file order.
    std::size_t at = 8 + shg.hotspotOffset;
    const int n = U16(file, at + 1);
    ASSERT_EQ(n, shg.HotSpotCount());
    std::size_t rec = at + 7, str = rec + 15 * n + U32(file, at + 3);
    for (int k = 0; k < n; ++k, rec += 15) {
      const THotSpot& h = shg.HotSpots(n - 1 - k);  // the file holds them in reverse
      const std::uint8_t type = static_cast<std::uint8_t>(file[rec]);
      EXPECT_EQ(h.mode, type == 0xE2 || type == 0xE6 || type == 0xEA || type == 0xEE ? hsPopup
                        : type == 0xC8 || type == 0xCC                             ? hsMacro
                                                                                   : hsJump);
      EXPECT_EQ(h.visible, file[rec + 1] == 0 ? 1 : 0);
      EXPECT_EQ(h.x, U16(file, rec + 3));
      EXPECT_EQ(h.y, U16(file, rec + 5));
      EXPECT_EQ(h.width, U16(file, rec + 7));
      EXPECT_EQ(h.height, U16(file, rec + 9));
      // SCREEN.SHG has a jump with an empty context whose stored hash is 1;
      // this writer gives an empty context the hash 0.
      if (h.context.empty() && h.mode != hsMacro)
        EXPECT_EQ(ContextHash(h.mode, h.context), 0u);
      else
        EXPECT_EQ(ContextHash(h.mode, h.context), U32(file, rec + 11)) << h.context;
      EXPECT_EQ(HotSpotTypeByte(h.mode, h.visible, h.context), type);
      std::string name = file.c_str() + str;
      str += name.size() + 1;
      std::string context = file.c_str() + str;
      str += context.size() + 1;
      EXPECT_EQ(h.name, name);
      EXPECT_EQ(h.context, context);
    }
    EXPECT_EQ(str, file.size());
  }
  TShg acc;
  acc.LoadFromFile(kShed + "/ACCDLG.SHG");
  ASSERT_EQ(acc.HotSpotCount(), 2);
  EXPECT_EQ(acc.HotSpots(0).name, "Hotspot 1");
  EXPECT_EQ(acc.HotSpots(0).context, "HIDC_VECTOR_NAME_TEXT");
  EXPECT_EQ(acc.HotSpots(1).name, "Hotspot 2");
  EXPECT_EQ(acc.HotSpots(1).mode, hsPopup);
  EXPECT_EQ(acc.HotSpots(1).visible, 0);
  EXPECT_EQ(acc.HotSpots(1).x, 0x5E);
  EXPECT_EQ(acc.HotSpots(1).height, 0x1C);
}

TEST(ShgRealFiles, SaveGivesTheSameBytes) {
  TempDir tmp;
  for (const auto& [shgName, bmpName] : kTwins) {
    SCOPED_TRACE(shgName);
    const std::string original = Load(kShed + "/" + shgName);
    TShg shg;
    shg.LoadFromFile(kShed + "/" + shgName);
    shg.SaveToFile(tmp.File(shgName));
    EXPECT_TRUE(Load(tmp.File(shgName)) == original);
  }
}

TEST(ShgRealFiles, StoredHashKeptUntilTheContextChanges) {
  // SCREEN.SHG's last record in the file (hotspot 0) is a jump with an
  // empty context and the hash 1, where ContextHash gives 0.
  TShg shg;
  shg.LoadFromFile(kShed + "/SCREEN.SHG");
  const std::size_t hash = 8 + shg.hotspotOffset + 7 + 15 * (shg.HotSpotCount() - 1) + 11;
  THotSpot& h = shg.HotSpots(0);
  ASSERT_TRUE(h.context.empty());
  EXPECT_EQ(U32(shg.SaveToBytes(), hash), 1u);
  h.context = "Topic1";
  EXPECT_EQ(U32(shg.SaveToBytes(), hash), ContextHash(hsJump, "Topic1"));
  h.context.clear();  // back as loaded
  EXPECT_EQ(U32(shg.SaveToBytes(), hash), 1u);
  h.mode = hsMacro;
  EXPECT_EQ(U32(shg.SaveToBytes(), hash), 1u);
  h.mode = hsPopup;
  EXPECT_EQ(U32(shg.SaveToBytes(), hash), 0u);
  // A hotspot added in memory has no stored hash.
  THotSpot& added = shg.AddHotSpot();
  EXPECT_EQ(HotSpotHash(added), 0u);
}

TEST(ShgRealFiles, EmbeddedPicturesByPacking) {
  struct { const char* name; bool loads; std::uint8_t type; int bits; } cases[] = {
      {"DISKARC_bm0_dib4_pack1.lp", true, 6, 4},
      {"FBD_bm98_dib1_pack0.lp", true, 6, 1},
      {"FBD_bm91_metafile_pack0.lp", true, 8, 0},
      {"DISKARC_bm9_dib4_pack2.lp", false, 0, 0},
      {"FBD_bm48_dib4_pack3_hotspots.lp", false, 0, 0},
      {"FBD_bm63_dib4_pack3_hotspots.lp", false, 0, 0},
      {"FLARIUM24_bm21_dib8_pack3.lp", false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TShg shg;
    const std::string file = Load(kEmbedded + "/" + c.name);
    if (!c.loads) {
      ExpectInvalid(shg, [&] { shg.LoadFromBytes(file); });
      continue;
    }
    shg.LoadFromBytes(file);
    EXPECT_EQ(shg.magic, kShgMagicUpper);
    EXPECT_EQ(shg.pictureType, c.type);
    if (c.type == 6) {
      EXPECT_EQ(shg.bitCount, c.bits);
      Picture p = ParseBmp(shg.BuildBitmapFile());
      EXPECT_EQ(p.width, static_cast<int>(shg.width));
    } else {
      const std::string wmf = shg.BuildPlaceableMetafile();
      EXPECT_EQ(wmf.size(), 22u + shg.mfDecompressedSize);
      EXPECT_EQ(wmf.substr(22, 6), file.substr(29, 6));  // the metafile header
      TShg again;
      again.ImportPlaceableMetafile(wmf);
      EXPECT_EQ(again.mfWidth, shg.mfWidth);
      EXPECT_EQ(again.BuildPlaceableMetafile(), wmf);
    }
    // Written and read back, the picture is the same.
    TShg back;
    back.LoadFromBytes(shg.SaveToBytes());
    EXPECT_EQ(back.pictureBytes, shg.pictureBytes);
    if (c.type == 6) {
      EXPECT_EQ(shg.SaveToBytes(), file);
    }
  }
}

TEST(ShgRealFiles, EveryCutOrFlipIsReadSafely) {
  // Every prefix of a real file is refused; single-byte changes never crash.
  const std::string file = Load(kShed + "/RADDLG.SHG");
  for (std::size_t n = 0; n < file.size(); ++n) {
    TShg shg;
    EXPECT_THROW(shg.LoadFromBytes(std::string_view(file).substr(0, n)), EShgErrorFile) << n;
  }
  for (std::size_t at = 0; at < 120; ++at) {
    for (int v : {0x00, 0x01, 0x7F, 0xFF}) {
      std::string bad = file;
      bad[at] = static_cast<char>(v);
      TShg shg;
      try {
        shg.LoadFromBytes(bad);
        if (shg.pictureType == kShgTypeBitmap) shg.BuildBitmapFile();
        shg.SaveToBytes();
      } catch (const EShgError&) {
      }
    }
  }
}

// --- the format's edge cases ------------------------------------------------

TEST(ShgFormatEdges, RefusedHeaders) {
  std::string file = Load(kShed + "/ANGDLG.SHG");
  auto patched = [&](std::size_t at, std::initializer_list<int> bytes) {
    std::string s = file;
    for (int b : bytes) s[at++] = static_cast<char>(b);
    return s;
  };
  TShg shg;
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(patched(0, {0x6C, 0x51})); });   // magic
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(patched(2, {2, 0})); });         // two pictures
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(patched(2, {0, 0})); });
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(patched(8, {5})); });           // type 5
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(patched(8, {7})); });           // other types too
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(patched(8, {0})); });
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(patched(9, {2})); });           // packing 2
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(patched(4, {0xFF, 0xFF, 0, 0})); });  // offset
  EXPECT_NO_THROW(shg.LoadFromBytes(patched(0, {0x6C, 0x50})));
  EXPECT_EQ(shg.magic, kShgMagicUpper);
  EXPECT_EQ(U16(shg.SaveToBytes(), 0), kShgMagicUpper);
}

TEST(ShgFormatEdges, PicturesLargerThanTheirDataAreRefused) {
  // A bitmap header of 16000 x 16000 at 8 bits over a few bytes of data.
  auto bitmap = [](std::uint32_t width, std::uint32_t height, std::uint8_t packing,
                   const std::string& data) {
    std::string f;
    WriteWord(f, kShgMagicUpper);
    WriteWord(f, 1);
    WriteDWord(f, 8);
    std::string h{static_cast<char>(kShgTypeBitmap), static_cast<char>(packing)};
    for (std::uint32_t v : {96u, 96u}) WriteCompressedDWord(h, v);
    WriteCompressedWord(h, 1);
    WriteCompressedWord(h, 8);
    for (std::uint32_t v : {width, height, 0u, 0u, static_cast<std::uint32_t>(data.size()), 0u})
      WriteCompressedDWord(h, v);
    WriteDWord(h, static_cast<std::uint32_t>(h.size() + 8));
    WriteDWord(h, 0);
    return f + h + data;
  };
  TShg shg;
  const std::string huge = bitmap(16000, 16000, 1, std::string(8, '\x7F'));
  EXPECT_LT(huge.size(), 48u);
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(huge); });
  // 127 bytes of pixels from every two packed bytes at most; one each unpacked.
  EXPECT_NO_THROW(shg.LoadFromBytes(bitmap(127, 4, 1, std::string(8, '\x7F'))));
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(bitmap(128, 4, 1, std::string(8, '\x7F'))); });
  EXPECT_NO_THROW(shg.LoadFromBytes(bitmap(4, 2, 0, std::string(8, '\0'))));
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(bitmap(4, 3, 0, std::string(8, '\0'))); });
  // A metafile that declares more records than its data holds.
  auto metafile = [](std::uint32_t declared, std::uint8_t packing, const std::string& data) {
    std::string f;
    WriteWord(f, kShgMagicUpper);
    WriteWord(f, 1);
    WriteDWord(f, 8);
    std::string h{static_cast<char>(kShgTypeMetafile), static_cast<char>(packing)};
    WriteCompressedWord(h, 8);
    WriteWord(h, 100);
    WriteWord(h, 100);
    for (std::uint32_t v : {declared, static_cast<std::uint32_t>(data.size()), 0u})
      WriteCompressedDWord(h, v);
    WriteDWord(h, static_cast<std::uint32_t>(h.size() + 8));
    WriteDWord(h, 0);
    return f + h + data;
  };
  EXPECT_NO_THROW(shg.LoadFromBytes(metafile(254, 1, std::string(4, '\x7F'))));
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(metafile(255, 1, std::string(4, '\x7F'))); });
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(metafile(0x7FFFFFFF, 0, std::string(4, '\0'))); });
}

TEST(ShgFormatEdges, BlocksPastTheEndAreRefused) {
  std::string file = Load(kShed + "/RADDLG.SHG");
  TShg shg;
  shg.LoadFromBytes(file);
  const std::size_t hs = 8 + shg.hotspotOffset;
  std::string more = file;
  more[hs + 1] = static_cast<char>(0xFF);  // hotspot count 0x??FF
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(more); });
  std::string macro = file;
  macro[hs + 6] = 0x40;  // macro data of 1 GB
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(macro); });
  std::string noNul = file.substr(0, file.size() - 1);  // last context without its NUL
  ExpectInvalid(shg, [&] { shg.LoadFromBytes(noNul); });
}

TEST(ShgFormatEdges, MacroDataIsSkippedAndWrittenAsZero) {
  std::string file = Load(kShed + "/RADDLG.SHG");
  TShg plain;
  plain.LoadFromBytes(file);
  const std::size_t hs = 8 + plain.hotspotOffset;
  const std::size_t strings = hs + 7 + 15 * plain.HotSpotCount();
  std::string withMacro = file.substr(0, strings) + "MACRO" + file.substr(strings);
  withMacro[hs + 3] = 5;
  TShg shg;
  shg.LoadFromBytes(withMacro);
  ASSERT_EQ(shg.HotSpotCount(), plain.HotSpotCount());
  for (int i = 0; i < shg.HotSpotCount(); ++i) EXPECT_EQ(shg.HotSpots(i).context, plain.HotSpots(i).context);
  EXPECT_EQ(shg.SaveToBytes(), file);
}

TEST(ShgFormatEdges, PictureOffsetIsWrittenAsEight) {
  std::string file = Load(kShed + "/RADDLG.SHG");
  std::string moved = file.substr(0, 8) + std::string(16, 'x') + file.substr(8);
  moved[4] = 24;
  TShg shg;
  shg.LoadFromBytes(moved);
  EXPECT_EQ(shg.pictureOffset, 24u);
  EXPECT_EQ(shg.SaveToBytes(), file);
}

TEST(ShgFormatEdges, HotspotTypesWrittenAndRead) {
  TShg shg;
  shg.ImportBmpStream(MakeBmp(8, 2, 8, std::string(16, '\x05'), 4));
  THotSpot& a = shg.AddHotSpot();
  EXPECT_EQ(a.mode, hsJump);
  EXPECT_EQ(a.visible, 1);
  a.context = "topic";
  a.name = "first";
  THotSpot& b = shg.AddHotSpot();
  b.mode = hsPopup;
  b.context = "topic>win";
  THotSpot& c = shg.AddHotSpot();
  c.mode = hsMacro;
  c.visible = 0;
  c.context = "CloseWindow(`main')";
  auto r = MakeHotSpotRect(1, 2, 300, 40000);
  c.x = r.x; c.y = r.y; c.width = r.width; c.height = r.height;
  const std::string bytes = shg.SaveToBytes();
  TShg back;
  back.LoadFromBytes(bytes);
  const std::size_t hs = 8 + back.hotspotOffset;
  ASSERT_EQ(hs, 8u + 10 + 18 + 4 * 4 + shg.compressedSize);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[hs]), 1);
  EXPECT_EQ(U16(bytes, hs + 1), 3);
  // Records from the last hotspot down.
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[hs + 7]), 0xCC);
  EXPECT_EQ(U32(bytes, hs + 7 + 11), 1u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[hs + 22]), 0xEA);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[hs + 37]), 0xE3);
  EXPECT_EQ(U32(bytes, hs + 37 + 11), ContextHash(hsJump, "topic"));
  ASSERT_EQ(back.HotSpotCount(), 3);
  EXPECT_EQ(back.HotSpots(0).name, "first");
  EXPECT_EQ(back.HotSpots(1).mode, hsPopup);
  EXPECT_EQ(back.HotSpots(2).mode, hsMacro);
  EXPECT_EQ(back.HotSpots(2).visible, 0);
  EXPECT_EQ(back.HotSpots(2).height, 40000);
  back.DeleteHotSpot(3);
  back.DeleteHotSpot(-1);
  EXPECT_EQ(back.HotSpotCount(), 3);
  back.DeleteHotSpot(0);
  ASSERT_EQ(back.HotSpotCount(), 2);
  EXPECT_EQ(back.HotSpots(0).mode, hsPopup);
  EXPECT_THROW(back.HotSpots(2), std::out_of_range);
}

TEST(ShgFormatEdges, UnknownTypeBytesReadAsJumps) {
  std::string file = Load(kShed + "/RADDLG.SHG");
  TShg shg;
  shg.LoadFromBytes(file);
  const std::size_t rec = 8 + shg.hotspotOffset + 7;
  file[rec] = 0x42;
  shg.LoadFromBytes(file);
  EXPECT_EQ(shg.HotSpots(shg.HotSpotCount() - 1).mode, hsJump);
}

TEST(ShgFormatEdges, NoHotspotsNoBlock) {
  TShg shg;
  shg.ImportBmpStream(MakeBmp(4, 1, 8, "abcd", 2));
  const std::string bytes = shg.SaveToBytes();
  TShgReader r(bytes);
  r.Seek(10);
  ReadCompressedDWord(r);  // resolutions
  ReadCompressedDWord(r);
  ReadCompressedWord(r);   // planes, bit count
  ReadCompressedWord(r);
  for (int i = 0; i < 5; ++i) ReadCompressedDWord(r);  // size, colours, compressed size
  EXPECT_EQ(ReadCompressedDWord(r), 0u);  // hotspot size
  EXPECT_EQ(r.ReadDWord(), bytes.size() - 8 - shg.compressedSize);  // compressed offset
  EXPECT_EQ(r.ReadDWord(), 0u);           // hotspot offset
  TShg back;
  back.LoadFromBytes(bytes);
  EXPECT_EQ(back.HotSpotCount(), 0);
}

// --- imports -----------------------------------------------------------------

TEST(ShgImport, BmpPacksOrStoresByLength) {
  // Runs pack shorter: packing 1.
  TShg shg;
  shg.ImportBmpStream(MakeBmp(16, 2, 8, std::string(32, '\x07'), 2));
  EXPECT_EQ(shg.magic, kShgMagicUpper);
  EXPECT_EQ(shg.packing, 1);
  EXPECT_EQ(shg.compressedSize, 2u);
  EXPECT_EQ(shg.xResolution, 96u);
  // Every byte different: the packed form is longer, so stored as it is.
  std::string mixed;
  for (int i = 0; i < 16; ++i) mixed.push_back(static_cast<char>(i));
  shg.ImportBmpStream(MakeBmp(16, 1, 8, mixed, 2));
  EXPECT_EQ(shg.packing, 0);
  EXPECT_EQ(shg.compressedSize, 16u);
  EXPECT_EQ(shg.pictureBytes.substr(8), mixed);
  // Packed and plain of equal length keep the packed form: "abbb" packs to 4 bytes.
  shg.ImportBmpStream(MakeBmp(4, 1, 8, "abbb", 2));
  EXPECT_EQ(shg.packing, 1);
  EXPECT_EQ(shg.compressedSize, 4u);
}

TEST(ShgImport, TopDownBmpIsStoredBottomUp) {
  const std::string rowsBottomUp = std::string("\x01\x01\x01\x01", 4) + std::string("\x02\x03\x04\x05", 4);
  const std::string rowsTopDown = rowsBottomUp.substr(4) + rowsBottomUp.substr(0, 4);
  TShg down, up;
  down.ImportBmpStream(MakeBmp(4, -2, 8, rowsTopDown, 8));
  up.ImportBmpStream(MakeBmp(4, 2, 8, rowsBottomUp, 8));
  EXPECT_EQ(down.height, 2u);
  EXPECT_EQ(down.SaveToBytes(), up.SaveToBytes());
  EXPECT_EQ(ParseBmp(down.BuildBitmapFile()).rows, rowsBottomUp);
}

TEST(ShgImport, BmpTwinRoundTrip) {
  TempDir tmp;
  for (const auto& [shgName, bmpName] : kTwins) {
    SCOPED_TRACE(bmpName);
    TShg shg;
    shg.LoadFromFile(kAndes + "/" + bmpName);
    EXPECT_EQ(shg.colorsUsed, 16u);  // 0 in the file: the whole 4-bit table
    shg.SaveToFile(tmp.File("x.shg"));
    TShg back;
    back.LoadFromFile(tmp.File("x.shg"));
    Picture p = ParseBmp(back.BuildBitmapFile());
    Picture twin = ParseBmp(Load(kAndes + "/" + bmpName));
    EXPECT_EQ(p.palette, twin.palette);
    EXPECT_TRUE(p.rows == twin.rows);
  }
}

TEST(ShgImport, BadBmpStreamsAreRefused) {
  TShg shg;
  const std::string good = MakeBmp(4, 1, 8, "abcd", 2);
  ExpectInvalid(shg, [&] { shg.ImportBmpStream(good.substr(0, good.size() - 1)); });  // short rows
  ExpectInvalid(shg, [&] { shg.ImportBmpStream(good.substr(0, 40)); });
  std::string rle = good;
  rle[30] = 1;
  ExpectInvalid(shg, [&] { shg.ImportBmpStream(rle); });
  std::string bits = good;
  bits[28] = 3;
  ExpectInvalid(shg, [&] { shg.ImportBmpStream(bits); });
  std::string zero = good;
  zero[18] = 0;
  ExpectInvalid(shg, [&] { shg.ImportBmpStream(zero); });
  ExpectInvalid(shg, [&] { shg.LoadFromFile(kAndes + "/FBD.hpj"); });  // extension
}

TEST(ShgImport, BitmapWithoutColourTable) {
  std::string rows;
  for (int i = 0; i < 2 * 8; ++i) rows += std::string("\x10\x20\x30", 3);  // 24-bit, 8 wide: 24 per row
  TShg shg;
  shg.ImportBmpStream(MakeBmp(8, 2, 24, rows, 0));
  EXPECT_EQ(shg.colorsUsed, 0u);
  const std::string built = shg.BuildBitmapFile();
  EXPECT_EQ(U32(built, 10), 54u);
  EXPECT_EQ(built.substr(54), rows);
}

TEST(ShgImport, PlaceableMetafiles) {
  int loaded = 0, refused = 0;
  for (const std::string& name : ListFiles(kMeta + "/wmf", ".wmf")) {
    SCOPED_TRACE(name);
    const std::string file = Load(kMeta + "/wmf/" + name);
    const bool placeable = U32(file, 0) == kPlaceableKey;
    TShg shg;
    if (!placeable) {
      ExpectInvalid(shg, [&] { shg.LoadFromFile(kMeta + "/wmf/" + name); });
      ++refused;
      continue;
    }
    shg.LoadFromFile(kMeta + "/wmf/" + name);
    ++loaded;
    EXPECT_EQ(shg.pictureType, kShgTypeMetafile);
    EXPECT_EQ(shg.mfDecompressedSize, file.size() - 22);
    TShg back;
    back.LoadFromBytes(shg.SaveToBytes());
    EXPECT_EQ(back.BuildPlaceableMetafile().substr(22), file.substr(22));
  }
  EXPECT_EQ(loaded, 9);
  EXPECT_EQ(refused, 3);
}

TEST(ShgImport, PlaceableHeaderRules) {
  const std::string file = Load(kMeta + "/wmf/libwmf-arrow01.wmf");
  TShg shg;
  std::string bad = file;
  bad[20] ^= 1;  // checksum
  ExpectInvalid(shg, [&] { shg.ImportPlaceableMetafile(bad); });
  ExpectInvalid(shg, [&] { shg.ImportPlaceableMetafile(file.substr(0, 30)); });
  // 0 units per inch counts as 96: 960 units are 960 pixels.
  std::string h = file.substr(0, 22);
  auto setWord = [&](std::size_t at, std::uint16_t v) { std::memcpy(&h[at], &v, 2); };
  setWord(6, 0); setWord(8, 0); setWord(10, 960); setWord(12, 480); setWord(14, 0);
  setWord(20, PlaceableChecksum(h.data()));
  shg.ImportPlaceableMetafile(h + file.substr(22));
  EXPECT_EQ(shg.mfWidth, 960u);
  EXPECT_EQ(shg.mfHeight, 480u);
  // A size beyond the format's word of 0.01 mm is refused.
  setWord(10, 30000); setWord(14, 96);
  setWord(20, PlaceableChecksum(h.data()));
  ExpectInvalid(shg, [&] { shg.ImportPlaceableMetafile(h + file.substr(22)); });
}

TEST(ShgImport, EnhancedMetafilesNeedTheConverter) {
  TShg shg;
  EXPECT_THROW(shg.LoadFromFile(kMeta + "/emf/libemf2svg-test-012.emf"), EShgError);
  // Not placeable as they stand, so a converter that passes them on is refused.
  shg.emfConverter = [](std::string_view emf) { return std::string(emf); };
  for (const char* dir : {"/emf", "/emf-corrupted"}) {
    for (const std::string& name : ListFiles(kMeta + dir, ".emf")) {
      ExpectInvalid(shg, [&] { shg.LoadFromFile(kMeta + dir + "/" + name); });
    }
  }
}

}  // namespace
}  // namespace qm::hotspot

namespace qm::hotspot {
namespace {

TEST(ShgRebuild, SizesFromThePaddedStride) {
  // 4-bit, 3 pixels wide, with 5 colours: rows of 4 bytes, not 0 or 2.
  const std::string rows = std::string("\x01\x23\x00\x00\x45\x60\x00\x00", 8);
  TShg shg;
  shg.ImportBmpStream(MakeBmp(3, 2, 4, rows, 5));
  EXPECT_EQ(shg.colorsUsed, 5u);
  const std::string built = shg.BuildBitmapFile();
  EXPECT_EQ(built.size(), 54u + 20 + 8);
  EXPECT_EQ(U32(built, 2), built.size());
  EXPECT_EQ(built.substr(74), rows);
  // Packed data that ends early leaves the missing rows black; extra data is cut.
  shg.pictureBytes.resize(20 + 2);
  shg.packing = 0;
  EXPECT_EQ(shg.BuildBitmapFile().substr(74), rows.substr(0, 2) + std::string(6, '\0'));
  shg.width = 0;
  EXPECT_THROW(shg.BuildBitmapFile(), EShgError);
}

}  // namespace
}  // namespace qm::hotspot

namespace qm::hotspot {
namespace {

const std::string kBmpSuite = std::string(QM_TESTDATA_DIR) + "/bmp";

// The bitmap library's own BMP stream of a file, rows made bottom-up.
Picture LibraryPicture(const std::string& path) {
  TQvDIB dib(false);
  dib.LoadFromFile(path);
  if (dib.GetPixelFormat() == kPf4BitRle) dib.SetPixelFormat(kPf4Bit);
  if (dib.GetPixelFormat() == kPf8BitRle) dib.SetPixelFormat(kPf8Bit);
  QvStringWriteStream s;
  dib.SaveToStream(s);
  Picture p = ParseBmp(s.Data());
  if (p.height < 0) {
    const std::size_t stride = p.rows.size() / -p.height;
    std::string flipped;
    for (int r = -p.height; r-- > 0;) flipped += p.rows.substr(r * stride, stride);
    p.rows = flipped;
    p.height = -p.height;
  }
  return p;
}

TEST(ShgImportSuite, GoodBitmapsImportAndLoadBack) {
  TempDir tmp;
  int imported = 0;
  for (const std::string& name : ListFiles(kBmpSuite + "/g", ".bmp")) {
    SCOPED_TRACE(name);
    const std::string path = kBmpSuite + "/g/" + name;
    TShg shg;
    shg.LoadFromFile(path);
    ++imported;
    EXPECT_EQ(shg.magic, kShgMagicUpper);
    shg.SaveToFile(tmp.File("x.shg"));
    TShg back;
    back.LoadFromFile(tmp.File("x.shg"));
    Picture mine = ParseBmp(back.BuildBitmapFile());
    Picture lib = LibraryPicture(path);
    EXPECT_GT(mine.height, 0);
    EXPECT_EQ(mine.width, lib.width);
    EXPECT_EQ(mine.height, lib.height);
    EXPECT_EQ(mine.bits, lib.bits);
    EXPECT_EQ(mine.palette, lib.palette);
    EXPECT_TRUE(mine.rows == lib.rows);
  }
  EXPECT_EQ(imported, 27);
}

TEST(ShgImportSuite, TopDownAndRleFiles) {
  TShg down, up;
  down.LoadFromFile(kBmpSuite + "/g/pal8topdown.bmp");
  up.LoadFromFile(kBmpSuite + "/g/pal8.bmp");
  EXPECT_EQ(down.height, up.height);
  EXPECT_EQ(down.BuildBitmapFile(), up.BuildBitmapFile());
  TShg rle;
  rle.LoadFromFile(kBmpSuite + "/g/pal8rle.bmp");
  EXPECT_EQ(rle.bitCount, 8);
  EXPECT_EQ(ParseBmp(rle.BuildBitmapFile()).rows, ParseBmp(up.BuildBitmapFile()).rows);
  TShg rle4, plain4;
  rle4.LoadFromFile(kBmpSuite + "/g/pal4rle.bmp");
  plain4.LoadFromFile(kBmpSuite + "/g/pal4.bmp");
  EXPECT_EQ(rle4.bitCount, 4);
  EXPECT_EQ(ParseBmp(rle4.BuildBitmapFile()).rows, ParseBmp(plain4.BuildBitmapFile()).rows);
}

TEST(ShgImportSuite, BadBitmapsFailCleanly) {
  for (const std::string& name : ListFiles(kBmpSuite + "/b", ".bmp")) {
    SCOPED_TRACE(name);
    TShg shg;
    try {
      shg.LoadFromFile(kBmpSuite + "/b/" + name);
      TShg back;
      back.LoadFromBytes(shg.SaveToBytes());
      back.BuildBitmapFile();
    } catch (const std::exception&) {
      EXPECT_TRUE(shg.pictureBytes.empty());
    }
  }
}

}  // namespace
}  // namespace qm::hotspot
