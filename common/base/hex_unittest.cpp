#include <gtest/gtest.h>

#include "common/base/digest.h"

namespace VaroBase {
namespace {

TEST(HexTest, HexToBytesDecodesPairsAndToleratesBadInput) {
  struct Case { const char* text; Digest bytes; };
  const Case cases[] = {
      {"0A1b", {0x0A, 0x1B}},
      {"zz", {0x00}},          // not hexadecimal: each character counts as 0
      {"abc", {0xAB, 0xC0}},   // odd length: the missing low nibble is 0
      {"", {}},
      {"g1", {0x01}},
      {"FF00ff", {0xFF, 0x00, 0xFF}},
  };
  for (const Case& c : cases) EXPECT_EQ(HexToBytes(c.text), c.bytes) << '"' << c.text << '"';
}

TEST(HexTest, BytesToHexIsLowerCaseHighNibbleFirst) {
  EXPECT_EQ(BytesToHex({}), "");
  EXPECT_EQ(BytesToHex({0x00, 0x0A, 0xF0, 0xFF, 0x1b}), "000af0ff1b");
  const Digest all = [] {
    Digest d;
    for (int i = 0; i < 256; ++i) d.push_back(static_cast<uint8_t>(i));
    return d;
  }();
  EXPECT_EQ(HexToBytes(BytesToHex(all)), all);
}

// An expected md5 text from the package configuration against the digest of a file.
TEST(HexTest, ExpectedTextAgainstDigest) {
  const Digest digest = HexToBytes("900150983cd24fb0d6963f7d28e17f72");
  ASSERT_EQ(digest.size(), 16u);
  struct Case { const char* expected; bool equal; size_t decodedSize; };
  const Case cases[] = {
      {"900150983cd24fb0d6963f7d28e17f72", true, 16},
      {"900150983CD24FB0D6963F7D28E17F72", true, 16},   // upper case decodes to the same bytes
      {"900150983cd24fb0d6963f7d28e17f720", false, 17}, // 33 characters: 17 bytes, never equal
      {"900150983cd24fb0d6963f7d28e17f7", false, 16},   // 31 characters: last byte 0x70
      {"900150983cd24fb0d6963f7d28e17f73", false, 16},
      {"", false, 0},
  };
  for (const Case& c : cases) {
    const Digest expected = HexToBytes(c.expected);
    EXPECT_EQ(expected.size(), c.decodedSize) << c.expected;
    EXPECT_EQ(DigestEqual(expected, digest), c.equal) << c.expected;
  }
  EXPECT_EQ(HexToBytes("900150983cd24fb0d6963f7d28e17f7").back(), 0x70);
}

}  // namespace
}  // namespace VaroBase
