#pragma once
// Deterministic text metrics of the headless renderer: a character is half the
// font size wide (rounded up), a CJK or full-width character the whole size; a
// line is 4/3 of the size high (rounded). Wrapping breaks at the last space of
// a line when there is one, otherwise between characters.
#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/base/geometry.h"

namespace SkinUI {

int32_t FixedCharWidth(wchar_t c, int32_t fontSize);
int32_t FixedLineHeight(int32_t fontSize);
int32_t FixedTextWidth(std::wstring_view text, int32_t fontSize);
// The lines of `text` wrapped at `maxWidth` (no wrapping when maxWidth <= 0);
// line feeds always break. Each line is a view into `text`.
std::vector<std::wstring_view> WrapFixedText(std::wstring_view text, int32_t fontSize, int32_t maxWidth);

}  // namespace SkinUI
