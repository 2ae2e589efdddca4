#pragma once
// Premultiplied source-over blending on 32-bit BGRA pixels (0xAARRGGBB
// words), for the drawing the GDI+ renderer does itself: solid fills, images
// at their natural size (copied pixel for pixel) and scaled image parts
// (bilinear, sampling only the part's own pixels, so neighbouring slices of a
// strip never bleed in). Under Wine each of these is one to two orders of
// magnitude faster than the same GDI+ call.
#include <cstdint>

#include "ui/base/geometry.h"

namespace SkinUI {

// Each channel of the premultiplied pixel times alpha / 255, rounded.
uint32_t ScalePixel(uint32_t pixel, uint32_t alpha);
// The premultiplied form of a 0xAARRGGBB colour.
uint32_t Premultiply(Color color);
// `source` over `dest`, both premultiplied.
uint32_t BlendPixel(uint32_t dest, uint32_t source);

// `color` (not premultiplied) over every pixel of `rect`, which lies inside
// the surface; `stride` in pixels.
void BlendFill(uint32_t* pixels, int32_t stride, const Rect& rect, Color color);

// The source pixels at constant opacity `alpha` over the pixels of `rect`
// (inside the surface); source pixel (sourceLeft, sourceTop) lands on rect's
// top-left corner and the source holds the whole rectangle.
void BlendCopy(uint32_t* pixels, int32_t stride, const Rect& rect, const uint32_t* source, int32_t sourceStride,
               int32_t sourceLeft, int32_t sourceTop, uint8_t alpha);

// The `part` of the source scaled to `dest` at opacity `alpha`; only the
// pixels of `dest` inside `visible` (which lies inside the surface) change.
void BlendScaled(uint32_t* pixels, int32_t stride, const Rect& dest, const Rect& visible, const uint32_t* source,
                 int32_t sourceStride, const Rect& part, uint8_t alpha);

}  // namespace SkinUI
