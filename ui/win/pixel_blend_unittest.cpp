#include "ui/win/pixel_blend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace SkinUI {
namespace {

TEST(PixelBlendTest, ScalingRoundsEveryChannelLikeExactArithmetic) {
  int wrong = 0;
  for (uint32_t alpha = 0; alpha <= 255; ++alpha) {
    for (uint32_t c = 0; c <= 255; ++c) {
      const uint32_t want = static_cast<uint32_t>(std::lround(c * alpha / 255.0));
      const uint32_t pixel = (c << 24) | (c << 16) | (c << 8) | c;
      wrong += ScalePixel(pixel, alpha) != ((want << 24) | (want << 16) | (want << 8) | want);
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(ScalePixel(0x80FF4020u, 255), 0x80FF4020u);
  EXPECT_EQ(Premultiply(0x66000000), 0x66000000u);
  EXPECT_EQ(Premultiply(0x80FFFFFF), 0x80808080u);
  EXPECT_EQ(Premultiply(0xFF123456), 0xFF123456u);
}

TEST(PixelBlendTest, SourceOverOfPremultipliedPixels) {
  EXPECT_EQ(BlendPixel(0xFFFFFFFF, 0x66000000), 0xFF999999u);  // 40% black on white
  EXPECT_EQ(BlendPixel(0x00000000, 0x66000000), 0x66000000u);  // on transparent it stays as it is
  EXPECT_EQ(BlendPixel(0xFF102030, 0xFF405060), 0xFF405060u);
  EXPECT_EQ(BlendPixel(0xFF102030, 0x00000000), 0xFF102030u);
  EXPECT_EQ(BlendPixel(0xFF102030, 0x00FFFFFF), 0xFF102030u) << "a fully transparent pixel adds nothing";
  // Never past 255 for valid premultiplied input.
  EXPECT_EQ(BlendPixel(0xFFFFFFFF, 0x80808080), 0xFFFFFFFFu);
}

TEST(PixelBlendTest, ScaledPartsSampleOnlyTheirOwnPixels) {
  // A strip of two 2x1 slices: black|black white|white. Scaling the second
  // slice up must never pick up black from the first.
  const std::vector<uint32_t> strip = {0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF};
  std::vector<uint32_t> out(8, 0);
  BlendScaled(out.data(), 8, {0, 0, 8, 1}, {0, 0, 8, 1}, strip.data(), 4, {2, 0, 4, 1}, 255);
  for (uint32_t p : out) EXPECT_EQ(p, 0xFFFFFFFFu);

  // A black-to-white ramp scaled up goes up step by step and keeps its ends.
  const std::vector<uint32_t> ramp = {0xFF000000, 0xFFFFFFFF};
  BlendScaled(out.data(), 8, {0, 0, 8, 1}, {0, 0, 8, 1}, ramp.data(), 2, {0, 0, 2, 1}, 255);
  EXPECT_EQ(out.front(), 0xFF000000u);
  EXPECT_EQ(out.back(), 0xFFFFFFFFu);
  for (size_t i = 1; i < out.size(); ++i) EXPECT_GE(out[i] & 0xFF, out[i - 1] & 0xFF);

  // Only the visible part changes.
  std::vector<uint32_t> clipped(8, 0);
  BlendScaled(clipped.data(), 8, {0, 0, 8, 1}, {2, 0, 5, 1}, ramp.data(), 2, {0, 0, 2, 1}, 255);
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(clipped[i] != 0, i >= 2 && i < 5) << i;
  EXPECT_EQ(clipped[3], out[3]);
}

}  // namespace
}  // namespace SkinUI
