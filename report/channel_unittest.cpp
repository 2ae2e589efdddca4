#include "report/channel.h"

#include <gtest/gtest.h>

namespace identity {
namespace {

TEST(ChannelTest, CheckCharacters) {
  EXPECT_EQ(ChannelCheckChar(0), '0');
  EXPECT_EQ(ChannelCheckChar(1110), '5');
  EXPECT_EQ(ChannelCheckChar(65535), 'c');
  EXPECT_EQ(ChannelCheckChar(1234), '8');
  EXPECT_EQ(ChannelCheckChar(1), 'c');
}

TEST(ChannelTest, FromFileName) {
  struct Case { const wchar_t* name; uint16_t channel; };
  const Case cases[] = {
      {L"QIRASetup_b12348.exe", 1234},
      {L"QIRASetup_b12349.exe", 1110},   // wrong check character
      {L"QIRASetup_b1c.exe", 1},
      {L"QIRASetup_b1C.exe", 1110},      // upper-case check character never matches
      {L"QIRASetup_b12348.EXE", 1110},   // the extension is case-sensitive
      {L"QIRASetup_B12348.exe", 1110},
      {L"QIRASetup.exe", 1110},
      {L"QIRASetup_b00.exe", 0},
      {L"QIRASetup_b105.exe", 10},
      {L"QIRASetup_b65535c.exe", 65535},
      {L"QIRASetup_b12348 (1).exe", 1234},  // a browser's copy suffix keeps the channel
      {L"QIRASetup_b12348.exe.exe", 1234},
      {L"QIRASetup_b1.exe", 1110},       // no check character
      {L"QIRASetup_b12348.exe.tmp", 1110},
      {L"", 1110},
      // Above 65535: a 16-bit reading would wrap (65536 -> 0, whose check is
      // '0'; 65537 -> 1, 'c'); such names carry no channel.
      {L"QIRASetup_b655360.exe", 1110},
      {L"QIRASetup_b65537c.exe", 1110},
      {L"QIRASetup_b999999999999999999990.exe", 1110},
  };
  for (const Case& c : cases) EXPECT_EQ(ChannelFromFileName(c.name), c.channel) << c.name;
}

}  // namespace
}  // namespace identity
