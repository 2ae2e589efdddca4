#include "report/client_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>

#include "common/base/digest.h"
#include "report/adapter_address.h"
#include "report/identity_buffer.h"
#include "report/identity_fakes.h"
#include "report/smbios_fixture.h"
#include "report/system_identity_sources.h"

namespace {

using namespace identity;

class ClientInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.path = L"C:\\Users\\me\\Downloads\\QIRASetup_b12348.exe";
    program_.version = FixedFileVersion{0x00010002, 0x00030004, 0, 0};
    adapters_.ids = {L"PCI\\VEN_1\\2"};
    adapters_.permanent[AdapterDevicePath(L"PCI\\VEN_1\\2")] = {0, 0x0B, 1, 2, 3, 4};
    cpu_.leaves[0] = {0x16, 1, 2, 3};
    smbios_.table = fixture::Table({fixture::SystemStructure({"Maker", "Model"})});
    realDigester_ = MakeSystemDigester();
    digester_.real = realDigester_.get();
  }

  IdentitySources Sources() { return {program_, adapters_, cpu_, smbios_, digester_}; }

  fake::Program program_;
  fake::Adapters adapters_;
  fake::Cpuid cpu_;
  fake::Smbios smbios_;
  fake::Digester digester_;
  std::unique_ptr<IDigester> realDigester_;
};

TEST_F(ClientInfoTest, CollectFillsEveryField) {
  ClientInfo info;
  IdentitySources sources = Sources();
  ASSERT_TRUE(info.Collect(sources));
  EXPECT_TRUE(info.IsInitialized());
  EXPECT_EQ(info.appid, 28);
  EXPECT_EQ(info.unionid, 1234);
  EXPECT_EQ(info.clientversion, (1ull << 48) + (2ull << 32) + (3ull << 16) + 4);
  EXPECT_STREQ(info.versionText, "1.2.3.4");

  const std::vector<uint8_t> buffer = BuildIdentityBuffer(adapters_, cpu_, smbios_);
  EXPECT_EQ(digester_.hashed, buffer);
  const std::array<uint8_t, 16> md5 = realDigester_->Md5(buffer);
  const VaroBase::Digest expected(md5.begin(), md5.end());
  EXPECT_EQ(VaroBase::Digest(info.machineHash, info.machineHash + 16), expected);
  EXPECT_EQ(std::string(info.pcid), VaroBase::BytesToHex(expected));
  EXPECT_TRUE(std::regex_match(std::string(info.pcid), std::regex("[0-9a-f]{32}")));
}

TEST_F(ClientInfoTest, SecondCollectReturnsAtOnce) {
  ClientInfo info;
  IdentitySources sources = Sources();
  ASSERT_TRUE(info.Collect(sources));
  const std::string pcid = info.pcid;
  program_.path = L"QIRASetup_b1c.exe";
  smbios_.table.reset();
  EXPECT_TRUE(info.Collect(sources));
  EXPECT_EQ(smbios_.reads, 1);
  EXPECT_EQ(info.unionid, 1234);
  EXPECT_EQ(info.pcid, pcid);
}

TEST_F(ClientInfoTest, NoVersionResourceAndNoChannel) {
  program_.path = L"D:\\QIRASetup.exe";
  program_.version.reset();
  ClientInfo info;
  IdentitySources sources = Sources();
  ASSERT_TRUE(info.Collect(sources));
  EXPECT_EQ(info.unionid, 1110);
  EXPECT_EQ(info.clientversion, 0u);
  EXPECT_STREQ(info.versionText, "0.0.0.0");
}

// A failing MD5 service does not end start-up: no exception leaves Collect, the
// identifier stays empty and the rest of the record is filled.
TEST_F(ClientInfoTest, Md5FailureLeavesAnEmptyIdentifier) {
  digester_.fail = true;
  ClientInfo info;
  IdentitySources sources = Sources();
  bool result = true;
  EXPECT_NO_THROW(result = info.Collect(sources));
  EXPECT_FALSE(result);
  EXPECT_TRUE(info.IsInitialized());
  EXPECT_EQ(info.appid, 28);
  EXPECT_EQ(info.unionid, 1234);
  EXPECT_STREQ(info.versionText, "1.2.3.4");
  EXPECT_STREQ(info.pcid, "");
  EXPECT_EQ(VaroBase::Digest(info.machineHash, info.machineHash + 16), VaroBase::Digest(16, 0));
  EXPECT_TRUE(info.Collect(sources));  // already initialised
}

TEST(ClientInfoInstanceTest, OneRecordPerProcessFromTheRealSources) {
  ClientInfo& info = ClientInfo::Instance();
  EXPECT_EQ(&info, &ClientInfo::Instance());
  ASSERT_TRUE(info.Collect());
  EXPECT_TRUE(info.IsInitialized());
  EXPECT_EQ(info.appid, 28);
  EXPECT_TRUE(std::regex_match(std::string(info.pcid), std::regex("[0-9a-f]{32}"))) << info.pcid;
  // The same machine gives the same identifier from a fresh collection.
  ClientInfo again;
  EXPECT_TRUE(again.Collect());
  EXPECT_STREQ(again.pcid, info.pcid);
}

}  // namespace
