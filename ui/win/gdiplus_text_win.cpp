#include "ui/win/gdiplus_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/log/log.h"

namespace SkinUI {
namespace {

// Room for unwrapped text when measuring; far wider than any window.
constexpr float kUnlimited = 1.0e6f;

// Underline and strike-out are drawn by DecorationLines, not by GDI+: Wine's
// GDI+ leaves them out, so the GDI+ font carries neither.
int StyleBits(const FontSpec& spec, bool withWeight) {
  int style = Gdiplus::FontStyleRegular;
  if (withWeight && spec.weight >= 600) style |= Gdiplus::FontStyleBold;
  if (withWeight && spec.italic) style |= Gdiplus::FontStyleItalic;
  return style;
}

// A font of the family with the FontSpec's style; when the family has no such
// face (a bold of a regular-only family), the regular face. Null when neither
// exists.
std::unique_ptr<Gdiplus::Font> MakeFont(const Gdiplus::FontFamily& family, const FontSpec& spec) {
  const float size = static_cast<float>(spec.size > 0 ? spec.size : 12);
  for (bool withWeight : {true, false}) {
    auto font = std::make_unique<Gdiplus::Font>(&family, size, StyleBits(spec, withWeight), Gdiplus::UnitPixel);
    if (font->GetLastStatus() == Gdiplus::Ok && font->IsAvailable()) return font;
  }
  return nullptr;
}

std::wstring NameOf(const Gdiplus::FontFamily& family) {
  WCHAR name[LF_FACESIZE] = {};
  family.GetFamilyName(name);
  return name;
}

// The name of GDI+'s generic sans-serif family, asked for afresh each time:
// the header's cached FontFamily object would not survive a GDI+ restart.
std::wstring GenericSansSerifName() {
  Gdiplus::GpFontFamily* native = nullptr;
  if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&native) != Gdiplus::Ok || !native) return {};
  WCHAR name[LF_FACESIZE] = {};
  Gdiplus::DllExports::GdipGetFamilyName(native, name, LANG_NEUTRAL);
  Gdiplus::DllExports::GdipDeleteFontFamily(native);
  return name;
}

// Families to use when a face is missing, best first: GDI+'s generic
// sans-serif, the usual Windows UI faces, then installed sans-serif families
// (a Wine prefix may hold none of the Windows faces), then any family.
std::vector<std::wstring> FallbackFamilies() {
  std::vector<std::wstring> names = {GenericSansSerifName(), L"Segoe UI", L"Tahoma", L"Arial",
                                     L"Microsoft Sans Serif"};
  Gdiplus::InstalledFontCollection installed;
  const INT count = installed.GetFamilyCount();
  if (count > 0) {
    std::vector<Gdiplus::FontFamily> families(static_cast<size_t>(count));
    INT found = 0;
    installed.GetFamilies(count, families.data(), &found);
    std::vector<std::wstring> others;
    for (INT i = 0; i < found; ++i) {
      std::wstring name = NameOf(families[i]);
      const bool sans = name.find(L"Sans") != std::wstring::npos && name.find(L"Mono") == std::wstring::npos;
      (sans ? names : others).push_back(std::move(name));
    }
    names.insert(names.end(), others.begin(), others.end());
  }
  return names;
}
}  // namespace

GdiplusFont::GdiplusFont(const FontSpec& spec, std::unique_ptr<Gdiplus::Font> font, std::wstring family,
                         bool fallback)
    : spec_(spec), font_(std::move(font)), family_(std::move(family)), fallback_(fallback) {
  lineHeight_ = static_cast<int32_t>(std::ceil(font_->GetHeight(96.0f)));
  if (lineHeight_ <= 0) lineHeight_ = spec_.size > 0 ? spec_.size : 12;
  Gdiplus::FontFamily face;
  const INT style = font_->GetStyle();
  if (font_->GetFamily(&face) == Gdiplus::Ok && face.GetEmHeight(style) > 0) {
    ascent_ = font_->GetSize() * static_cast<float>(face.GetCellAscent(style)) / static_cast<float>(face.GetEmHeight(style));
  } else {
    ascent_ = 0.8f * static_cast<float>(lineHeight_);
  }
}

std::shared_ptr<GdiplusFont> GdiplusFont::Create(const FontSpec& spec) {
  Gdiplus::FontFamily family(spec.face.c_str());
  if (family.GetLastStatus() == Gdiplus::Ok && family.IsAvailable()) {
    if (auto font = MakeFont(family, spec)) {
      return std::make_shared<GdiplusFont>(spec, std::move(font), NameOf(family), false);
    }
  }
  for (const std::wstring& name : FallbackFamilies()) {
    if (name.empty()) continue;
    Gdiplus::FontFamily fallback(name.c_str());
    if (fallback.GetLastStatus() != Gdiplus::Ok || !fallback.IsAvailable()) continue;
    if (auto font = MakeFont(fallback, spec)) {
      PLOG_WARNING << "font face \"" << spec.face << "\" is not available, using " << name;
      return std::make_shared<GdiplusFont>(spec, std::move(font), NameOf(fallback), true);
    }
  }
  PLOG_ERROR << "no font for face \"" << spec.face << "\" size " << spec.size;
  return nullptr;
}

std::unique_ptr<Gdiplus::StringFormat> MakeStringFormat(uint32_t format) {
  auto result = std::make_unique<Gdiplus::StringFormat>(Gdiplus::StringFormat::GenericTypographic());
  INT flags = Gdiplus::StringFormatFlagsMeasureTrailingSpaces;
  if ((format & kTextSingleLine) || !(format & kTextWordBreak)) flags |= Gdiplus::StringFormatFlagsNoWrap;
  if (format & kTextNoClip) flags |= Gdiplus::StringFormatFlagsNoClip;
  result->SetFormatFlags(flags);
  result->SetTrimming((format & kTextEndEllipsis) ? Gdiplus::StringTrimmingEllipsisCharacter
                                                  : Gdiplus::StringTrimmingNone);
  if (format & kTextCenter) {
    result->SetAlignment(Gdiplus::StringAlignmentCenter);
  } else if (format & kTextRight) {
    result->SetAlignment(Gdiplus::StringAlignmentFar);
  } else {
    result->SetAlignment(Gdiplus::StringAlignmentNear);
  }
  if (format & kTextVCenter) {
    result->SetLineAlignment(Gdiplus::StringAlignmentCenter);
  } else if (format & kTextBottom) {
    result->SetLineAlignment(Gdiplus::StringAlignmentFar);
  } else {
    result->SetLineAlignment(Gdiplus::StringAlignmentNear);
  }
  return result;
}

std::wstring LayoutText(std::wstring_view text, uint32_t format) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if ((format & kTextSingleLine) && (c == L'\r' || c == L'\n')) continue;
    out.push_back(c);
  }
  return out;
}

void ApplyRenderQuality(Gdiplus::Graphics& graphics) {
  graphics.SetPageUnit(Gdiplus::UnitPixel);
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
}

Size MeasureLaidOutText(Gdiplus::Graphics& graphics, std::wstring_view text, const GdiplusFont& font,
                        int32_t maxWidth, uint32_t format) {
  const std::wstring laid = LayoutText(text, format);
  if (laid.empty()) return {0, font.LineHeight()};
  const bool wraps = (format & kTextWordBreak) && !(format & kTextSingleLine) && maxWidth > 0;
  // Placement flags do not change the size; near placement keeps the box at 0,0.
  auto stringFormat = MakeStringFormat(format & ~(kTextCenter | kTextRight | kTextVCenter | kTextBottom));
  Gdiplus::RectF layout(0, 0, wraps ? static_cast<float>(maxWidth) : kUnlimited, kUnlimited);
  Gdiplus::RectF bound;
  INT fitted = 0, lines = 0;
  Gdiplus::Status status = graphics.MeasureString(laid.c_str(), static_cast<INT>(laid.size()), &font.Font(), layout,
                                                  stringFormat.get(), &bound, &fitted, &lines);
  if (status != Gdiplus::Ok) {
    PLOG_ERROR << "MeasureString failed, status " << static_cast<int>(status);
    return {0, font.LineHeight()};
  }
  return {static_cast<int32_t>(std::ceil(bound.Width)), std::max<INT>(lines, 1) * font.LineHeight()};
}

std::vector<Rect> DecorationLines(Gdiplus::Graphics& graphics, const std::wstring& laid, const GdiplusFont& font,
                                  const Gdiplus::RectF& box, const Gdiplus::StringFormat& format) {
  std::vector<Rect> out;
  const FontSpec& spec = font.Spec();
  if ((!spec.underline && !spec.strikeout) || laid.empty()) return out;
  // One character range over the whole text: its region holds the horizontal
  // extent of every laid-out line. Lines of equal extent one under the other
  // merge into one scan, so scans are split again at the line spacing.
  Gdiplus::StringFormat ranged(&format);
  Gdiplus::CharacterRange range(0, static_cast<INT>(laid.size()));
  ranged.SetMeasurableCharacterRanges(1, &range);
  Gdiplus::Region region;
  if (graphics.MeasureCharacterRanges(laid.c_str(), static_cast<INT>(laid.size()), &font.Font(), box, &ranged, 1,
                                      &region) != Gdiplus::Ok) {
    return out;
  }
  Gdiplus::Matrix identity;
  const INT count = region.GetRegionScansCount(&identity);
  if (count <= 0) return out;
  std::vector<Gdiplus::RectF> scans(static_cast<size_t>(count));
  INT got = count;
  if (region.GetRegionScans(&identity, scans.data(), &got) != Gdiplus::Ok) return out;
  scans.resize(static_cast<size_t>(std::max<INT>(got, 0)));
  std::sort(scans.begin(), scans.end(), [](const Gdiplus::RectF& a, const Gdiplus::RectF& b) { return a.Y < b.Y; });
  const float spacing = font.Font().GetHeight(96.0f);
  if (spacing <= 0) return out;
  std::vector<std::pair<int32_t, int32_t>> lines;  // left, right
  for (const Gdiplus::RectF& scan : scans) {
    const int rows = std::max(1, static_cast<int>(std::lround(scan.Height / spacing)));
    for (int row = 0; row < rows; ++row) {
      lines.push_back({static_cast<int32_t>(std::lround(scan.X)), static_cast<int32_t>(std::lround(scan.X + scan.Width))});
    }
  }
  // The lines' vertical placement follows the format's line alignment (the
  // region's own tops are not reliable under Wine, which ignores centring).
  const float height = spacing * static_cast<float>(lines.size());
  float top = box.Y;
  if (format.GetLineAlignment() == Gdiplus::StringAlignmentCenter) top += (box.Height - height) / 2;
  else if (format.GetLineAlignment() == Gdiplus::StringAlignmentFar) top += box.Height - height;
  const float size = font.Font().GetSize();
  const int32_t thickness = std::max(1, static_cast<int32_t>(std::lround(size / 16.0f)));
  for (size_t i = 0; i < lines.size(); ++i) {
    const float baseline = top + static_cast<float>(i) * spacing + font.Ascent();
    const auto [left, right] = lines[i];
    if (spec.underline) {
      // Below the ideographs, which reach a little under the baseline.
      const int32_t y = static_cast<int32_t>(std::floor(baseline + std::max(2.0f, size * 0.15f)));
      out.push_back({left, y, right, y + thickness});
    }
    if (spec.strikeout) {
      const int32_t y = static_cast<int32_t>(std::floor(baseline - font.Ascent() * 0.3f));
      out.push_back({left, y, right, y + thickness});
    }
  }
  return out;
}

}  // namespace SkinUI
