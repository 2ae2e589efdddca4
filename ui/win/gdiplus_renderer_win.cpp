#include "ui/win/gdiplus_renderer.h"

#include "common/log/log.h"
#include "ui/win/gdiplus_canvas.h"
#include "ui/win/gdiplus_image.h"
#include "ui/win/gdiplus_text.h"

namespace SkinUI {

GdiplusRenderer::GdiplusRenderer() : measure_(std::make_unique<GdiplusCanvas>(Size{1, 1})) {}

GdiplusRenderer::~GdiplusRenderer() = default;

std::shared_ptr<IImage> GdiplusRenderer::DecodeImage(std::span<const uint8_t> bytes, std::wstring_view name) {
  return DecodeGdiplusImage(bytes, name);
}

std::vector<AnimationFrame> GdiplusRenderer::DecodeAnimation(std::span<const uint8_t> bytes,
                                                             std::wstring_view name) {
  return DecodeGdiplusAnimation(bytes, name);
}

std::shared_ptr<IFont> GdiplusRenderer::CreateFont(const FontSpec& spec) {
  for (const auto& font : fonts_) {
    if (font->Spec() == spec) return font;
  }
  auto font = GdiplusFont::Create(spec);
  if (font) fonts_.push_back(font);
  return font;
}

Size GdiplusRenderer::MeasureText(std::wstring_view text, const IFont& font, int32_t maxWidth, uint32_t format) {
  const auto* face = dynamic_cast<const GdiplusFont*>(&font);
  if (!face || !measure_->Valid()) return {0, font.LineHeight()};
  return measure_->Measure(text, *face, maxWidth, format);
}

std::unique_ptr<ICanvas> GdiplusRenderer::CreateCanvas(Size size) {
  auto canvas = std::make_unique<GdiplusCanvas>(size);
  if (!canvas->Valid() && size.cx > 0 && size.cy > 0) {
    PLOG_ERROR << "canvas " << size.cx << "x" << size.cy << " could not be made; it draws nothing";
  }
  return canvas;
}

}  // namespace SkinUI
