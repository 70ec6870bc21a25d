// The preview's picture reader on real .shg files and on truncated and
// hostile ones.
#include <gtest/gtest.h>

#include "core/FileSystem.h"
#include "core/LittleEndian.h"
#include "editor/core/ShgPicture.h"
#include "editor/tests/TestUtil.h"
#include "hotspot/core/ShgFormat.h"

namespace qm::editor {
namespace {

std::string ShgFile(const char* name) { return test::ReadAll(PathJoin(PathJoin(QM_TESTDATA_DIR, "shg"), name)); }

TEST(ShgPicture, RealBitmapsMatchTheirBmpTwins) {
  // The .SHG files of the project were made from BMP files kept beside them.
  const struct {
    const char* shg;
    const char* bmp;
  } pairs[] = {{"shed/RADDLG.SHG", "RadDlg.bmp"}, {"shed/ACCDLG.SHG", "AccDlg.bmp"}};
  for (const auto& pair : pairs) {
    const ShgPicture p = ReadShgPicture(ShgFile(pair.shg));
    ASSERT_EQ(p.Kind, ShgPictureKind::Bitmap) << pair.shg;
    const std::string bmp =
        test::ReadAll(PathJoin(PathJoin(QM_TESTDATA_DIR, "projects/andes-fbd"), pair.bmp));
    ASSERT_GT(bmp.size(), 118u);
    const auto* ours = reinterpret_cast<const unsigned char*>(p.Bytes.data());
    const auto* theirs = reinterpret_cast<const unsigned char*>(bmp.data());
    EXPECT_EQ(LoadLe32(ours + 18), LoadLe32(theirs + 18));  // width
    EXPECT_EQ(LoadLe32(ours + 22), LoadLe32(theirs + 22));  // height
    // Colour table and pixels.
    EXPECT_EQ(p.Bytes.substr(54), bmp.substr(LoadLe32(theirs + 10) - 64)) << pair.shg;
  }
}

TEST(ShgPicture, EmbeddedPictures) {
  ShgPicture p = ReadShgPicture(ShgFile("hlp-embedded/FBD_bm98_dib1_pack0.lp"));
  EXPECT_EQ(p.Kind, ShgPictureKind::Bitmap);
  EXPECT_EQ(p.Width, 8);
  EXPECT_EQ(p.Height, 11);
  p = ReadShgPicture(ShgFile("hlp-embedded/DISKARC_bm0_dib4_pack1.lp"));
  EXPECT_EQ(p.Kind, ShgPictureKind::Bitmap);
  p = ReadShgPicture(ShgFile("hlp-embedded/FBD_bm91_metafile_pack0.lp"));
  ASSERT_EQ(p.Kind, ShgPictureKind::Metafile);
  EXPECT_GT(p.Width, 0);
  EXPECT_EQ(LoadLe32(p.Bytes.data()), hotspot::kPlaceableKey);
  EXPECT_EQ(LoadLe16(p.Bytes.data() + 20), hotspot::PlaceableChecksum(p.Bytes.data()));
  for (const char* packed : {"hlp-embedded/DISKARC_bm9_dib4_pack2.lp", "hlp-embedded/FBD_bm48_dib4_pack3_hotspots.lp",
                             "hlp-embedded/FLARIUM24_bm21_dib8_pack3.lp"}) {
    EXPECT_EQ(ReadShgPicture(ShgFile(packed)).Kind, ShgPictureKind::Refused) << packed;
  }
}

TEST(ShgPicture, SeveralPicturesAndOtherTypes) {
  // An .mrb of three pictures: the first is taken.
  std::string file = ShgFile("hlp-embedded/FBD_bm98_dib1_pack0.lp");
  StoreLe16(&file[2], 3);
  EXPECT_EQ(ReadShgPicture(file).Kind, ShgPictureKind::Bitmap);
  // "lp" is read like "lP".
  file[1] = 'p';
  EXPECT_EQ(ReadShgPicture(file).Kind, ShgPictureKind::Bitmap);
  file[LoadLe32(file.data() + 4)] = 5;  // type 5
  const ShgPicture other = ReadShgPicture(file);
  EXPECT_EQ(other.Kind, ShgPictureKind::Other);
  EXPECT_TRUE(other.Bytes.empty());
  EXPECT_EQ(ReadShgPicture("BM\0\0\0\0\0\0").Kind, ShgPictureKind::Refused);
}

TEST(ShgPicture, EveryTruncationIsRefusedOrShort) {
  for (const char* name : {"shed/RADDLG.SHG", "hlp-embedded/FBD_bm91_metafile_pack0.lp",
                           "hlp-embedded/DISKARC_bm0_dib4_pack1.lp"}) {
    const std::string file = ShgFile(name);
    for (std::size_t n = 0; n < file.size(); n += 1 + n / 16) {
      const std::string cut = file.substr(0, n);  // a copy of its own, so ASan sees over-reads
      const ShgPicture p = ReadShgPicture(cut);
      EXPECT_EQ(p.Kind, ShgPictureKind::Refused) << name << " cut at " << n;
    }
  }
}

// A packed 1-bit bitmap with the given header values.
std::string Hostile(std::uint32_t width, std::uint32_t height, std::uint32_t colors, std::uint32_t dataSize) {
  std::string f = "lP";
  hotspot::WriteWord(f, 1);
  hotspot::WriteDWord(f, 8);
  f += '\x06';
  f += '\x01';
  hotspot::WriteCompressedDWord(f, 96);
  hotspot::WriteCompressedDWord(f, 96);
  hotspot::WriteCompressedWord(f, 1);
  hotspot::WriteCompressedWord(f, 1);
  hotspot::WriteCompressedDWord(f, width);
  hotspot::WriteCompressedDWord(f, height);
  hotspot::WriteCompressedDWord(f, colors);
  hotspot::WriteCompressedDWord(f, 0);
  hotspot::WriteCompressedDWord(f, dataSize);
  hotspot::WriteCompressedDWord(f, 0);
  const std::size_t offsets = f.size();
  hotspot::WriteDWord(f, 0);
  hotspot::WriteDWord(f, 0);
  f.append(8, '\xFF');  // two colours
  StoreLe32(&f[offsets], static_cast<std::uint32_t>(f.size() - 8));
  f += std::string(dataSize, '\x7F');
  return f;
}

TEST(ShgPicture, HostileHeaders) {
  ShgPicture p = ReadShgPicture(Hostile(8, 8, 2, 16));
  ASSERT_EQ(p.Kind, ShgPictureKind::Bitmap);
  EXPECT_EQ(p.Bytes.size(), 54u + 8u + 4u * 8u);
  // More colours than one bit can index: two are used.
  p = ReadShgPicture(Hostile(8, 8, 1000000, 16));
  ASSERT_EQ(p.Kind, ShgPictureKind::Bitmap);
  EXPECT_EQ(LoadLe32(p.Bytes.data() + 46), 2u);
  // A picture far larger than the stored bytes can hold.
  EXPECT_EQ(ReadShgPicture(Hostile(0x7FFFFFFF, 0x7FFFFFFF, 2, 16)).Kind, ShgPictureKind::Refused);
  EXPECT_EQ(ReadShgPicture(Hostile(5000, 5000, 2, 16)).Kind, ShgPictureKind::Refused);
  // Data that claims more bytes than the file has.
  std::string f = Hostile(8, 8, 2, 16);
  f.resize(f.size() - 1);
  EXPECT_EQ(ReadShgPicture(f).Kind, ShgPictureKind::Refused);
}

TEST(ShgPicture, PreviewSize) {
  PreviewSize s = PicturePreviewSize(400, 100);
  EXPECT_EQ(s.Width, 150);
  EXPECT_EQ(s.Height, 100);
  s = PicturePreviewSize(80, 60);
  EXPECT_EQ(s.Width, 80);
  EXPECT_EQ(s.Height, 60);
}

}  // namespace
}  // namespace qm::editor
