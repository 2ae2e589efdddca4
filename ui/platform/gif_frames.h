#pragma once
// Frame facts of an animated GIF for the headless renderer: the logical screen
// size and, for every frame as it is composited (disposal and transparency
// applied), its delay and whether any pixel is not fully opaque. Linux decodes
// the frames with giflib; the Windows build, where GDI+ draws the real frames,
// reads the delays from the blocks and reports every frame as transparent.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace SkinUI {

struct GifFrameFacts {
  int32_t delayMs = 0;  // as stored, 0 stays 0
  bool hasAlpha = true;
};

struct GifFacts {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<GifFrameFacts> frames;
};

// Nothing for data that is not a decodable GIF with at least one frame, or
// whose logical screen exceeds kMaxGifPixels.
std::optional<GifFacts> ReadGifFacts(std::span<const uint8_t> bytes);

inline constexpr int64_t kMaxGifPixels = int64_t{1} << 24;

}  // namespace SkinUI
