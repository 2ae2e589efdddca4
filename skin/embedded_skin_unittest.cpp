#include "skin/embedded_skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<unsigned char> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The linked bytes are exactly the package that the build packed, and they
// form a whole zip archive (local header first, end record last).
TEST(EmbeddedSkinTest, HoldsThePackedArchive) {
  const std::vector<unsigned char> packed = ReadFile(QIRA_SKIN_ZIP);
  ASSERT_FALSE(packed.empty()) << QIRA_SKIN_ZIP;
  const std::span<const unsigned char> linked = skin::EmbeddedPackage();
  ASSERT_EQ(linked.size(), packed.size());
  EXPECT_TRUE(std::equal(linked.begin(), linked.end(), packed.begin()));

  const unsigned char local[] = {'P', 'K', 3, 4};
  EXPECT_TRUE(std::equal(std::begin(local), std::end(local), linked.begin()));
  // End of central directory record without a comment: 22 bytes at the end.
  ASSERT_GE(linked.size(), 22u);
  const unsigned char end[] = {'P', 'K', 5, 6};
  EXPECT_TRUE(std::equal(std::begin(end), std::end(end), linked.end() - 22));
}

}  // namespace
