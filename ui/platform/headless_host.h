#pragma once
// An in-memory window host: windows with their geometry and state, a message
// queue per window (posting is thread-safe), timers on a real or a virtual
// clock, synthetic mouse and key input that travels through the message loop
// like real input, nested (modal) loops, and the user32 destruction order. It
// paints through a RecordingRenderer and keeps each window's last frame.
//
// With the virtual clock, time moves only by AdvanceClock, or when GetMessage
// would wait and a timer is pending: the clock then jumps to that timer.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "ui/platform/recording_renderer.h"
#include "ui/platform/window_host.h"

namespace SkinUI {

class HeadlessHost : public IWindowHost {
 public:
  enum class Clock { kReal, kVirtual };

  explicit HeadlessHost(Clock clock = Clock::kReal);
  ~HeadlessHost() override;
  HeadlessHost(const HeadlessHost&) = delete;
  HeadlessHost& operator=(const HeadlessHost&) = delete;

  // IWindowHost
  IRenderer& Renderer() override { return renderer_; }
  bool RegisterWindowClass(const WindowClassInfo& info) override;
  WindowHandle CreateNativeWindow(const WindowCreateInfo& info, IWindowProc* proc) override;
  bool DestroyNativeWindow(WindowHandle hwnd) override;
  bool IsWindow(WindowHandle hwnd) const override;
  WindowHandle GetOwner(WindowHandle hwnd) const override;
  bool Post(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override;
  LResult Send(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override;
  LResult DefaultProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override;
  bool GetMessage(Message& msg) override;
  bool PeekMessage(Message& msg) override;
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
  WindowHandle GetFocus() const override { return focus_; }
  void SetCapture(WindowHandle hwnd) override;
  void ReleaseCapture() override;
  WindowHandle GetCapture() const override { return capture_; }
  void SetCursor(CursorKind cursor) override { cursor_ = cursor; }
  Point GetCursorPos(WindowHandle hwnd) const override;
  bool SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t ms) override;
  bool KillTimer(WindowHandle hwnd, uintptr_t id) override;
  uint32_t TickCount() const override;
  void Invalidate(WindowHandle hwnd, const Rect* rect) override;
  void Paint(WindowHandle hwnd, const std::function<void(ICanvas&, const Rect&)>& draw) override;

  // Set-up.
  void SetWorkArea(const Rect& rect) { workArea_ = rect; }
  // Longest real wait of GetMessage for a post from another thread when
  // nothing else is pending; 0 waits for ever. Past it GetMessage returns false
  // as if the loop had been told to quit. Default: 0 on the real clock, 30 s on
  // the virtual one.
  void SetIdleTimeout(uint32_t ms) { idleTimeoutMs_ = ms; }

  // Virtual clock.
  void AdvanceClock(uint32_t ms);
  // Time of the earliest pending timer, if any (on either clock).
  bool NextTimerDue(uint32_t& when) const;

  // Synthetic input, in client coordinates of `hwnd`, queued like real input.
  // While a window holds the capture, mouse input goes to it instead. Input
  // for a disabled window is dropped when it is taken from the queue.
  void PostMouseMove(WindowHandle hwnd, Point pt);
  void PostLButtonDown(WindowHandle hwnd, Point pt);
  void PostLButtonUp(WindowHandle hwnd, Point pt);
  void PostClick(WindowHandle hwnd, Point pt);  // move, press, release
  void PostKey(WindowHandle hwnd, uint32_t vk);  // key down, key up
  void PostAltF4(WindowHandle hwnd);

  // Inspection.
  const std::vector<DrawRecord>& LastFrame(WindowHandle hwnd) const;
  int PaintCount(WindowHandle hwnd) const;
  int MoveStarts(WindowHandle hwnd) const;  // caption drags begun
  Size RoundRegion(WindowHandle hwnd) const;
  CursorKind Cursor() const { return cursor_; }
  bool HasPendingMessages(WindowHandle hwnd) const;
  std::wstring ClassName(WindowHandle hwnd) const;
  std::wstring Title(WindowHandle hwnd) const;
  size_t WindowCount() const;

 private:
  struct Timer {
    uint32_t period = 0;
    uint64_t due = 0;
  };
  struct Window {
    IWindowProc* proc = nullptr;
    std::wstring className;
    std::wstring title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Rect rect;
    WindowHandle owner = nullptr;
    bool visible = false;
    bool iconic = false;
    bool zoomed = false;
    bool enabled = true;
    bool destroying = false;
    Rect restoreRect;
    bool dirty = false;
    Rect dirtyRect;
    Rect paintRect;
    std::map<uintptr_t, Timer> timers;
    std::vector<DrawRecord> lastFrame;
    int paintCount = 0;
    int moveStarts = 0;
    Size roundRegion;
  };
  struct Queued {
    uint64_t seq = 0;
    Message msg;
  };

  Window* Find(WindowHandle hwnd);
  const Window* Find(WindowHandle hwnd) const;
  uint64_t Now() const;
  // Takes the next message by priority; false when none is ready now.
  bool TakeMessage(Message& msg);
  bool TakeTimer(Message& msg);
  bool TakePaint(Message& msg);
  void PostInput(WindowHandle hwnd, MsgId msg, WParam wParam, Point pt);
  void SetSizeState(WindowHandle hwnd, Window& w, WParam kind);

  Clock clock_;
  RecordingRenderer renderer_;
  std::vector<std::wstring> classes_;
  std::map<WindowHandle, std::unique_ptr<Window>> windows_;  // guarded by lock_ for Post
  std::map<WindowHandle, std::deque<Queued>> queues_;       // guarded by lock_
  mutable std::mutex lock_;
  std::condition_variable posted_;
  uint64_t nextSeq_ = 1;
  uintptr_t nextHandle_ = 0x1000;
  bool quit_ = false;
  int quitCode_ = 0;
  uint64_t virtualNow_ = 0;
  uint64_t realStart_ = 0;
  uint32_t idleTimeoutMs_ = 0;
  Rect workArea_{0, 0, 1920, 1040};
  WindowHandle focus_ = nullptr;
  WindowHandle capture_ = nullptr;
  CursorKind cursor_ = CursorKind::kArrow;
  Point cursorScreen_;
  std::vector<DrawRecord> emptyFrame_;
};

}  // namespace SkinUI
