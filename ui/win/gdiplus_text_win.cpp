#include "ui/win/gdiplus_text.h"

#include <cmath>
#include <vector>

#include "common/log/log.h"

namespace SkinUI {
namespace {

// Room for unwrapped text when measuring; far wider than any window.
constexpr float kUnlimited = 1.0e6f;

int StyleBits(const FontSpec& spec, bool withWeight) {
  int style = Gdiplus::FontStyleRegular;
  if (withWeight && spec.weight >= 600) style |= Gdiplus::FontStyleBold;
  if (withWeight && spec.italic) style |= Gdiplus::FontStyleItalic;
  if (spec.underline) style |= Gdiplus::FontStyleUnderline;
  if (spec.strikeout) style |= Gdiplus::FontStyleStrikeout;
  return style;
}

// A font of the family with the FontSpec's style; when the family has no such
// face (a bold of a regular-only family), the regular face with the same
// decorations. Null when neither exists.
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

}  // namespace SkinUI
