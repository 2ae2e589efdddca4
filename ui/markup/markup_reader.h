#pragma once
// Reader of the skin's XML markup: UTF-8 text with an optional byte-order mark
// and XML declaration, comments, elements with quoted attribute values, and the
// entities &amp; &lt; &gt; &quot; &apos; (any other '&' stays as written).
// Element text is read but not kept; the skin carries everything in attributes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace SkinUI {

struct MarkupNode {
  std::wstring name;
  std::vector<std::pair<std::wstring, std::wstring>> attributes;  // document order
  std::vector<MarkupNode> children;

  // The value of the first attribute named `key` (exact), or null.
  const std::wstring* Attribute(std::wstring_view key) const;
};

struct MarkupResult {
  std::optional<MarkupNode> root;  // set when the text was read without error
  std::string error;               // one of the messages below, else empty
  int line = 0;                    // 1-based line of the error
};

// Error texts. Deeper nesting than kMaxDepth is refused with kErrTooDeep, so that
// hostile input cannot exhaust the stack of the build that walks the tree.
inline constexpr const char kErrExpectedStartTag[] = "Expected start tag";
inline constexpr const char kErrElementName[] = "Error parsing element name";
inline constexpr const char kErrStartTagClosing[] = "Expected start-tag closing";
inline constexpr const char kErrEndTagStart[] = "Expected end-tag start";
inline constexpr const char kErrUnmatchedClosing[] = "Unmatched closing tag";
inline constexpr const char kErrAttributes[] = "Error while parsing attributes";
inline constexpr const char kErrAttributeValue[] = "Expected attribute value";
inline constexpr const char kErrAttributeString[] = "Error while parsing attribute string";
inline constexpr const char kErrTooDeep[] = "Element nesting too deep";
inline constexpr int kMaxMarkupDepth = 256;

MarkupResult ReadMarkup(std::string_view utf8);

// Decodes the five predefined entities; any other '&' is kept.
std::string DecodeEntities(std::string_view text);

}  // namespace SkinUI
