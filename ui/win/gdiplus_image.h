#pragma once
// Decoded images of the GDI+ renderer: GDI+ decodes, and the image keeps the
// result as premultiplied 32-bit pixels that the canvases blend from.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/platform/renderer.h"

namespace SkinUI {

class GdiplusImage final : public IImage {
 public:
  // Takes premultiplied BGRA pixels (0xAARRGGBB words), `width` a row, top row
  // first. Null when the size is not positive or the pixels do not fit it.
  static std::shared_ptr<GdiplusImage> FromPixels(std::vector<uint32_t> pixels, int32_t width, int32_t height,
                                                  std::wstring name);

  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  bool HasAlpha() const override { return alpha_; }
  const std::wstring& Name() const override { return name_; }

  // Premultiplied pixels, Width() a row, top row first.
  std::span<const uint32_t> Pixels() const { return pixels_; }

  GdiplusImage(std::vector<uint32_t> pixels, int32_t width, int32_t height, std::wstring name);
  GdiplusImage(const GdiplusImage&) = delete;
  GdiplusImage& operator=(const GdiplusImage&) = delete;

 private:
  std::vector<uint32_t> pixels_;
  int32_t width_;
  int32_t height_;
  bool alpha_;
  std::wstring name_;
};

// PNG, GIF (its first frame), JPEG or BMP bytes; null, with a logged reason,
// when GDI+ cannot decode them.
std::shared_ptr<GdiplusImage> DecodeGdiplusImage(std::span<const uint8_t> bytes, std::wstring_view name);

// Every frame of an animated GIF as GDI+ composes it, with its delay in
// milliseconds as stored (0 stays 0). A still image gives one frame with
// delay 0; undecodable bytes give none.
std::vector<AnimationFrame> DecodeGdiplusAnimation(std::span<const uint8_t> bytes, std::wstring_view name);

}  // namespace SkinUI
