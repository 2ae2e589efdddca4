#include "report/client_version.h"

#include <gtest/gtest.h>

#include <cstring>

namespace identity {
namespace {

TEST(ClientVersionTest, NumberAndText) {
  struct Case { uint32_t ms, ls; uint64_t number; const char* text; };
  const Case cases[] = {
      {0x00010002, 0x00030004, (1ull << 48) + (2ull << 32) + (3ull << 16) + 4, "1.2.3.4"},
      {0xFFFFFFFF, 0xFFFFFFFF, ~0ull, "65535.65535.65535.65535"},
      {0x000A0000, 0x4A610001, 0x000A00004A610001ull, "10.0.19041.1"},
  };
  for (const Case& c : cases) {
    FixedFileVersion v;
    v.fileMS = c.ms, v.fileLS = c.ls, v.productMS = 0x00090009, v.productLS = 0x00090009;
    const uint64_t number = ClientVersionOf(v);
    EXPECT_EQ(number, c.number) << c.text;
    char text[kVersionTextSize];
    std::memset(text, 'z', sizeof text);
    FormatVersionText(number, text);
    EXPECT_STREQ(text, c.text);
  }
  char longest[kVersionTextSize];
  FormatVersionText(~0ull, longest);
  EXPECT_EQ(std::strlen(longest), 23u);

  EXPECT_EQ(ClientVersionOf(std::nullopt), 0u);
  char none[kVersionTextSize];
  FormatVersionText(0, none);
  EXPECT_STREQ(none, "0.0.0.0");
}

}  // namespace
}  // namespace identity
