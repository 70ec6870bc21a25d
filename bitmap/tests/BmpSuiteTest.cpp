// The BMP Suite: good files decode right (RLE as their plain twins and as the
// reference renderings), bad ones are refused cleanly, questionable ones do
// not crash. Run under the address and undefined-behaviour checkers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "bitmap/core/QvDib.h"
#include "bitmap/tests/DibTestUtil.h"
#include "core/FileSystem.h"

namespace qm {
namespace {

const std::string kSuite = std::string(QM_TESTDATA_DIR) + "/bmp";

std::vector<std::string> Files(const char* folder) {
  std::vector<std::string> names = ListFiles(kSuite + "/" + folder, ".bmp");
  EXPECT_FALSE(names.empty()) << folder;
  return names;
}

// Loads a file the way the hotspot editor imports one: load, then turn RLE
// pixels into plain ones.
std::unique_ptr<TQvDIB> Import(const std::string& path) {
  auto d = std::make_unique<TQvDIB>(true);
  d->LoadFromFile(path);
  int pf = d->GetPixelFormat();
  if (pf == kPf4BitRle) d->SetPixelFormat(kPf4Bit);
  if (pf == kPf8BitRle) d->SetPixelFormat(kPf8Bit);
  return d;
}

// The reference rendering a good file must match, and the largest channel
// difference allowed (16-bit channels may round differently).
std::map<std::string, std::pair<std::string, int>> References() {
  return {
      {"pal1", {"pal1", 0}},        {"pal1wb", {"pal1", 0}},     {"pal1bg", {"pal1bg", 0}},
      {"pal4", {"pal4", 0}},        {"pal4rle", {"pal4", 0}},    {"pal4gs", {"pal4gs", 0}},
      {"pal8", {"pal8", 0}},        {"pal8-0", {"pal8", 0}},     {"pal8rle", {"pal8", 0}},
      {"pal8os2", {"pal8", 0}},     {"pal8topdown", {"pal8", 0}}, {"pal8v4", {"pal8", 0}},
      {"pal8v5", {"pal8", 0}},      {"pal8gs", {"pal8gs", 0}},   {"pal8w124", {"pal8w124", 0}},
      {"pal8w125", {"pal8w125", 0}}, {"pal8w126", {"pal8w126", 0}},
      {"pal8nonsquare", {"pal8nonsquare-e", 0}},
      {"rgb16", {"rgb16", 1}},      {"rgb16bfdef", {"rgb16", 1}}, {"rgb16-565", {"rgb16-565", 1}},
      {"rgb16-565pal", {"rgb16-565", 1}}, {"rgb24", {"rgb24", 0}}, {"rgb24pal", {"rgb24", 0}},
      {"rgb32", {"rgb24", 0}},      {"rgb32bf", {"rgb24", 0}},   {"rgb32bfdef", {"rgb24", 0}},
  };
}

TEST(BmpSuite, GoodFilesMatchTheReferenceRenderings) {
  if (std::string(QM_BITMAP_REF_DIR).empty()) GTEST_SKIP() << "no reference renderings (ImageMagick missing)";
  const auto refs = References();
  for (const std::string& name : Files("g")) {
    SCOPED_TRACE(name);
    std::unique_ptr<TQvDIB> d;
    ASSERT_NO_THROW(d = Import(kSuite + "/g/" + name));
    const std::string stem = name.substr(0, name.size() - 4);
    auto it = refs.find(stem);
    ASSERT_NE(it, refs.end()) << "no reference named for " << name;
    std::string ref;
    ASSERT_TRUE(ReadFileBytes(std::string(QM_BITMAP_REF_DIR) + "/" + it->second.first + ".rgb", ref));
    std::vector<uint8_t> rgb = test::ToRgb(d->InternalDIB()->Data);
    ASSERT_EQ(rgb.size(), ref.size());
    int worst = 0;
    for (size_t i = 0; i < rgb.size(); ++i)
      worst = std::max(worst, std::abs(int(rgb[i]) - int(uint8_t(ref[i]))));
    EXPECT_LE(worst, it->second.second);
  }
}

TEST(BmpSuite, GoodFilesLoad) {
  for (const std::string& name : Files("g")) {
    SCOPED_TRACE(name);
    EXPECT_NO_THROW(Import(kSuite + "/g/" + name));
  }
}

TEST(BmpSuite, RleFilesEqualTheirPlainTwins) {
  for (auto [rle, plain] : {std::pair{"pal8rle.bmp", "pal8.bmp"}, std::pair{"pal4rle.bmp", "pal4.bmp"}}) {
    auto a = Import(kSuite + "/g/" + rle);
    auto b = Import(kSuite + "/g/" + plain);
    const TQvDIBData& x = a->InternalDIB()->Data;
    const TQvDIBData& y = b->InternalDIB()->Data;
    EXPECT_EQ(x.Header.biBitCount, y.Header.biBitCount);
    EXPECT_EQ(x.Header.biCompression, kBiRgb);
    EXPECT_EQ(x.Size, y.Size);
    EXPECT_EQ(0, std::memcmp(x.Bits, y.Bits, static_cast<size_t>(y.Size))) << rle;
    EXPECT_EQ(0, std::memcmp(x.Colors, y.Colors, 4 * y.Header.biClrUsed));
  }
}

TEST(BmpSuite, BadFilesAreRefusedOrReadSafely) {
  // Files whose faults the reader does not depend on (density, image size,
  // palette indices beyond the table) load.
  const std::map<std::string, bool> loads = {
      {"baddens1.bmp", true}, {"baddens2.bmp", true}, {"badbitssize.bmp", true},
      {"pal8badindex.bmp", true}, {"rletopdown.bmp", true}};
  for (const std::string& name : Files("b")) {
    SCOPED_TRACE(name);
    bool loaded = false;
    try {
      auto d = Import(kSuite + "/b/" + name);
      loaded = true;
      // Whatever loaded must be readable to its end.
      (void)test::ToRgb(d->InternalDIB()->Data);
      QvStringWriteStream out;
      d->SaveToStream(out);
    } catch (const EQvDIBError&) {
    } catch (const EQvReadError&) {
    }
    auto it = loads.find(name);
    EXPECT_EQ(loaded, it != loads.end() && it->second);
  }
}

TEST(BmpSuite, QuestionableFilesDoNotCrash) {
  int loaded = 0;
  for (const std::string& name : Files("q")) {
    SCOPED_TRACE(name);
    try {
      auto d = Import(kSuite + "/q/" + name);
      (void)test::ToRgb(d->InternalDIB()->Data);
      ++loaded;
    } catch (const EQvDIBError&) {
    } catch (const EQvReadError&) {
    }
  }
  EXPECT_GT(loaded, 10);
}

TEST(BmpSuite, PackedDibsOfTheGoodFilesGiveTheSamePixels) {
  for (const std::string& name : Files("g")) {
    SCOPED_TRACE(name);
    std::string file;
    ASSERT_TRUE(ReadFileBytes(kSuite + "/g/" + name, file));
    TQvDIB a(false), b(false);
    a.LoadFromFile(kSuite + "/g/" + name);
    // The packed form is the file from offset 14 on, without the gap.
    std::string packed = a.SaveToPackedDIB();
    b.LoadFromPackedDIB(packed.data(), packed.size());
    EXPECT_EQ(test::ToRgb(a.InternalDIB()->Data), test::ToRgb(b.InternalDIB()->Data));
    // And straight from the file's own bytes where there is no gap.
    TQvDIB c(false);
    c.LoadFromPackedDIB(file.data() + 14, file.size() - 14);
    EXPECT_EQ(c.GetWidth(), a.GetWidth());
  }
}

}  // namespace
}  // namespace qm
