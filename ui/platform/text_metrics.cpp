#include "ui/platform/text_metrics.h"

namespace SkinUI {
namespace {

bool IsWide(wchar_t c) {
  uint32_t u = static_cast<uint32_t>(c);
  return (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3) ||
         (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
         (u >= 0xFFE0 && u <= 0xFFE6) || (u >= 0x20000 && u <= 0x3FFFD);
}

}  // namespace

int32_t FixedCharWidth(wchar_t c, int32_t fontSize) {
  if (c == L'\n' || c == L'\r') return 0;
  if (fontSize < 1) fontSize = 1;
  return IsWide(c) ? fontSize : (fontSize + 1) / 2;
}

int32_t FixedLineHeight(int32_t fontSize) {
  if (fontSize < 1) fontSize = 1;
  return (fontSize * 4 + 1) / 3;
}

int32_t FixedTextWidth(std::wstring_view text, int32_t fontSize) {
  int32_t width = 0;
  for (wchar_t c : text) width += FixedCharWidth(c, fontSize);
  return width;
}

std::vector<std::wstring_view> WrapFixedText(std::wstring_view text, int32_t fontSize, int32_t maxWidth) {
  std::vector<std::wstring_view> lines;
  size_t lineStart = 0;
  size_t lastSpace = std::wstring_view::npos;
  int32_t width = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\n') {
      size_t end = (i > lineStart && text[i - 1] == L'\r') ? i - 1 : i;
      lines.push_back(text.substr(lineStart, end - lineStart));
      lineStart = i + 1;
      lastSpace = std::wstring_view::npos;
      width = 0;
      continue;
    }
    int32_t w = FixedCharWidth(c, fontSize);
    if (maxWidth > 0 && width + w > maxWidth && i > lineStart) {
      size_t breakAt = (lastSpace != std::wstring_view::npos && lastSpace > lineStart) ? lastSpace : i;
      lines.push_back(text.substr(lineStart, breakAt - lineStart));
      lineStart = (breakAt == lastSpace) ? breakAt + 1 : breakAt;
      lastSpace = std::wstring_view::npos;
      width = FixedTextWidth(text.substr(lineStart, i - lineStart), fontSize);
    }
    if (c == L' ') lastSpace = i;
    width += w;
  }
  lines.push_back(text.substr(lineStart));
  return lines;
}

}  // namespace SkinUI
