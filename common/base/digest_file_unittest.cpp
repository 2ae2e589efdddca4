#include <gtest/gtest.h>

#include "common/base/digest_file.h"
#include "common/base/scratch_file.h"
#include "common/base/win_exception.h"

namespace VaroBase {
namespace {

using scratch::OpenFile;
using scratch::ScratchFile;

constexpr uint32_t kLimit = kDigestReadLimit;
static_assert(kLimit == 104857600);

class DigestFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(provider_.AcquireContext()); }

  FileDigest Digest(uint64_t fileSize, const std::vector<std::pair<uint64_t, uint8_t>>& bytes,
                    uint32_t declaredSize, OpenFile::Access access = OpenFile::kRead) {
    ScratchFile file(fileSize, bytes);
    OpenFile handle(file, access);
    EXPECT_TRUE(handle.ok());
    return DigestFile(handle.get(), declaredSize, provider_);
  }

  HashProv provider_;
};

TEST_F(DigestFileTest, KnownDigestsEitherSideOfTheReadLimit) {
  struct Case {
    const char* name;
    uint64_t size;
    std::vector<std::pair<uint64_t, uint8_t>> bytes;
    const char* md5;
  };
  const Case cases[] = {
      {"empty", 0, {}, "d41d8cd98f00b204e9800998ecf8427e"},
      {"abc", 3, {{0, 'a'}, {1, 'b'}, {2, 'c'}}, "900150983cd24fb0d6963f7d28e17f72"},
      {"limit, read, last byte kept", kLimit, {{kLimit - 1, 1}}, "d25648f36b8ceebf24217eb504cccad1"},
      {"limit + 1, mapped, last byte kept", kLimit + 1ull, {{kLimit, 1}},
       "eb946211e605bbb7701712b7fd740315"},
      {"limit + 1, mapped from offset 0", kLimit + 1ull, {{0, 1}}, "8010cdd0c4ddd2c5e5872576cc63b2c8"},
  };
  for (const Case& c : cases) {
    const FileDigest d = Digest(c.size, c.bytes, static_cast<uint32_t>(c.size));
    EXPECT_EQ(d.status, DigestFileStatus::kOk) << c.name;
    EXPECT_EQ(BytesToHex(d.digest), c.md5) << c.name;
  }
}

// A handle that cannot be read fails in the read for files up to the limit and
// in the mapping above it: the two ways are told apart by their failure.
TEST_F(DigestFileTest, UpToTheLimitIsReadAboveItIsMapped) {
  EXPECT_EQ(Digest(kLimit, {}, kLimit, OpenFile::kWriteOnly).status, DigestFileStatus::kReadFailed);
  EXPECT_EQ(Digest(kLimit + 1ull, {}, kLimit + 1, OpenFile::kWriteOnly).status,
            DigestFileStatus::kMappingFailed);
}

// The file turned out shorter than the size the caller checked: never a digest
// of the shorter content.
TEST_F(DigestFileTest, ShortFileIsAFailure) {
  struct Case { const char* name; uint64_t fileSize; uint32_t declared; DigestFileStatus status; };
  const Case cases[] = {
      {"3 of 4 bytes", 3, 4, DigestFileStatus::kReadFailed},
      {"limit - 1 of limit", kLimit - 1, kLimit, DigestFileStatus::kReadFailed},
      {"limit of limit + 1", kLimit, kLimit + 1, DigestFileStatus::kMappingFailed},
      {"empty of limit + 1", 0, kLimit + 1, DigestFileStatus::kMappingFailed},
  };
  for (const Case& c : cases) {
    const FileDigest d = Digest(c.fileSize, {}, c.declared);
    EXPECT_EQ(d.status, c.status) << c.name;
    EXPECT_TRUE(d.digest.empty()) << c.name;
  }
}

TEST_F(DigestFileTest, NoProviderThrows) {
  HashProv none;
  ScratchFile file(3, {});
  OpenFile handle(file, OpenFile::kRead);
  EXPECT_THROW(DigestFile(handle.get(), 3, none), win_exception);
}

}  // namespace
}  // namespace VaroBase
