#pragma once
// The native windows behind CWindowWnd: creation and destruction, messages and
// the message loop, geometry, focus and capture, timers and painting. Modelled
// on user32 so the Windows host is a thin layer over it; the headless host
// (headless_host.h) implements the same contract in memory. Every call is for
// the UI thread except Post, which any thread may call.
#include <cstdint>
#include <functional>
#include <string>

#include "ui/base/geometry.h"
#include "ui/base/messages.h"
#include "ui/platform/renderer.h"

namespace SkinUI {

// Receiver of a native window's messages (CWindowWnd).
class IWindowProc {
 public:
  virtual ~IWindowProc() = default;
  // Every message of the window, the first being kMsgNcCreate or kMsgCreate
  // (the handle is valid from then on) and the last kMsgNcDestroy, after which
  // the handle is dead.
  virtual LResult WindowProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) = 0;
};

struct WindowClassInfo {
  std::wstring name;
  uint32_t style = 0;  // kCs... flags
};

struct WindowCreateInfo {
  std::wstring className;  // registered before
  std::wstring title;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  Rect rect;                     // window rectangle in screen coordinates
  WindowHandle owner = nullptr;  // owner (top-level windows only here)
};

enum class CursorKind { kArrow, kHand };

class IWindowHost {
 public:
  virtual ~IWindowHost() = default;

  virtual IRenderer& Renderer() = 0;

  // Windows. Create delivers kMsgCreate to `proc` before it returns; a -1
  // answer to it fails the creation (null handle).
  virtual bool RegisterWindowClass(const WindowClassInfo& info) = 0;
  virtual WindowHandle CreateNativeWindow(const WindowCreateInfo& info, IWindowProc* proc) = 0;
  // Destroys the window's owned windows first, then sends it kMsgDestroy and
  // kMsgNcDestroy; its queued messages and timers go with it.
  virtual bool DestroyNativeWindow(WindowHandle hwnd) = 0;
  virtual bool IsWindow(WindowHandle hwnd) const = 0;
  virtual WindowHandle GetOwner(WindowHandle hwnd) const = 0;

  // Messages. Post queues and returns at once (false for a dead window); Send
  // calls the window procedure now. DefaultProc is DefWindowProc's behaviour:
  // kMsgClose destroys, kMsgSysCommand minimises, restores, closes or moves,
  // kMsgNcLButtonDown on the caption starts a move.
  virtual bool Post(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) = 0;
  virtual LResult Send(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) = 0;
  virtual LResult DefaultProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) = 0;

  // The thread's message loop. GetMessage blocks until a message is there and
  // returns false for kMsgQuit (its exit code in wParam). Order: posted
  // messages and input first, then paints, then timers.
  virtual bool GetMessage(Message& msg) = 0;
  // Non-blocking: false when nothing is waiting.
  virtual bool PeekMessage(Message& msg) = 0;
  virtual LResult DispatchMessage(const Message& msg) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;

  // Geometry, in screen coordinates; the framework's windows are all client
  // area, so the client rectangle is the window rectangle moved to 0,0.
  virtual Rect GetWindowRect(WindowHandle hwnd) const = 0;
  virtual Rect GetClientRect(WindowHandle hwnd) const = 0;
  virtual bool SetWindowPos(WindowHandle hwnd, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) = 0;
  virtual bool ShowWindow(WindowHandle hwnd, int32_t command) = 0;
  virtual bool IsWindowVisible(WindowHandle hwnd) const = 0;
  virtual bool IsIconic(WindowHandle hwnd) const = 0;
  virtual bool IsZoomed(WindowHandle hwnd) const = 0;
  virtual uint32_t GetStyle(WindowHandle hwnd) const = 0;
  virtual void SetStyle(WindowHandle hwnd, uint32_t style) = 0;
  virtual uint32_t GetExStyle(WindowHandle hwnd) const = 0;
  virtual void SetExStyle(WindowHandle hwnd, uint32_t exStyle) = 0;
  // Work area of the monitor nearest to the window (the primary one for null).
  virtual Rect GetWorkArea(WindowHandle hwnd) const = 0;
  // Clips the window to a rounded rectangle of its size; a zero ellipse removes it.
  virtual void SetRoundRegion(WindowHandle hwnd, Size ellipse) = 0;

  // Activation, enabling, focus, capture, cursor.
  virtual void EnableWindow(WindowHandle hwnd, bool enable) = 0;
  virtual bool IsWindowEnabled(WindowHandle hwnd) const = 0;
  virtual void SetFocus(WindowHandle hwnd) = 0;
  virtual WindowHandle GetFocus() const = 0;
  virtual void SetCapture(WindowHandle hwnd) = 0;
  virtual void ReleaseCapture() = 0;
  virtual WindowHandle GetCapture() const = 0;
  virtual void SetCursor(CursorKind cursor) = 0;
  // Cursor position in the window's client coordinates.
  virtual Point GetCursorPos(WindowHandle hwnd) const = 0;

  // Native timers: kMsgTimer with wParam = id every `ms`; setting a running id
  // again restarts it with the new period.
  virtual bool SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t ms) = 0;
  virtual bool KillTimer(WindowHandle hwnd, uintptr_t id) = 0;
  // Milliseconds since an arbitrary start (GetTickCount).
  virtual uint32_t TickCount() const = 0;

  // Painting. Invalidate marks part of the client area (null: all) for a later
  // kMsgPaint. Paint, called while handling kMsgPaint, hands `draw` a canvas
  // of the client size and the dirty rectangle, then puts the result on screen
  // (per-pixel alpha when the window has kWsExLayered) and validates it.
  virtual void Invalidate(WindowHandle hwnd, const Rect* rect) = 0;
  virtual void Paint(WindowHandle hwnd, const std::function<void(ICanvas&, const Rect&)>& draw) = 0;
};

}  // namespace SkinUI
