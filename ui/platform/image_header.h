#pragma once
// Reading of image headers without decoding pixels: the size and alpha of PNG,
// GIF and BMP data, and the frame delays of a GIF. Bounds-checked throughout;
// malformed data gives nothing.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace SkinUI {

struct ImageHeader {
  int32_t width = 0;
  int32_t height = 0;
  bool alpha = false;
};

std::optional<ImageHeader> ReadImageHeader(std::span<const uint8_t> bytes);
// Delay in milliseconds of every frame of a GIF, in order; empty when the data
// is not a well-formed GIF or has no frame.
std::vector<int32_t> ReadGifFrameDelays(std::span<const uint8_t> bytes);

}  // namespace SkinUI
