#include "ui/base/values.h"

#include <gtest/gtest.h>

namespace SkinUI {
namespace {

TEST(ValuesTest, Colours) {
  struct Case {
    const wchar_t* text;
    std::optional<Color> want;
  } cases[] = {
      {L"#333333", 0xFF333333u},  {L"#66000000", 0x66000000u}, {L"#E90505", 0xFFE90505u},
      {L"#e90505", 0xFFE90505u},  {L"333333", std::nullopt},   {L"#33333", std::nullopt},
      {L"#3333333", std::nullopt}, {L"#GG0000", std::nullopt}, {L"", std::nullopt},
      {L"#", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.want) << c.text;
  // 0x66 of 0xFF is 40 % opacity.
  EXPECT_NEAR(AlphaOf(*ParseColor(L"#66000000")) / 255.0, 0.40, 0.001);
}

TEST(ValuesTest, RectanglesFillMissingNumbersWithZero) {
  struct Case {
    const wchar_t* text;
    std::optional<Rect> want;
  } cases[] = {
      {L"36", Rect{36, 0, 0, 0}},
      {L"16,12,16,0", Rect{16, 12, 16, 0}},
      {L"0,0,912,62", Rect{0, 0, 912, 62}},
      {L"1 2 3 4", Rect{1, 2, 3, 4}},
      {L"-5,3", Rect{-5, 3, 0, 0}},
      {L"", std::nullopt},
      {L"a", std::nullopt},
      {L"1,,2", std::nullopt},
      {L"1,2,3,4,5", std::nullopt},
      {L"1,", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRect(c.text), c.want) << c.text;
}

TEST(ValuesTest, SizesIntegersAndBooleans) {
  EXPECT_EQ(ParseSize(L"819,574"), (Size{819, 574}));
  EXPECT_EQ(ParseSize(L"819x698"), (Size{819, 698}));
  EXPECT_EQ(ParseSize(L"819"), std::nullopt);
  EXPECT_EQ(ParseSize(L"819,"), std::nullopt);
  EXPECT_EQ(ParseInt(L"152"), 152);
  EXPECT_EQ(ParseInt(L"-3"), -3);
  EXPECT_EQ(ParseInt(L"12px"), std::nullopt);
  EXPECT_EQ(ParseInt(L"99999999999"), INT32_MAX);
  EXPECT_TRUE(ParseBool(L"true"));
  EXPECT_FALSE(ParseBool(L"True"));
  EXPECT_FALSE(ParseBool(L"1"));
}

TEST(ValuesTest, AttributeListsStopAtTheFirstMalformedPair) {
  bool complete = false;
  auto pairs = ParseAttributeList(LR"(width="152"  text="a b" padding="36")", &complete);
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_TRUE(complete);
  EXPECT_EQ(pairs[1].first, L"text");
  EXPECT_EQ(pairs[1].second, L"a b");

  pairs = ParseAttributeList(LR"(width="152" broken height="3")", &complete);
  EXPECT_FALSE(complete);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].first, L"width");

  pairs = ParseAttributeList(LR"(text="unterminated)", &complete);
  EXPECT_FALSE(complete);
  EXPECT_TRUE(pairs.empty());
}

}  // namespace
}  // namespace SkinUI
