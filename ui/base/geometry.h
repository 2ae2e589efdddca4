#pragma once
// Integer geometry of the control tree, in client pixels. Point and Rect have
// the memory layout of the Windows POINT and RECT, so the Windows host can pass
// them through unchanged.
#include <algorithm>
#include <cstdint>

namespace SkinUI {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// left/top inclusive, right/bottom exclusive. Also used for four margins.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  // The rectangle shrunk by four margins.
  Rect Deflated(const Rect& m) const {
    return {left + m.left, top + m.top, right - m.right, bottom - m.bottom};
  }
  Rect Offset(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  // Empty (all zero) when the two do not overlap.
  Rect Intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    return r.IsEmpty() ? Rect{} : r;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Colour as 0xAARRGGBB, not premultiplied.
using Color = uint32_t;

inline constexpr uint8_t AlphaOf(Color c) { return static_cast<uint8_t>(c >> 24); }

}  // namespace SkinUI
