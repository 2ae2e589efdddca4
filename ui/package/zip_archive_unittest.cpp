#include "ui/package/zip_archive.h"

#include <gtest/gtest.h>

#include "ui/package/resource_package.h"
#include "ui/testing/zip_writer.h"

namespace SkinUI {
namespace {

using testing::MakeZip;
using testing::ZipWriter;

std::string Text(const std::optional<std::vector<uint8_t>>& bytes) {
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

TEST(ZipArchiveTest, FindsEntriesCaseInsensitivelyWithEitherSeparator) {
  ZipWriter writer;
  writer.Add("xml/common/Font.xml", "<Window/>");
  writer.Add("xml/inst/wnd.xml", "wnd");
  writer.Add("img/common/bg.png", "png", /*deflate=*/false);
  ZipArchive zip(writer.Finish());
  ASSERT_TRUE(zip.IsValid());
  EXPECT_EQ(Text(zip.ReadFile("xml/common/font.xml")), "<Window/>");
  EXPECT_EQ(Text(zip.ReadFile("Xml\\inst\\wnd.xml")), "wnd");
  EXPECT_EQ(Text(zip.ReadFile("img\\common\\bg.png")), "png");
  EXPECT_EQ(Text(zip.ReadFile("xml/inst/wnd.xm")), "<none>");
  EXPECT_EQ(Text(zip.ReadFile("/xml/inst/wnd.xml")), "<none>");
}

TEST(ZipArchiveTest, FirstEqualNameInArchiveOrderWins) {
  ZipWriter writer;
  writer.Add("a/B.txt", "first");
  writer.Add("A/b.TXT", "second");
  ZipArchive zip(writer.Finish());
  EXPECT_EQ(Text(zip.ReadFile("a/b.txt")), "first");
}

TEST(ZipArchiveTest, PathsOf256CharactersOrMoreAreNeverFound) {
  const std::string name255(255, 'n');
  const std::string name256(256, 'n');
  ZipWriter writer;
  writer.Add(name255, "255");
  writer.Add(name256, "256");
  ZipArchive zip(writer.Finish());
  EXPECT_EQ(Text(zip.ReadFile(name255)), "255");
  EXPECT_EQ(Text(zip.ReadFile(name256)), "<none>");
}

TEST(ZipArchiveTest, EmptyAndLargeEntriesInflate) {
  std::string big(300000, 'x');
  for (size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>('a' + i % 26);
  ZipWriter writer;
  writer.Add("empty", "");
  writer.Add("big", big);
  ZipArchive zip(writer.Finish());
  EXPECT_EQ(Text(zip.ReadFile("empty")), "");
  EXPECT_EQ(Text(zip.ReadFile("big")), big);
}

TEST(ZipArchiveTest, CorruptOrTruncatedArchivesHaveNoEntries) {
  const std::vector<uint8_t> good = MakeZip({{"xml/a.xml", "<Window/>"}, {"xml/b.xml", "bbbb"}});
  for (size_t cut : {size_t{0}, size_t{10}, good.size() / 2, good.size() - 1}) {
    ZipArchive zip(std::span<const uint8_t>(good.data(), cut));
    EXPECT_FALSE(zip.IsValid()) << cut;
    EXPECT_TRUE(zip.Entries().empty()) << cut;
    EXPECT_FALSE(zip.ReadFile("xml/a.xml")) << cut;
  }
  // A central directory offset pointing past the data.
  std::vector<uint8_t> bad = good;
  bad[bad.size() - 6] = 0xFF;
  bad[bad.size() - 5] = 0xFF;
  EXPECT_FALSE(ZipArchive(bad).IsValid());
}

TEST(ZipArchiveTest, DamagedEntryDataReadsAsNothing) {
  std::vector<uint8_t> zip = MakeZip({{"a.txt", std::string(1000, 'a')}, {"b.txt", "fine"}});
  // Flip bytes inside the first entry's compressed data (after its 30 + 5
  // byte local header): inflation or the CRC check must fail.
  for (size_t i = 35; i < 40; ++i) zip[i] ^= 0x5A;
  ZipArchive archive(zip);
  ASSERT_TRUE(archive.IsValid());
  EXPECT_FALSE(archive.ReadFile("a.txt"));
  EXPECT_EQ(Text(archive.ReadFile("b.txt")), "fine");
}

TEST(ResourcePackageTest, SameSizeIsNotRegisteredAgainAndCorruptIsEmpty) {
  ReleaseResourcePackage();
  const auto first = MakeZip({{"f.txt", "AAAA"}});
  const auto sameSize = MakeZip({{"f.txt", "BBBB"}});
  ASSERT_EQ(first.size(), sameSize.size());
  EXPECT_TRUE(RegisterResourcePackage(first));
  EXPECT_TRUE(RegisterResourcePackage(sameSize));
  EXPECT_EQ(Text(ReadResourceFile(L"F.TXT")), "AAAA");  // the first stays

  const auto other = MakeZip({{"f.txt", "CCCCC"}});
  EXPECT_TRUE(RegisterResourcePackage(other));
  EXPECT_EQ(Text(ReadResourceFile(L"f.txt")), "CCCCC");

  const std::vector<uint8_t> junk(100, 0x42);
  EXPECT_FALSE(RegisterResourcePackage(junk));
  EXPECT_EQ(ResourcePackageSize(), junk.size());
  EXPECT_FALSE(ReadResourceFile(L"f.txt"));

  ReleaseResourcePackage();
  EXPECT_FALSE(ReadResourceFile(L"f.txt"));
  EXPECT_EQ(ResourcePackageSize(), 0u);
}

}  // namespace
}  // namespace SkinUI
