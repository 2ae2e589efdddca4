#include "ui/markup/markup_reader.h"

#include <gtest/gtest.h>

namespace SkinUI {
namespace {

TEST(MarkupReaderTest, ReadsElementsAttributesAndEntities) {
  auto result = ReadMarkup(
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<!-- the window -->\n"
      "<Window size=\"819,574\">\n"
      "  <Style name='s' value=\"text=&quot;a &amp; b&quot; x=&apos;1&apos; &lt;&gt; &copy; &#65;\"/>\n"
      "  <!-- a comment -->\n"
      "  <VerticalLayout><Label text=\"\xE4\xBD\xA0\xE5\xA5\xBD\"/>text</VerticalLayout>\n"
      "</Window>\n");
  ASSERT_TRUE(result.root) << result.error;
  const MarkupNode& root = *result.root;
  EXPECT_EQ(root.name, L"Window");
  ASSERT_EQ(root.children.size(), 2u);
  EXPECT_EQ(*root.children[0].Attribute(L"value"), L"text=\"a & b\" x='1' <> &copy; &#65;");
  EXPECT_EQ(root.children[1].children[0].name, L"Label");
  EXPECT_EQ(*root.children[1].children[0].Attribute(L"text"), L"\u4f60\u597d");
  EXPECT_EQ(root.Attribute(L"missing"), nullptr);
}

TEST(MarkupReaderTest, SyntaxErrorsGiveTheReadersMessages) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"", kErrExpectedStartTag},
      {"hello", kErrExpectedStartTag},
      {"<?xml version='1.0'", kErrExpectedStartTag},
      {"<1abc/>", kErrElementName},
      {"< Window/>", kErrElementName},
      {"<Window a='1'", kErrStartTagClosing},
      {"<Window a='1' /", kErrStartTagClosing},
      {"<Window>", kErrEndTagStart},
      {"<Window><Label/>", kErrEndTagStart},
      {"<Window><!-- open", kErrEndTagStart},
      {"<Window></Label>", kErrUnmatchedClosing},
      {"<Window><Label></Window>", kErrUnmatchedClosing},
      {"<Window 9a='1'/>", kErrAttributes},
      {"<Window a/>", kErrAttributes},
      {"<Window a=1/>", kErrAttributeValue},
      {"<Window a=/>", kErrAttributeValue},
      {"<Window a='1/>", kErrAttributeString},
      {"<Window a=\"1/>", kErrAttributeString},
  };
  for (const Case& c : cases) {
    auto result = ReadMarkup(c.text);
    EXPECT_FALSE(result.root) << c.text;
    EXPECT_EQ(result.error, c.error) << c.text;
  }
}

TEST(MarkupReaderTest, ErrorLineIsCounted) {
  auto result = ReadMarkup("<Window>\n  <Label>\n</Window>");
  EXPECT_EQ(result.error, kErrUnmatchedClosing);
  EXPECT_EQ(result.line, 3);
}

TEST(MarkupReaderTest, DeepNestingIsRefusedWithoutRecursion) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  auto result = ReadMarkup(deep);
  EXPECT_EQ(result.error, kErrTooDeep);

  std::string ok;
  for (int i = 0; i < kMaxMarkupDepth - 1; ++i) ok += "<a>";
  for (int i = 0; i < kMaxMarkupDepth - 1; ++i) ok += "</a>";
  EXPECT_TRUE(ReadMarkup(ok).root);
}

}  // namespace
}  // namespace SkinUI
