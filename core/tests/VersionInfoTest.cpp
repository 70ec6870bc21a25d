#include <gtest/gtest.h>

#include <string>

#include "core/VersionInfo.h"

namespace qm {
namespace {

TEST(VersionInfo, TranslationKeyIsLanguageThenCodePage) {
  // Japanese (0x0411) in code page 932 (0x03A4), as the resource holds it.
  EXPECT_EQ(TranslationKey(0x03A40411u), "041103A4");
  EXPECT_EQ(TranslationKey(0x04B00409u), "040904B0");
  EXPECT_EQ(TranslationKey(0), "00000000");
  EXPECT_EQ(VersionStringPath("041103A4", "ProductVersion"), "\\StringFileInfo\\041103A4\\ProductVersion");
  EXPECT_EQ(VersionStringPath(TranslationKey(0x04B00409u), "ProductVersion"),
            "\\StringFileInfo\\040904B0\\ProductVersion");
}

TEST(VersionInfo, ValueCutToThirtyTwoCharacters) {
  EXPECT_EQ(VersionValueText(std::string("1.02\0junk", 9)), "1.02");
  EXPECT_EQ(VersionValueText(std::string(40, '9')), std::string(32, '9'));
  // 31 single bytes and a double-byte character: the pair is not split.
  EXPECT_EQ(VersionValueText(std::string(31, '1') + "版"), std::string(31, '1'));
}

}  // namespace
}  // namespace qm
