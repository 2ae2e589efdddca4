#pragma once
// The Windows window host: IWindowHost over user32, drawing with the GDI+
// renderer. Every window of a registered class sends its messages, from
// WM_NCCREATE to WM_NCDESTROY, to the IWindowProc it was created with
// (messages the system sends before WM_NCCREATE get the default handling).
// Painting draws into a per-window back buffer (premultiplied 32-bit DIB
// section) that keeps the last frame, so only the dirty part is redrawn. It
// reaches the screen with UpdateLayeredWindowIndirect (per-pixel alpha, dirty
// part only) for WS_EX_LAYERED windows, which must be all client area, and
// with a blit of the dirty part otherwise. Mouse-move tracking is requested
// for every window, so WM_MOUSELEAVE arrives when the pointer leaves. A host
// and its windows belong to the thread that made them; only Post may be
// called from other threads.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/platform/window_host.h"

namespace SkinUI {

class GdiplusCanvas;
class GdiplusRenderer;
struct WinWindowData;
struct WinHostAccess;

class WinHost final : public IWindowHost {
 public:
  // `instance` is the module (HINSTANCE) the window classes are registered
  // for; null means the executable. GDI+ must be running.
  explicit WinHost(void* instance = nullptr);
  // Destroys the windows still open, then unregisters this host's classes.
  ~WinHost() override;
  WinHost(const WinHost&) = delete;
  WinHost& operator=(const WinHost&) = delete;

  // IWindowHost
  IRenderer& Renderer() override;
  // The class gets the caller's class style, the arrow cursor, no icon and
  // no background brush. Registering a name this host's procedure already
  // serves succeeds again.
  bool RegisterWindowClass(const WindowClassInfo& info) override;
  WindowHandle CreateNativeWindow(const WindowCreateInfo& info, IWindowProc* proc) override;
  bool DestroyNativeWindow(WindowHandle hwnd) override;
  bool IsWindow(WindowHandle hwnd) const override;
  WindowHandle GetOwner(WindowHandle hwnd) const override;
  // PostMessageW; false for a null or dead window. Any thread.
  bool Post(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override;
  LResult Send(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override;
  LResult DefaultProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override;
  bool GetMessage(Message& msg) override;
  bool PeekMessage(Message& msg) override;
  // Key messages are translated (WM_CHAR is generated) before dispatch.
  LResult DispatchMessage(const Message& msg) override;
  void PostQuitMessage(int exitCode) override;
  Rect GetWindowRect(WindowHandle hwnd) const override;
  Rect GetClientRect(WindowHandle hwnd) const override;
  bool SetWindowPos(WindowHandle hwnd, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) override;
  bool ShowWindow(WindowHandle hwnd, int32_t command) override;
  bool IsWindowVisible(WindowHandle hwnd) const override;
  bool IsIconic(WindowHandle hwnd) const override;
  bool IsZoomed(WindowHandle hwnd) const override;
  uint32_t GetStyle(WindowHandle hwnd) const override;
  void SetStyle(WindowHandle hwnd, uint32_t style) override;
  uint32_t GetExStyle(WindowHandle hwnd) const override;
  void SetExStyle(WindowHandle hwnd, uint32_t exStyle) override;
  Rect GetWorkArea(WindowHandle hwnd) const override;
  void SetRoundRegion(WindowHandle hwnd, Size ellipse) override;
  void EnableWindow(WindowHandle hwnd, bool enable) override;
  bool IsWindowEnabled(WindowHandle hwnd) const override;
  void SetFocus(WindowHandle hwnd) override;
  WindowHandle GetFocus() const override;
  void SetCapture(WindowHandle hwnd) override;
  void ReleaseCapture() override;
  WindowHandle GetCapture() const override;
  void SetCursor(CursorKind cursor) override;
  Point GetCursorPos(WindowHandle hwnd) const override;
  bool SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t ms) override;
  bool KillTimer(WindowHandle hwnd, uintptr_t id) override;
  uint32_t TickCount() const override;
  void Invalidate(WindowHandle hwnd, const Rect* rect) override;
  void Paint(WindowHandle hwnd, const std::function<void(ICanvas&, const Rect&)>& draw) override;

  // Inspection. Frames put on screen by Paint for the window, and the back
  // buffer that holds the last one (null before the first paint).
  int PaintCount(WindowHandle hwnd) const;
  const GdiplusCanvas* BackBuffer(WindowHandle hwnd) const;
  // UpdateLayeredWindow calls that failed, over all windows.
  int FailedPresents() const { return failedPresents_; }

 private:
  friend struct WinHostAccess;

  WinWindowData* Data(WindowHandle hwnd) const;
  void Forget(WinWindowData* data);
  void Present(WindowHandle hwnd, void* paintDc, const GdiplusCanvas& back, const Rect& dirty);

  void* instance_;
  std::unique_ptr<GdiplusRenderer> renderer_;
  std::vector<std::unique_ptr<WinWindowData>> windows_;
  std::vector<std::wstring> classes_;
  int failedPresents_ = 0;
};

// Puts the `dirty` part of `back` (the window's whole client size) on the
// screen for the WS_EX_LAYERED window `hwnd`, with per-pixel alpha; the rest
// of the window keeps what it showed. False when the system refuses.
bool PresentLayered(WindowHandle hwnd, const GdiplusCanvas& back, const Rect& dirty);

}  // namespace SkinUI
