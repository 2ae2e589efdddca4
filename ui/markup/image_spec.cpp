#include "ui/markup/image_spec.h"

#include <algorithm>
#include <vector>

#include "ui/base/values.h"

namespace SkinUI {
namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

// key='value' pairs separated by spaces; nothing when a pair is malformed.
std::optional<Pairs> ParsePairs(std::wstring_view text) {
  Pairs pairs;
  size_t i = 0;
  for (;;) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i == text.size()) return pairs;
    size_t keyStart = i;
    while (i < text.size() && text[i] != L'=' && !IsSpace(text[i])) ++i;
    if (i == keyStart || i == text.size() || text[i] != L'=') return std::nullopt;
    std::wstring key(text.substr(keyStart, i - keyStart));
    ++i;
    if (i == text.size() || text[i] != L'\'') return std::nullopt;
    size_t end = text.find(L'\'', i + 1);
    if (end == std::wstring_view::npos) return std::nullopt;
    pairs.emplace_back(std::move(key), std::wstring(text.substr(i + 1, end - i - 1)));
    i = end + 1;
  }
}

// Applies one key; false when its value is malformed.
bool ApplyKey(ImageSpec& spec, const std::wstring& key, const std::wstring& value) {
  if (key == L"file") {
    spec.file = value;
  } else if (key == L"source" || key == L"dest" || key == L"corner") {
    auto rect = ParseRect(value);
    if (!rect) return false;
    if (key == L"source") spec.source = rect;
    else if (key == L"dest") spec.dest = rect;
    else spec.corner = *rect;
  } else if (key == L"stretch") {
    spec.stretch = ParseBool(value);
  } else if (key == L"fade") {
    auto fade = ParseInt(value);
    if (!fade) return false;
    spec.fade = static_cast<uint8_t>(std::clamp(*fade, 0, 255));
  } else if (key == L"mask") {
    spec.mask = value;
  } else if (key == L"restype") {
    spec.restype = value;
  } else if (key == L"hole") {
    spec.hole = ParseBool(value);
  } else if (key == L"xtiled") {
    spec.xtiled = ParseBool(value);
  } else if (key == L"ytiled") {
    spec.ytiled = ParseBool(value);
  }
  return true;  // "status" and unknown keys are left to the caller
}

std::optional<ImageSpec> SpecFromPairs(const Pairs& pairs) {
  ImageSpec spec;
  for (const auto& [key, value] : pairs) {
    if (!ApplyKey(spec, key, value)) return std::nullopt;
  }
  return spec;
}

}  // namespace

std::optional<ImageSpec> ParseImageSpec(std::wstring_view value) {
  if (value.find(L'=') == std::wstring_view::npos) {
    ImageSpec spec;
    spec.file = std::wstring(value);
    return spec;
  }
  auto pairs = ParsePairs(value);
  if (!pairs) return std::nullopt;
  return SpecFromPairs(*pairs);
}

std::optional<StatusImages> ParseStatusImage(std::wstring_view value, const ImageSizeLookup& imageSize) {
  auto pairs = ParsePairs(value);
  if (!pairs) return std::nullopt;
  auto spec = SpecFromPairs(*pairs);
  if (!spec || spec->file.empty()) return std::nullopt;
  const std::wstring* status = nullptr;
  for (const auto& [key, v] : *pairs) {
    if (key == L"status") status = &v;
  }
  if (!status) return std::nullopt;

  std::vector<std::vector<std::wstring>> groups;
  size_t start = 0;
  for (;;) {
    size_t comma = status->find(L',', start);
    std::wstring_view group = std::wstring_view(*status).substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
    std::vector<std::wstring> names;
    size_t i = 0;
    while (i < group.size()) {
      while (i < group.size() && IsSpace(group[i])) ++i;
      size_t s = i;
      while (i < group.size() && !IsSpace(group[i])) ++i;
      if (i > s) names.emplace_back(group.substr(s, i - s));
    }
    groups.push_back(std::move(names));
    if (comma == std::wstring::npos) break;
    start = comma + 1;
  }
  bool anyName = std::any_of(groups.begin(), groups.end(), [](const auto& g) { return !g.empty(); });
  if (!anyName) return std::nullopt;

  Rect source;
  if (spec->source) {
    source = *spec->source;
  } else {
    auto size = imageSize ? imageSize(spec->file) : std::nullopt;
    if (!size) return std::nullopt;
    source = {0, 0, size->cx, size->cy};
  }
  const int32_t sliceWidth = source.Width() / static_cast<int32_t>(groups.size());
  StatusImages images;
  for (size_t g = 0; g < groups.size(); ++g) {
    ImageSpec slice = *spec;
    int32_t left = source.left + static_cast<int32_t>(g) * sliceWidth;
    slice.source = Rect{left, source.top, left + sliceWidth, source.bottom};
    for (const auto& name : groups[g]) images.insert_or_assign(name, slice);
  }
  return images;
}

}  // namespace SkinUI
