#include "ui/control/rich_edit.h"

#include "ui/base/values.h"
#include "ui/core/skin_manager.h"

namespace SkinUI {

CRichEditUI::CRichEditUI() { m_bMouseEnabled = true; }

CRichEditUI::~CRichEditUI() {
  if (m_pFilterManager) m_pFilterManager->RemovePreMessageFilter(this);
}

std::wstring_view CRichEditUI::GetClass() const { return L"RichEditUI"; }

void* CRichEditUI::GetInterface(std::wstring_view name) {
  if (name == L"RichEdit") return this;
  if (name == L"MessageFilter") return static_cast<IMessageFilterUI*>(this);
  return CContainerUI::GetInterface(name);
}

void CRichEditUI::SetManager(SkinManager* manager, CControlUI* parent, bool init) {
  CContainerUI::SetManager(manager, parent, init);
  if (init && manager && m_pFilterManager != manager) {
    if (m_pFilterManager) m_pFilterManager->RemovePreMessageFilter(this);
    manager->AddPreMessageFilter(this);
    m_pFilterManager = manager;
  }
}

void CRichEditUI::SetText(std::wstring_view text) {
  m_strText = text;
  Invalidate();
  SendNotice(L"textchanged");
}

bool CRichEditUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"readonly") m_bReadOnly = ParseBool(value);
  else if (name == L"multiline") m_bMultiLine = ParseBool(value);
  else if (name == L"rich") m_bRich = ParseBool(value);
  else if (name == L"wanttab") m_bWantTab = ParseBool(value);
  else if (name == L"wantreturn") m_bWantReturn = ParseBool(value);
  else if (name == L"wantctrlreturn") m_bWantCtrlReturn = ParseBool(value);
  else if (name == L"autohscroll") m_bAutoHScroll = ParseBool(value);
  else if (name == L"font") {
    if (auto n = ParseInt(value)) m_iFont = *n;
    else ReportMalformed(name, value);
  } else if (name == L"textcolor") {
    if (auto c = ParseColor(value)) m_dwTextColor = *c;
    else ReportMalformed(name, value);
  } else if (name == L"inset" || name == L"textpadding") {
    if (auto r = ParseRect(value)) m_rcTextInset = *r;
    else ReportMalformed(name, value);
  } else {
    return CContainerUI::SetAttribute(name, value);
  }
  Invalidate();
  return true;
}

void CRichEditUI::PaintText(ICanvas& canvas) {
  if (!m_pManager || m_strText.empty()) return;
  IFont* font = m_pManager->GetFont(m_iFont);
  if (!font) return;
  Color color = m_dwTextColor ? m_dwTextColor : m_pManager->Attributes().defaultFontColor;
  uint32_t format = m_bMultiLine ? (kTextWordBreak | kTextLeft | kTextTop) : (kTextSingleLine | kTextLeft | kTextVCenter);
  canvas.DrawText(m_strText, m_rcItem.Deflated(m_rcTextInset), *font, color, format);
}

void CRichEditUI::DoEvent(EventUI& event) {
  if (event.type == EventType::kButtonDown && IsEnabled()) SetFocus();
  CContainerUI::DoEvent(event);
}

LResult CRichEditUI::MessageHandler(MsgId msg, WParam wParam, LParam, bool& bHandled) {
  bHandled = false;
  if (msg != kMsgChar || m_bReadOnly || !IsFocused() || !IsEnabled()) return 0;
  wchar_t c = static_cast<wchar_t>(wParam);
  if (c == L'\b') {
    if (!m_strText.empty()) SetText(std::wstring_view(m_strText).substr(0, m_strText.size() - 1));
  } else if (c >= 0x20 || (c == L'\t' && m_bWantTab) || (c == L'\r' && m_bMultiLine && m_bWantReturn)) {
    SetText(m_strText + c);
  } else {
    return 0;
  }
  bHandled = true;
  return 0;
}

}  // namespace SkinUI
