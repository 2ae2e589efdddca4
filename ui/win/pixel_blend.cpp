#include "ui/win/pixel_blend.h"

#include <algorithm>
#include <vector>

namespace SkinUI {
namespace {

// a * (256 - w) + b * w, over 256, per channel; w in 0..256.
uint32_t Mix(uint32_t a, uint32_t b, uint32_t w) {
  if (w == 0 || a == b) return a;
  const uint32_t v = 256 - w;
  const uint32_t rb = (((a & 0x00FF00FFu) * v + (b & 0x00FF00FFu) * w) >> 8) & 0x00FF00FFu;
  const uint32_t ag = (((a >> 8) & 0x00FF00FFu) * v + ((b >> 8) & 0x00FF00FFu) * w) & 0xFF00FF00u;
  return rb | ag;
}

// Where each destination column (or row) samples the source: the two source
// indices, relative to the part, and the weight of the second, in 1/256.
struct Tap {
  int32_t first;
  int32_t second;
  uint32_t weight;
};

// Pixel centres map onto pixel centres: s = (d + 0.5) * sourceLength / destLength - 0.5,
// clamped to the part.
std::vector<Tap> Taps(int32_t destStart, int32_t destLength, int32_t from, int32_t to, int32_t sourceLength) {
  std::vector<Tap> taps;
  taps.reserve(static_cast<size_t>(to - from));
  for (int32_t d = from; d < to; ++d) {
    const int64_t numerator = (2 * int64_t{d - destStart} + 1) * sourceLength - destLength;
    const int64_t fixed = numerator <= 0 ? 0 : numerator * 256 / (2 * int64_t{destLength});
    int32_t first = static_cast<int32_t>(fixed >> 8);
    uint32_t weight = static_cast<uint32_t>(fixed & 255);
    if (first >= sourceLength - 1) {
      first = sourceLength - 1;
      weight = 0;
    }
    taps.push_back({first, std::min(first + 1, sourceLength - 1), weight});
  }
  return taps;
}

}  // namespace


uint32_t ScalePixel(uint32_t pixel, uint32_t alpha) {
  // Two channels at a time; (x + 128 + ((x + 128) >> 8)) >> 8 is x / 255
  // rounded for every product of two bytes.
  uint32_t rb = (pixel & 0x00FF00FFu) * alpha + 0x00800080u;
  uint32_t ag = ((pixel >> 8) & 0x00FF00FFu) * alpha + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return rb | ag;
}

uint32_t Premultiply(Color color) {
  const uint32_t alpha = color >> 24;
  if (alpha == 255) return color;
  return (ScalePixel(color | 0xFF000000u, alpha) & 0x00FFFFFFu) | (alpha << 24);
}

uint32_t BlendPixel(uint32_t dest, uint32_t source) {
  const uint32_t alpha = source >> 24;
  if (alpha == 255) return source;
  if (alpha == 0) return dest;
  return source + ScalePixel(dest, 255 - alpha);
}

void BlendFill(uint32_t* pixels, int32_t stride, const Rect& rect, Color color) {
  const uint32_t source = Premultiply(color);
  for (int32_t y = rect.top; y < rect.bottom; ++y) {
    uint32_t* row = pixels + static_cast<size_t>(y) * stride;
    if ((source >> 24) == 255) {
      for (int32_t x = rect.left; x < rect.right; ++x) row[x] = source;
    } else {
      for (int32_t x = rect.left; x < rect.right; ++x) row[x] = BlendPixel(row[x], source);
    }
  }
}

void BlendCopy(uint32_t* pixels, int32_t stride, const Rect& rect, const uint32_t* source, int32_t sourceStride,
               int32_t sourceLeft, int32_t sourceTop, uint8_t alpha) {
  for (int32_t y = rect.top; y < rect.bottom; ++y) {
    uint32_t* row = pixels + static_cast<size_t>(y) * stride;
    const uint32_t* from =
        source + static_cast<size_t>(sourceTop + (y - rect.top)) * sourceStride + sourceLeft - rect.left;
    if (alpha == 255) {
      for (int32_t x = rect.left; x < rect.right; ++x) row[x] = BlendPixel(row[x], from[x]);
    } else {
      for (int32_t x = rect.left; x < rect.right; ++x) row[x] = BlendPixel(row[x], ScalePixel(from[x], alpha));
    }
  }
}

void BlendScaled(uint32_t* pixels, int32_t stride, const Rect& dest, const Rect& visible, const uint32_t* source,
                 int32_t sourceStride, const Rect& part, uint8_t alpha) {
  const Rect target = dest.Intersect(visible);
  if (target.IsEmpty() || part.IsEmpty() || dest.IsEmpty()) return;
  const std::vector<Tap> columns = Taps(dest.left, dest.Width(), target.left, target.right, part.Width());
  const std::vector<Tap> rows = Taps(dest.top, dest.Height(), target.top, target.bottom, part.Height());
  const uint32_t* origin = source + static_cast<size_t>(part.top) * sourceStride + part.left;
  for (int32_t y = target.top; y < target.bottom; ++y) {
    const Tap& row = rows[static_cast<size_t>(y - target.top)];
    const uint32_t* upper = origin + static_cast<size_t>(row.first) * sourceStride;
    const uint32_t* lower = origin + static_cast<size_t>(row.second) * sourceStride;
    uint32_t* out = pixels + static_cast<size_t>(y) * stride;
    for (int32_t x = target.left; x < target.right; ++x) {
      const Tap& col = columns[static_cast<size_t>(x - target.left)];
      uint32_t p = Mix(upper[col.first], upper[col.second], col.weight);
      if (row.weight) p = Mix(p, Mix(lower[col.first], lower[col.second], col.weight), row.weight);
      if (alpha != 255) p = ScalePixel(p, alpha);
      out[x] = BlendPixel(out[x], p);
    }
  }
}

}  // namespace SkinUI
