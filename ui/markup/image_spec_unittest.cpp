#include "ui/markup/image_spec.h"

#include <gtest/gtest.h>

namespace SkinUI {
namespace {

TEST(ImageSpecTest, PlainPathAndKeyValuePairs) {
  auto plain = ParseImageSpec(L"img\\common\\bg.png");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->file, L"img\\common\\bg.png");
  EXPECT_FALSE(plain->source);

  auto spec = ParseImageSpec(
      L"file='img\\inst\\h.png' source='0,0,10,5' dest='1,2,11,7' corner='2,2,2,2' stretch='false' fade='128' "
      L"mask='#FFFF00FF' xtiled='true' restype='png'");
  ASSERT_TRUE(spec);
  EXPECT_EQ(spec->file, L"img\\inst\\h.png");
  EXPECT_EQ(spec->source, (Rect{0, 0, 10, 5}));
  EXPECT_EQ(spec->dest, (Rect{1, 2, 11, 7}));
  EXPECT_EQ(spec->corner, (Rect{2, 2, 2, 2}));
  EXPECT_FALSE(spec->stretch);
  EXPECT_EQ(spec->fade, 128);
  EXPECT_TRUE(spec->xtiled);
}

TEST(ImageSpecTest, MalformedSpecsSetNothing) {
  for (const wchar_t* bad : {L"file='a.png' source=0,0,1,1", L"file='a.png", L"file=a.png", L"file='a' source='x'",
                             L"='a'", L"file='a.png' fade='lots'"}) {
    EXPECT_FALSE(ParseImageSpec(bad)) << bad;
  }
}

TEST(ImageSpecTest, StatusGroupsGetEqualSlicesInOrder) {
  auto images = ParseStatusImage(
      L"file='img\\common\\btn_blue_228x62.png' source='0,0,912,62' status='normal,hot,pushed,disabled'", nullptr);
  ASSERT_TRUE(images);
  const wchar_t* order[] = {L"normal", L"hot", L"pushed", L"disabled"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(images->count(order[i])) << order[i];
    EXPECT_EQ(images->at(order[i]).source, (Rect{228 * i, 0, 228 * (i + 1), 62})) << order[i];
  }
}

TEST(ImageSpecTest, StatusWithoutSourceUsesTheImageSizeAndRoundsDown) {
  auto lookup = [](const std::wstring& file) -> std::optional<Size> {
    if (file == L"chk.png") return Size{113, 14};
    return std::nullopt;
  };
  auto images = ParseStatusImage(
      L"file='chk.png' dest='0,0,14,14' status='normal,hot,pushed,disabled,selected,selectedhot selectedfocused,"
      L"selectedpushed,selecteddisabled'",
      lookup);
  ASSERT_TRUE(images);
  EXPECT_EQ(images->at(L"normal").source, (Rect{0, 0, 14, 14}));
  EXPECT_EQ(images->at(L"selectedhot").source, (Rect{70, 0, 84, 14}));
  EXPECT_EQ(images->at(L"selectedfocused").source, (Rect{70, 0, 84, 14}));
  EXPECT_EQ(images->at(L"selecteddisabled").source, (Rect{98, 0, 112, 14}));
  EXPECT_EQ(images->at(L"normal").dest, (Rect{0, 0, 14, 14}));

  EXPECT_FALSE(ParseStatusImage(L"file='missing.png' status='normal,hot'", lookup));
  EXPECT_FALSE(ParseStatusImage(L"file='chk.png' status=''", lookup));
  EXPECT_FALSE(ParseStatusImage(L"file='chk.png' source='0,0,10,10'", lookup));
  EXPECT_FALSE(ParseStatusImage(L"file='chk.png' status=normal", lookup));
  EXPECT_FALSE(ParseStatusImage(L"chk.png", lookup));
}

}  // namespace
}  // namespace SkinUI
