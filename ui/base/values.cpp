#include "ui/base/values.h"

#include <cstdint>
#include <limits>

namespace SkinUI {
namespace {

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

// Reads an optionally signed decimal number at `pos`; advances `pos` past it.
std::optional<int32_t> ReadInt(std::wstring_view text, size_t& pos) {
  size_t i = pos;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
    negative = text[i] == L'-';
    ++i;
  }
  size_t digitsStart = i;
  int64_t value = 0;
  while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
    if (value <= std::numeric_limits<int32_t>::max()) value = value * 10 + (text[i] - L'0');
    ++i;
  }
  if (i == digitsStart) return std::nullopt;
  pos = i;
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

}  // namespace

std::optional<int32_t> ParseInt(std::wstring_view text) {
  size_t pos = 0;
  auto value = ReadInt(text, pos);
  if (!value || pos != text.size()) return std::nullopt;
  return value;
}

bool ParseBool(std::wstring_view text) { return text == L"true"; }

std::optional<Color> ParseColor(std::wstring_view text) {
  if (text.size() != 7 && text.size() != 9) return std::nullopt;
  if (text[0] != L'#') return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 1; i < text.size(); ++i) {
    int d = HexDigit(text[i]);
    if (d < 0) return std::nullopt;
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  if (text.size() == 7) value |= 0xFF000000u;
  return value;
}

std::optional<Size> ParseSize(std::wstring_view text) {
  size_t pos = 0;
  auto cx = ReadInt(text, pos);
  if (!cx || pos + 1 >= text.size()) return std::nullopt;
  ++pos;  // the one separating character
  auto cy = ReadInt(text, pos);
  if (!cy || pos != text.size()) return std::nullopt;
  return Size{*cx, *cy};
}

std::optional<Rect> ParseRect(std::wstring_view text) {
  int32_t v[4] = {0, 0, 0, 0};
  size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    auto n = ReadInt(text, pos);
    if (!n) return std::nullopt;
    v[i] = *n;
    if (pos == text.size()) return Rect{v[0], v[1], v[2], v[3]};
    if (i == 3) break;
    ++pos;  // the one separating character
    if (pos == text.size()) return std::nullopt;
  }
  return std::nullopt;  // text after the fourth number
}

std::vector<AttributePair> ParseAttributeList(std::wstring_view text, bool* complete) {
  std::vector<AttributePair> pairs;
  size_t i = 0;
  bool ok = true;
  for (;;) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i == text.size()) break;
    size_t nameStart = i;
    while (i < text.size() && text[i] != L'=' && !IsSpace(text[i])) ++i;
    size_t nameEnd = i;
    if (nameEnd == nameStart || i == text.size() || text[i] != L'=') {
      ok = false;
      break;
    }
    ++i;
    if (i == text.size() || text[i] != L'"') {
      ok = false;
      break;
    }
    ++i;
    size_t valueStart = i;
    while (i < text.size() && text[i] != L'"') ++i;
    if (i == text.size()) {
      ok = false;
      break;
    }
    pairs.emplace_back(std::wstring(text.substr(nameStart, nameEnd - nameStart)),
                       std::wstring(text.substr(valueStart, i - valueStart)));
    ++i;
  }
  if (complete) *complete = ok;
  return pairs;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace SkinUI
