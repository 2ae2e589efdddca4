#include "report/identity_buffer.h"

#include <gtest/gtest.h>

#include "report/adapter_address.h"
#include "report/identity_fakes.h"
#include "report/smbios.h"
#include "report/smbios_fixture.h"

namespace identity {
namespace {

using namespace fixture;

const std::wstring kPci = L"PCI\\VEN_8086\\1";

class IdentityBufferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cpu_.leaves[0] = {0x00000016, 0x756E6547, 0x6C65746E, 0x49656E69};  // "GenuineIntel"
    cpu_.leaves[1] = {0x000906EA, 0xDEADBEEF, 0x7FFAFBBF, 0xBFEBFBFF};
    cpu_.leaves[3] = {0x01020304, 0x05060708, 0x090A0B0C, 0x0D0E0F10};
    adapters_.ids = {kPci};
    adapters_.permanent[AdapterDevicePath(kPci)] = {0x00, 0x0B, 0x11, 0x22, 0x33, 0x44};
  }

  fake::Adapters adapters_;
  fake::Cpuid cpu_;
  fake::Smbios smbios_;
};

TEST_F(IdentityBufferTest, CpuidBytesInLeafAndRegisterOrder) {
  const std::vector<uint8_t> expected = {
      0x16, 0x00, 0x00, 0x00, 'G', 'e', 'n', 'u', 'n', 't', 'e', 'l', 'i', 'n', 'e', 'I',
      0xEA, 0x06, 0x09, 0x00, 0xBF, 0xFB, 0xFA, 0x7F, 0xFF, 0xFB, 0xEB, 0xBF,  // leaf 1 without EBX
      0x04, 0x03, 0x02, 0x01, 0x08, 0x07, 0x06, 0x05, 0x0C, 0x0B, 0x0A, 0x09,
      0x10, 0x0F, 0x0E, 0x0D};
  EXPECT_EQ(CpuidPiece(cpu_), expected);
}

TEST_F(IdentityBufferTest, AdapterCpuidThenSmbiosText) {
  smbios_.table = Table({BiosStructure(), SystemStructure({"Maker", "Model"}),
                         EnclosureStructure(3, {"Box"}), EndStructure()});
  const std::vector<uint8_t> buffer = BuildIdentityBuffer(adapters_, cpu_, smbios_);
  std::vector<uint8_t> expected = {0x00, 0x0B, 0x11, 0x22, 0x33, 0x44};
  const auto cpu = CpuidPiece(cpu_);
  expected.insert(expected.end(), cpu.begin(), cpu.end());
  const std::string text = "BoxDesktopMakerModel";
  expected.insert(expected.end(), text.begin(), text.end());
  EXPECT_EQ(buffer, expected);
}

// No type 1 and 3 structures: only the adapter and the 44 CPUID bytes; an
// unreadable table and a missing adapter leave their pieces out as well.
TEST_F(IdentityBufferTest, MissingSourcesLeaveTheirPiecesOut) {
  smbios_.table = Table({BiosStructure(), EndStructure()});
  std::vector<uint8_t> buffer = BuildIdentityBuffer(adapters_, cpu_, smbios_);
  ASSERT_EQ(buffer.size(), 6u + 44u);
  EXPECT_EQ(std::vector<uint8_t>(buffer.begin() + 6, buffer.end()), CpuidPiece(cpu_));

  smbios_.table.reset();
  EXPECT_EQ(BuildIdentityBuffer(adapters_, cpu_, smbios_).size(), 50u);

  fake::Adapters none;
  EXPECT_EQ(BuildIdentityBuffer(none, cpu_, smbios_), CpuidPiece(cpu_));
}

TEST_F(IdentityBufferTest, OverLongSmbiosTextIsCutAt1024BytesInAll) {
  const std::string longString(255, 'x');
  smbios_.table = Table({SystemStructure({longString + "1", longString + "2", longString + "3",
                                          longString + "4", longString + "5"})});
  const std::string text = SmbiosText(*smbios_.table);
  ASSERT_GT(text.size(), 1024u);
  const std::vector<uint8_t> buffer = BuildIdentityBuffer(adapters_, cpu_, smbios_);
  ASSERT_EQ(buffer.size(), kIdentityBufferSize);
  EXPECT_EQ(std::string(buffer.begin() + 50, buffer.end()), text.substr(0, 1024 - 50));

  // With an 8-byte listed address the text gets 2 bytes less.
  fake::Adapters listed;
  listed.listed = {{1, 2, 3, 4, 5, 6, 7, 8}};
  const std::vector<uint8_t> other = BuildIdentityBuffer(listed, cpu_, smbios_);
  ASSERT_EQ(other.size(), kIdentityBufferSize);
  EXPECT_EQ(std::string(other.begin() + 52, other.end()), text.substr(0, 1024 - 52));
}

}  // namespace
}  // namespace identity
