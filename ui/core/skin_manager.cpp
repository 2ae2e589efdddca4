#include "ui/core/skin_manager.h"

#include <algorithm>

#include "common/log/log.h"
#include "ui/control/button.h"
#include "ui/control/control.h"
#include "ui/package/resource_package.h"

namespace SkinUI {
namespace {

// The managers of the thread's windows, for TranslateMessage.
std::vector<SkinManager*>& Managers() {
  static std::vector<SkinManager*> managers;
  return managers;
}

constexpr size_t kNativeTimerIds = 255;

}  // namespace

SkinManager::SkinManager() {
  Managers().push_back(this);
}

SkinManager::~SkinManager() {
  ReleaseRoot();
  auto& managers = Managers();
  managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
}

void SkinManager::Init(IWindowHost* host, WindowHandle hwnd) {
  m_pHost = host;
  m_hWnd = hwnd;
}

IRenderer* SkinManager::GetRenderer() const {
  if (m_pRenderer) return m_pRenderer;
  return m_pHost ? &m_pHost->Renderer() : nullptr;
}

bool SkinManager::AttachDialog(std::unique_ptr<CControlUI> root) {
  ReleaseRoot();
  if (!root) return false;
  m_pRoot = std::move(root);
  m_bFirstLayout = true;
  InitControls(m_pRoot.get(), nullptr);
  NeedUpdate();
  return true;
}

void SkinManager::ReleaseRoot() {
  if (!m_pRoot) return;
  std::unique_ptr<CControlUI> root = std::move(m_pRoot);
  root.reset();  // each control reaps itself on the way out
  m_mapNames.clear();
  m_pFocus = m_pEventHover = m_pEventClick = nullptr;
}

void SkinManager::InitControls(CControlUI* control, CControlUI* parent) {
  if (!control) return;
  control->SetManager(this, parent, true);
  RegisterNames(control);
}

void SkinManager::RegisterNames(CControlUI* control) {
  for (int i = 0; i < control->GetChildCount(); ++i) RegisterNames(control->GetChildAt(i));
  if (!control->GetName().empty()) m_mapNames[control->GetName()] = control;
}

void SkinManager::ReapObjects(CControlUI* control) {
  if (!control) return;
  if (m_pFocus == control) m_pFocus = nullptr;
  if (m_pEventHover == control) m_pEventHover = nullptr;
  if (m_pEventClick == control) m_pEventClick = nullptr;
  KillControlTimers(control);
  m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                [control](const TimerRecord& r) { return r.control == control; }),
                 m_timers.end());
  m_delayedNotify.erase(std::remove_if(m_delayedNotify.begin(), m_delayedNotify.end(),
                                       [control](const NotifyMsg& m) { return m.pSender == control; }),
                        m_delayedNotify.end());
  if (!control->GetName().empty()) {
    auto it = m_mapNames.find(control->GetName());
    if (it != m_mapNames.end() && it->second == control) m_mapNames.erase(it);
  }
}

CControlUI* SkinManager::FindByName(std::wstring_view name) const {
  auto it = m_mapNames.find(std::wstring(name));
  return it == m_mapNames.end() ? nullptr : it->second;
}

CControlUI* SkinManager::FindControlAt(Point pt, bool mouseOnly) const {
  return m_pRoot ? m_pRoot->FindControlAt(pt, mouseOnly) : nullptr;
}

void SkinManager::SendNotice(CControlUI* sender, std::wstring_view type, WParam wParam, LParam lParam, bool later) {
  NotifyMsg msg;
  msg.strType = type;
  msg.pSender = sender;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.nTimestamp = m_pHost ? m_pHost->TickCount() : 0;
  msg.ptMouse = m_ptLastMousePos;
  if (m_bUsedVirtualWnd && sender) msg.strVirtualWnd = sender->GetVirtualWnd();
  if (later) {
    m_delayedNotify.push_back(std::move(msg));
    if (!m_bDelayedPosted && m_pHost && m_hWnd) {
      m_bDelayedPosted = m_pHost->Post(m_hWnd, kMsgDelayedNotify, 0, 0);
    }
    return;
  }
  DeliverNotice(msg, true);
}

void SkinManager::DeliverNotice(NotifyMsg& msg, bool toListeners) {
  if (toListeners && msg.pSender) {
    // Copy: a listener may add listeners.
    auto listeners = msg.pSender->OnNotify;
    for (auto& listener : listeners) listener(msg);
  }
  // By index: a notifier may register or remove notifiers while it runs.
  for (size_t i = 0; i < m_notifiers.size(); ++i) m_notifiers[i]->Notify(msg);
}

void SkinManager::DeliverDelayed() {
  m_bDelayedPosted = false;
  while (!m_delayedNotify.empty()) {
    NotifyMsg msg = std::move(m_delayedNotify.front());
    m_delayedNotify.pop_front();
    DeliverNotice(msg, true);
  }
}

bool SkinManager::AddNotifier(INotifyUI* notifier) {
  if (!notifier || std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end()) return false;
  m_notifiers.push_back(notifier);
  return true;
}

bool SkinManager::RemoveNotifier(INotifyUI* notifier) {
  auto it = std::find(m_notifiers.begin(), m_notifiers.end(), notifier);
  if (it == m_notifiers.end()) return false;
  m_notifiers.erase(it);
  return true;
}

bool SkinManager::AddPreMessageFilter(IMessageFilterUI* filter) {
  if (!filter || std::find(m_preFilters.begin(), m_preFilters.end(), filter) != m_preFilters.end()) return false;
  m_preFilters.push_back(filter);
  return true;
}

bool SkinManager::RemovePreMessageFilter(IMessageFilterUI* filter) {
  auto it = std::find(m_preFilters.begin(), m_preFilters.end(), filter);
  if (it == m_preFilters.end()) return false;
  m_preFilters.erase(it);
  return true;
}

bool SkinManager::PreMessageHandler(const Message& msg, LResult& result) {
  for (size_t i = 0; i < m_preFilters.size(); ++i) {
    bool handled = false;
    LResult r = m_preFilters[i]->MessageHandler(msg.message, msg.wParam, msg.lParam, handled);
    if (handled) {
      result = r;
      return true;
    }
  }
  return false;
}

bool SkinManager::TranslateMessage(const Message& msg) {
  if (!msg.hwnd) return false;
  auto managers = Managers();  // a filter may close a window and its manager
  for (SkinManager* manager : managers) {
    if (manager->m_hWnd != msg.hwnd) continue;
    if (std::find(Managers().begin(), Managers().end(), manager) == Managers().end()) continue;
    LResult result = 0;
    if (manager->PreMessageHandler(msg, result)) return true;
  }
  return false;
}

int SkinManager::MessageLoop(IWindowHost& host) {
  Message msg;
  while (host.GetMessage(msg)) {
    if (!TranslateMessage(msg)) host.DispatchMessage(msg);
  }
  return static_cast<int>(msg.wParam);
}

size_t SkinManager::PumpPending(IWindowHost& host) {
  size_t count = 0;
  Message msg;
  while (host.PeekMessage(msg)) {
    if (msg.message == kMsgQuit) {
      host.PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!TranslateMessage(msg)) host.DispatchMessage(msg);
    ++count;
  }
  return count;
}

bool SkinManager::SetControlTimer(CControlUI* control, uint32_t id, uint32_t ms) {
  if (!control || !m_pHost || !m_hWnd) return false;
  for (TimerRecord& r : m_timers) {
    if (r.control == control && r.hwnd == m_hWnd && r.localId == id) {
      if (!r.killed) return false;  // a running timer keeps its period
      if (!m_pHost->SetTimer(m_hWnd, r.nativeId, ms)) return false;
      r.killed = false;
      return true;
    }
  }
  if (m_timers.size() >= kNativeTimerIds) return false;
  // The next native id after the counter that no record holds.
  uint32_t candidate = m_nTimerCounter;
  for (size_t tries = 0; tries < kNativeTimerIds; ++tries) {
    candidate = (candidate + 1) % kNativeTimerIds;
    bool taken = std::any_of(m_timers.begin(), m_timers.end(),
                             [&](const TimerRecord& r) { return r.hwnd == m_hWnd && r.nativeId == candidate; });
    if (!taken) break;
  }
  m_nTimerCounter = candidate;
  if (!m_pHost->SetTimer(m_hWnd, candidate, ms)) return false;
  m_timers.push_back({control, id, m_hWnd, candidate, false});
  return true;
}

bool SkinManager::KillControlTimer(CControlUI* control, uint32_t id) {
  for (TimerRecord& r : m_timers) {
    if (r.control == control && r.hwnd == m_hWnd && r.localId == id) {
      if (!r.killed && m_pHost) m_pHost->KillTimer(r.hwnd, r.nativeId);
      r.killed = true;
      return true;
    }
  }
  return false;
}

void SkinManager::KillControlTimers(CControlUI* control) {
  for (TimerRecord& r : m_timers) {
    if (r.control == control) {
      if (!r.killed && m_pHost) m_pHost->KillTimer(r.hwnd, r.nativeId);
      r.killed = true;
    }
  }
}

void SkinManager::KillAllControlTimers() {
  for (TimerRecord& r : m_timers) {
    if (!r.killed && m_pHost) m_pHost->KillTimer(r.hwnd, r.nativeId);
    r.killed = true;
  }
}

std::optional<uintptr_t> SkinManager::NativeTimerId(const CControlUI* control, uint32_t id) const {
  for (const TimerRecord& r : m_timers) {
    if (r.control == control && r.localId == id) return r.nativeId;
  }
  return std::nullopt;
}

bool SkinManager::OnTimer(WParam nativeId) {
  for (const TimerRecord& r : m_timers) {
    if (r.hwnd == m_hWnd && r.nativeId == nativeId && !r.killed) {
      EventUI event;
      event.type = EventType::kTimer;
      event.pSender = r.control;
      event.wParam = r.localId;
      event.nTimestamp = m_pHost ? m_pHost->TickCount() : 0;
      event.ptMouse = m_ptLastMousePos;
      r.control->Event(event);
      return true;
    }
  }
  return false;
}

void SkinManager::SetFocus(CControlUI* control) {
  if (control == m_pFocus) return;
  if (control && (!control->IsFocusable() || !control->IsVisibleInTree() || !control->IsEnabled())) return;
  CControlUI* old = m_pFocus;
  m_pFocus = control;
  if (old) SendEvent(old, EventType::kKillFocus, m_ptLastMousePos);
  if (control && m_pFocus == control) SendEvent(control, EventType::kSetFocus, m_ptLastMousePos);
}

void SkinManager::AddOptionGroup(const std::wstring& group, COptionUI* option) {
  auto& members = m_optionGroups[group];
  if (std::find(members.begin(), members.end(), option) == members.end()) members.push_back(option);
}

void SkinManager::RemoveOptionGroup(const std::wstring& group, COptionUI* option) {
  auto it = m_optionGroups.find(group);
  if (it == m_optionGroups.end()) return;
  auto& members = it->second;
  members.erase(std::remove(members.begin(), members.end(), option), members.end());
  if (members.empty()) m_optionGroups.erase(it);
}

const std::vector<COptionUI*>* SkinManager::GetOptionGroup(const std::wstring& group) const {
  auto it = m_optionGroups.find(group);
  return it == m_optionGroups.end() ? nullptr : &it->second;
}

int SkinManager::AddFont(const FontSpec& spec, bool isDefault) {
  m_fonts.push_back({spec, nullptr});
  int index = static_cast<int>(m_fonts.size()) - 1;
  if (isDefault) m_nDefaultFont = index;
  return index;
}

const FontSpec& SkinManager::GetFontSpec(int index) const {
  if (index >= 0 && index < GetFontCount()) return m_fonts[static_cast<size_t>(index)].spec;
  if (m_nDefaultFont >= 0 && m_nDefaultFont < GetFontCount()) return m_fonts[static_cast<size_t>(m_nDefaultFont)].spec;
  return m_builtinFont.spec;
}

IFont* SkinManager::GetFont(int index) {
  FontEntry* entry = &m_builtinFont;
  if (index >= 0 && index < GetFontCount()) entry = &m_fonts[static_cast<size_t>(index)];
  else if (m_nDefaultFont >= 0 && m_nDefaultFont < GetFontCount()) entry = &m_fonts[static_cast<size_t>(m_nDefaultFont)];
  if (!entry->font) {
    IRenderer* renderer = GetRenderer();
    if (!renderer) return nullptr;
    entry->font = renderer->CreateFont(entry->spec);
  }
  return entry->font.get();
}

IFont* SkinManager::GetFontFor(const FontSpec& spec) {
  for (auto& entry : m_fonts) {
    if (entry.spec == spec) {
      if (!entry.font && GetRenderer()) entry.font = GetRenderer()->CreateFont(spec);
      return entry.font.get();
    }
  }
  for (auto& entry : m_derivedFonts) {
    if (entry.spec == spec) return entry.font.get();
  }
  IRenderer* renderer = GetRenderer();
  if (!renderer) return nullptr;
  m_derivedFonts.push_back({spec, renderer->CreateFont(spec)});
  return m_derivedFonts.back().font.get();
}

bool SkinManager::AddStyle(const std::wstring& name, const std::wstring& list) {
  return m_styles.emplace(name, list).second;
}

const std::wstring* SkinManager::GetStyle(std::wstring_view name) const {
  auto it = m_styles.find(name);
  return it == m_styles.end() ? nullptr : &it->second;
}

void SkinManager::AddDefaultAttributeList(const std::wstring& className, const std::wstring& list) {
  m_defaults[className] = list;
}

const std::wstring* SkinManager::GetDefaultAttributeList(std::wstring_view className) const {
  auto it = m_defaults.find(className);
  return it == m_defaults.end() ? nullptr : &it->second;
}

std::wstring SkinManager::ImageKey(std::wstring_view path) {
  std::wstring key(path);
  for (wchar_t& c : key) {
    if (c == L'\\') c = L'/';
    else if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  }
  return key;
}

void SkinManager::AddImage(const std::wstring& name, const std::wstring& path) {
  m_imageAliases[ImageKey(name)] = path;
}

std::shared_ptr<IImage> SkinManager::GetImage(std::wstring_view path) {
  std::wstring key = ImageKey(path);
  auto cached = m_images.find(key);
  if (cached != m_images.end()) return cached->second;
  std::wstring file(path);
  auto alias = m_imageAliases.find(key);
  if (alias != m_imageAliases.end()) file = alias->second;
  std::shared_ptr<IImage> image;
  IRenderer* renderer = GetRenderer();
  if (renderer) {
    if (auto bytes = ReadResourceFile(file)) {
      image = renderer->DecodeImage(*bytes, file);
      if (!image) {
        PLOG_WARNING << "image cannot be decoded: " << file;
      }
    } else {
      PLOG_WARNING << "image not in the skin package: " << file;
    }
    m_images.emplace(key, image);  // failures are remembered too
  }
  return image;
}

void SkinManager::SetInitSize(Size size) {
  m_attrs.initSize = size;
  if (m_pHost && m_hWnd && !m_pRoot) {
    m_pHost->SetWindowPos(m_hWnd, 0, 0, size.cx, size.cy, kSwpNoZOrder | kSwpNoMove | kSwpNoActivate);
  }
}

void SkinManager::SetLayered(bool layered) {
  m_attrs.layered = layered;
  if (m_pHost && m_hWnd) {
    uint32_t ex = m_pHost->GetExStyle(m_hWnd);
    m_pHost->SetExStyle(m_hWnd, layered ? (ex | kWsExLayered) : (ex & ~kWsExLayered));
  }
}

Rect SkinManager::GetClientRect() const {
  if (m_pHost && m_hWnd) return m_pHost->GetClientRect(m_hWnd);
  return {0, 0, m_attrs.initSize.cx, m_attrs.initSize.cy};
}

bool SkinManager::InCaption(Point pt) const {
  const Rect client = GetClientRect();
  const Rect& c = m_attrs.caption;
  return pt.x >= client.left + c.left && pt.x < client.right - c.right && pt.y >= c.top && pt.y < c.bottom;
}

void SkinManager::NeedUpdate() {
  m_bUpdateNeeded = true;
  if (m_pHost && m_hWnd) m_pHost->Invalidate(m_hWnd, nullptr);
}

void SkinManager::UpdateLayout(bool force) {
  if (!m_pRoot || (!m_bUpdateNeeded && !force)) return;
  Rect client = GetClientRect();
  if (client.IsEmpty()) return;  // minimised: keep the last layout
  m_bUpdateNeeded = false;
  m_pRoot->SetPos(client);
  // Laying out may mark itself stale again (auto sizes); one pass is enough.
  m_bUpdateNeeded = false;
}

void SkinManager::Invalidate(const Rect& rect) {
  if (m_pHost && m_hWnd) m_pHost->Invalidate(m_hWnd, &rect);
}

void SkinManager::PaintTo(ICanvas& canvas, const Rect& dirty) {
  UpdateLayout();
  if (m_pRoot) m_pRoot->DoPaint(canvas, dirty);
}

void SkinManager::Paint() {
  if (!m_pHost || !m_hWnd) return;
  UpdateLayout();
  if (m_pRoot && m_bFirstLayout) {
    m_bFirstLayout = false;
    NotifyMsg msg;
    msg.strType = L"windowinit";
    msg.pSender = m_pRoot.get();
    msg.nTimestamp = m_pHost->TickCount();
    msg.ptMouse = m_ptLastMousePos;
    DeliverNotice(msg, false);
  }
  m_pHost->Paint(m_hWnd, [this](ICanvas& canvas, const Rect& dirty) {
    if (m_pRoot) m_pRoot->DoPaint(canvas, dirty);
  });
}

void SkinManager::SendEvent(CControlUI* control, EventType type, Point pt, WParam wParam, uint32_t key) {
  if (!control) return;
  EventUI event;
  event.type = type;
  event.pSender = control;
  event.ptMouse = pt;
  event.wParam = wParam;
  event.chKey = key;
  event.nTimestamp = m_pHost ? m_pHost->TickCount() : 0;
  control->Event(event);
}

void SkinManager::SetHot(CControlUI* control, Point pt) {
  if (control == m_pEventHover) return;
  CControlUI* old = m_pEventHover;
  m_pEventHover = control;
  if (old) SendEvent(old, EventType::kMouseLeave, pt);
  if (control && m_pEventHover == control) SendEvent(control, EventType::kMouseEnter, pt);
}

bool SkinManager::MessageHandler(MsgId msg, WParam wParam, LParam lParam, LResult& result) {
  result = 0;
  switch (msg) {
    case kMsgDelayedNotify:
      DeliverDelayed();
      return true;
    case kMsgPaint:
      Paint();
      return true;
    case kMsgEraseBkgnd:
      result = 1;
      return true;
    case kMsgSize:
      NeedUpdate();
      return false;
    case kMsgTimer:
      return OnTimer(wParam);
    case kMsgMouseMove: {
      Point pt = PointFromParam(lParam);
      m_ptLastMousePos = pt;
      CControlUI* hit = FindControlAt(pt);
      SetHot(hit, pt);
      if (m_pEventClick) SendEvent(m_pEventClick, EventType::kMouseMove, pt);
      else if (hit) SendEvent(hit, EventType::kMouseMove, pt);
      if (m_pHost) m_pHost->SetCursor(CursorKind::kArrow);
      if (hit) SendEvent(hit, EventType::kSetCursor, pt);
      return false;
    }
    case kMsgMouseLeave:
      SetHot(nullptr, m_ptLastMousePos);
      return false;
    case kMsgLButtonDown:
    case kMsgLButtonDblClk: {
      Point pt = PointFromParam(lParam);
      m_ptLastMousePos = pt;
      CControlUI* hit = FindControlAt(pt);
      if (!hit) return false;
      SetHot(hit, pt);
      if (hit->IsFocusable()) SetFocus(hit);
      m_pEventClick = hit;
      if (m_pHost && m_hWnd) m_pHost->SetCapture(m_hWnd);
      SendEvent(hit, msg == kMsgLButtonDown ? EventType::kButtonDown : EventType::kDblClick, pt);
      return false;
    }
    case kMsgLButtonUp: {
      Point pt = PointFromParam(lParam);
      m_ptLastMousePos = pt;
      CControlUI* target = m_pEventClick;
      m_pEventClick = nullptr;
      if (m_pHost && m_pHost->GetCapture() == m_hWnd) m_pHost->ReleaseCapture();
      if (target) SendEvent(target, EventType::kButtonUp, pt);
      return false;
    }
    case kMsgKeyDown:
      if (m_pFocus) SendEvent(m_pFocus, EventType::kKeyDown, m_ptLastMousePos, 0, static_cast<uint32_t>(wParam));
      return false;
    case kMsgKillFocus:
      if (m_pEventClick) {
        // The window lost the focus mid-press: no click will follow.
        CControlUI* target = m_pEventClick;
        m_pEventClick = nullptr;
        SendEvent(target, EventType::kButtonUp, {-1, -1});
      }
      return false;
    case kMsgDestroy:
      KillAllControlTimers();
      ReleaseRoot();
      m_notifiers.clear();
      return false;
    default:
      return false;
  }
}

}  // namespace SkinUI
