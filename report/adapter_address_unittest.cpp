#include "report/adapter_address.h"

#include <gtest/gtest.h>

#include "report/identity_fakes.h"

namespace identity {
namespace {

const std::wstring kPciA = L"PCI\\VEN_8086&DEV_15B8&SUBSYS_00000000&REV_00\\3&11583659&0&FE";
const std::wstring kPciB = L"PCI\\VEN_10EC&DEV_8168&SUBSYS_00000000&REV_15\\4&2E0BB9E6&0&00E4";

TEST(AdapterAddressTest, CandidatesAndDevicePath) {
  struct Case { const wchar_t* id; bool candidate; };
  const Case cases[] = {
      {L"PCI\\VEN_1", true},
      {L"pci\\ven_1", true},
      {L"PC", false},
      {L"{1A3E09BE-1E45-494B-9174-D7385B45BBF5}\\VWIFIMP_WFD\\5&1", true},
      {L"{1a3e09be-1e45-494b-9174-d7385b45bbf5}", true},
      {L"{1A3E09BE-1E45-494B-9174-D7385B45BBF}", false},
      {L"ROOT\\NET\\0000", false},
      {L"USB\\VID_0BDA&PID_8153\\000001", false},
      {L"SWD\\MSRRAS\\MS_NDISWANIP", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsAdapterCandidate(c.id), c.candidate) << c.id;

  EXPECT_EQ(AdapterDevicePath(L"PCI\\VEN_1\\3&1"),
            L"\\\\.\\PCI#VEN_1#3&1#{ad498944-762f-11d0-8dcb-00c04fc3358c}");
  // 4 + id + 39 characters: 259 is allowed, 260 is not.
  EXPECT_EQ(AdapterDevicePath(L"PCI" + std::wstring(213, L'x')).size(), 259u);
  EXPECT_EQ(AdapterDevicePath(L"PCI" + std::wstring(214, L'x')), L"");
}

TEST(AdapterAddressTest, SmallestPermanentAddressOfTheCandidates) {
  fake::Adapters a;
  a.ids = {L"ROOT\\NET\\0000", kPciA, kPciB};
  a.permanent[AdapterDevicePath(kPciA)] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  a.permanent[AdapterDevicePath(kPciB)] = {0x00, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF};
  a.permanent[AdapterDevicePath(L"ROOT\\NET\\0000")] = {0, 0, 0, 0, 0, 0};  // not a candidate
  a.listed = {{0x02, 0x00, 0x00, 0x00, 0x00, 0x01}};  // the current address plays no part
  EXPECT_EQ(AdapterAddressPiece(a), (std::vector<uint8_t>{0x00, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(a.queried, (std::vector<std::wstring>{AdapterDevicePath(kPciA), AdapterDevicePath(kPciB)}));

  // Bytes compare unsigned: 0x80 is larger than 0x7F.
  a.permanent[AdapterDevicePath(kPciA)] = {0x80, 0, 0, 0, 0, 0};
  a.permanent[AdapterDevicePath(kPciB)] = {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(AdapterAddressPiece(a)[0], 0x7F);
}

TEST(AdapterAddressTest, AnswerLengthsArePaddedOrCutToSix) {
  fake::Adapters a;
  a.ids = {kPciA};
  a.permanent[AdapterDevicePath(kPciA)] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(AdapterAddressPiece(a), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
  a.permanent[AdapterDevicePath(kPciA)] = {9, 8, 7};
  EXPECT_EQ(AdapterAddressPiece(a), (std::vector<uint8_t>{9, 8, 7, 0, 0, 0}));
}

TEST(AdapterAddressTest, AdapterListWhenNoCandidateAnswers) {
  fake::Adapters a;
  a.ids = {kPciA, L"USB\\VID_1"};  // kPciA's query fails
  a.listed = {{}, {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22}, {1, 2, 3, 4, 5, 6}};
  EXPECT_EQ(AdapterAddressPiece(a),
            (std::vector<uint8_t>{0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22}));
  a.listed = {{}, {}};
  EXPECT_TRUE(AdapterAddressPiece(a).empty());
  a.listed.clear();
  EXPECT_TRUE(AdapterAddressPiece(a).empty());
}

}  // namespace
}  // namespace identity
