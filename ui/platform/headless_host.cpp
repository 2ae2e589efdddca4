#include "ui/platform/headless_host.h"

#include <algorithm>
#include <chrono>

#include "common/log/log.h"

namespace SkinUI {
namespace {

constexpr WParam kSizeRestored = 0;
constexpr WParam kSizeMinimized = 1;
constexpr WParam kSizeMaximized = 2;

bool IsInputMessage(MsgId msg) {
  return (msg >= kMsgKeyDown && msg <= 0x0109) || (msg >= kMsgMouseMove && msg <= 0x020E);
}

uint64_t SteadyMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Rect Union(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

HeadlessHost::HeadlessHost(Clock clock) : clock_(clock), realStart_(SteadyMs()) {
  idleTimeoutMs_ = clock == Clock::kVirtual ? 30000 : 0;
}

HeadlessHost::~HeadlessHost() {
  // Windows still alive go the way DestroyWindow takes them, so their owners
  // see their final messages.
  while (!windows_.empty()) {
    WindowHandle h = nullptr;
    for (auto& [handle, w] : windows_) {
      if (!w->destroying && !w->owner) h = handle;
    }
    if (!h) h = windows_.begin()->first;
    if (!DestroyNativeWindow(h)) break;
  }
}

HeadlessHost::Window* HeadlessHost::Find(WindowHandle hwnd) {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second.get();
}

const HeadlessHost::Window* HeadlessHost::Find(WindowHandle hwnd) const {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second.get();
}

uint64_t HeadlessHost::Now() const { return clock_ == Clock::kVirtual ? virtualNow_ : SteadyMs() - realStart_; }

bool HeadlessHost::RegisterWindowClass(const WindowClassInfo& info) {
  if (std::find(classes_.begin(), classes_.end(), info.name) == classes_.end()) classes_.push_back(info.name);
  return true;
}

WindowHandle HeadlessHost::CreateNativeWindow(const WindowCreateInfo& info, IWindowProc* proc) {
  if (!proc || std::find(classes_.begin(), classes_.end(), info.className) == classes_.end()) return nullptr;
  if (info.owner && !Find(info.owner)) return nullptr;
  auto window = std::make_unique<Window>();
  window->proc = proc;
  window->className = info.className;
  window->title = info.title;
  window->style = info.style & ~kWsVisible;
  window->exStyle = info.exStyle;
  window->rect = info.rect;
  window->owner = info.owner;
  WindowHandle hwnd = reinterpret_cast<WindowHandle>(nextHandle_);
  nextHandle_ += 0x10;
  {
    std::lock_guard<std::mutex> hold(lock_);
    windows_[hwnd] = std::move(window);
    queues_[hwnd];
  }
  Send(hwnd, kMsgNcCreate, 0, 0);
  if (Send(hwnd, kMsgCreate, 0, 0) == -1) {
    DestroyNativeWindow(hwnd);
    return nullptr;
  }
  if (!Find(hwnd)) return nullptr;  // destroyed during its creation
  Window& w = *Find(hwnd);
  Send(hwnd, kMsgSize, kSizeRestored, MakePointParam(w.rect.Width(), w.rect.Height()));
  Send(hwnd, kMsgMove, 0, MakePointParam(w.rect.left, w.rect.top));
  if (info.style & kWsVisible) ShowWindow(hwnd, kSwShow);
  return hwnd;
}

bool HeadlessHost::DestroyNativeWindow(WindowHandle hwnd) {
  Window* w = Find(hwnd);
  if (!w || w->destroying) return false;
  {
    std::lock_guard<std::mutex> hold(lock_);  // Post reads the flag on other threads
    w->destroying = true;
  }
  // Owned windows go first.
  for (;;) {
    WindowHandle owned = nullptr;
    for (auto& [handle, other] : windows_) {
      if (other->owner == hwnd && !other->destroying) owned = handle;
    }
    if (!owned) break;
    DestroyNativeWindow(owned);
  }
  if (capture_ == hwnd) ReleaseCapture();
  w = Find(hwnd);
  if (w && w->visible) {
    w->visible = false;
    Send(hwnd, kMsgShowWindow, 0, 0);
  }
  w = Find(hwnd);
  WindowHandle owner = w ? w->owner : nullptr;
  if (focus_ == hwnd) {
    WindowHandle next = (owner && Find(owner) && !Find(owner)->destroying) ? owner : nullptr;
    focus_ = nullptr;
    Send(hwnd, kMsgKillFocus, reinterpret_cast<WParam>(next), 0);
    if (next) SetFocus(next);
  }
  Send(hwnd, kMsgDestroy, 0, 0);
  {
    std::lock_guard<std::mutex> hold(lock_);
    queues_.erase(hwnd);
  }
  if (Window* still = Find(hwnd)) still->timers.clear();
  Send(hwnd, kMsgNcDestroy, 0, 0);
  std::unique_ptr<Window> gone;
  {
    std::lock_guard<std::mutex> hold(lock_);
    auto it = windows_.find(hwnd);
    if (it != windows_.end()) {
      gone = std::move(it->second);
      windows_.erase(it);
    }
  }
  return true;
}

bool HeadlessHost::IsWindow(WindowHandle hwnd) const {
  std::lock_guard<std::mutex> hold(lock_);
  return Find(hwnd) != nullptr;
}

WindowHandle HeadlessHost::GetOwner(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->owner : nullptr;
}

bool HeadlessHost::Post(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    auto queue = queues_.find(hwnd);
    const Window* w = Find(hwnd);
    if (queue == queues_.end() || !w || w->destroying) return false;
    Queued q;
    q.seq = nextSeq_++;
    q.msg.hwnd = hwnd;
    q.msg.message = msg;
    q.msg.wParam = wParam;
    q.msg.lParam = lParam;
    q.msg.pt = cursorScreen_;
    queue->second.push_back(q);
  }
  posted_.notify_all();
  return true;
}

LResult HeadlessHost::Send(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) {
  Window* w = Find(hwnd);
  if (!w) return 0;
  return w->proc->WindowProc(hwnd, msg, wParam, lParam);
}

LResult HeadlessHost::DefaultProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) {
  Window* w = Find(hwnd);
  if (!w) return 0;
  switch (msg) {
    case kMsgClose:
      DestroyNativeWindow(hwnd);
      return 0;
    case kMsgSysCommand:
      switch (wParam & 0xFFF0) {
        case kScClose:
          Send(hwnd, kMsgClose, 0, 0);
          return 0;
        case kScMinimize:
          ShowWindow(hwnd, kSwMinimize);
          return 0;
        case kScMaximize:
          ShowWindow(hwnd, kSwMaximize);
          return 0;
        case kScRestore:
          ShowWindow(hwnd, kSwRestore);
          return 0;
        case kScMove:
          ++w->moveStarts;
          return 0;
        default:
          return 0;
      }
    case kMsgNcLButtonDown:
      if (static_cast<int32_t>(wParam) == kHtCaption) Send(hwnd, kMsgSysCommand, static_cast<WParam>(kScMove) | static_cast<WParam>(kHtCaption), lParam);
      return 0;
    case kMsgSysKeyDown:
      if (wParam == kVkF4 && (lParam & (1 << 29))) Send(hwnd, kMsgSysCommand, kScClose, 0);
      return 0;
    case kMsgNcHitTest:
      return kHtClient;
    case kMsgNcActivate:
      return 1;
    case kMsgPaint:
      w->paintRect = {};
      return 0;
    default:
      return 0;
  }
}

bool HeadlessHost::TakePaint(Message& msg) {
  for (auto& [handle, w] : windows_) {
    if (w->dirty && w->visible && !w->iconic && !w->destroying) {
      w->dirty = false;
      w->paintRect = w->dirtyRect;
      w->dirtyRect = {};
      msg = Message{};
      msg.hwnd = handle;
      msg.message = kMsgPaint;
      msg.time = static_cast<uint32_t>(Now());
      return true;
    }
  }
  return false;
}

bool HeadlessHost::TakeTimer(Message& msg) {
  const uint64_t now = Now();
  Window* best = nullptr;
  WindowHandle bestHandle = nullptr;
  uintptr_t bestId = 0;
  uint64_t bestDue = UINT64_MAX;
  for (auto& [handle, w] : windows_) {
    if (w->destroying) continue;
    for (auto& [id, t] : w->timers) {
      if (t.due <= now && t.due < bestDue) {
        best = w.get();
        bestHandle = handle;
        bestId = id;
        bestDue = t.due;
      }
    }
  }
  if (!best) return false;
  Timer& t = best->timers[bestId];
  t.due = now + std::max<uint32_t>(t.period, 1);  // missed periods coalesce into one message
  msg = Message{};
  msg.hwnd = bestHandle;
  msg.message = kMsgTimer;
  msg.wParam = bestId;
  msg.time = static_cast<uint32_t>(now);
  return true;
}

bool HeadlessHost::TakeMessage(Message& msg) {
  for (;;) {
    bool found = false;
    {
      std::lock_guard<std::mutex> hold(lock_);
      std::deque<Queued>* best = nullptr;
      for (auto& [handle, queue] : queues_) {
        if (!queue.empty() && (!best || queue.front().seq < best->front().seq)) best = &queue;
      }
      if (best) {
        msg = best->front().msg;
        best->pop_front();
        found = true;
      } else if (quit_) {
        quit_ = false;
        msg = Message{};
        msg.message = kMsgQuit;
        msg.wParam = static_cast<WParam>(quitCode_);
        return true;
      }
    }
    if (!found) break;
    msg.time = static_cast<uint32_t>(Now());
    if (IsInputMessage(msg.message)) {
      const Window* w = Find(msg.hwnd);
      if (!w || !w->enabled) continue;  // disabled windows take no input
    }
    return true;
  }
  return TakePaint(msg) || TakeTimer(msg);
}

bool HeadlessHost::PeekMessage(Message& msg) { return TakeMessage(msg); }

bool HeadlessHost::GetMessage(Message& msg) {
  uint64_t idleSince = SteadyMs();
  for (;;) {
    if (TakeMessage(msg)) return msg.message != kMsgQuit;
    uint32_t due = 0;
    bool hasTimer = NextTimerDue(due);
    if (clock_ == Clock::kVirtual && hasTimer) {
      virtualNow_ = std::max<uint64_t>(virtualNow_, due);
      continue;
    }
    std::unique_lock<std::mutex> hold(lock_);
    bool pending = quit_;
    for (auto& [handle, queue] : queues_) pending = pending || !queue.empty();
    if (pending) continue;
    uint64_t waitMs = 50;
    if (hasTimer) waitMs = due > Now() ? due - Now() : 0;
    if (idleTimeoutMs_ && !hasTimer) {
      uint64_t idle = SteadyMs() - idleSince;
      if (idle >= idleTimeoutMs_) {
        PLOG_ERROR << "headless message loop idle for " << idle << " ms with nothing pending";
        msg = Message{};
        msg.message = kMsgQuit;
        return false;
      }
      waitMs = std::min<uint64_t>(waitMs, idleTimeoutMs_ - idle);
    }
    posted_.wait_for(hold, std::chrono::milliseconds(waitMs));
  }
}

LResult HeadlessHost::DispatchMessage(const Message& msg) {
  if (!msg.hwnd) return 0;
  return Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void HeadlessHost::PostQuitMessage(int exitCode) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    quit_ = true;
    quitCode_ = exitCode;
  }
  posted_.notify_all();
}

Rect HeadlessHost::GetWindowRect(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->rect : Rect{};
}

Rect HeadlessHost::GetClientRect(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  if (!w || w->iconic) return {};
  return {0, 0, w->rect.Width(), w->rect.Height()};
}

bool HeadlessHost::SetWindowPos(WindowHandle hwnd, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  Window* w = Find(hwnd);
  if (!w) return false;
  Rect old = w->rect;
  Rect next = old;
  if (!(flags & kSwpNoMove)) next = next.Offset(x - old.left, y - old.top);
  if (!(flags & kSwpNoSize)) {
    next.right = next.left + std::max(cx, 0);
    next.bottom = next.top + std::max(cy, 0);
  }
  w->rect = next;
  if (flags & kSwpFrameChanged) Send(hwnd, kMsgNcCalcSize, 0, 0);
  if (next.left != old.left || next.top != old.top) Send(hwnd, kMsgMove, 0, MakePointParam(next.left, next.top));
  if (next.Width() != old.Width() || next.Height() != old.Height()) {
    Send(hwnd, kMsgSize, kSizeRestored, MakePointParam(next.Width(), next.Height()));
    Invalidate(hwnd, nullptr);
  }
  if (!(flags & kSwpNoActivate) && Find(hwnd) && Find(hwnd)->visible) SetFocus(hwnd);
  return true;
}

void HeadlessHost::SetSizeState(WindowHandle hwnd, Window& w, WParam kind) {
  Send(hwnd, kMsgSize, kind, kind == kSizeMinimized ? 0 : MakePointParam(w.rect.Width(), w.rect.Height()));
}

bool HeadlessHost::ShowWindow(WindowHandle hwnd, int32_t command) {
  Window* w = Find(hwnd);
  if (!w) return false;
  const bool wasVisible = w->visible;
  switch (command) {
    case kSwHide:
      w->visible = false;
      break;
    case kSwMinimize:
    case kSwShowMinimized:
      w->visible = true;
      if (!w->iconic) {
        w->iconic = true;
        SetSizeState(hwnd, *w, kSizeMinimized);
      }
      if (focus_ == hwnd) SetFocus(nullptr);
      break;
    case kSwMaximize:
      w->visible = true;
      if (!w->zoomed) {
        w->restoreRect = w->rect;
        w->zoomed = true;
        w->iconic = false;
        w->rect = workArea_;
        SetSizeState(hwnd, *w, kSizeMaximized);
      }
      break;
    case kSwRestore:
    case kSwShowNormal:
      w->visible = true;
      if (w->iconic || w->zoomed) {
        if (w->zoomed) w->rect = w->restoreRect;
        w->iconic = false;
        w->zoomed = false;
        SetSizeState(hwnd, *w, kSizeRestored);
      }
      break;
    default:  // kSwShow, kSwShowNoActivate
      w->visible = true;
      break;
  }
  w = Find(hwnd);
  if (!w) return wasVisible;
  if (w->visible != wasVisible) Send(hwnd, kMsgShowWindow, w->visible ? 1 : 0, 0);
  if (Find(hwnd) && Find(hwnd)->visible) {
    Invalidate(hwnd, nullptr);
    if (command == kSwShowNormal || command == kSwShow || command == kSwRestore || command == kSwMaximize) {
      SetFocus(hwnd);
    }
  }
  return wasVisible;
}

bool HeadlessHost::IsWindowVisible(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w && w->visible;
}
bool HeadlessHost::IsIconic(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w && w->iconic;
}
bool HeadlessHost::IsZoomed(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w && w->zoomed;
}
uint32_t HeadlessHost::GetStyle(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  if (!w) return 0;
  uint32_t style = w->style;
  if (w->visible) style |= kWsVisible;
  if (!w->enabled) style |= kWsDisabled;
  if (w->iconic) style |= kWsMinimize;
  if (w->zoomed) style |= kWsMaximize;
  return style;
}
void HeadlessHost::SetStyle(WindowHandle hwnd, uint32_t style) {
  if (Window* w = Find(hwnd)) w->style = style & ~(kWsVisible | kWsDisabled | kWsMinimize | kWsMaximize);
}
uint32_t HeadlessHost::GetExStyle(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->exStyle : 0;
}
void HeadlessHost::SetExStyle(WindowHandle hwnd, uint32_t exStyle) {
  if (Window* w = Find(hwnd)) w->exStyle = exStyle;
}

Rect HeadlessHost::GetWorkArea(WindowHandle) const { return workArea_; }

void HeadlessHost::SetRoundRegion(WindowHandle hwnd, Size ellipse) {
  if (Window* w = Find(hwnd)) w->roundRegion = ellipse;
}

void HeadlessHost::EnableWindow(WindowHandle hwnd, bool enable) {
  Window* w = Find(hwnd);
  if (!w || w->enabled == enable) return;
  w->enabled = enable;
  if (!enable && capture_ == hwnd) ReleaseCapture();
  Send(hwnd, kMsgEnable, enable ? 1 : 0, 0);
}

bool HeadlessHost::IsWindowEnabled(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w && w->enabled;
}

void HeadlessHost::SetFocus(WindowHandle hwnd) {
  if (hwnd && !Find(hwnd)) return;
  if (focus_ == hwnd) return;
  WindowHandle old = focus_;
  focus_ = hwnd;
  if (old) Send(old, kMsgKillFocus, reinterpret_cast<WParam>(hwnd), 0);
  if (hwnd && focus_ == hwnd) Send(hwnd, kMsgSetFocus, reinterpret_cast<WParam>(old), 0);
}

void HeadlessHost::SetCapture(WindowHandle hwnd) {
  if (Find(hwnd)) capture_ = hwnd;
}

void HeadlessHost::ReleaseCapture() {
  WindowHandle old = capture_;
  capture_ = nullptr;
  if (old) Send(old, kMsgCaptureChanged, 0, 0);
}

Point HeadlessHost::GetCursorPos(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  if (!w) return cursorScreen_;
  return {cursorScreen_.x - w->rect.left, cursorScreen_.y - w->rect.top};
}

bool HeadlessHost::SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t ms) {
  Window* w = Find(hwnd);
  if (!w || w->destroying) return false;
  w->timers[id] = Timer{ms, Now() + std::max<uint32_t>(ms, 1)};
  posted_.notify_all();
  return true;
}

bool HeadlessHost::KillTimer(WindowHandle hwnd, uintptr_t id) {
  Window* w = Find(hwnd);
  return w && w->timers.erase(id) > 0;
}

uint32_t HeadlessHost::TickCount() const { return static_cast<uint32_t>(Now()); }

void HeadlessHost::AdvanceClock(uint32_t ms) { virtualNow_ += ms; }

bool HeadlessHost::NextTimerDue(uint32_t& when) const {
  uint64_t best = UINT64_MAX;
  for (auto& [handle, w] : windows_) {
    if (w->destroying) continue;
    for (auto& [id, t] : w->timers) best = std::min(best, t.due);
  }
  if (best == UINT64_MAX) return false;
  when = static_cast<uint32_t>(best);
  return true;
}

void HeadlessHost::Invalidate(WindowHandle hwnd, const Rect* rect) {
  Window* w = Find(hwnd);
  if (!w) return;
  Rect client{0, 0, w->rect.Width(), w->rect.Height()};
  Rect part = rect ? rect->Intersect(client) : client;
  if (part.IsEmpty()) return;
  w->dirtyRect = Union(w->dirtyRect, part);
  w->dirty = true;
}

void HeadlessHost::Paint(WindowHandle hwnd, const std::function<void(ICanvas&, const Rect&)>& draw) {
  Window* w = Find(hwnd);
  if (!w) return;
  Rect client{0, 0, w->rect.Width(), w->rect.Height()};
  // Like BeginPaint: what was invalidated up to now is painted and validated.
  Rect dirty = Union(w->paintRect, w->dirty ? w->dirtyRect : Rect{});
  if (dirty.IsEmpty()) dirty = client;
  w->paintRect = {};
  w->dirty = false;
  w->dirtyRect = {};
  RecordingCanvas canvas({client.Width(), client.Height()});
  draw(canvas, dirty);
  w = Find(hwnd);
  if (!w) return;
  w->lastFrame = canvas.TakeRecords();
  ++w->paintCount;
}

void HeadlessHost::PostInput(WindowHandle hwnd, MsgId msg, WParam wParam, Point pt) {
  const Window* w = Find(hwnd);
  if (!w) return;
  Point screen{pt.x + w->rect.left, pt.y + w->rect.top};
  cursorScreen_ = screen;
  WindowHandle target = hwnd;
  if (capture_ && capture_ != hwnd && Find(capture_)) target = capture_;
  const Window* t = Find(target);
  Post(target, msg, wParam, MakePointParam(screen.x - t->rect.left, screen.y - t->rect.top));
}

void HeadlessHost::PostMouseMove(WindowHandle hwnd, Point pt) { PostInput(hwnd, kMsgMouseMove, 0, pt); }
void HeadlessHost::PostLButtonDown(WindowHandle hwnd, Point pt) { PostInput(hwnd, kMsgLButtonDown, 0x0001, pt); }
void HeadlessHost::PostLButtonUp(WindowHandle hwnd, Point pt) { PostInput(hwnd, kMsgLButtonUp, 0, pt); }
void HeadlessHost::PostClick(WindowHandle hwnd, Point pt) {
  PostMouseMove(hwnd, pt);
  PostLButtonDown(hwnd, pt);
  PostLButtonUp(hwnd, pt);
}
void HeadlessHost::PostKey(WindowHandle hwnd, uint32_t vk) {
  Post(hwnd, kMsgKeyDown, vk, 1);
  Post(hwnd, kMsgKeyUp, vk, static_cast<LParam>(0xC0000001u));
}
void HeadlessHost::PostAltF4(WindowHandle hwnd) { Post(hwnd, kMsgSysKeyDown, kVkF4, (1 << 29) | 1); }

const std::vector<DrawRecord>& HeadlessHost::LastFrame(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->lastFrame : emptyFrame_;
}
int HeadlessHost::PaintCount(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->paintCount : 0;
}
int HeadlessHost::MoveStarts(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->moveStarts : 0;
}
Size HeadlessHost::RoundRegion(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->roundRegion : Size{};
}
bool HeadlessHost::HasPendingMessages(WindowHandle hwnd) const {
  std::lock_guard<std::mutex> hold(lock_);
  auto it = queues_.find(hwnd);
  return it != queues_.end() && !it->second.empty();
}
std::wstring HeadlessHost::ClassName(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->className : std::wstring();
}
std::wstring HeadlessHost::Title(WindowHandle hwnd) const {
  const Window* w = Find(hwnd);
  return w ? w->title : std::wstring();
}
size_t HeadlessHost::WindowCount() const {
  std::lock_guard<std::mutex> hold(lock_);
  return windows_.size();
}

}  // namespace SkinUI
