#pragma once
// A canvas of the GDI+ renderer: a top-down 32-bit DIB section holding
// premultiplied BGRA pixels (the layout UpdateLayeredWindow takes), selected
// into a memory DC, with a GDI+ graphics drawing straight into its bits.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "ui/platform/renderer.h"
#include "ui/win/gdi_handles.h"
#include "ui/win/gdiplus_include.h"

namespace SkinUI {

class GdiplusFont;

class GdiplusCanvas final : public ICanvas {
 public:
  // A canvas of `size` cleared to transparent. Check Valid(): the system may
  // refuse the bitmap (no memory, a size of 0).
  explicit GdiplusCanvas(Size size);
  ~GdiplusCanvas() override;
  GdiplusCanvas(const GdiplusCanvas&) = delete;
  GdiplusCanvas& operator=(const GdiplusCanvas&) = delete;

  bool Valid() const { return graphics_ != nullptr; }

  // ICanvas
  Size GetSize() const override { return size_; }
  void PushClip(const Rect& rect) override;
  void PopClip() override;
  void FillRect(const Rect& rect, Color color) override;
  void DrawBorder(const Rect& rect, int32_t width, Color color) override;
  void DrawImage(const IImage& image, const ImageDraw& draw) override;
  void DrawText(std::wstring_view text, const Rect& rect, const IFont& font, Color color,
                uint32_t format) override;
  void DrawCanvas(const ICanvas& source, const Rect& dest, uint8_t alpha) override;
  // The memory DC with the DIB selected. Call Flush before GDI reads it.
  void* NativeSurface() override { return dc_.get(); }

  HDC Dc() const { return dc_.get(); }
  // Makes the canvas transparent inside `rect` (clipped to the canvas, not to
  // the clip stack).
  void Clear(const Rect& rect);
  // Drops every pushed clip.
  void ResetClip();
  // Completes pending GDI+ drawing so the bits are final.
  void Flush() const;
  // Premultiplied pixels, GetSize().cx a row, top row first; Flush first.
  std::span<const uint32_t> Pixels() const;
  uint32_t PixelAt(int32_t x, int32_t y) const;
  // Text size with this canvas's graphics settings (see MeasureLaidOutText).
  Size Measure(std::wstring_view text, const GdiplusFont& font, int32_t maxWidth, uint32_t format) const;
  // A GDI+ bitmap over the bits, to draw this canvas onto another.
  Gdiplus::Bitmap& Bitmap() const { return *bitmap_; }

 private:
  void ApplyClip();
  // One image part from `source` pixels into `dest`, scaled when the sizes
  // differ, at the constant opacity of `attributes` (null: opaque).
  void DrawPart(Gdiplus::Bitmap& bitmap, const Rect& dest, const Rect& source, Gdiplus::ImageAttributes* attributes);

  Size size_;
  uint32_t* bits_ = nullptr;
  UniqueDc dc_;
  UniqueBitmap dib_;
  HGDIOBJ previous_ = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
  std::vector<Rect> clips_;
};

}  // namespace SkinUI
