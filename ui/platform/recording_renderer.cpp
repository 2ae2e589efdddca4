#include "ui/platform/recording_renderer.h"

#include <algorithm>

#include "ui/platform/gif_frames.h"
#include "ui/platform/image_header.h"
#include "ui/platform/text_metrics.h"

namespace SkinUI {
namespace {

class RecordedFont : public IFont {
 public:
  explicit RecordedFont(const FontSpec& spec) : spec_(spec) {}
  const FontSpec& Spec() const override { return spec_; }
  int32_t LineHeight() const override { return FixedLineHeight(spec_.size); }

 private:
  FontSpec spec_;
};

}  // namespace

RecordingCanvas::RecordingCanvas(Size size) : size_(size) { clips_.push_back({0, 0, size.cx, size.cy}); }

void RecordingCanvas::PushClip(const Rect& rect) { clips_.push_back(clips_.back().Intersect(rect)); }

void RecordingCanvas::PopClip() {
  if (clips_.size() > 1) clips_.pop_back();
}

DrawRecord& RecordingCanvas::Add(DrawRecord::Kind kind, const Rect& rect) {
  DrawRecord& r = records_.emplace_back();
  r.kind = kind;
  r.rect = rect;
  r.clip = clips_.back();
  return r;
}

void RecordingCanvas::FillRect(const Rect& rect, Color color) { Add(DrawRecord::Kind::kFill, rect).color = color; }

void RecordingCanvas::DrawBorder(const Rect& rect, int32_t width, Color color) {
  DrawRecord& r = Add(DrawRecord::Kind::kBorder, rect);
  r.width = width;
  r.color = color;
}

void RecordingCanvas::DrawImage(const IImage& image, const ImageDraw& draw) {
  DrawRecord& r = Add(DrawRecord::Kind::kImage, draw.dest);
  r.image = image.Name();
  r.source = draw.source;
  r.corner = draw.corner;
  r.alpha = draw.alpha;
  r.stretch = draw.stretch;
}

void RecordingCanvas::DrawText(std::wstring_view text, const Rect& rect, const IFont& font, Color color,
                               uint32_t format) {
  DrawRecord& r = Add(DrawRecord::Kind::kText, rect);
  r.text = std::wstring(text);
  r.font = font.Spec();
  r.color = color;
  r.format = format;
}

void RecordingCanvas::DrawCanvas(const ICanvas&, const Rect& dest, uint8_t alpha) {
  Add(DrawRecord::Kind::kCanvas, dest).alpha = alpha;
}

std::shared_ptr<IImage> RecordingRenderer::DecodeImage(std::span<const uint8_t> bytes, std::wstring_view name) {
  auto header = ReadImageHeader(bytes);
  if (!header) return nullptr;
  return std::make_shared<RecordedImage>(std::wstring(name), header->width, header->height, header->alpha);
}

std::vector<AnimationFrame> RecordingRenderer::DecodeAnimation(std::span<const uint8_t> bytes,
                                                               std::wstring_view name) {
  std::vector<AnimationFrame> frames;
  auto facts = ReadGifFacts(bytes);
  if (!facts) return frames;
  for (size_t i = 0; i < facts->frames.size(); ++i) {
    const GifFrameFacts& frame = facts->frames[i];
    std::wstring frameName = std::wstring(name) + L"#" + std::to_wstring(i);
    frames.push_back(
        {std::make_shared<RecordedImage>(frameName, facts->width, facts->height, frame.hasAlpha), frame.delayMs});
  }
  return frames;
}

std::shared_ptr<IFont> RecordingRenderer::CreateFont(const FontSpec& spec) {
  return std::make_shared<RecordedFont>(spec);
}

Size RecordingRenderer::MeasureText(std::wstring_view text, const IFont& font, int32_t maxWidth, uint32_t format) {
  const int32_t size = font.Spec().size;
  if (format & kTextSingleLine) {
    std::wstring flat;
    for (wchar_t c : text) {
      if (c != L'\n' && c != L'\r') flat.push_back(c);
    }
    return {FixedTextWidth(flat, size), FixedLineHeight(size)};
  }
  auto lines = WrapFixedText(text, size, (format & kTextWordBreak) ? maxWidth : 0);
  int32_t width = 0;
  for (auto line : lines) width = std::max(width, FixedTextWidth(line, size));
  return {width, static_cast<int32_t>(lines.size()) * FixedLineHeight(size)};
}

std::unique_ptr<ICanvas> RecordingRenderer::CreateCanvas(Size size) {
  return std::make_unique<RecordingCanvas>(size);
}

}  // namespace SkinUI
