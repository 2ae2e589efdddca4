#include "ui/control/container.h"

#include <algorithm>

#include "ui/base/values.h"
#include "ui/core/skin_manager.h"

namespace SkinUI {
namespace {

// Whether a control sits in the tree its manager has attached.
bool IsAttached(const CControlUI* control) {
  if (!control->GetManager()) return false;
  const CControlUI* top = control;
  while (top->GetParent()) top = top->GetParent();
  return top == control->GetManager()->GetRoot();
}

struct Placed {
  CControlUI* control;
  Size size;  // estimated; 0 on an axis: a share
};

// Lays out one column (`vertical`) or one row of children inside `inner`.
// Along the main axis fixed sizes are kept and the rest is shared equally, the
// last share taking the rounding remainder; across it a child is its fixed size
// or the full inner extent less its padding on that axis.
void LayOutLine(const std::vector<std::unique_ptr<CControlUI>>& items, const Rect& inner,
                int32_t childPadding, bool vertical) {
  auto main = [vertical](Size s) { return vertical ? s.cy : s.cx; };
  auto cross = [vertical](Size s) { return vertical ? s.cx : s.cy; };
  auto make = [vertical](int32_t m, int32_t c) { return vertical ? Size{c, m} : Size{m, c}; };
  auto padBefore = [vertical](const Rect& p) { return vertical ? p.top : p.left; };
  auto padAfter = [vertical](const Rect& p) { return vertical ? p.bottom : p.right; };
  auto padAcross = [vertical](const Rect& p) { return vertical ? p.left + p.right : p.top + p.bottom; };
  auto padAcrossBefore = [vertical](const Rect& p) { return vertical ? p.left : p.top; };
  const int32_t innerMain = vertical ? inner.Height() : inner.Width();
  const int32_t innerCross = vertical ? inner.Width() : inner.Height();
  const int32_t crossStart = vertical ? inner.left : inner.top;

  std::vector<Placed> placed;
  int32_t fixed = 0, paddings = 0, shares = 0;
  for (const auto& item : items) {
    if (!item->IsVisible()) continue;
    const Rect& pad = item->GetPadding();
    const Size est = item->EstimateSize(make(innerMain, innerCross - padAcross(pad)));
    if (main(est) > 0) fixed += main(item->ClampSize(est));
    else ++shares;
    paddings += padBefore(pad) + padAfter(pad);
    placed.push_back({item.get(), est});
  }
  const int32_t gaps = placed.empty() ? 0 : childPadding * static_cast<int32_t>(placed.size() - 1);
  const int32_t rest = std::max(0, innerMain - fixed - paddings - gaps);
  const int32_t share = shares ? rest / shares : 0;
  const int32_t remainder = shares ? rest - share * shares : 0;
  int32_t cursor = vertical ? inner.top : inner.left;
  int sharesLeft = shares;
  for (const Placed& p : placed) {
    const Rect& pad = p.control->GetPadding();
    int32_t along = main(p.size);
    if (along <= 0) along = share + (--sharesLeft == 0 ? remainder : 0);
    const int32_t across = cross(p.size) > 0 ? cross(p.size) : innerCross - padAcross(pad);
    Size size = p.control->ClampSize(make(along, across));
    size.cx = std::max(size.cx, 0);
    size.cy = std::max(size.cy, 0);
    const int32_t m = cursor + padBefore(pad);
    const int32_t c = crossStart + padAcrossBefore(pad);
    p.control->SetPos(vertical ? Rect{c, m, c + size.cx, m + size.cy}
                               : Rect{m, c, m + size.cx, c + size.cy});
    cursor = m + main(size) + padAfter(pad) + childPadding;
  }
}

}  // namespace

CContainerUI::~CContainerUI() {
  // Children first, while this container is still a whole object.
  while (!m_items.empty()) {
    std::unique_ptr<CControlUI> last = std::move(m_items.back());
    m_items.pop_back();
  }
}

std::wstring_view CContainerUI::GetClass() const { return L"ContainerUI"; }

void* CContainerUI::GetInterface(std::wstring_view name) {
  if (name == L"IContainer") return static_cast<IContainerUI*>(this);
  if (name == L"Container") return this;
  return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return m_items[static_cast<size_t>(index)].get();
}

int CContainerUI::GetItemIndex(const CControlUI* control) const {
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].get() == control) return static_cast<int>(i);
  }
  return -1;
}

bool CContainerUI::Add(std::unique_ptr<CControlUI> control) { return AddAt(std::move(control), GetCount()); }

bool CContainerUI::AddAt(std::unique_ptr<CControlUI> control, int index) {
  if (!control || index < 0 || index > GetCount()) return false;
  CControlUI* raw = control.get();
  m_items.insert(m_items.begin() + index, std::move(control));
  OnChildAdded(index, raw);
  if (IsAttached(this)) {
    m_pManager->InitControls(raw, this);
  } else {
    raw->SetManager(m_pManager, this, false);
  }
  NeedUpdate();
  return true;
}

bool CContainerUI::Remove(CControlUI* control) {
  int index = GetItemIndex(control);
  if (index < 0) return false;
  std::unique_ptr<CControlUI> gone = std::move(m_items[static_cast<size_t>(index)]);
  m_items.erase(m_items.begin() + index);
  gone.reset();
  NeedUpdate();
  return true;
}

void CContainerUI::RemoveAll() {
  while (!m_items.empty()) {
    std::unique_ptr<CControlUI> last = std::move(m_items.back());
    m_items.pop_back();
  }
  NeedUpdate();
}

void CContainerUI::SetManager(SkinManager* manager, CControlUI* parent, bool init) {
  for (auto& item : m_items) item->SetManager(manager, this, init);
  CControlUI::SetManager(manager, parent, init);
}

void CContainerUI::SetInset(const Rect& inset) {
  m_rcInset = inset;
  NeedUpdate();
}

void CContainerUI::SetChildPadding(int32_t padding) {
  m_iChildPadding = padding;
  NeedUpdate();
}

void CContainerUI::SetPos(const Rect& rc) {
  CControlUI::SetPos(rc);
  const Rect inner = InnerRect();
  for (auto& item : m_items) {
    if (!item->IsVisible()) continue;
    const Rect& pad = item->GetPadding();
    Size room{inner.Width() - pad.left - pad.right, inner.Height() - pad.top - pad.bottom};
    Size est = item->EstimateSize(room);
    Size size = item->ClampSize({est.cx > 0 ? est.cx : room.cx, est.cy > 0 ? est.cy : room.cy});
    int32_t x = inner.left + pad.left, y = inner.top + pad.top;
    item->SetPos({x, y, x + std::max(size.cx, 0), y + std::max(size.cy, 0)});
  }
}

bool CContainerUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"inset") {
    if (auto r = ParseRect(value)) SetInset(*r);
    else ReportMalformed(name, value);
  } else if (name == L"childpadding") {
    if (auto n = ParseInt(value)) SetChildPadding(*n);
    else ReportMalformed(name, value);
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  return true;
}

void CContainerUI::DoPaint(ICanvas& canvas, const Rect& dirty) {
  Rect area = m_rcItem.Intersect(dirty);
  if (area.IsEmpty()) return;
  CControlUI::DoPaint(canvas, dirty);
  for (auto& item : m_items) {
    if (item->IsVisible()) item->DoPaint(canvas, area);
  }
}

// Vertical and horizontal layouts: one column or row of children (LayOutLine).
std::wstring_view CVerticalLayoutUI::GetClass() const { return L"VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(std::wstring_view name) {
  if (name == L"VerticalLayout") return this;
  return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(const Rect& rc) {
  CControlUI::SetPos(rc);
  LayOutLine(m_items, InnerRect(), m_iChildPadding, true);
}

std::wstring_view CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(std::wstring_view name) {
  if (name == L"HorizontalLayout") return this;
  return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(const Rect& rc) {
  CControlUI::SetPos(rc);
  LayOutLine(m_items, InnerRect(), m_iChildPadding, false);
}

std::wstring_view CTabLayoutUI::GetClass() const { return L"TabLayoutUI"; }

void* CTabLayoutUI::GetInterface(std::wstring_view name) {
  if (name == L"TabLayout") return this;
  return CContainerUI::GetInterface(name);
}

void CTabLayoutUI::OnChildAdded(int index, CControlUI* child) {
  if (index <= m_iCurSel && GetCount() > 1) {
    // A page inserted before the current one: the current page keeps showing.
    ++m_iCurSel;
  }
  child->SetVisible(index == m_iCurSel);
}

void CTabLayoutUI::ShowOnly(int index) {
  for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetVisible(i == index);
}

bool CTabLayoutUI::SelectPage(int index) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == m_iCurSel) return true;
  const int previous = m_iCurSel;
  m_iCurSel = index;
  ShowOnly(index);
  NeedUpdate();
  if (m_pManager) m_pManager->UpdateLayout();
  SendNotice(L"tabselect", static_cast<WParam>(index), previous);
  return true;
}

bool CTabLayoutUI::Remove(CControlUI* control) {
  int index = GetItemIndex(control);
  if (index < 0) return false;
  CContainerUI::Remove(control);
  if (index < m_iCurSel) --m_iCurSel;
  if (m_iCurSel >= GetCount()) m_iCurSel = std::max(0, GetCount() - 1);
  ShowOnly(m_iCurSel);
  return true;
}

void CTabLayoutUI::RemoveAll() {
  CContainerUI::RemoveAll();
  m_iCurSel = 0;
}

void CTabLayoutUI::SetPos(const Rect& rc) {
  CControlUI::SetPos(rc);
  const Rect inner = InnerRect();
  for (auto& item : m_items) {
    if (!item->IsVisible()) continue;
    item->SetPos(inner.Deflated(item->GetPadding()));
  }
}

bool CTabLayoutUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"selectedid") {
    auto index = ParseInt(value);
    if (!index || *index < 0) {
      ReportMalformed(name, value);
      return true;
    }
    m_iCurSel = *index;
    ShowOnly(m_iCurSel);
    NeedUpdate();
    return true;
  }
  return CContainerUI::SetAttribute(name, value);
}

}  // namespace SkinUI
