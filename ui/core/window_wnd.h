#pragma once
// CWindowWnd: one native window of a host (class registration, creation,
// messages, modal loop, centring). The host is the process default unless
// one is given before Create.
#include <string>
#include <string_view>

#include "ui/base/messages.h"
#include "ui/platform/window_host.h"

namespace SkinUI {

// The host the windows of this process use by default: the one installed with
// SetDefaultWindowHost, otherwise the platform's own (PlatformWindowHost).
IWindowHost& DefaultWindowHost();
// Installs `host` as the default (null goes back to the platform's own) and
// returns the one installed before. The caller keeps it alive while it is
// installed; windows created on it must be gone before it is replaced. Start-up
// installs the user32 host (ui/win/win_host_scope.h) once GDI+ runs.
IWindowHost* SetDefaultWindowHost(IWindowHost* host);
// The platform's default when none is installed: the headless host on Linux;
// on Windows a headless stand-in that logs an error, since the user32 host
// needs GDI+ and so cannot outlive start-up on its own.
IWindowHost& PlatformWindowHost();

class CWindowWnd : public IWindowProc {
 public:
  CWindowWnd();
  ~CWindowWnd() override;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  // Before Create: the host of this window (null: the default host).
  void SetHost(IWindowHost* host) { m_pHost = host; }
  IWindowHost& Host() const;
  WindowHandle GetHWND() const { return m_hWnd; }

  bool RegisterWindowClass();
  // Creates the native window; the class is registered on first use.
  WindowHandle Create(WindowHandle parent, std::wstring_view title, uint32_t style, uint32_t exStyle,
                      const Rect& rect = {0, 0, 0, 0});
  void ShowWindow(bool show = true, bool takeFocus = true);
  // Shows the window normally, disables its owner and runs a nested message
  // loop until the window no longer exists. When the window's kMsgClose is
  // taken from the queue, and again after the loop, the owner is enabled and
  // focused. A quit message ends the loop and is posted again. Returns the
  // wParam of the window's last kMsgClose (0 if none came through the queue).
  int ShowModal();
  // Posts kMsgClose with `ret` as wParam, when the window exists.
  void Close(int ret = 1);
  // Centres over the owner (when it has one that is not minimised), else over
  // the work area, clamped inside the work area; no activation.
  void CenterWindow();
  void ResizeClient(int32_t cx, int32_t cy);
  LResult SendMessage(MsgId msg, WParam wParam = 0, LParam lParam = 0);
  bool PostMessage(MsgId msg, WParam wParam = 0, LParam lParam = 0);

 protected:
  virtual std::wstring_view GetWindowClassName() const = 0;
  virtual uint32_t GetClassStyle() const { return 0; }
  virtual LResult HandleMessage(MsgId msg, WParam wParam, LParam lParam);
  // Runs after the native window has gone (its last message).
  virtual void OnFinalMessage(WindowHandle hwnd);

  LResult WindowProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override;

  WindowHandle m_hWnd = nullptr;

 private:
  IWindowHost* m_pHost = nullptr;
};

}  // namespace SkinUI
