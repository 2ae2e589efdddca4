#include "common/base/strings.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(StringsTest, RoundTripsChineseAndAstralText) {
  const std::string utf8 = "QIRA 助手安装程序 \xF0\x9F\x98\x80";  // U+1F600
  const std::wstring wide = Utf8ToWide(utf8);
  EXPECT_EQ(wide.substr(0, 5), L"QIRA ");
  EXPECT_EQ(wide[5], L'\u52A9');
  EXPECT_EQ(WideToUtf8(wide), utf8);
}

TEST(StringsTest, BrokenUtf8BecomesReplacementCharacter) {
  EXPECT_EQ(Utf8ToWide("a\xC3"), std::wstring(L"a\uFFFD"));
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), std::wstring(L"\uFFFD\uFFFD"));  // overlong '/'
  EXPECT_EQ(Utf8ToWide(""), L"");
}

}  // namespace
}  // namespace base
