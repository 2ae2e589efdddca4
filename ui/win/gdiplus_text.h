#pragma once
// Fonts and text layout of the GDI+ renderer. Drawing and measuring share one
// layout (typographic string format, no GDI+ padding, trailing spaces
// counted), so a box sized by MeasureText holds the drawn text exactly.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/platform/renderer.h"
#include "ui/win/gdiplus_include.h"

namespace SkinUI {

class GdiplusFont final : public IFont {
 public:
  // The FontSpec's face, or the generic sans-serif family when that face is not
  // installed; null only when GDI+ has no font at all.
  static std::shared_ptr<GdiplusFont> Create(const FontSpec& spec);

  const FontSpec& Spec() const override { return spec_; }
  int32_t LineHeight() const override { return lineHeight_; }

  // The family actually used (the fallback's name when the face was missing).
  const std::wstring& FamilyName() const { return family_; }
  bool IsFallback() const { return fallback_; }
  const Gdiplus::Font& Font() const { return *font_; }
  // Distance from a line's top to its baseline, in pixels.
  float Ascent() const { return ascent_; }

  GdiplusFont(const FontSpec& spec, std::unique_ptr<Gdiplus::Font> font, std::wstring family, bool fallback);

 private:
  FontSpec spec_;
  std::unique_ptr<Gdiplus::Font> font_;
  std::wstring family_;
  bool fallback_;
  int32_t lineHeight_;
  float ascent_ = 0;
};

// The string format for TextFormat flags: horizontal and vertical placement,
// wrapping only with kTextWordBreak, one line with kTextSingleLine, clipping
// unless kTextNoClip, an ellipsis with kTextEndEllipsis.
std::unique_ptr<Gdiplus::StringFormat> MakeStringFormat(uint32_t format);

// The text as it is laid out: with kTextSingleLine, line breaks are dropped.
std::wstring LayoutText(std::wstring_view text, uint32_t format);

// Quality settings shared by every canvas and the measuring surface: crisp
// anti-aliased grid-fitted text, exact pixel edges for rectangles and images.
void ApplyRenderQuality(Gdiplus::Graphics& graphics);

// The underline and strike-out bars of laid-out text drawn in `box` with
// `format`, one per line and decoration, in canvas pixels; none when the
// font's spec has neither.
std::vector<Rect> DecorationLines(Gdiplus::Graphics& graphics, const std::wstring& laid, const GdiplusFont& font,
                                  const Gdiplus::RectF& box, const Gdiplus::StringFormat& format);

// Size of the laid-out text in whole pixels (rounded up). Without
// kTextWordBreak, or with kTextSingleLine, `maxWidth` is ignored.
Size MeasureLaidOutText(Gdiplus::Graphics& graphics, std::wstring_view text, const GdiplusFont& font,
                        int32_t maxWidth, uint32_t format);

}  // namespace SkinUI
