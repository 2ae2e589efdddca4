#include "ui/control/control.h"

#include <algorithm>

#include "ui/base/values.h"
#include "ui/core/skin_manager.h"

namespace SkinUI {
namespace {

// Styles may apply styles; deeper than this is a loop in the skin.
constexpr int kMaxStyleDepth = 8;

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  if (m_pManager) m_pManager->ReapObjects(this);
}

std::wstring_view CControlUI::GetClass() const { return L"ControlUI"; }

void* CControlUI::GetInterface(std::wstring_view name) {
  return name == L"Control" ? this : nullptr;
}

void CControlUI::SetText(std::wstring_view text) {
  if (m_strText == text) return;
  m_strText = text;
  Invalidate();
}

void CControlUI::SetManager(SkinManager* manager, CControlUI* parent, bool init) {
  m_pManager = manager;
  m_pParent = parent;
  if (init && manager) DoInit();
}

std::wstring CControlUI::GetVirtualWnd() const {
  for (const CControlUI* c = this; c; c = c->m_pParent) {
    if (!c->m_strVirtualWnd.empty()) return c->m_strVirtualWnd;
  }
  return {};
}

bool CControlUI::IsVisibleInTree() const {
  for (const CControlUI* c = this; c; c = c->m_pParent) {
    if (!c->IsVisible()) return false;
  }
  return true;
}

void CControlUI::SetVisible(bool visible) {
  if (m_bVisible == visible) return;
  m_bVisible = visible;
  if (!visible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
  NeedParentUpdate();
}

void CControlUI::SetEnabled(bool enabled) {
  if (m_bEnabled == enabled) return;
  m_bEnabled = enabled;
  Invalidate();
}

void CControlUI::SetFocus() {
  if (m_pManager) m_pManager->SetFocus(this);
}

void CControlUI::SetPos(const Rect& rc) {
  Rect r = rc;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  if (r == m_rcItem) return;
  Invalidate();
  m_rcItem = r;
  Invalidate();
}

void CControlUI::SetFixedWidth(int32_t cx) {
  if (cx < 0) return;
  m_cxyFixed.cx = cx;
  NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int32_t cy) {
  if (cy < 0) return;
  m_cxyFixed.cy = cy;
  NeedParentUpdate();
}

void CControlUI::SetPadding(const Rect& padding) {
  m_rcPadding = padding;
  NeedParentUpdate();
}

Size CControlUI::EstimateSize(Size) { return m_cxyFixed; }

Size CControlUI::ClampSize(Size size) const {
  if (m_cxyMin.cx > 0) size.cx = std::max(size.cx, m_cxyMin.cx);
  if (m_cxyMax.cx > 0) size.cx = std::min(size.cx, m_cxyMax.cx);
  if (m_cxyMin.cy > 0) size.cy = std::max(size.cy, m_cxyMin.cy);
  if (m_cxyMax.cy > 0) size.cy = std::min(size.cy, m_cxyMax.cy);
  return size;
}

void CControlUI::NeedUpdate() {
  if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::Invalidate() {
  if (m_pManager && !m_rcItem.IsEmpty()) m_pManager->Invalidate(m_rcItem);
}

void CControlUI::SetBkColor(Color color) {
  m_dwBackColor = color;
  Invalidate();
}

void CControlUI::SetBkImage(const ImageSpec& spec) {
  m_bkImage = spec;
  Invalidate();
}

void CControlUI::ReportMalformed(std::wstring_view name, std::wstring_view value) {
  if (m_pManager && m_pManager->GetBuildObserver()) {
    m_pManager->GetBuildObserver()->MalformedValue(std::wstring(name), std::wstring(value));
  }
}

bool CControlUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  auto setRect = [&](Rect& target) {
    if (auto r = ParseRect(value)) target = *r;
    else ReportMalformed(name, value);
  };
  auto setColor = [&](Color& target) {
    if (auto c = ParseColor(value)) target = *c;
    else ReportMalformed(name, value);
  };
  auto setInt = [&](auto&& apply) {
    if (auto n = ParseInt(value)) apply(*n);
    else ReportMalformed(name, value);
  };
  if (name == L"name") {
    SetName(value);
  } else if (name == L"text") {
    SetText(value);
  } else if (name == L"width") {
    setInt([&](int32_t n) { SetFixedWidth(n); });
  } else if (name == L"height") {
    setInt([&](int32_t n) { SetFixedHeight(n); });
  } else if (name == L"minwidth") {
    setInt([&](int32_t n) { m_cxyMin.cx = std::max(n, 0); });
  } else if (name == L"maxwidth") {
    setInt([&](int32_t n) { m_cxyMax.cx = std::max(n, 0); });
  } else if (name == L"minheight") {
    setInt([&](int32_t n) { m_cxyMin.cy = std::max(n, 0); });
  } else if (name == L"maxheight") {
    setInt([&](int32_t n) { m_cxyMax.cy = std::max(n, 0); });
  } else if (name == L"padding") {
    Rect r = m_rcPadding;
    setRect(r);
    SetPadding(r);
  } else if (name == L"bkcolor") {
    setColor(m_dwBackColor);
    Invalidate();
  } else if (name == L"bordercolor") {
    setColor(m_dwBorderColor);
  } else if (name == L"bordersize") {
    setInt([&](int32_t n) { m_nBorderSize = std::max(n, 0); });
  } else if (name == L"bkimage") {
    if (auto spec = ParseImageSpec(value)) {
      if (m_pManager && m_pManager->GetBuildObserver() && !spec->file.empty()) {
        m_pManager->GetBuildObserver()->ImageReference(spec->file, m_pManager->GetImage(spec->file) != nullptr);
      }
      SetBkImage(*spec);
    } else {
      ReportMalformed(name, value);
    }
  } else if (name == L"statusimage") {
    ImageSizeLookup lookup = [this](const std::wstring& file) -> std::optional<Size> {
      if (!m_pManager) return std::nullopt;
      auto image = m_pManager->GetImage(file);
      if (!image) return std::nullopt;
      return Size{image->Width(), image->Height()};
    };
    if (auto images = ParseStatusImage(value, lookup)) {
      if (m_pManager && m_pManager->GetBuildObserver() && !images->empty()) {
        const std::wstring& file = images->begin()->second.file;
        m_pManager->GetBuildObserver()->ImageReference(file, m_pManager->GetImage(file) != nullptr);
      }
      m_statusImages = std::move(*images);
      Invalidate();
    } else {
      ReportMalformed(name, value);
    }
  } else if (name == L"visible") {
    SetVisible(ParseBool(value));
  } else if (name == L"enable" || name == L"enabled") {
    SetEnabled(ParseBool(value));
  } else if (name == L"mouse") {
    SetMouseEnabled(ParseBool(value));
  } else if (name == L"style") {
    const std::wstring* list = m_pManager ? m_pManager->GetStyle(value) : nullptr;
    if (!list) {
      if (m_pManager && m_pManager->GetBuildObserver()) {
        m_pManager->GetBuildObserver()->UndefinedStyle(std::wstring(value));
      }
    } else if (m_nStyleDepth < kMaxStyleDepth) {
      ++m_nStyleDepth;
      std::wstring copy = *list;  // the style table may not change under us, but stay safe
      ApplyAttributeList(copy);
      --m_nStyleDepth;
    }
  } else if (name == L"virtualwnd") {
    m_strVirtualWnd = value;
    if (m_pManager && !value.empty()) m_pManager->SetUseVirtualWnd(true);
  } else if (name == L"tooltip") {
    m_strToolTip = value;
  } else if (name == L"userdata") {
    m_strUserData = value;
  } else {
    return false;
  }
  return true;
}

void CControlUI::ApplyAttributeList(std::wstring_view list) {
  bool complete = true;
  for (const auto& [name, value] : ParseAttributeList(list, &complete)) {
    if (!SetAttribute(name, value) && m_pManager && m_pManager->GetBuildObserver()) {
      m_pManager->GetBuildObserver()->UnknownAttribute(std::wstring(GetClass()), name);
    }
  }
  if (!complete) ReportMalformed(L"attribute list", list);
}

void CControlUI::Event(EventUI& event) { DoEvent(event); }

void CControlUI::DoEvent(EventUI& event) {
  if (event.type == EventType::kSetFocus) {
    m_bFocused = true;
    Invalidate();
  } else if (event.type == EventType::kKillFocus) {
    m_bFocused = false;
    Invalidate();
  } else if (event.type == EventType::kTimer) {
    SendNotice(L"timer", event.wParam, event.lParam);
  }
}

CControlUI* CControlUI::FindControlAt(Point pt, bool mouseOnly) {
  if (!IsVisible() || !m_rcItem.Contains(pt)) return nullptr;
  for (int i = GetChildCount() - 1; i >= 0; --i) {
    if (CControlUI* hit = GetChildAt(i)->FindControlAt(pt, mouseOnly)) return hit;
  }
  if (mouseOnly && !m_bMouseEnabled) return nullptr;
  return this;
}

void CControlUI::DoPaint(ICanvas& canvas, const Rect& dirty) {
  Rect area = m_rcItem.Intersect(dirty);
  if (area.IsEmpty()) return;
  canvas.PushClip(area);
  PaintBkColor(canvas);
  PaintBkImage(canvas);
  PaintStatusImage(canvas);
  PaintText(canvas);
  PaintBorder(canvas);
  canvas.PopClip();
}

void CControlUI::PaintBkColor(ICanvas& canvas) {
  if (AlphaOf(m_dwBackColor) != 0) canvas.FillRect(m_rcItem, m_dwBackColor);
}

void CControlUI::PaintBkImage(ICanvas& canvas) {
  if (!m_bkImage.IsEmpty()) DrawImage(canvas, m_bkImage);
}

void CControlUI::PaintStatusImage(ICanvas&) {}
void CControlUI::PaintText(ICanvas&) {}

void CControlUI::PaintBorder(ICanvas& canvas) {
  if (m_nBorderSize > 0 && AlphaOf(m_dwBorderColor) != 0) canvas.DrawBorder(m_rcItem, m_nBorderSize, m_dwBorderColor);
}

bool CControlUI::DrawImage(ICanvas& canvas, const ImageSpec& spec, const std::optional<Rect>& source,
                           std::optional<uint8_t> alpha) {
  if (!m_pManager || spec.file.empty()) return false;
  std::shared_ptr<IImage> image = m_pManager->GetImage(spec.file);
  if (!image) return false;
  const Rect whole{0, 0, image->Width(), image->Height()};
  Rect src = source ? *source : spec.source.value_or(whole);
  src = src.Intersect(whole);
  if (src.IsEmpty()) return false;
  Rect dest = m_rcItem;
  if (spec.dest) {
    dest = {m_rcItem.left + spec.dest->left, m_rcItem.top + spec.dest->top, m_rcItem.left + spec.dest->right,
            m_rcItem.top + spec.dest->bottom};
  }
  if (!spec.stretch) {
    dest.right = dest.left + src.Width();
    dest.bottom = dest.top + src.Height();
  }
  if (dest.IsEmpty()) return false;
  ImageDraw draw;
  draw.dest = dest;
  draw.source = src;
  draw.corner = spec.corner;
  draw.alpha = alpha.value_or(spec.fade);
  draw.stretch = spec.stretch;
  canvas.DrawImage(*image, draw);
  return true;
}

bool CControlUI::SetTimer(uint32_t id, uint32_t ms) {
  return m_pManager && m_pManager->SetControlTimer(this, id, ms);
}

void CControlUI::KillTimer(uint32_t id) {
  if (m_pManager) m_pManager->KillControlTimer(this, id);
}

void CControlUI::KillTimers() {
  if (m_pManager) m_pManager->KillControlTimers(this);
}

void CControlUI::SendNotice(std::wstring_view type, WParam wParam, LParam lParam) {
  if (m_pManager) {
    m_pManager->SendNotice(this, type, wParam, lParam);
    return;
  }
  // Without a window only the control's own listeners hear it.
  NotifyMsg msg;
  msg.strType = type;
  msg.pSender = this;
  msg.wParam = wParam;
  msg.lParam = lParam;
  for (auto& listener : OnNotify) listener(msg);
}

}  // namespace SkinUI
