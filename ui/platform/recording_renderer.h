#pragma once
// The headless renderer: decodes only image headers (size, alpha) and the
// frame facts of animated GIFs (count, delays, transparency), measures
// text with the fixed metrics of text_metrics.h, and records every drawing
// call on its canvases, so tests can see what was drawn where: which image
// slice at which opacity, which text in which font and colour.
#include <memory>
#include <string>
#include <vector>

#include "ui/platform/renderer.h"

namespace SkinUI {

struct DrawRecord {
  enum class Kind { kFill, kBorder, kImage, kText, kCanvas };
  Kind kind = Kind::kFill;
  Rect rect;  // destination
  Rect clip;  // clip in force
  Color color = 0;
  int32_t width = 0;    // border width
  std::wstring image;   // image name
  Rect source;          // image slice
  Rect corner;
  uint8_t alpha = 255;
  bool stretch = true;
  std::wstring text;
  FontSpec font;
  uint32_t format = 0;
};

class RecordedImage : public IImage {
 public:
  RecordedImage(std::wstring name, int32_t width, int32_t height, bool alpha)
      : name_(std::move(name)), width_(width), height_(height), alpha_(alpha) {}
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  bool HasAlpha() const override { return alpha_; }
  const std::wstring& Name() const override { return name_; }

 private:
  std::wstring name_;
  int32_t width_, height_;
  bool alpha_;
};

class RecordingCanvas : public ICanvas {
 public:
  explicit RecordingCanvas(Size size);
  Size GetSize() const override { return size_; }
  void PushClip(const Rect& rect) override;
  void PopClip() override;
  void FillRect(const Rect& rect, Color color) override;
  void DrawBorder(const Rect& rect, int32_t width, Color color) override;
  void DrawImage(const IImage& image, const ImageDraw& draw) override;
  void DrawText(std::wstring_view text, const Rect& rect, const IFont& font, Color color, uint32_t format) override;
  void DrawCanvas(const ICanvas& source, const Rect& dest, uint8_t alpha) override;

  const std::vector<DrawRecord>& Records() const { return records_; }
  std::vector<DrawRecord> TakeRecords() { return std::move(records_); }

 private:
  DrawRecord& Add(DrawRecord::Kind kind, const Rect& rect);

  Size size_;
  std::vector<Rect> clips_;
  std::vector<DrawRecord> records_;
};

class RecordingRenderer : public IRenderer {
 public:
  std::shared_ptr<IImage> DecodeImage(std::span<const uint8_t> bytes, std::wstring_view name) override;
  std::vector<AnimationFrame> DecodeAnimation(std::span<const uint8_t> bytes, std::wstring_view name) override;
  std::shared_ptr<IFont> CreateFont(const FontSpec& spec) override;
  Size MeasureText(std::wstring_view text, const IFont& font, int32_t maxWidth, uint32_t format) override;
  std::unique_ptr<ICanvas> CreateCanvas(Size size) override;
};

}  // namespace SkinUI
