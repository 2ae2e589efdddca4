#pragma once
// A canvas of the GDI+ renderer: a top-down 32-bit DIB section holding
// premultiplied BGRA pixels (the layout UpdateLayeredWindow takes), selected
// into a memory DC, with a GDI+ graphics drawing straight into its bits.
// GDI+ draws the text; fills and images are blended by the canvas itself
// (pixel_blend.h), which under Wine is far faster than GDI+'s image drawing.
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

 private:
  // Premultiplied pixels to draw from, `width` a row: an image's or another
  // canvas's.
  struct Source {
    const uint32_t* pixels;
    int32_t width;
  };

  void ApplyClip();
  // Waits for GDI+ before the pixels are touched directly.
  void SyncGdiplus() const;
  // One image part from `source` into `dest` at opacity `alpha`: copied pixel
  // for pixel at natural size, scaled bilinearly otherwise.
  void DrawPart(const Source& source, const Rect& dest, const Rect& part, uint8_t alpha);

  Size size_;
  uint32_t* bits_ = nullptr;
  UniqueDc dc_;
  UniqueBitmap dib_;
  HGDIOBJ previous_ = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
  std::vector<Rect> clips_;
  mutable bool gdiplusPending_ = false;  // GDI+ drew since the last sync
};

}  // namespace SkinUI
