#include "ui/core/window_wnd.h"

#include <algorithm>
#include <atomic>

#include "ui/core/skin_manager.h"

namespace SkinUI {
namespace {

// Read by Post from any thread, set on the UI thread at start-up and tear-down.
std::atomic<IWindowHost*>& InstalledHost() {
  static std::atomic<IWindowHost*> host{nullptr};
  return host;
}

}  // namespace

IWindowHost& DefaultWindowHost() {
  if (IWindowHost* host = InstalledHost().load(std::memory_order_acquire)) return *host;
  return PlatformWindowHost();
}

IWindowHost* SetDefaultWindowHost(IWindowHost* host) {
  return InstalledHost().exchange(host, std::memory_order_acq_rel);
}

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
  // A window object that goes while its native window lives would leave the
  // host calling a dead object: take the native window down first.
  if (m_hWnd && Host().IsWindow(m_hWnd)) Host().DestroyNativeWindow(m_hWnd);
}

IWindowHost& CWindowWnd::Host() const { return m_pHost ? *m_pHost : DefaultWindowHost(); }

bool CWindowWnd::RegisterWindowClass() {
  WindowClassInfo info;
  info.name = std::wstring(GetWindowClassName());
  info.style = GetClassStyle();
  return Host().RegisterWindowClass(info);
}

WindowHandle CWindowWnd::Create(WindowHandle parent, std::wstring_view title, uint32_t style, uint32_t exStyle,
                                const Rect& rect) {
  if (!RegisterWindowClass()) return nullptr;
  WindowCreateInfo info;
  info.className = std::wstring(GetWindowClassName());
  info.title = std::wstring(title);
  info.style = style;
  info.exStyle = exStyle;
  info.rect = rect;
  info.owner = parent;
  WindowHandle hwnd = Host().CreateNativeWindow(info, this);
  if (!hwnd) m_hWnd = nullptr;
  return hwnd;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
  if (!m_hWnd) return;
  Host().ShowWindow(m_hWnd, show ? (takeFocus ? kSwShowNormal : kSwShowNoActivate) : kSwHide);
}

int CWindowWnd::ShowModal() {
  if (!m_hWnd) return -1;
  IWindowHost& host = Host();
  const WindowHandle hwnd = m_hWnd;
  const WindowHandle owner = host.GetOwner(hwnd);
  host.ShowWindow(hwnd, kSwShowNormal);
  if (owner) host.EnableWindow(owner, false);
  auto releaseOwner = [&] {
    if (owner && host.IsWindow(owner)) {
      host.EnableWindow(owner, true);
      host.SetFocus(owner);
    }
  };
  int result = 0;
  Message msg;
  bool quit = false;
  while (host.IsWindow(hwnd)) {
    if (!host.GetMessage(msg)) {
      quit = true;
      break;
    }
    if (msg.hwnd == hwnd && msg.message == kMsgClose) {
      releaseOwner();
      result = static_cast<int>(msg.wParam);
    }
    if (!SkinManager::TranslateMessage(msg)) host.DispatchMessage(msg);
  }
  releaseOwner();
  if (quit) host.PostQuitMessage(static_cast<int>(msg.wParam));
  return result;
}

void CWindowWnd::Close(int ret) {
  if (m_hWnd && Host().IsWindow(m_hWnd)) Host().Post(m_hWnd, kMsgClose, static_cast<WParam>(ret), 0);
}

void CWindowWnd::CenterWindow() {
  if (!m_hWnd) return;
  IWindowHost& host = Host();
  const Rect window = host.GetWindowRect(m_hWnd);
  const WindowHandle owner = host.GetOwner(m_hWnd);
  const Rect work = host.GetWorkArea(owner && !host.IsIconic(owner) ? owner : m_hWnd);
  const Rect center = (owner && !host.IsIconic(owner)) ? host.GetWindowRect(owner) : work;
  int32_t x = center.left + (center.Width() - window.Width()) / 2;
  int32_t y = center.top + (center.Height() - window.Height()) / 2;
  x = std::max(work.left, std::min(x, work.right - window.Width()));
  y = std::max(work.top, std::min(y, work.bottom - window.Height()));
  host.SetWindowPos(m_hWnd, x, y, 0, 0, kSwpNoSize | kSwpNoZOrder | kSwpNoActivate);
}

void CWindowWnd::ResizeClient(int32_t cx, int32_t cy) {
  if (m_hWnd) Host().SetWindowPos(m_hWnd, 0, 0, cx, cy, kSwpNoMove | kSwpNoZOrder | kSwpNoActivate);
}

LResult CWindowWnd::SendMessage(MsgId msg, WParam wParam, LParam lParam) {
  return m_hWnd ? Host().Send(m_hWnd, msg, wParam, lParam) : 0;
}

bool CWindowWnd::PostMessage(MsgId msg, WParam wParam, LParam lParam) {
  return m_hWnd && Host().Post(m_hWnd, msg, wParam, lParam);
}

LResult CWindowWnd::HandleMessage(MsgId msg, WParam wParam, LParam lParam) {
  return Host().DefaultProc(m_hWnd, msg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(WindowHandle) {}

LResult CWindowWnd::WindowProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) {
  if (msg == kMsgNcCreate || (msg == kMsgCreate && !m_hWnd)) m_hWnd = hwnd;
  if (msg == kMsgNcDestroy) {
    LResult result = Host().DefaultProc(hwnd, msg, wParam, lParam);
    m_hWnd = nullptr;
    OnFinalMessage(hwnd);  // may destroy this object
    return result;
  }
  return HandleMessage(msg, wParam, lParam);
}

}  // namespace SkinUI
