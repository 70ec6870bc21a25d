#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "setup/core/SlowInfoCache.h"

using namespace qm::setup;

namespace {

// Reads a hand-written hex file: bytes as two hex digits, "00*N" for N
// copies, "#" comments to the end of the line.
std::string ReadHexFile(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  std::string out, line;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string w;
    while (words >> w) {
      std::size_t star = w.find('*');
      int count = star == std::string::npos ? 1 : std::stoi(w.substr(star + 1));
      char byte = static_cast<char>(std::stoi(w.substr(0, 2), nullptr, 16));
      out.append(count, byte);
    }
  }
  return out;
}

}  // namespace

TEST(SlowInfoCache, TheRecordByteForByte) {
  std::string golden = ReadHexFile(QM_SETUP_GOLDEN_DIR "/slowinfocache.hex");
  ASSERT_EQ(golden.size(), kSlowInfoCacheSize);
  std::string record =
      BuildSlowInfoCache(0x100003000ll, 0x01DA12345678ABCDull, u"C:\\ソフト\\quillmark.exe");
  ASSERT_EQ(record.size(), kSlowInfoCacheSize);
  for (std::size_t i = 0; i < record.size(); ++i) {
    EXPECT_EQ(static_cast<unsigned char>(record[i]), static_cast<unsigned char>(golden[i]))
        << "offset " << i;
  }
}

TEST(SlowInfoCache, ALongNameIsCutToLeaveItsTerminator) {
  std::u16string name(300, u'a');
  std::string record = BuildSlowInfoCache(0, 0, name);
  ASSERT_EQ(record.size(), kSlowInfoCacheSize);
  EXPECT_EQ(record[28 + 2 * 255], 'a');
  EXPECT_EQ(record[28 + 2 * 256], 0);
  EXPECT_EQ(record.substr(28 + 2 * 256), std::string(kSlowInfoCacheSize - 28 - 512, '\0'));
  // A surrogate pair across the cut goes whole.
  name = std::u16string(255, u'a') + u"\U0001F600";
  record = BuildSlowInfoCache(0, 0, name + u"b");
  EXPECT_EQ(record[28 + 2 * 254], 'a');
  EXPECT_EQ(record[28 + 2 * 255], 0);
  EXPECT_EQ(record[28 + 2 * 255 + 1], 0);
}
