#include "ui/win/gdiplus_image.h"

#include <algorithm>
#include <cstring>

#include "common/log/log.h"
#include "ui/win/gdiplus_include.h"

#include <shlwapi.h>

namespace SkinUI {
namespace {

// Larger bitmaps are refused rather than risking an allocation failure; the
// biggest skin strip is 36816 x 12.
constexpr int64_t kMaxPixels = int64_t{1} << 26;

struct StreamReleaser {
  void operator()(IStream* stream) const { stream->Release(); }
};
using UniqueStream = std::unique_ptr<IStream, StreamReleaser>;

// A read-only stream over a copy of the bytes; GDI+ may read it lazily, so it
// must outlive the bitmap decoded from it.
UniqueStream MemoryStream(std::span<const uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > UINT32_MAX) return nullptr;
  return UniqueStream(SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
}

bool HasTransparency(std::span<const uint32_t> pixels) {
  return std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) != 0xFF; });
}

// The bitmap's active frame as premultiplied pixels; empty when GDI+ refuses.
std::vector<uint32_t> CopyPremultiplied(Gdiplus::Bitmap& bitmap, int32_t width, int32_t height) {
  Gdiplus::Rect rect(0, 0, width, height);
  Gdiplus::BitmapData data{};
  if (bitmap.LockBits(&rect, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
    return {};
  }
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  const auto* row = static_cast<const uint8_t*>(data.Scan0);
  for (int32_t y = 0; y < height; ++y, row += data.Stride) {
    std::memcpy(&pixels[static_cast<size_t>(y) * width], row, static_cast<size_t>(width) * 4);
  }
  bitmap.UnlockBits(&data);
  return pixels;
}

// Frame delays in milliseconds from the GIF's frame-delay property (stored in
// hundredths of a second); missing entries are 0.
std::vector<int32_t> FrameDelays(Gdiplus::Bitmap& bitmap, UINT frameCount) {
  std::vector<int32_t> delays(frameCount, 0);
  UINT size = bitmap.GetPropertyItemSize(PropertyTagFrameDelay);
  if (size < sizeof(Gdiplus::PropertyItem)) return delays;
  std::vector<uint8_t> buffer(size);
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  if (bitmap.GetPropertyItem(PropertyTagFrameDelay, size, item) != Gdiplus::Ok) return delays;
  if (item->type != PropertyTagTypeLong || !item->value) return delays;
  const size_t stored = item->length / sizeof(LONG);
  const auto* values = static_cast<const LONG*>(item->value);
  for (size_t i = 0; i < std::min<size_t>(stored, frameCount); ++i) {
    delays[i] = static_cast<int32_t>(std::max<LONG>(values[i], 0) * 10);
  }
  return delays;
}

// Decodes the bytes with GDI+; null with a logged reason.
std::unique_ptr<Gdiplus::Bitmap> OpenBitmap(IStream* stream, std::wstring_view name, int32_t& width,
                                            int32_t& height) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream);
  Gdiplus::Status status = bitmap->GetLastStatus();
  if (status != Gdiplus::Ok) {
    PLOG_ERROR << "image " << name << " not decodable, status " << static_cast<int>(status);
    return nullptr;
  }
  width = static_cast<int32_t>(bitmap->GetWidth());
  height = static_cast<int32_t>(bitmap->GetHeight());
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels) {
    PLOG_ERROR << "image " << name << " has an unusable size " << width << "x" << height;
    return nullptr;
  }
  return bitmap;
}

}  // namespace

GdiplusImage::GdiplusImage(std::vector<uint32_t> pixels, int32_t width, int32_t height, std::wstring name)
    : pixels_(std::move(pixels)),
      width_(width),
      height_(height),
      alpha_(HasTransparency(pixels_)),
      name_(std::move(name)) {}

std::shared_ptr<GdiplusImage> GdiplusImage::FromPixels(std::vector<uint32_t> pixels, int32_t width,
                                                       int32_t height, std::wstring name) {
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels) return nullptr;
  if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return nullptr;
  return std::make_shared<GdiplusImage>(std::move(pixels), width, height, std::move(name));
}

std::shared_ptr<GdiplusImage> DecodeGdiplusImage(std::span<const uint8_t> bytes, std::wstring_view name) {
  UniqueStream stream = MemoryStream(bytes);
  if (!stream) {
    PLOG_ERROR << "image " << name << " is empty or could not be streamed";
    return nullptr;
  }
  int32_t width = 0, height = 0;
  auto bitmap = OpenBitmap(stream.get(), name, width, height);
  if (!bitmap) return nullptr;
  std::vector<uint32_t> pixels = CopyPremultiplied(*bitmap, width, height);
  if (pixels.empty()) {
    PLOG_ERROR << "image " << name << " could not be converted to 32-bit pixels";
    return nullptr;
  }
  return GdiplusImage::FromPixels(std::move(pixels), width, height, std::wstring(name));
}

std::vector<AnimationFrame> DecodeGdiplusAnimation(std::span<const uint8_t> bytes, std::wstring_view name) {
  std::vector<AnimationFrame> frames;
  UniqueStream stream = MemoryStream(bytes);
  if (!stream) {
    PLOG_ERROR << "animation " << name << " is empty or could not be streamed";
    return frames;
  }
  int32_t width = 0, height = 0;
  auto bitmap = OpenBitmap(stream.get(), name, width, height);
  if (!bitmap) return frames;
  GUID dimension = Gdiplus::FrameDimensionTime;
  UINT count = bitmap->GetFrameCount(&dimension);
  if (count == 0) count = 1;  // a still image has no time dimension
  const std::vector<int32_t> delays = FrameDelays(*bitmap, count);
  for (UINT i = 0; i < count; ++i) {
    if (count > 1 && bitmap->SelectActiveFrame(&dimension, i) != Gdiplus::Ok) {
      PLOG_ERROR << "animation " << name << " frame " << i << " could not be selected";
      return {};
    }
    std::vector<uint32_t> pixels = CopyPremultiplied(*bitmap, width, height);
    std::wstring frameName = std::wstring(name) + L"#" + std::to_wstring(i);
    auto image = pixels.empty() ? nullptr : GdiplusImage::FromPixels(std::move(pixels), width, height, frameName);
    if (!image) {
      PLOG_ERROR << "animation " << name << " frame " << i << " could not be converted";
      return {};
    }
    frames.push_back({std::move(image), delays[i]});
  }
  return frames;
}

}  // namespace SkinUI
