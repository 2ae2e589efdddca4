#pragma once
// Test support of the Windows layer: encoders for fixtures, PNG (8-bit RGBA)
// and GIF (palette, several frames with delays), so that tests decode real
// files whose every pixel they know, and a GDI+ start for test programs. Not
// for product code.
#include <cstdint>
#include <vector>

namespace SkinUI::testing {

// `argb` holds 0xAARRGGBB words (not premultiplied), `width` a row.
std::vector<uint8_t> EncodePng(const std::vector<uint32_t>& argb, int width, int height);

struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> indices;  // width * height palette indices
  int delayCentiseconds = 0;
};

// A looping GIF89a of the logical size with a global palette of up to 4
// 0xRRGGBB colours; `transparentIndex` -1 for none. Frames are drawn over the
// previous one (disposal "do not dispose").
std::vector<uint8_t> EncodeGif(int width, int height, const std::vector<uint32_t>& palette,
                               const std::vector<GifFrame>& frames, int transparentIndex = -1);

}  // namespace SkinUI::testing

namespace SkinUI::testing {

// Starts GDI+ once for the whole test program; it stays up until exit.
void EnsureGdiplus();

}  // namespace SkinUI::testing
