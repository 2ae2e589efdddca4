#pragma once
// The drawing engine behind the controls: image decoding from package bytes,
// fonts and text measuring, and canvases to draw on. Windows implements it with
// GDI+ over 32-bit premultiplied DIB sections (what UpdateLayeredWindow takes);
// the headless build records every call. No OS header here.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/base/geometry.h"

namespace SkinUI {

// A decoded bitmap. Immutable once made; shared by the caches and the canvases.
class IImage {
 public:
  virtual ~IImage() = default;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  // Whether any pixel is not fully opaque.
  virtual bool HasAlpha() const = 0;
  // The name it was decoded under (its package path), for diagnostics.
  virtual const std::wstring& Name() const = 0;
};

// One frame of an animated image: a full composited 32-bit frame.
struct AnimationFrame {
  std::shared_ptr<IImage> image;
  int32_t delayMs = 0;
};

struct FontSpec {
  std::wstring face = L"Microsoft YaHei";
  int32_t size = 12;  // character height in pixels
  int32_t weight = 400;
  bool underline = false;
  bool italic = false;
  bool strikeout = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class IFont {
 public:
  virtual ~IFont() = default;
  virtual const FontSpec& Spec() const = 0;
  // Height of one line of text in pixels.
  virtual int32_t LineHeight() const = 0;
};

// Text placement flags; the values are those of DrawText's DT_ flags.
enum TextFormat : uint32_t {
  kTextLeft = 0x0000,
  kTextTop = 0x0000,
  kTextCenter = 0x0001,
  kTextRight = 0x0002,
  kTextVCenter = 0x0004,
  kTextBottom = 0x0008,
  kTextWordBreak = 0x0010,
  kTextSingleLine = 0x0020,
  kTextNoClip = 0x0100,
  kTextEndEllipsis = 0x8000,
};

// How an image part is drawn into a destination.
struct ImageDraw {
  Rect dest;            // canvas coordinates
  Rect source;          // pixels of the image
  Rect corner;          // border widths kept unscaled (nine-part scaling)
  uint8_t alpha = 255;  // constant opacity
  bool stretch = true;  // false: the source at its natural size at dest's corner
};

// A drawing target: a window's back buffer or an off-screen surface. Drawing
// is clipped to the current clip rectangle (initially the whole canvas).
class ICanvas {
 public:
  virtual ~ICanvas() = default;
  virtual Size GetSize() const = 0;
  virtual void PushClip(const Rect& rect) = 0;  // intersects with the current clip
  virtual void PopClip() = 0;
  virtual void FillRect(const Rect& rect, Color color) = 0;
  virtual void DrawBorder(const Rect& rect, int32_t width, Color color) = 0;
  virtual void DrawImage(const IImage& image, const ImageDraw& draw) = 0;
  // Draws one run of text inside `rect` with TextFormat flags.
  virtual void DrawText(std::wstring_view text, const Rect& rect, const IFont& font, Color color,
                        uint32_t format) = 0;
  // Blends another canvas of this renderer into `dest` at opacity `alpha`.
  virtual void DrawCanvas(const ICanvas& source, const Rect& dest, uint8_t alpha) = 0;
  // The platform surface (an HDC of the back buffer on Windows), or null.
  virtual void* NativeSurface() { return nullptr; }
};

class IRenderer {
 public:
  virtual ~IRenderer() = default;
  // PNG, GIF (first frame), BMP or JPEG bytes; null when they cannot be decoded.
  virtual std::shared_ptr<IImage> DecodeImage(std::span<const uint8_t> bytes, std::wstring_view name) = 0;
  // Every frame of an animated GIF, composited; empty when not decodable.
  virtual std::vector<AnimationFrame> DecodeAnimation(std::span<const uint8_t> bytes,
                                                      std::wstring_view name) = 0;
  // A font for `spec`; a face that is not installed falls back to a generic
  // sans-serif family, never to nothing.
  virtual std::shared_ptr<IFont> CreateFont(const FontSpec& spec) = 0;
  // Size of `text` drawn with `font`: one line, or wrapped at `maxWidth` when
  // `format` has kTextWordBreak and not kTextSingleLine.
  virtual Size MeasureText(std::wstring_view text, const IFont& font, int32_t maxWidth, uint32_t format) = 0;
  // An off-screen canvas of the given size, cleared to transparent.
  virtual std::unique_ptr<ICanvas> CreateCanvas(Size size) = 0;
};

}  // namespace SkinUI
