#include "report/smbios.h"

#include <gtest/gtest.h>

#include <memory>

#include "report/smbios_fixture.h"

namespace identity {
namespace {

using namespace fixture;

const std::initializer_list<std::string> kSystemStrings = {"SysMaker", "Product", "SysVer",
                                                           "SysSerial", "Sku", "Family"};
const std::initializer_list<std::string> kEnclosureStrings = {"BoxMaker", "BoxVer", "BoxSerial",
                                                              "Asset"};

// Walks a copy that ends exactly where the data ends, so that a read past the
// end is caught by the sanitizer builds.
SmbiosStructures WalkExact(const std::vector<uint8_t>& table) {
  std::unique_ptr<uint8_t[]> copy(new uint8_t[table.size() ? table.size() : 1]);
  std::copy(table.begin(), table.end(), copy.get());
  return WalkSmbiosTable(copy.get(), table.size());
}

TEST(SmbiosTest, TextTakesTheStringsInItsOrder) {
  const auto table = Table({BiosStructure(), SystemStructure(kSystemStrings),
                            EnclosureStructure(10, kEnclosureStrings), EndStructure()});
  EXPECT_EQ(SmbiosText(table),
            "AssetBoxMakerBoxSerialNoteBookBoxVer"
            "SysMakerProductSysSerialSkuSysVer");
}

TEST(SmbiosTest, ChassisKind) {
  struct Case { uint8_t type; const char* kind; };
  const Case cases[] = {{10, "NoteBook"}, {14, "NoteBook"}, {0x8A, "Desktop"}, {0x8E, "Desktop"},
                        {3, "Desktop"},   {9, "Desktop"},   {0, "Desktop"},    {0xFF, "Desktop"}};
  for (const Case& c : cases) {
    EXPECT_STREQ(ChassisKindName(c.type), c.kind) << int(c.type);
    const auto table = Table({EnclosureStructure(c.type, {"M"})});
    EXPECT_EQ(SmbiosText(table), std::string("M") + c.kind) << int(c.type);
  }
}

TEST(SmbiosTest, FirstStructureOfEachTypeIsKept) {
  const auto first = SystemStructure({"First"});
  const auto table = Table({EnclosureStructure(3, {"BoxA"}), first, SystemStructure({"Second"}),
                            EnclosureStructure(10, {"BoxB"})});
  const SmbiosStructures kept = WalkExact(table);
  EXPECT_EQ(kept.system, first);
  EXPECT_EQ(SmbiosString(kept.enclosure, 1), "BoxA");
  EXPECT_EQ(SmbiosText(table), "BoxADesktopFirst");
}

TEST(SmbiosTest, StringNumbers) {
  const auto s = SystemStructure({"one", "two", "three"});
  EXPECT_EQ(SmbiosString(s, 0), "");
  EXPECT_EQ(SmbiosString(s, 1), "one");
  EXPECT_EQ(SmbiosString(s, 3), "three");
  EXPECT_EQ(SmbiosString(s, 4), "");
  EXPECT_EQ(SmbiosString(s, 255), "");
  EXPECT_EQ(SmbiosString(SystemStructure({}), 1), "");
  EXPECT_EQ(SmbiosString({}, 1), "");
}

TEST(SmbiosTest, NoSystemOrEnclosureGivesNoText) {
  EXPECT_EQ(SmbiosText(Table({BiosStructure(), EndStructure()})), "");
  EXPECT_EQ(SmbiosText({}), "");
}

// Type 1 needs 27 bytes and type 3 needs 9 in its copy (strings included).
TEST(SmbiosTest, ShortStructuresAreLeftOut) {
  std::vector<uint8_t> shortSystem(8, 0);
  shortSystem[0] = 1, shortSystem[4] = 1;
  // 8 + "ab\0" + NUL = 12 bytes < 27
  EXPECT_EQ(SmbiosText(Structure(shortSystem, {"ab"})), "");
  // Long strings bring the copy to 27 bytes: then it is used, offsets read within the copy.
  EXPECT_EQ(SmbiosText(Structure(shortSystem, {"abcdefghijklmnopq"})), "abcdefghijklmnopq");

  std::vector<uint8_t> shortEnclosure(5, 0);
  shortEnclosure[0] = 3, shortEnclosure[4] = 1;
  EXPECT_EQ(SmbiosText(Structure(shortEnclosure, {})), "");  // 7 bytes
  EXPECT_EQ(SmbiosText(Structure(shortEnclosure, {"xy"})), "xyDesktop");  // 9 bytes
}

// A damaged table: the walk keeps what lies before the damage and never reads
// beyond the data.
TEST(SmbiosTest, TruncatedTablesStopTheWalk) {
  const auto system = SystemStructure(kSystemStrings);
  const auto enclosure = EnclosureStructure(10, kEnclosureStrings);
  const auto full = Table({BiosStructure(), system, enclosure});
  const size_t enclosureStart = full.size() - enclosure.size();
  for (size_t cut = 0; cut < full.size(); ++cut) {
    const std::vector<uint8_t> truncated(full.begin(), full.begin() + cut);
    const SmbiosStructures kept = WalkExact(truncated);
    EXPECT_TRUE(kept.enclosure.empty()) << cut;  // its double NUL is the table's last byte
    EXPECT_EQ(kept.system.empty(), cut < enclosureStart) << cut;
    SmbiosText(truncated);
  }
  // A formatted area that reaches the end, a length beyond the data, no double NUL.
  EXPECT_TRUE(WalkExact({1, 27, 0, 0}).system.empty());
  EXPECT_TRUE(WalkExact({1, 200, 0, 0, 0, 0}).system.empty());
  std::vector<uint8_t> noEnd(40, 'x');
  noEnd[0] = 1, noEnd[1] = 27;
  EXPECT_TRUE(WalkExact(noEnd).system.empty());
  // A length below the 4-byte header ends the walk.
  EXPECT_TRUE(WalkExact(Table({{0, 2, 0, 0}, SystemStructure({"A"})})).system.empty());
}

}  // namespace
}  // namespace identity
