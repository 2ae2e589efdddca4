#include "ui/control/label.h"

#include <algorithm>

#include "ui/base/values.h"
#include "ui/core/skin_manager.h"

namespace SkinUI {

CLabelUI::CLabelUI() = default;

std::wstring_view CLabelUI::GetClass() const { return L"LabelUI"; }

void* CLabelUI::GetInterface(std::wstring_view name) {
  if (name == L"Label") return this;
  return CControlUI::GetInterface(name);
}

void CLabelUI::SetText(std::wstring_view text) {
  if (m_strText == text) return;
  CControlUI::SetText(text);
  if (m_bAutoWidth || m_bAutoHeight) NeedUpdate();
}

void CLabelUI::SetFont(int index) {
  m_iFont = index;
  Invalidate();
}

void CLabelUI::SetTextColor(Color color) {
  m_dwTextColor = color;
  Invalidate();
}

Color CLabelUI::Resolve(Color color) const {
  if (color != 0) return color;
  return m_pManager ? m_pManager->Attributes().defaultFontColor : 0xFF000000;
}

Color CLabelUI::CurrentTextColor() const {
  if (!IsEnabled()) {
    if (m_dwDisabledTextColor) return m_dwDisabledTextColor;
    if (m_pManager) return m_pManager->Attributes().disabledFontColor;
  }
  return Resolve(m_dwTextColor);
}

Color CLabelUI::LinkColor(int) const {
  return m_pManager ? m_pManager->Attributes().linkFontColor : 0xFF0000FF;
}

Size CLabelUI::MeasureContent(int32_t width) {
  if (!m_pManager || m_strText.empty()) return {};
  if (m_bShowHtml) {
    HtmlLayout layout = LayoutHtmlText(*m_pManager, m_strText, m_iFont, IsMultiLine() ? width : 0);
    return layout.size;
  }
  IRenderer* renderer = m_pManager->GetRenderer();
  IFont* font = m_pManager->GetFont(m_iFont);
  if (!renderer || !font) return {};
  uint32_t format = IsMultiLine() ? kTextWordBreak : kTextSingleLine;
  return renderer->MeasureText(m_strText, *font, width, format);
}

Size CLabelUI::EstimateSize(Size available) {
  Size size = m_cxyFixed;
  if (!m_bAutoWidth && !m_bAutoHeight) return size;
  const int32_t padX = m_rcTextPadding.left + m_rcTextPadding.right;
  const int32_t padY = m_rcTextPadding.top + m_rcTextPadding.bottom;
  if (m_bAutoWidth) {
    Size text = MeasureContent(0);
    size.cx = text.cx + padX;
  }
  if (m_bAutoHeight) {
    int32_t width = (size.cx > 0 ? size.cx : available.cx) - padX;
    Size text = MeasureContent(std::max(width, 1));
    size.cy = text.cy + padY;
  }
  return size;
}

bool CLabelUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  auto setColor = [&](Color& target) {
    if (auto c = ParseColor(value)) {
      target = *c;
      Invalidate();
    } else {
      ReportMalformed(name, value);
    }
  };
  if (name == L"font") {
    if (auto n = ParseInt(value)) SetFont(*n);
    else ReportMalformed(name, value);
  } else if (name == L"textcolor") {
    setColor(m_dwTextColor);
  } else if (name == L"hottextcolor") {
    setColor(m_dwHotTextColor);
  } else if (name == L"pushedtextcolor") {
    setColor(m_dwPushedTextColor);
  } else if (name == L"disabledtextcolor") {
    setColor(m_dwDisabledTextColor);
  } else if (name == L"selectedtextcolor") {
    setColor(m_dwSelectedTextColor);
  } else if (name == L"align") {
    // Tested by substring in this order; a later match wins on its axis.
    auto has = [&](std::wstring_view word) { return value.find(word) != std::wstring_view::npos; };
    constexpr uint32_t kHorizontal = kTextCenter | kTextRight;
    constexpr uint32_t kVertical = kTextVCenter | kTextBottom;
    if (has(L"left")) m_uTextStyle = (m_uTextStyle & ~kHorizontal) | kTextLeft;
    if (has(L"hcenter")) m_uTextStyle = (m_uTextStyle & ~kHorizontal) | kTextCenter;
    if (has(L"right")) m_uTextStyle = (m_uTextStyle & ~kHorizontal) | kTextRight;
    if (has(L"top")) m_uTextStyle = (m_uTextStyle & ~kVertical) | kTextTop;
    if (has(L"vcenter")) m_uTextStyle = (m_uTextStyle & ~kVertical) | kTextVCenter;
    if (has(L"bottom")) m_uTextStyle = (m_uTextStyle & ~kVertical) | kTextBottom;
    Invalidate();
  } else if (name == L"textpadding") {
    if (auto r = ParseRect(value)) {
      m_rcTextPadding = *r;
      NeedUpdate();
    } else {
      ReportMalformed(name, value);
    }
  } else if (name == L"multiline") {
    if (ParseBool(value)) m_uTextStyle = (m_uTextStyle & ~kTextSingleLine) | kTextWordBreak;
    else m_uTextStyle = (m_uTextStyle & ~kTextWordBreak) | kTextSingleLine;
    NeedUpdate();
  } else if (name == L"endellipsis") {
    if (ParseBool(value)) m_uTextStyle |= kTextEndEllipsis;
    else m_uTextStyle &= ~kTextEndEllipsis;
  } else if (name == L"autowidth") {
    m_bAutoWidth = ParseBool(value);
    NeedUpdate();
  } else if (name == L"autoheight") {
    m_bAutoHeight = ParseBool(value);
    NeedUpdate();
  } else if (name == L"showhtml") {
    m_bShowHtml = ParseBool(value);
    NeedUpdate();
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  return true;
}

const HtmlLayout& CLabelUI::LayoutHtml(const Rect& textRect) {
  m_html = LayoutHtmlText(*m_pManager, m_strText, m_iFont, IsMultiLine() ? textRect.Width() : 0);
  int32_t x = textRect.left, y = textRect.top;
  if (m_uTextStyle & kTextCenter) x += (textRect.Width() - m_html.size.cx) / 2;
  else if (m_uTextStyle & kTextRight) x += textRect.Width() - m_html.size.cx;
  if (m_uTextStyle & kTextVCenter) y += (textRect.Height() - m_html.size.cy) / 2;
  else if (m_uTextStyle & kTextBottom) y += textRect.Height() - m_html.size.cy;
  m_htmlOrigin = {x, y};
  for (HtmlRun& run : m_html.runs) run.rect = run.rect.Offset(x, y);
  return m_html;
}

void CLabelUI::DrawHtml(ICanvas& canvas, const Rect& textRect, Color color) {
  LayoutHtml(textRect);
  for (const HtmlRun& run : m_html.runs) {
    if (!run.font || run.text.empty()) continue;
    Color c = run.link >= 0 ? LinkColor(run.link) : (run.color ? run.color : color);
    canvas.DrawText(run.text, run.rect, *run.font, c, kTextLeft | kTextVCenter | kTextSingleLine | kTextNoClip);
  }
}

void CLabelUI::PaintText(ICanvas& canvas) {
  if (!m_pManager || m_strText.empty()) return;
  const Rect textRect = TextRect();
  const Color color = CurrentTextColor();
  if (m_bShowHtml) {
    DrawHtml(canvas, textRect, color);
    return;
  }
  IFont* font = m_pManager->GetFont(m_iFont);
  if (font) canvas.DrawText(m_strText, textRect, *font, color, m_uTextStyle);
}

CTextUI::CTextUI() = default;

std::wstring_view CTextUI::GetClass() const { return L"TextUI"; }

void* CTextUI::GetInterface(std::wstring_view name) {
  if (name == L"Text") return this;
  return CLabelUI::GetInterface(name);
}

bool CTextUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"linkcursor") {
    m_bHandCursor = value == L"hand";
    return true;
  }
  return CLabelUI::SetAttribute(name, value);
}

Color CTextUI::LinkColor(int link) const {
  if (!m_pManager) return 0xFF0000FF;
  return link == m_iHoverLink ? m_pManager->Attributes().linkHoverFontColor : m_pManager->Attributes().linkFontColor;
}

void CTextUI::SetPos(const Rect& rc) {
  CLabelUI::SetPos(rc);
  if (m_bShowHtml && m_pManager) LayoutHtml(TextRect());
}

std::vector<Rect> CTextUI::GetLinkRects(int link) const {
  std::vector<Rect> rects;
  for (const HtmlRun& run : m_html.runs) {
    if (run.link == link) rects.push_back(run.rect);
  }
  return rects;
}

int CTextUI::LinkAt(Point pt) const {
  for (const HtmlRun& run : m_html.runs) {
    if (run.link >= 0 && run.rect.Contains(pt)) return run.link;
  }
  return -1;
}

void CTextUI::DoEvent(EventUI& event) {
  if (m_bShowHtml && m_pManager) LayoutHtml(TextRect());  // links follow the current rectangle
  switch (event.type) {
    case EventType::kMouseMove:
    case EventType::kMouseEnter: {
      int link = LinkAt(event.ptMouse);
      if (link != m_iHoverLink) {
        m_iHoverLink = link;
        Invalidate();
      }
      break;
    }
    case EventType::kMouseLeave:
      if (m_iHoverLink != -1) {
        m_iHoverLink = -1;
        Invalidate();
      }
      break;
    case EventType::kSetCursor:
      if (m_bHandCursor && LinkAt(event.ptMouse) >= 0 && m_pManager && m_pManager->GetHost()) {
        m_pManager->GetHost()->SetCursor(CursorKind::kHand);
      }
      break;
    case EventType::kButtonUp: {
      int link = LinkAt(event.ptMouse);
      if (link >= 0 && IsEnabled()) SendNotice(L"link", static_cast<WParam>(link), m_html.linkCount);
      break;
    }
    default:
      CLabelUI::DoEvent(event);
      break;
  }
}

}  // namespace SkinUI
