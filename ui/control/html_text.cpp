#include "ui/control/html_text.h"

#include <algorithm>

#include "ui/base/values.h"
#include "ui/core/skin_manager.h"

namespace SkinUI {
namespace {

struct Tag {
  bool closing = false;
  wchar_t letter = 0;
  std::wstring_view argument;
  size_t length = 0;  // characters the tag takes
};

// A tag at text[pos], if one is there.
bool ReadTag(std::wstring_view text, size_t pos, Tag& tag) {
  if (pos >= text.size()) return false;
  wchar_t open = text[pos];
  if (open != L'<' && open != L'{') return false;
  wchar_t close = open == L'<' ? L'>' : L'}';
  size_t i = pos + 1;
  tag = Tag{};
  if (i < text.size() && text[i] == L'/') {
    tag.closing = true;
    ++i;
  }
  if (i >= text.size()) return false;
  wchar_t c = text[i];
  if (c < L'a' || c > L'z') return false;
  tag.letter = c;
  ++i;
  if (i < text.size() && text[i] == close) {
    tag.length = i + 1 - pos;
    return true;
  }
  if (tag.closing || i >= text.size() || text[i] != L' ') return false;
  size_t end = text.find(close, i + 1);
  size_t nextOpen = text.find(open, i + 1);
  if (end == std::wstring_view::npos || (nextOpen != std::wstring_view::npos && nextOpen < end)) return false;
  tag.argument = text.substr(i + 1, end - i - 1);
  tag.length = end + 1 - pos;
  return true;
}

bool KnownTag(wchar_t letter) {
  return std::wstring_view(L"abcfinoprsuxy").find(letter) != std::wstring_view::npos;
}

class HtmlLayouter {
 public:
  HtmlLayouter(SkinManager& manager, int baseFont, int32_t wrapWidth)
      : manager_(manager), wrapWidth_(wrapWidth), renderer_(manager.GetRenderer()) {
    fonts_.push_back(manager.GetFontSpec(baseFont));
  }

  HtmlLayout Run(std::wstring_view text) {
    std::wstring pending;
    for (size_t i = 0; i < text.size();) {
      Tag tag;
      if (ReadTag(text, i, tag) && KnownTag(tag.letter)) {
        Emit(pending);
        pending.clear();
        ApplyTag(tag);
        i += tag.length;
        continue;
      }
      if (text[i] == L'\n') {
        Emit(pending);
        pending.clear();
        NewLine();
      } else if (text[i] != L'\r') {
        pending.push_back(text[i]);
      }
      ++i;
    }
    Emit(pending);
    FinishLine();
    layout_.size.cy = y_;
    return std::move(layout_);
  }

 private:
  IFont* CurrentFont() { return manager_.GetFontFor(fonts_.back()); }

  int32_t Measure(std::wstring_view s, IFont* font) {
    if (!renderer_ || !font || s.empty()) return 0;
    return renderer_->MeasureText(s, *font, 0, kTextSingleLine).cx;
  }

  // How many leading characters of `s` fit in `room` pixels (at least one
  // when the line is empty, so that layout always advances).
  size_t FitCount(std::wstring_view s, IFont* font, int32_t room) {
    size_t lo = 0, hi = s.size();
    while (lo < hi) {
      size_t mid = (lo + hi + 1) / 2;
      if (Measure(s.substr(0, mid), font) <= room) lo = mid;
      else hi = mid - 1;
    }
    if (lo < s.size()) {
      // Prefer a break after the last space of the fitting part.
      size_t space = s.substr(0, lo).find_last_of(L' ');
      if (space != std::wstring_view::npos && space > 0) lo = space + 1;
    }
    if (lo == 0 && lineRuns_.empty() && x_ == 0) lo = 1;
    return lo;
  }

  void Emit(std::wstring_view s) {
    IFont* font = CurrentFont();
    while (!s.empty()) {
      int32_t width = Measure(s, font);
      if (wrapWidth_ > 0 && x_ + width > wrapWidth_) {
        size_t count = FitCount(s, font, wrapWidth_ - x_);
        if (count == 0) {
          NewLine();
          continue;
        }
        Place(s.substr(0, count), font);
        s.remove_prefix(count);
        NewLine();
        while (!s.empty() && s.front() == L' ') s.remove_prefix(1);
        continue;
      }
      Place(s, font);
      break;
    }
  }

  void Place(std::wstring_view s, IFont* font) {
    HtmlRun run;
    run.text = std::wstring(s);
    run.font = font;
    run.color = colors_.empty() ? 0 : colors_.back();
    run.link = inLink_ ? layout_.linkCount - 1 : -1;
    int32_t width = Measure(s, font);
    run.rect = {x_, 0, x_ + width, font ? font->LineHeight() : 0};
    x_ += width;
    lineHeight_ = std::max(lineHeight_, run.rect.bottom);
    lineRuns_.push_back(std::move(run));
  }

  void FinishLine() {
    int32_t height = lineFixedHeight_ > 0 ? lineFixedHeight_ : lineHeight_;
    if (height == 0 && CurrentFont()) height = CurrentFont()->LineHeight();
    for (HtmlRun& run : lineRuns_) {
      int32_t h = run.rect.Height();
      int32_t top = y_ + (height - h) / 2;
      run.rect.top = top;
      run.rect.bottom = top + h;
      layout_.size.cx = std::max(layout_.size.cx, run.rect.right);
      layout_.runs.push_back(std::move(run));
    }
    layout_.size.cx = std::max(layout_.size.cx, x_);
    lineRuns_.clear();
    y_ += height;
    x_ = 0;
    lineHeight_ = 0;
    if (!yOpen_) lineFixedHeight_ = 0;
  }

  void NewLine() { FinishLine(); }

  void ApplyTag(const Tag& tag) {
    FontSpec spec = fonts_.back();
    switch (tag.letter) {
      case L'a':
        if (tag.closing) {
          inLink_ = false;
        } else {
          inLink_ = true;
          ++layout_.linkCount;
          layout_.linkTargets.emplace_back(tag.argument);
        }
        break;
      case L'f':
        if (tag.closing) {
          PopFont();
        } else {
          auto index = ParseInt(tag.argument);
          fonts_.push_back(index ? manager_.GetFontSpec(*index) : spec);
        }
        break;
      case L'b':
      case L'i':
      case L'u':
      case L's':
        if (tag.closing) {
          PopFont();
        } else {
          if (tag.letter == L'b') spec.weight = 700;
          if (tag.letter == L'i') spec.italic = true;
          if (tag.letter == L'u') spec.underline = true;
          if (tag.letter == L's') spec.strikeout = true;
          fonts_.push_back(spec);
        }
        break;
      case L'c':
        if (tag.closing) {
          if (!colors_.empty()) colors_.pop_back();
        } else {
          colors_.push_back(ParseColor(tag.argument).value_or(colors_.empty() ? 0 : colors_.back()));
        }
        break;
      case L'n':
      case L'p':
        if (!tag.closing) NewLine();
        break;
      case L'y':
        if (tag.closing) {
          yOpen_ = false;
        } else {
          yOpen_ = true;
          lineFixedHeight_ = std::max(0, ParseInt(tag.argument).value_or(0));
        }
        break;
      case L'x':
        if (!tag.closing) x_ += std::max(0, ParseInt(tag.argument).value_or(0));
        break;
      default:
        break;
    }
  }

  void PopFont() {
    if (fonts_.size() > 1) fonts_.pop_back();
  }

  SkinManager& manager_;
  int32_t wrapWidth_;
  IRenderer* renderer_;
  std::vector<FontSpec> fonts_;
  std::vector<Color> colors_;
  std::vector<HtmlRun> lineRuns_;
  HtmlLayout layout_;
  int32_t x_ = 0;
  int32_t y_ = 0;
  int32_t lineHeight_ = 0;
  int32_t lineFixedHeight_ = 0;
  bool yOpen_ = false;
  bool inLink_ = false;
};

}  // namespace

HtmlLayout LayoutHtmlText(SkinManager& manager, std::wstring_view text, int baseFont, int32_t wrapWidth) {
  return HtmlLayouter(manager, baseFont, wrapWidth).Run(text);
}

std::wstring StripHtmlTags(std::wstring_view text) {
  std::wstring out;
  for (size_t i = 0; i < text.size();) {
    Tag tag;
    if (ReadTag(text, i, tag) && KnownTag(tag.letter)) {
      if ((tag.letter == L'n' || tag.letter == L'p') && !tag.closing) out.push_back(L'\n');
      i += tag.length;
      continue;
    }
    out.push_back(text[i++]);
  }
  return out;
}

}  // namespace SkinUI
