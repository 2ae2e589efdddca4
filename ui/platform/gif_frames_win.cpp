#include "ui/platform/gif_frames.h"

#include "ui/platform/image_header.h"

namespace SkinUI {

std::optional<GifFacts> ReadGifFacts(std::span<const uint8_t> bytes) {
  auto header = ReadImageHeader(bytes);
  if (!header || int64_t{header->width} * header->height > kMaxGifPixels) return std::nullopt;
  std::vector<int32_t> delays = ReadGifFrameDelays(bytes);
  if (delays.empty()) return std::nullopt;
  GifFacts facts{header->width, header->height, {}};
  for (int32_t delay : delays) facts.frames.push_back({delay, true});
  return facts;
}

}  // namespace SkinUI
