#pragma once
// The Windows drawing engine: IRenderer over GDI+. Images decode from package
// bytes into premultiplied 32-bit bitmaps, canvases are DIB sections that a
// layered window can show as they are, and text is anti-aliased and grid
// fitted, measured with the same layout it is drawn with. GDI+ must be running
// (GdiplusSession) for the renderer's whole life. UI thread only.
#include <memory>
#include <vector>

#include "ui/platform/renderer.h"

namespace SkinUI {

class GdiplusCanvas;
class GdiplusFont;

class GdiplusRenderer final : public IRenderer {
 public:
  GdiplusRenderer();
  ~GdiplusRenderer() override;
  GdiplusRenderer(const GdiplusRenderer&) = delete;
  GdiplusRenderer& operator=(const GdiplusRenderer&) = delete;

  std::shared_ptr<IImage> DecodeImage(std::span<const uint8_t> bytes, std::wstring_view name) override;
  std::vector<AnimationFrame> DecodeAnimation(std::span<const uint8_t> bytes, std::wstring_view name) override;
  // Fonts are shared: the same spec gives the same font object.
  std::shared_ptr<IFont> CreateFont(const FontSpec& spec) override;
  Size MeasureText(std::wstring_view text, const IFont& font, int32_t maxWidth, uint32_t format) override;
  // A GdiplusCanvas. When the system refuses a bitmap of that size (or the
  // size is empty) the canvas is still returned and draws nothing.
  std::unique_ptr<ICanvas> CreateCanvas(Size size) override;

 private:
  std::unique_ptr<GdiplusCanvas> measure_;  // 1x1 surface whose graphics measures text
  std::vector<std::shared_ptr<GdiplusFont>> fonts_;
};

}  // namespace SkinUI
