#include "ui/win/gdiplus_canvas.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/log/log.h"
#include "ui/win/gdiplus_image.h"
#include "ui/win/gdiplus_text.h"
#include "ui/win/pixel_blend.h"

namespace SkinUI {
namespace {

Gdiplus::Rect ToGdiplus(const Rect& r) { return Gdiplus::Rect(r.left, r.top, r.Width(), r.Height()); }

// Splits a span of `length` into a leading, a middle and a trailing part of
// the given border widths, shrinking both borders in proportion when they do
// not fit. Returns the four edges, from `start`.
std::array<int32_t, 4> Split(int32_t start, int32_t length, int32_t lead, int32_t trail) {
  lead = std::max(lead, 0);
  trail = std::max(trail, 0);
  if (lead + trail > length) {
    const int32_t total = lead + trail;
    lead = static_cast<int32_t>(int64_t{lead} * length / total);
    trail = length - lead;
  }
  return {start, start + lead, start + length - trail, start + length};
}

}  // namespace

GdiplusCanvas::GdiplusCanvas(Size size) : size_(size) {
  if (size.cx <= 0 || size.cy <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_.reset(CreateCompatibleDC(nullptr));
  if (!dc_) {
    PLOG_ERROR << "CreateCompatibleDC failed, error " << GetLastError();
    return;
  }
  void* bits = nullptr;
  dib_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib_ || !bits) {
    PLOG_ERROR << "CreateDIBSection " << size.cx << "x" << size.cy << " failed, error " << GetLastError();
    dib_.reset();
    return;
  }
  bits_ = static_cast<uint32_t*>(bits);
  std::memset(bits_, 0, static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy) * 4);
  previous_ = SelectObject(dc_.get(), dib_.get());
  bitmap_ = std::make_unique<Gdiplus::Bitmap>(size.cx, size.cy, size.cx * 4, PixelFormat32bppPARGB,
                                              reinterpret_cast<BYTE*>(bits_));
  if (bitmap_->GetLastStatus() != Gdiplus::Ok) {
    PLOG_ERROR << "GDI+ bitmap over the DIB failed, status " << static_cast<int>(bitmap_->GetLastStatus());
    bitmap_.reset();
    return;
  }
  auto graphics = std::make_unique<Gdiplus::Graphics>(bitmap_.get());
  if (graphics->GetLastStatus() != Gdiplus::Ok) {
    PLOG_ERROR << "GDI+ graphics over the DIB failed, status " << static_cast<int>(graphics->GetLastStatus());
    return;
  }
  ApplyRenderQuality(*graphics);
  graphics_ = std::move(graphics);
  clips_.push_back({0, 0, size.cx, size.cy});
}

GdiplusCanvas::~GdiplusCanvas() {
  graphics_.reset();
  bitmap_.reset();
  if (previous_) SelectObject(dc_.get(), previous_);
}

void GdiplusCanvas::ApplyClip() {
  if (graphics_) graphics_->SetClip(ToGdiplus(clips_.back()), Gdiplus::CombineModeReplace);
}

void GdiplusCanvas::PushClip(const Rect& rect) {
  if (!Valid()) return;
  clips_.push_back(clips_.back().Intersect(rect));
  ApplyClip();
}

void GdiplusCanvas::PopClip() {
  if (clips_.size() <= 1) return;
  clips_.pop_back();
  ApplyClip();
}

void GdiplusCanvas::ResetClip() {
  if (clips_.size() <= 1) return;
  clips_.resize(1);
  ApplyClip();
}

void GdiplusCanvas::FillRect(const Rect& rect, Color color) {
  if (!Valid() || AlphaOf(color) == 0) return;
  const Rect part = rect.Intersect(clips_.back());
  if (part.IsEmpty()) return;
  SyncGdiplus();
  BlendFill(bits_, size_.cx, part, color);
}

void GdiplusCanvas::DrawBorder(const Rect& rect, int32_t width, Color color) {
  if (rect.IsEmpty() || width <= 0) return;
  width = std::min({width, (rect.Width() + 1) / 2, (rect.Height() + 1) / 2});
  FillRect({rect.left, rect.top, rect.right, rect.top + width}, color);
  FillRect({rect.left, rect.bottom - width, rect.right, rect.bottom}, color);
  FillRect({rect.left, rect.top + width, rect.left + width, rect.bottom - width}, color);
  FillRect({rect.right - width, rect.top + width, rect.right, rect.bottom - width}, color);
}

void GdiplusCanvas::SyncGdiplus() const {
  if (!gdiplusPending_) return;
  graphics_->Flush(Gdiplus::FlushIntentionSync);
  gdiplusPending_ = false;
}

void GdiplusCanvas::DrawPart(const Source& source, const Rect& dest, const Rect& part, uint8_t alpha) {
  if (dest.IsEmpty() || part.IsEmpty()) return;
  const Rect visible = dest.Intersect(clips_.back());
  if (visible.IsEmpty()) return;
  SyncGdiplus();
  if (dest.Width() == part.Width() && dest.Height() == part.Height()) {
    BlendCopy(bits_, size_.cx, visible, source.pixels, source.width, part.left + (visible.left - dest.left),
              part.top + (visible.top - dest.top), alpha);
  } else {
    BlendScaled(bits_, size_.cx, dest, visible, source.pixels, source.width, part, alpha);
  }
}

void GdiplusCanvas::DrawImage(const IImage& image, const ImageDraw& draw) {
  const auto* picture = dynamic_cast<const GdiplusImage*>(&image);
  if (!Valid() || !picture || draw.dest.IsEmpty() || draw.alpha == 0) return;
  const Rect bounds{0, 0, picture->Width(), picture->Height()};
  const Rect source = draw.source.IsEmpty() ? bounds : draw.source.Intersect(bounds);
  if (source.IsEmpty()) return;

  const Source from{picture->Pixels().data(), picture->Width()};

  if (!draw.stretch) {
    const int32_t w = std::min(source.Width(), draw.dest.Width());
    const int32_t h = std::min(source.Height(), draw.dest.Height());
    DrawPart(from, {draw.dest.left, draw.dest.top, draw.dest.left + w, draw.dest.top + h},
             {source.left, source.top, source.left + w, source.top + h}, draw.alpha);
    return;
  }
  const Rect& c = draw.corner;
  if (c.left <= 0 && c.top <= 0 && c.right <= 0 && c.bottom <= 0) {
    DrawPart(from, draw.dest, source, draw.alpha);
    return;
  }
  // Nine parts: the corners keep their size, the edges stretch along their
  // length and the centre both ways.
  const auto sx = Split(source.left, source.Width(), c.left, c.right);
  const auto sy = Split(source.top, source.Height(), c.top, c.bottom);
  const auto dx = Split(draw.dest.left, draw.dest.Width(), sx[1] - sx[0], sx[3] - sx[2]);
  const auto dy = Split(draw.dest.top, draw.dest.Height(), sy[1] - sy[0], sy[3] - sy[2]);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      DrawPart(from, {dx[col], dy[row], dx[col + 1], dy[row + 1]}, {sx[col], sy[row], sx[col + 1], sy[row + 1]},
               draw.alpha);
    }
  }
}

void GdiplusCanvas::DrawText(std::wstring_view text, const Rect& rect, const IFont& font, Color color,
                             uint32_t format) {
  const auto* face = dynamic_cast<const GdiplusFont*>(&font);
  if (!Valid() || !face || text.empty() || rect.IsEmpty() || AlphaOf(color) == 0) return;
  // Clipped text draws nothing outside its rectangle: skip what the clip hides.
  if (!(format & kTextNoClip) && rect.Intersect(clips_.back()).IsEmpty()) return;
  const std::wstring laid = LayoutText(text, format);
  auto stringFormat = MakeStringFormat(format);
  Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
  Gdiplus::RectF box(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                     static_cast<Gdiplus::REAL>(rect.Width()), static_cast<Gdiplus::REAL>(rect.Height()));
  Gdiplus::Status status = graphics_->DrawString(laid.c_str(), static_cast<INT>(laid.size()), &face->Font(), box,
                                                 stringFormat.get(), &brush);
  gdiplusPending_ = true;
  if (status != Gdiplus::Ok) {
    PLOG_ERROR << "DrawString failed, status " << static_cast<int>(status);
    return;
  }
  for (const Rect& bar : DecorationLines(*graphics_, laid, *face, box, *stringFormat)) {
    FillRect((format & kTextNoClip) ? bar : bar.Intersect(rect), color);
  }
}

void GdiplusCanvas::DrawCanvas(const ICanvas& source, const Rect& dest, uint8_t alpha) {
  const auto* other = dynamic_cast<const GdiplusCanvas*>(&source);
  if (!Valid() || !other || other == this || !other->Valid() || dest.IsEmpty() || alpha == 0) return;
  other->SyncGdiplus();
  DrawPart({other->bits_, other->size_.cx}, dest, {0, 0, other->size_.cx, other->size_.cy}, alpha);
}

Size GdiplusCanvas::Measure(std::wstring_view text, const GdiplusFont& font, int32_t maxWidth,
                             uint32_t format) const {
  if (!Valid()) return {0, font.LineHeight()};
  return MeasureLaidOutText(*graphics_, text, font, maxWidth, format);
}

void GdiplusCanvas::Clear(const Rect& rect) {
  if (!Valid()) return;
  const Rect part = rect.Intersect({0, 0, size_.cx, size_.cy});
  if (part.IsEmpty()) return;
  SyncGdiplus();
  for (int32_t y = part.top; y < part.bottom; ++y) {
    std::memset(bits_ + static_cast<size_t>(y) * size_.cx + part.left, 0, static_cast<size_t>(part.Width()) * 4);
  }
}

void GdiplusCanvas::Flush() const {
  if (!graphics_) return;
  graphics_->Flush(Gdiplus::FlushIntentionSync);
  gdiplusPending_ = false;
  GdiFlush();
}

std::span<const uint32_t> GdiplusCanvas::Pixels() const {
  if (!bits_) return {};
  return {bits_, static_cast<size_t>(size_.cx) * static_cast<size_t>(size_.cy)};
}

uint32_t GdiplusCanvas::PixelAt(int32_t x, int32_t y) const {
  if (!bits_ || x < 0 || y < 0 || x >= size_.cx || y >= size_.cy) return 0;
  return bits_[static_cast<size_t>(y) * size_.cx + x];
}

}  // namespace SkinUI
