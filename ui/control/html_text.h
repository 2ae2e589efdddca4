#pragma once
// Text with tags ("showhtml"): a tag is a letter, optionally followed by a
// space and an argument, in angle brackets or braces; a closing tag has a
// slash before the letter. Known: a (link), f N (font index), n (line break),
// y N (line height of the current line), x N (move right), b, i, u, s (bold,
// italic, underline, strike-out), c #colour, p (paragraph break); o and r are
// read and ignored. Anything that does not form a tag is text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/base/geometry.h"
#include "ui/platform/renderer.h"

namespace SkinUI {

class SkinManager;

// One run of text placed by the layout, relative to the text rectangle.
struct HtmlRun {
  std::wstring text;
  Rect rect;
  IFont* font = nullptr;
  Color color = 0;  // 0: the caller's text colour
  int link = -1;    // link index, or -1
};

struct HtmlLayout {
  std::vector<HtmlRun> runs;
  Size size;           // extent of all lines
  int linkCount = 0;
  std::vector<std::wstring> linkTargets;  // argument of each link tag, may be empty
};

// Lays out `text` with the manager's fonts; `baseFont` is the control's font
// index (-1: default). With `wrapWidth` > 0 lines wrap at that width.
HtmlLayout LayoutHtmlText(SkinManager& manager, std::wstring_view text, int baseFont, int32_t wrapWidth);
// The text without its tags (what a plain reader would show).
std::wstring StripHtmlTags(std::wstring_view text);

}  // namespace SkinUI
