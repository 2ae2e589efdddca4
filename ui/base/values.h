#pragma once
// The value syntaxes of skin attributes. Every parser returns nothing for a
// malformed value, so that the attribute it feeds sets nothing.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/base/geometry.h"

namespace SkinUI {

// Optional sign and decimal digits, nothing else; out-of-range values clamp to
// the int32 range.
std::optional<int32_t> ParseInt(std::wstring_view text);
// "true" is true, any other text false.
bool ParseBool(std::wstring_view text);
// "#RRGGBB" (made opaque) or "#AARRGGBB".
std::optional<Color> ParseColor(std::wstring_view text);
// Two integers separated by one character ("819,574").
std::optional<Size> ParseSize(std::wstring_view text);
// Up to four integers (left, top, right, bottom), each separated by one
// character; the missing ones at the end are 0 ("36" -> 36,0,0,0).
std::optional<Rect> ParseRect(std::wstring_view text);

using AttributePair = std::pair<std::wstring, std::wstring>;

// An attribute list: name="value" pairs separated by spaces. Returns the pairs
// read before the first malformed point; `complete` tells whether the whole
// text was well formed.
std::vector<AttributePair> ParseAttributeList(std::wstring_view text, bool* complete = nullptr);

// ASCII case-insensitive comparison, as the markup's keywords are ASCII.
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace SkinUI
