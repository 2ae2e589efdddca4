#include "ui/win/win_host.h"

#include <algorithm>

#include "common/log/log.h"
#include "ui/win/gdiplus_canvas.h"
#include "ui/win/gdiplus_include.h"
#include "ui/win/gdiplus_renderer.h"

namespace SkinUI {

// What the host keeps per window; the window's first extra word points here
// from WM_NCCREATE to WM_NCDESTROY.
struct WinWindowData {
  WinHost* host = nullptr;
  IWindowProc* proc = nullptr;
  HWND hwnd = nullptr;
  bool trackingLeave = false;
  int paints = 0;
  // What was invalidated through the host since the last paint; empty means
  // nothing known, so a paint then redraws everything.
  Rect pending;
  std::unique_ptr<GdiplusCanvas> back;
};

namespace {

HWND H(WindowHandle hwnd) { return static_cast<HWND>(hwnd); }

Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

Message FromMsg(const MSG& m) {
  Message msg;
  msg.hwnd = m.hwnd;
  msg.message = m.message;
  msg.wParam = m.wParam;
  msg.lParam = m.lParam;
  msg.time = m.time;
  msg.pt = {m.pt.x, m.pt.y};
  return msg;
}

MSG ToMsg(const Message& msg) {
  MSG m{};
  m.hwnd = H(msg.hwnd);
  m.message = msg.message;
  m.wParam = msg.wParam;
  m.lParam = msg.lParam;
  m.time = msg.time;
  m.pt = {msg.pt.x, msg.pt.y};
  return m;
}

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool IsLayered(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

Rect Union(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

WinWindowData* DataOf(HWND hwnd) { return reinterpret_cast<WinWindowData*>(GetWindowLongPtrW(hwnd, 0)); }

// Asks for WM_MOUSELEAVE once the pointer is over the window, so hot states
// end when it leaves.
void TrackLeave(WinWindowData& data) {
  if (data.trackingLeave) return;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, data.hwnd, 0};
  data.trackingLeave = TrackMouseEvent(&track) != FALSE;
}

}  // namespace

struct WinHostAccess {
  static void Forget(WinWindowData* data) { data->host->Forget(data); }
};

namespace {

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* data = static_cast<WinWindowData*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (data) {
      data->hwnd = hwnd;
      SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(data));
    }
  }
  WinWindowData* data = DataOf(hwnd);
  if (!data) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_MOUSEMOVE) TrackLeave(*data);
  if (message == WM_MOUSELEAVE) data->trackingLeave = false;
  const LRESULT result = data->proc->WindowProc(hwnd, message, wParam, static_cast<LParam>(lParam));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, 0, 0);
    WinHostAccess::Forget(data);
  }
  return result;
}

}  // namespace

WinHost::WinHost(void* instance)
    : instance_(instance ? instance : GetModuleHandleW(nullptr)), renderer_(std::make_unique<GdiplusRenderer>()) {}

WinHost::~WinHost() {
  // Owners take their owned windows with them, so destroy one at a time and
  // look again.
  while (!windows_.empty()) {
    HWND hwnd = windows_.back()->hwnd;
    if (hwnd && ::IsWindow(hwnd) && DestroyWindow(hwnd)) continue;
    if (hwnd && ::IsWindow(hwnd)) SetWindowLongPtrW(hwnd, 0, 0);  // not ours to destroy (another thread's)
    windows_.pop_back();
  }
  for (const auto& name : classes_) UnregisterClassW(name.c_str(), static_cast<HINSTANCE>(instance_));
}

IRenderer& WinHost::Renderer() { return *renderer_; }

WinWindowData* WinHost::Data(WindowHandle hwnd) const {
  // Looked up in this host's own records, so a window of another class (whose
  // extra bytes mean something else) is never taken for one of ours.
  if (!hwnd) return nullptr;
  for (const auto& data : windows_) {
    if (data->hwnd == H(hwnd)) return data.get();
  }
  return nullptr;
}

void WinHost::Forget(WinWindowData* data) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](const auto& w) { return w.get() == data; });
  if (it != windows_.end()) windows_.erase(it);
}

bool WinHost::RegisterWindowClass(const WindowClassInfo& info) {
  HINSTANCE instance = static_cast<HINSTANCE>(instance_);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = info.style;
  wc.lpfnWndProc = HostWindowProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = info.name.c_str();
  if (RegisterClassExW(&wc)) {
    classes_.push_back(info.name);
    return true;
  }
  const DWORD error = GetLastError();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (error == ERROR_CLASS_ALREADY_EXISTS && GetClassInfoExW(instance, info.name.c_str(), &existing) &&
      existing.lpfnWndProc == HostWindowProc) {
    return true;
  }
  PLOG_ERROR << "RegisterClassExW " << info.name << " failed, error " << error;
  return false;
}

WindowHandle WinHost::CreateNativeWindow(const WindowCreateInfo& info, IWindowProc* proc) {
  if (!proc) return nullptr;
  auto data = std::make_unique<WinWindowData>();
  data->host = this;
  data->proc = proc;
  WinWindowData* raw = data.get();
  windows_.push_back(std::move(data));
  HWND hwnd = CreateWindowExW(info.exStyle, info.className.c_str(), info.title.c_str(), info.style, info.rect.left,
                              info.rect.top, info.rect.Width(), info.rect.Height(), H(info.owner), nullptr,
                              static_cast<HINSTANCE>(instance_), raw);
  if (!hwnd) {
    // Failed before WM_NCCREATE, or refused in WM_CREATE (then WM_NCDESTROY
    // has already forgotten the record).
    const DWORD error = GetLastError();
    if (error) {
      PLOG_ERROR << "CreateWindowExW " << info.className << " failed, error " << error;
    }
    Forget(raw);
    return nullptr;
  }
  return hwnd;
}

bool WinHost::DestroyNativeWindow(WindowHandle hwnd) { return hwnd && DestroyWindow(H(hwnd)) != FALSE; }

bool WinHost::IsWindow(WindowHandle hwnd) const { return hwnd && ::IsWindow(H(hwnd)) != FALSE; }

WindowHandle WinHost::GetOwner(WindowHandle hwnd) const { return hwnd ? GetWindow(H(hwnd), GW_OWNER) : nullptr; }

bool WinHost::Post(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) {
  return hwnd && PostMessageW(H(hwnd), msg, wParam, lParam) != FALSE;
}

LResult WinHost::Send(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) {
  return hwnd ? SendMessageW(H(hwnd), msg, wParam, lParam) : 0;
}

LResult WinHost::DefaultProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) {
  return DefWindowProcW(H(hwnd), msg, wParam, lParam);
}

bool WinHost::GetMessage(Message& msg) {
  MSG m{};
  const BOOL got = GetMessageW(&m, nullptr, 0, 0);
  if (got == -1) {
    PLOG_ERROR << "GetMessageW failed, error " << GetLastError();
    msg = Message{};
    msg.message = kMsgQuit;
    return false;
  }
  msg = FromMsg(m);
  return got != 0;
}

bool WinHost::PeekMessage(Message& msg) {
  MSG m{};
  if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) return false;
  msg = FromMsg(m);
  return true;
}

LResult WinHost::DispatchMessage(const Message& msg) {
  MSG m = ToMsg(msg);
  if (IsKeyMessage(m.message)) TranslateMessage(&m);
  return DispatchMessageW(&m);
}

void WinHost::PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

Rect WinHost::GetWindowRect(WindowHandle hwnd) const {
  RECT r{};
  return hwnd && ::GetWindowRect(H(hwnd), &r) ? FromRect(r) : Rect{};
}

Rect WinHost::GetClientRect(WindowHandle hwnd) const {
  RECT r{};
  return hwnd && ::GetClientRect(H(hwnd), &r) ? FromRect(r) : Rect{};
}

bool WinHost::SetWindowPos(WindowHandle hwnd, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  if (!hwnd) return false;
  const Rect before = GetWindowRect(hwnd);
  const bool done = ::SetWindowPos(H(hwnd), nullptr, x, y, cx, cy, flags) != FALSE;
  // A layered window is not redrawn by the system after a resize.
  const Rect after = GetWindowRect(hwnd);
  if (done && IsLayered(H(hwnd)) && (after.Width() != before.Width() || after.Height() != before.Height())) {
    Invalidate(hwnd, nullptr);
  }
  return done;
}

bool WinHost::ShowWindow(WindowHandle hwnd, int32_t command) {
  if (!hwnd) return false;
  const bool wasVisible = ::ShowWindow(H(hwnd), command) != FALSE;
  // A layered window shows nothing until its first frame: make sure one comes.
  if (::IsWindow(H(hwnd)) && ::IsWindowVisible(H(hwnd)) && IsLayered(H(hwnd))) Invalidate(hwnd, nullptr);
  return wasVisible;
}

bool WinHost::IsWindowVisible(WindowHandle hwnd) const { return hwnd && ::IsWindowVisible(H(hwnd)) != FALSE; }
bool WinHost::IsIconic(WindowHandle hwnd) const { return hwnd && ::IsIconic(H(hwnd)) != FALSE; }
bool WinHost::IsZoomed(WindowHandle hwnd) const { return hwnd && ::IsZoomed(H(hwnd)) != FALSE; }

uint32_t WinHost::GetStyle(WindowHandle hwnd) const {
  return hwnd ? static_cast<uint32_t>(GetWindowLongW(H(hwnd), GWL_STYLE)) : 0;
}

void WinHost::SetStyle(WindowHandle hwnd, uint32_t style) {
  if (hwnd) SetWindowLongW(H(hwnd), GWL_STYLE, static_cast<LONG>(style));
}

uint32_t WinHost::GetExStyle(WindowHandle hwnd) const {
  return hwnd ? static_cast<uint32_t>(GetWindowLongW(H(hwnd), GWL_EXSTYLE)) : 0;
}

void WinHost::SetExStyle(WindowHandle hwnd, uint32_t exStyle) {
  if (!hwnd) return;
  const bool wasLayered = IsLayered(H(hwnd));
  SetWindowLongW(H(hwnd), GWL_EXSTYLE, static_cast<LONG>(exStyle));
  if (!wasLayered && IsLayered(H(hwnd))) Invalidate(hwnd, nullptr);
}

Rect WinHost::GetWorkArea(WindowHandle hwnd) const {
  HMONITOR monitor = hwnd ? MonitorFromWindow(H(hwnd), MONITOR_DEFAULTTONEAREST)
                          : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor && GetMonitorInfoW(monitor, &info)) return FromRect(info.rcWork);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return FromRect(work);
}

void WinHost::SetRoundRegion(WindowHandle hwnd, Size ellipse) {
  if (!hwnd) return;
  if (ellipse.cx <= 0 && ellipse.cy <= 0) {
    SetWindowRgn(H(hwnd), nullptr, TRUE);
    return;
  }
  const Rect r = GetWindowRect(hwnd);
  HRGN region = CreateRoundRectRgn(0, 0, r.Width() + 1, r.Height() + 1, ellipse.cx, ellipse.cy);
  if (region && !SetWindowRgn(H(hwnd), region, TRUE)) DeleteObject(region);  // the window owns it on success
}

void WinHost::EnableWindow(WindowHandle hwnd, bool enable) {
  if (hwnd) ::EnableWindow(H(hwnd), enable ? TRUE : FALSE);
}

bool WinHost::IsWindowEnabled(WindowHandle hwnd) const { return hwnd && ::IsWindowEnabled(H(hwnd)) != FALSE; }

void WinHost::SetFocus(WindowHandle hwnd) { ::SetFocus(H(hwnd)); }
WindowHandle WinHost::GetFocus() const { return ::GetFocus(); }
void WinHost::SetCapture(WindowHandle hwnd) {
  if (hwnd) ::SetCapture(H(hwnd));
}
void WinHost::ReleaseCapture() { ::ReleaseCapture(); }
WindowHandle WinHost::GetCapture() const { return ::GetCapture(); }

void WinHost::SetCursor(CursorKind cursor) {
  ::SetCursor(LoadCursorW(nullptr, cursor == CursorKind::kHand ? IDC_HAND : IDC_ARROW));
}

Point WinHost::GetCursorPos(WindowHandle hwnd) const {
  POINT p{};
  ::GetCursorPos(&p);
  if (hwnd) ScreenToClient(H(hwnd), &p);
  return {p.x, p.y};
}

bool WinHost::SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t ms) {
  return hwnd && ::SetTimer(H(hwnd), id, ms, nullptr) != 0;
}

bool WinHost::KillTimer(WindowHandle hwnd, uintptr_t id) { return hwnd && ::KillTimer(H(hwnd), id) != FALSE; }

uint32_t WinHost::TickCount() const { return GetTickCount(); }

void WinHost::Invalidate(WindowHandle hwnd, const Rect* rect) {
  if (!hwnd) return;
  const Rect raw = GetClientRect(hwnd);
  const Rect client{0, 0, raw.Width(), raw.Height()};
  const Rect part = rect ? rect->Intersect(client) : client;
  if (part.IsEmpty()) return;
  if (WinWindowData* data = Data(hwnd)) data->pending = Union(data->pending, part);
  RECT r = ToRect(part);
  InvalidateRect(H(hwnd), &r, FALSE);
}

void WinHost::Paint(WindowHandle hwnd, const std::function<void(ICanvas&, const Rect&)>& draw) {
  WinWindowData* data = Data(hwnd);
  if (!data) return;
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(H(hwnd), &ps);
  const Rect rawClient = GetClientRect(hwnd);
  const Rect client{0, 0, rawClient.Width(), rawClient.Height()};
  // A layered window's paint rectangle is not reliable (Wine reports 1x1 or
  // nothing after UpdateLayeredWindow), and the system never needs one
  // repainted for exposure: its dirty part is what the host was told.
  Rect dirty = IsLayered(H(hwnd)) ? data->pending.Intersect(client)
                                  : Union(FromRect(ps.rcPaint), data->pending).Intersect(client);
  data->pending = {};
  if (!client.IsEmpty()) {
    const Size size{client.Width(), client.Height()};
    if (!data->back || data->back->GetSize() != size) {
      data->back = std::make_unique<GdiplusCanvas>(size);
      dirty = client;
    }
    if (dirty.IsEmpty()) dirty = client;
    GdiplusCanvas& back = *data->back;
    if (back.Valid()) {
      back.ResetClip();
      back.Clear(dirty);
      back.PushClip(dirty);
      draw(back, dirty);
      // The draw may have destroyed the window.
      if (Data(hwnd) == data) {
        back.ResetClip();
        back.Flush();
        Present(hwnd, dc, back, dirty);
        ++data->paints;
      }
    }
  }
  if (::IsWindow(H(hwnd))) EndPaint(H(hwnd), &ps);
}

bool PresentLayered(WindowHandle hwnd, const GdiplusCanvas& back, const Rect& dirty) {
  const Size size = back.GetSize();
  SIZE extent{size.cx, size.cy};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  RECT changed = ToRect(dirty);
  UPDATELAYEREDWINDOWINFO info{};
  info.cbSize = sizeof(info);
  info.psize = &extent;
  info.hdcSrc = back.Dc();
  info.pptSrc = &origin;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = &changed;
  return UpdateLayeredWindowIndirect(H(hwnd), &info);
}

void WinHost::Present(WindowHandle hwnd, void* paintDc, const GdiplusCanvas& back, const Rect& dirty) {
  if (IsLayered(H(hwnd))) {
    if (!PresentLayered(hwnd, back, dirty)) {
      ++failedPresents_;
      PLOG_ERROR << "UpdateLayeredWindow failed, error " << GetLastError();
    }
    return;
  }
  if (paintDc) {
    BitBlt(static_cast<HDC>(paintDc), dirty.left, dirty.top, dirty.Width(), dirty.Height(), back.Dc(), dirty.left,
           dirty.top, SRCCOPY);
  }
}

int WinHost::PaintCount(WindowHandle hwnd) const {
  const WinWindowData* data = Data(hwnd);
  return data ? data->paints : 0;
}

const GdiplusCanvas* WinHost::BackBuffer(WindowHandle hwnd) const {
  const WinWindowData* data = Data(hwnd);
  return data ? data->back.get() : nullptr;
}

}  // namespace SkinUI
