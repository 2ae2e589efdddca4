#include "check/matching.h"

#include <gtest/gtest.h>

namespace check {
namespace {

const std::wstring kIntel = L"Intel(R) Core(TM) i7-9700 CPU @ 3.00GHz";

TEST(MatchingTest, PatternsAgainstNames) {
  struct Case {
    std::wstring name;
    std::wstring pattern;
    bool fits;
  };
  const Case cases[] = {
      {kIntel, L"i7-9\\d{3}", true},
      {kIntel, L"Intel(R) Core", false},  // a group: means "intelr core"
      {kIntel, L"intel\\(r\\) core", true},
      {L"Intel\u00AE Core\u2122 i5-12400", L"core\\(tm\\) i5", true},
      {L"Intel\u00AE Core\u2122 i5-12400", L"INTEL\\(R\\)", true},
      {L"i7-9700", L"i7-9\\D{3}", true},    // \D lower-cased into \d
      {L"i7-9abc", L"i7-9\\D{3}", false},
      {L"AMD  Ryzen 7", L"amd ryzen", false},  // spaces kept as reported
      {L"AMD  Ryzen 7", L"amd\\s+ryzen", true},
      {L"NVIDIA GeForce RTX 3060", L"", true},    // the empty pattern is found anywhere
      {L"NVIDIA GeForce RTX 3060", L"([", false},  // invalid pattern: fits nothing
      {L"NVIDIA GeForce RTX 3060", L"[A-Z]tx", true},  // [a-z] after lower-casing
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchCPU({c.name}, {c.pattern}), c.fits) << c.pattern;
  EXPECT_FALSE(MatchCPU({}, {L""}));
  EXPECT_FALSE(MatchCPU({kIntel}, {}));
  EXPECT_TRUE(MatchGraphic({L"Wine Display", L"NVIDIA RTX 4090"}, {L"xyz", L"rtx 40\\d0"}));
}

TEST(MatchingTest, NormaliseOnlyTouchesSymbolsAndAsciiLetters) {
  EXPECT_EQ(NormaliseName(L"Intel\u00AE Core\u2122 \u00C4BC"), L"intel(r) core(tm) \u00C4bc");
  EXPECT_EQ(LowerAscii(L"\\D\\S\\W\\B [A-Z]"), L"\\d\\s\\w\\b [a-z]");
}

ModelEvnConfig Model(std::optional<std::vector<std::wstring>> cpu,
                     std::optional<std::vector<std::wstring>> graphic) {
  ModelEvnConfig m;
  m.cpu = std::move(cpu);
  m.graphic = std::move(graphic);
  return m;
}

TEST(MatchingTest, FittingModelsFollowsWhichListsArePresent) {
  const std::vector<std::wstring> cpus = {kIntel}, videos = {L"NVIDIA GeForce RTX 3060"};
  const std::vector<ModelEvnConfig> models = {
      Model(std::nullopt, std::nullopt),          // 0: never fits
      Model(std::vector<std::wstring>{}, std::nullopt),  // 1: empty cpu array never fits
      Model(std::nullopt, std::vector<std::wstring>{L"rtx"}),  // 2: judged on graphic alone
      Model(std::vector<std::wstring>{L"i7"}, std::vector<std::wstring>{L"radeon"}),  // 3
      Model(std::vector<std::wstring>{L""}, std::nullopt),     // 4: empty pattern fits
      Model(std::vector<std::wstring>{L"i7"}, std::vector<std::wstring>{L"3060"}),    // 5
  };
  EXPECT_EQ(FittingModels(models, cpus, videos), (std::vector<int>{2, 4, 5}));
  EXPECT_EQ(FittingModels(models, {}, videos), (std::vector<int>{2}));
}

}  // namespace
}  // namespace check
