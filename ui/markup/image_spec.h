#pragma once
// Image specifications of skin attributes ("bkimage", "foreimage",
// "statusimage"): a plain package path, or key='value' pairs.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "ui/base/geometry.h"

namespace SkinUI {

struct ImageSpec {
  std::wstring file;
  std::optional<Rect> source;  // within the image; unset: the whole image
  std::optional<Rect> dest;    // relative to the control; unset: the whole control
  Rect corner;                 // nine-part border widths
  bool stretch = true;
  uint8_t fade = 255;
  // Accepted for compatibility, not drawn differently.
  std::wstring mask;
  std::wstring restype;
  bool hole = false;
  bool xtiled = false;
  bool ytiled = false;

  bool IsEmpty() const { return file.empty(); }
};

// Nothing for a malformed value (a pair that is not key='value', or a
// malformed rectangle inside). An empty value gives an empty spec (clears).
std::optional<ImageSpec> ParseImageSpec(std::wstring_view value);

// State name -> image of that state.
using StatusImages = std::map<std::wstring, ImageSpec, std::less<>>;

// Splits the "status" groups over equal slices of the source rectangle. When
// the ImageSpec has no "source", `imageSize` gives the size of the named file
// (nothing when it cannot be read). Nothing for a malformed value, an empty
// status, or an unknown image size.
using ImageSizeLookup = std::function<std::optional<Size>(const std::wstring& file)>;
std::optional<StatusImages> ParseStatusImage(std::wstring_view value, const ImageSizeLookup& imageSize);

}  // namespace SkinUI
