#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/base/digest.h"
#include "common/base/hash_algorithm.h"
#include "common/base/win_exception.h"

namespace VaroBase {
namespace {

struct KnownDigest { std::string text; const char* md5; };

const KnownDigest kKnown[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
    {std::string("a\0b", 3), "70350f6027bce3713f6b76473084309b"},
    {std::string(1000, 'x'), "398533d48111e9f664b1f64cb10c4b63"},
};

TEST(HashTest, KnownDigestsInOnePieceAndInChunks) {
  HashProv provider;
  ASSERT_TRUE(provider.AcquireContext());
  EXPECT_NE(provider.handle(), 0u);
  for (const KnownDigest& k : kKnown) {
    EXPECT_EQ(DigestText(k.text), k.md5);
    Hash hash;
    ASSERT_TRUE(hash.Create(provider));
    for (size_t i = 0; i < k.text.size(); i += 7) {
      const size_t n = std::min<size_t>(7, k.text.size() - i);
      ASSERT_TRUE(hash.HashData(k.text.data() + i, static_cast<uint32_t>(n)));
    }
    EXPECT_EQ(BytesToHex(GetHashValue(hash)), k.md5);
  }
}

TEST(HashTest, GetHashSizeQueryThenValueThenSameValueAgain) {
  HashProv provider;
  provider.AcquireContext();
  Hash hash;
  hash.Create(provider);
  hash.HashData("abc", 3);
  uint32_t size = 0;
  EXPECT_TRUE(hash.GetHash(nullptr, &size));
  EXPECT_EQ(size, kMd5Size);
  uint8_t value[kMd5Size] = {};
  EXPECT_TRUE(hash.GetHash(value, &size));
  EXPECT_EQ(BytesToHex(Digest(value, value + size)), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(BytesToHex(GetHashValue(hash)), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(HashTest, HandlesAreReleasedAndRecreated) {
  HashProv provider;
  provider.AcquireContext();
  Hash hash;
  hash.Create(provider);
  hash.HashData("x", 1);
  hash.Create(provider);  // the old hash is freed; the new one starts empty
  EXPECT_EQ(BytesToHex(GetHashValue(hash)), "d41d8cd98f00b204e9800998ecf8427e");
  hash.Destroy();
  EXPECT_EQ(hash.handle(), 0u);
  hash.Destroy();
  provider.Release();
  EXPECT_EQ(provider.handle(), 0u);
}

// Each failing operation raises win_exception naming itself; none returns false.
TEST(HashTest, FailuresThrowWithTheOperationsLabel) {
  const auto expectThrow = [](auto&& call, const char* label, const char* message) {
    try {
      call();
      ADD_FAILURE() << label << " did not throw";
    } catch (const win_exception& e) {
      const std::string text = e.what();
      EXPECT_NE(text.find(std::string("\nFunction:") + label + "\n"), std::string::npos) << text;
      EXPECT_NE(text.find(std::string("\nMessage:") + message + "\n"), std::string::npos) << text;
    }
  };
  HashProv none;
  Hash hash;
  expectThrow([&] { hash.Create(none); }, "VaroBase::Hash::Create", "CryptCreateHash failed.");
  EXPECT_EQ(hash.handle(), 0u);

  HashProv provider;
  provider.AcquireContext();
  hash.Create(provider);
  expectThrow([&] { hash.GetHash(nullptr, nullptr); }, "VaroBase::Hash::GetHash",
              "CryptGetHashParam failed.");
  uint8_t small[4];
  uint32_t size = sizeof small;
  expectThrow([&] { hash.GetHash(small, &size); }, "VaroBase::Hash::GetHash",
              "CryptGetHashParam failed.");
  // Finished by the reads above: no more data may be added.
  expectThrow([&] { hash.HashData("x", 1); }, "VaroBase::Hash::HashData", "CryptHashData failed.");
}

TEST(HashTest, DigestTextFromManyThreads) {
  std::vector<std::thread> threads;
  std::vector<std::string> results(8);
  for (size_t t = 0; t < results.size(); ++t)
    threads.emplace_back([&results, t] {
      for (int i = 0; i < 50; ++i) results[t] = DigestText("abc");
    });
  for (auto& t : threads) t.join();
  for (const auto& r : results) EXPECT_EQ(r, "900150983cd24fb0d6963f7d28e17f72");
}

}  // namespace
}  // namespace VaroBase
