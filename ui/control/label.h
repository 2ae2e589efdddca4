#pragma once
// Text controls: CLabelUI (text with font, colours, alignment, padding,
// wrapping, auto size, tagged text) and CTextUI (a label with clickable links).
#include "ui/control/control.h"
#include "ui/control/html_text.h"

namespace SkinUI {

class CLabelUI : public CControlUI {
 public:
  CLabelUI();
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  void SetText(std::wstring_view text) override;
  int GetFont() const { return m_iFont; }
  void SetFont(int index);
  Color GetTextColor() const { return m_dwTextColor; }
  void SetTextColor(Color color);
  uint32_t GetTextStyle() const { return m_uTextStyle; }
  const Rect& GetTextPadding() const { return m_rcTextPadding; }
  bool IsMultiLine() const { return (m_uTextStyle & kTextSingleLine) == 0; }
  bool IsShowHtml() const { return m_bShowHtml; }
  bool IsAutoWidth() const { return m_bAutoWidth; }
  bool IsAutoHeight() const { return m_bAutoHeight; }

  Size EstimateSize(Size available) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void PaintText(ICanvas& canvas) override;

 protected:
  // The colour of the text in the control's current state.
  virtual Color CurrentTextColor() const;
  // Resolves an unset (0) colour to the window's default text colour.
  Color Resolve(Color color) const;
  // Size of the text alone when wrapped at `width` (0: one line).
  Size MeasureContent(int32_t width);
  // Lays out tagged text in the text rectangle (kept for link hit tests).
  const HtmlLayout& LayoutHtml(const Rect& textRect);
  void DrawHtml(ICanvas& canvas, const Rect& textRect, Color color);
  Rect TextRect() const { return m_rcItem.Deflated(m_rcTextPadding); }
  virtual Color LinkColor(int /*link*/) const;

  int m_iFont = -1;
  uint32_t m_uTextStyle = kTextLeft | kTextVCenter | kTextSingleLine;
  Color m_dwTextColor = 0;
  Color m_dwHotTextColor = 0;
  Color m_dwPushedTextColor = 0;
  Color m_dwDisabledTextColor = 0;
  Color m_dwSelectedTextColor = 0;
  Rect m_rcTextPadding;
  bool m_bShowHtml = false;
  bool m_bAutoWidth = false;
  bool m_bAutoHeight = false;
  HtmlLayout m_html;
  Point m_htmlOrigin;  // top-left of the laid-out text block
};

class CTextUI : public CLabelUI {
 public:
  CTextUI();
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoEvent(EventUI& event) override;
  void SetPos(const Rect& rc) override;
  int GetLinkCount() const { return m_html.linkCount; }
  // Client rectangles of link i (several when it wraps), from the last layout.
  std::vector<Rect> GetLinkRects(int link) const;

 protected:
  Color LinkColor(int link) const override;

 private:
  int LinkAt(Point pt) const;
  bool m_bHandCursor = false;
  int m_iHoverLink = -1;
};

}  // namespace SkinUI
