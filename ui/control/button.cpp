#include "ui/control/button.h"

#include "ui/base/values.h"
#include "ui/core/skin_manager.h"

namespace SkinUI {
namespace {

bool HasImage(const StatusImages& images, std::wstring_view state) {
  auto it = images.find(state);
  return it != images.end() && !it->second.IsEmpty();
}

}  // namespace

CButtonUI::CButtonUI() {
  m_bMouseEnabled = true;
  m_uTextStyle = kTextCenter | kTextVCenter | kTextSingleLine;
}

std::wstring_view CButtonUI::GetClass() const { return L"ButtonUI"; }

void* CButtonUI::GetInterface(std::wstring_view name) {
  if (name == L"Button") return this;
  return CLabelUI::GetInterface(name);
}

void CButtonUI::SetEnabled(bool enabled) {
  if (!enabled) m_bHot = m_bPushed = m_bCaptured = false;
  CLabelUI::SetEnabled(enabled);
}

void CButtonUI::SetVisible(bool visible) {
  if (!visible) m_bHot = m_bPushed = m_bCaptured = false;
  CLabelUI::SetVisible(visible);
}

bool CButtonUI::Activate() {
  if (!IsVisibleInTree() || !IsEnabled()) return false;
  SendNotice(L"click");
  return true;
}

void CButtonUI::DoEvent(EventUI& event) {
  switch (event.type) {
    case EventType::kButtonDown:
    case EventType::kDblClick:
      if (IsEnabled() && m_rcItem.Contains(event.ptMouse)) {
        m_bPushed = m_bCaptured = true;
        Invalidate();
      }
      break;
    case EventType::kMouseMove:
      if (m_bCaptured) {
        bool inside = m_rcItem.Contains(event.ptMouse);
        if (inside != m_bPushed) {
          m_bPushed = inside;
          Invalidate();
        }
      }
      break;
    case EventType::kButtonUp:
      if (m_bCaptured) {
        bool release = m_bPushed && m_rcItem.Contains(event.ptMouse);
        m_bCaptured = m_bPushed = false;
        Invalidate();
        if (release) Activate();
      }
      break;
    case EventType::kMouseEnter:
      if (IsEnabled()) {
        m_bHot = true;
        Invalidate();
      }
      break;
    case EventType::kMouseLeave:
      if (m_bHot) {
        m_bHot = false;
        Invalidate();
      }
      break;
    case EventType::kKeyDown:
      if (event.chKey == kVkSpace || event.chKey == kVkReturn) Activate();
      break;
    case EventType::kSetCursor:
      if (m_pManager && m_pManager->GetHost()) m_pManager->GetHost()->SetCursor(CursorKind::kArrow);
      break;
    default:
      CLabelUI::DoEvent(event);
      break;
  }
}

std::wstring CButtonUI::CurrentStatusName() const {
  const wchar_t* state = nullptr;
  if (!IsEnabled()) state = L"disabled";
  else if (m_bPushed) state = L"pushed";
  else if (m_bHot) state = L"hot";
  else if (m_bFocused) state = L"focused";
  if (state && HasImage(m_statusImages, state)) return state;
  return L"normal";
}

void CButtonUI::PaintStatusImage(ICanvas& canvas) {
  auto it = m_statusImages.find(CurrentStatusName());
  if (it != m_statusImages.end() && !it->second.IsEmpty()) DrawImage(canvas, it->second);
}

Color CButtonUI::CurrentTextColor() const {
  if (IsEnabled()) {
    if (m_bPushed && m_dwPushedTextColor) return m_dwPushedTextColor;
    if ((m_bPushed || m_bHot) && m_dwHotTextColor) return m_dwHotTextColor;
  }
  return CLabelUI::CurrentTextColor();
}

COptionUI::COptionUI() = default;

COptionUI::~COptionUI() {
  if (m_pManager && !m_strGroup.empty()) m_pManager->RemoveOptionGroup(m_strGroup, this);
}

std::wstring_view COptionUI::GetClass() const { return L"OptionUI"; }

void* COptionUI::GetInterface(std::wstring_view name) {
  if (name == L"Option") return this;
  return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(SkinManager* manager, CControlUI* parent, bool init) {
  if (m_pManager && m_pManager != manager && !m_strGroup.empty()) m_pManager->RemoveOptionGroup(m_strGroup, this);
  CButtonUI::SetManager(manager, parent, init);
  if (manager && !m_strGroup.empty()) manager->AddOptionGroup(m_strGroup, this);
}

void COptionUI::SetGroup(std::wstring_view group) {
  if (m_strGroup == group) return;
  if (m_pManager && !m_strGroup.empty()) m_pManager->RemoveOptionGroup(m_strGroup, this);
  m_strGroup = group;
  if (m_pManager && !m_strGroup.empty()) m_pManager->AddOptionGroup(m_strGroup, this);
}

void COptionUI::SetSelected(bool selected, bool notify) {
  if (m_bSelected == selected) return;
  m_bSelected = selected;
  if (selected && m_pManager && !m_strGroup.empty()) {
    if (const auto* group = m_pManager->GetOptionGroup(m_strGroup)) {
      std::vector<COptionUI*> others = *group;  // a handler may change the group
      for (COptionUI* other : others) {
        if (other != this && m_pManager->GetOptionGroup(m_strGroup)) other->SetSelected(false, notify);
      }
    }
  }
  if (notify) SendNotice(L"selectchanged");
  Invalidate();
}

bool COptionUI::Activate() {
  if (!IsVisibleInTree() || !IsEnabled()) return false;
  if (!m_strGroup.empty()) SetSelected(true, true);
  else SetSelected(!m_bSelected, true);
  SendNotice(L"click");
  return true;
}

bool COptionUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"selected") {
    SetSelected(ParseBool(value), false);
  } else if (name == L"group") {
    SetGroup(value);
  } else {
    return CButtonUI::SetAttribute(name, value);
  }
  return true;
}

std::wstring COptionUI::CurrentStatusName() const {
  if (!m_bSelected) return CButtonUI::CurrentStatusName();
  const wchar_t* state = nullptr;
  if (m_bPushed && IsEnabled()) state = L"selectedpushed";
  else if (m_bHot && IsEnabled()) state = L"selectedhot";
  else if (!IsEnabled()) state = L"selecteddisabled";
  else if (m_bFocused) state = L"selectedfocused";
  if (state && HasImage(m_statusImages, state)) return state;
  if (HasImage(m_statusImages, L"selected")) return L"selected";
  return CButtonUI::CurrentStatusName();
}

Color COptionUI::CurrentTextColor() const {
  if (m_bSelected && IsEnabled() && m_dwSelectedTextColor) {
    if (m_bPushed && m_dwPushedTextColor) return m_dwPushedTextColor;
    return m_dwSelectedTextColor;
  }
  return CButtonUI::CurrentTextColor();
}

std::wstring_view CCheckBoxUI::GetClass() const { return L"CheckBoxUI"; }

void* CCheckBoxUI::GetInterface(std::wstring_view name) {
  if (name == L"CheckBox") return this;
  return COptionUI::GetInterface(name);
}

}  // namespace SkinUI
