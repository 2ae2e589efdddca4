#include "ui/win/win_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "ui/win/gdiplus_canvas.h"
#include "ui/win/gdiplus_include.h"
#include "ui/win/test_images.h"

namespace SkinUI {
namespace {

constexpr wchar_t kClass[] = L"QIRAHostTestWndCls";

// A window procedure that records what it gets and lets a test answer some
// messages itself; everything else has the framework's frameless answer for
// WM_NCCALCSIZE and the default handling.
class TestProc : public IWindowProc {
 public:
  using Handler = std::function<bool(WindowHandle, MsgId, WParam, LParam, LResult&)>;

  TestProc(WinHost& host, std::vector<std::pair<TestProc*, MsgId>>* shared = nullptr)
      : host_(host), shared_(shared) {}

  LResult WindowProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override {
    seen.push_back({hwnd, msg, wParam, lParam, 0, {}});
    if (shared_) shared_->push_back({this, msg});
    LResult result = 0;
    if (handler && handler(hwnd, msg, wParam, lParam, result)) return result;
    if (msg == kMsgNcCalcSize) return 0;
    return host_.DefaultProc(hwnd, msg, wParam, lParam);
  }

  int Count(MsgId msg) const {
    int n = 0;
    for (const auto& m : seen) n += m.message == msg;
    return n;
  }
  const Message* Last(MsgId msg) const {
    for (auto it = seen.rbegin(); it != seen.rend(); ++it) {
      if (it->message == msg) return &*it;
    }
    return nullptr;
  }

  Handler handler;
  std::vector<Message> seen;

 private:
  WinHost& host_;
  std::vector<std::pair<TestProc*, MsgId>>* shared_;
};

class WinHostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::EnsureGdiplus(); }

  void SetUp() override {
    ASSERT_TRUE(host_.RegisterWindowClass({kClass, kCsHRedraw | kCsVRedraw | kCsDblClks}));
  }

  WindowHandle Create(TestProc& proc, Rect rect = {100, 100, 300, 220}, uint32_t exStyle = 0,
                      WindowHandle owner = nullptr) {
    WindowCreateInfo info;
    info.className = kClass;
    info.title = L"QIRA 助手安装程序";
    info.style = kWsPopup | kWsSysMenu | kWsMinimizeBox;
    info.exStyle = exStyle;
    info.rect = rect;
    info.owner = owner;
    return host_.CreateNativeWindow(info, &proc);
  }

  // Runs the host's loop until `done` holds or `ms` pass; false on time-out.
  bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
      Message msg;
      while (host_.PeekMessage(msg)) {
        if (msg.message == kMsgQuit) return false;
        host_.DispatchMessage(msg);
        if (done()) return true;
      }
      const DWORD spent = GetTickCount() - start;
      if (spent >= ms) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(ms - spent, 50), QS_ALLINPUT);
    }
    return true;
  }
  void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
  }

  WinHost host_;
};

TEST_F(WinHostTest, ClassHasTheStyleArrowCursorAndNoIconOrBrush) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), kClass, &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
  EXPECT_EQ(wc.hCursor, LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(wc.hIcon, nullptr);
  EXPECT_EQ(wc.hbrBackground, nullptr);
  EXPECT_TRUE(host_.RegisterWindowClass({kClass, kCsDblClks})) << "registering again succeeds";
}

TEST_F(WinHostTest, WindowLifeRunsFromNcCreateToNcDestroy) {
  TestProc proc(host_);
  WindowHandle hwnd = Create(proc);
  ASSERT_TRUE(hwnd);
  ASSERT_FALSE(proc.seen.empty());
  EXPECT_EQ(proc.seen.front().message, kMsgNcCreate);
  EXPECT_EQ(proc.Count(kMsgCreate), 1);
  wchar_t title[64] = {};
  GetWindowTextW(static_cast<HWND>(hwnd), title, 64);
  EXPECT_STREQ(title, L"QIRA 助手安装程序");
  EXPECT_EQ(host_.GetClientRect(hwnd), (Rect{0, 0, 200, 120})) << "the whole window is client area";
  EXPECT_EQ(host_.GetWindowRect(hwnd), (Rect{100, 100, 300, 220}));

  ASSERT_TRUE(host_.DestroyNativeWindow(hwnd));
  EXPECT_FALSE(host_.IsWindow(hwnd));
  ASSERT_GE(proc.seen.size(), 2u);
  EXPECT_EQ(proc.seen.back().message, kMsgNcDestroy);
  EXPECT_EQ(proc.Count(kMsgDestroy), 1);
  const size_t count = proc.seen.size();
  EXPECT_FALSE(host_.Post(hwnd, kMsgUser, 0, 0));
  EXPECT_EQ(proc.seen.size(), count) << "nothing after the final message";

  TestProc refusing(host_);
  refusing.handler = [](WindowHandle, MsgId msg, WParam, LParam, LResult& result) {
    result = -1;
    return msg == kMsgCreate;
  };
  EXPECT_EQ(Create(refusing), nullptr) << "-1 from WM_CREATE fails the creation";
  EXPECT_EQ(refusing.seen.back().message, kMsgNcDestroy);
}

TEST_F(WinHostTest, OwnedWindowsAreDestroyedBeforeTheirOwner) {
  std::vector<std::pair<TestProc*, MsgId>> log;
  TestProc owner(host_, &log), owned(host_, &log);
  WindowHandle a = Create(owner);
  WindowHandle b = Create(owned, {120, 120, 220, 180}, 0, a);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(host_.GetOwner(b), a);
  log.clear();
  ASSERT_TRUE(host_.DestroyNativeWindow(a));
  std::vector<std::pair<TestProc*, MsgId>> destroys;
  for (const auto& entry : log) {
    if (entry.second == kMsgDestroy || entry.second == kMsgNcDestroy) destroys.push_back(entry);
  }
  const std::vector<std::pair<TestProc*, MsgId>> expected = {
      {&owned, kMsgDestroy}, {&owned, kMsgNcDestroy}, {&owner, kMsgDestroy}, {&owner, kMsgNcDestroy}};
  EXPECT_EQ(destroys, expected);
  EXPECT_FALSE(host_.IsWindow(b));
}

TEST_F(WinHostTest, PostsFromAnotherThreadArriveInOrderOnTheUiThread) {
  TestProc proc(host_);
  const DWORD uiThread = GetCurrentThreadId();
  std::vector<WParam> received;
  bool wrongThread = false;
  proc.handler = [&](WindowHandle, MsgId msg, WParam w, LParam, LResult&) {
    if (msg != kMsgApp + 0x400) return false;
    received.push_back(w);
    wrongThread = wrongThread || GetCurrentThreadId() != uiThread;
    return true;
  };
  WindowHandle hwnd = Create(proc);
  ASSERT_TRUE(hwnd);
  constexpr int kCount = 500;
  std::atomic<int> refused{0};
  std::thread poster([&] {
    for (int i = 0; i < kCount; ++i) refused += !host_.Post(hwnd, kMsgApp + 0x400, static_cast<WParam>(i), 0);
  });
  EXPECT_TRUE(PumpUntil([&] { return received.size() == kCount; }));
  poster.join();
  EXPECT_EQ(refused.load(), 0);
  EXPECT_FALSE(wrongThread);
  for (int i = 0; i < static_cast<int>(received.size()); ++i) ASSERT_EQ(received[i], static_cast<WParam>(i));
  EXPECT_FALSE(host_.Post(nullptr, kMsgApp + 0x400, 0, 0)) << "no thread messages through the host";
  host_.DestroyNativeWindow(hwnd);
}

TEST_F(WinHostTest, TimersTickWithTheirIdUntilKilled) {
  TestProc proc(host_);
  WindowHandle hwnd = Create(proc);
  ASSERT_TRUE(hwnd);
  int ticks7 = 0, ticks5 = 0, otherIds = 0;
  proc.handler = [&](WindowHandle, MsgId msg, WParam w, LParam, LResult&) {
    if (msg != kMsgTimer) return false;
    if (w == 7) {
      ++ticks7;
    } else if (w == 5) {
      ++ticks5;
    } else {
      ++otherIds;
    }
    return true;
  };
  ASSERT_TRUE(host_.SetTimer(hwnd, 7, 20));
  ASSERT_TRUE(host_.SetTimer(hwnd, 5, 30));
  EXPECT_TRUE(PumpUntil([&] { return ticks7 >= 5 && ticks5 >= 3; }));
  EXPECT_TRUE(host_.KillTimer(hwnd, 7));
  EXPECT_FALSE(host_.KillTimer(hwnd, 7)) << "a killed timer is gone";
  PumpFor(30);  // a tick already queued may still come
  const int after = ticks7;
  PumpFor(200);
  EXPECT_EQ(ticks7, after);
  EXPECT_GT(ticks5, 3) << "the other timer runs on";
  EXPECT_EQ(otherIds, 0);
  // The tick count is coarse (Wine updates it every few milliseconds) and a
  // loaded machine oversleeps, so only a broad advance is checked.
  const uint32_t t0 = host_.TickCount();
  Sleep(100);
  EXPECT_GE(host_.TickCount() - t0, 50u);
  host_.DestroyNativeWindow(hwnd);
}

TEST_F(WinHostTest, NestedLoopSeesQuitAndHandsItOn) {
  TestProc owner(host_), box(host_);
  WindowHandle a = Create(owner);
  ASSERT_TRUE(a);
  WindowHandle b = nullptr;
  int nestedQuitCode = -1;
  bool ownerDisabledInside = false;
  owner.handler = [&](WindowHandle, MsgId msg, WParam, LParam, LResult&) {
    if (msg != kMsgUser + 1) return false;
    // The modal loop of a message box: owner disabled, own loop, owner back.
    b = Create(box, {150, 150, 250, 200}, 0, a);
    host_.EnableWindow(a, false);
    ownerDisabledInside = !host_.IsWindowEnabled(a);
    host_.Post(b, kMsgUser + 2, 0, 0);
    Message m;
    while (host_.IsWindow(b)) {
      if (!host_.GetMessage(m)) {
        nestedQuitCode = static_cast<int>(m.wParam);
        host_.PostQuitMessage(nestedQuitCode);
        break;
      }
      host_.DispatchMessage(m);
    }
    host_.EnableWindow(a, true);
    host_.DestroyNativeWindow(b);
    return true;
  };
  box.handler = [&](WindowHandle, MsgId msg, WParam, LParam, LResult&) {
    if (msg != kMsgUser + 2) return false;
    host_.PostQuitMessage(5);
    return true;
  };
  ASSERT_TRUE(host_.Post(a, kMsgUser + 1, 0, 0));
  Message m;
  int outerQuitCode = -1;
  for (int guard = 0; guard < 10000; ++guard) {
    if (!host_.GetMessage(m)) {
      outerQuitCode = static_cast<int>(m.wParam);
      break;
    }
    host_.DispatchMessage(m);
  }
  EXPECT_TRUE(ownerDisabledInside);
  EXPECT_EQ(owner.Count(kMsgEnable), 2);
  EXPECT_EQ(nestedQuitCode, 5);
  EXPECT_EQ(outerQuitCode, 5) << "the quit met inside reaches the outer loop";
  EXPECT_TRUE(host_.IsWindowEnabled(a));
  EXPECT_FALSE(host_.IsWindow(b));
  host_.DestroyNativeWindow(a);
}

TEST_F(WinHostTest, FocusCaptureStyleAndRegion) {
  TestProc proc(host_);
  WindowHandle hwnd = Create(proc);
  ASSERT_TRUE(hwnd);
  host_.ShowWindow(hwnd, kSwShowNormal);
  host_.SetFocus(hwnd);
  EXPECT_EQ(host_.GetFocus(), hwnd);
  EXPECT_GE(proc.Count(kMsgSetFocus), 1);

  host_.SetCapture(hwnd);
  EXPECT_EQ(host_.GetCapture(), hwnd);
  host_.ReleaseCapture();
  EXPECT_EQ(host_.GetCapture(), nullptr);
  EXPECT_GE(proc.Count(kMsgCaptureChanged), 1);

  const uint32_t style = host_.GetStyle(hwnd);
  EXPECT_TRUE(style & kWsPopup);
  EXPECT_TRUE(style & kWsVisible);
  host_.SetStyle(hwnd, (style & ~kWsCaption) | kWsClipSiblings | kWsClipChildren);
  EXPECT_TRUE(host_.GetStyle(hwnd) & kWsClipChildren);
  host_.SetExStyle(hwnd, host_.GetExStyle(hwnd) | kWsExToolWindow);
  EXPECT_TRUE(host_.GetExStyle(hwnd) & kWsExToolWindow);

  host_.SetRoundRegion(hwnd, {6, 6});
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(static_cast<HWND>(hwnd), region), ERROR);
  host_.SetRoundRegion(hwnd, {0, 0});
  EXPECT_EQ(GetWindowRgn(static_cast<HWND>(hwnd), region), ERROR) << "a zero ellipse removes the region";
  DeleteObject(region);

  EXPECT_FALSE(host_.IsIconic(hwnd));
  host_.ShowWindow(hwnd, kSwMinimize);
  EXPECT_TRUE(host_.IsIconic(hwnd));
  host_.ShowWindow(hwnd, kSwRestore);
  EXPECT_FALSE(host_.IsIconic(hwnd));
  host_.DestroyNativeWindow(hwnd);
}

TEST_F(WinHostTest, GeometryAndTheWorkArea) {
  TestProc proc(host_);
  WindowHandle hwnd = Create(proc);
  ASSERT_TRUE(hwnd);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const Rect area = host_.GetWorkArea(hwnd);
  EXPECT_EQ(area, (Rect{work.left, work.top, work.right, work.bottom}));
  EXPECT_FALSE(area.IsEmpty());
  EXPECT_EQ(host_.GetWorkArea(nullptr), area) << "one monitor: the primary is the nearest";

  ASSERT_TRUE(host_.SetWindowPos(hwnd, 40, 50, 819, 574, kSwpNoZOrder | kSwpNoActivate));
  EXPECT_EQ(host_.GetWindowRect(hwnd), (Rect{40, 50, 859, 624}));
  EXPECT_EQ(host_.GetClientRect(hwnd), (Rect{0, 0, 819, 574}));
  const Message* size = proc.Last(kMsgSize);
  ASSERT_TRUE(size);
  EXPECT_EQ(PointFromParam(size->lParam), (Point{819, 574}));
  ASSERT_TRUE(host_.SetWindowPos(hwnd, 10, 20, 0, 0, kSwpNoSize | kSwpNoZOrder | kSwpNoActivate));
  EXPECT_EQ(host_.GetWindowRect(hwnd), (Rect{10, 20, 829, 594}));
  host_.DestroyNativeWindow(hwnd);
}

// Real input through the X server: a pointer click inside the window comes
// as button messages at client coordinates, leaving brings WM_MOUSELEAVE, and
// a disabled window gets no clicks.
TEST_F(WinHostTest, RealMouseInputReachesTheWindow) {
  TestProc proc(host_);
  WindowHandle hwnd = Create(proc, {200, 150, 400, 250});
  ASSERT_TRUE(hwnd);
  host_.ShowWindow(hwnd, kSwShowNormal);
  SetWindowPos(static_cast<HWND>(hwnd), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(static_cast<HWND>(hwnd));
  PumpFor(100);
  auto click = [&](int x, int y) {
    SetCursorPos(x, y);
    PumpFor(50);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
  };
  // The X server maps the window some time after ShowWindow returns; on a
  // busy machine a first click can reach the root window instead, so the
  // click is repeated until one arrives.
  bool arrived = false;
  for (int attempt = 0; attempt < 10 && !arrived; ++attempt) {
    click(230, 170);
    arrived = PumpUntil([&] { return proc.Count(kMsgLButtonUp) > 0; }, 500);
  }
  ASSERT_TRUE(arrived) << "no click arrived";
  EXPECT_EQ(PointFromParam(proc.Last(kMsgLButtonDown)->lParam), (Point{30, 20}));
  EXPECT_EQ(host_.GetCursorPos(hwnd), (Point{30, 20}));
  SetCursorPos(600, 600);
  EXPECT_TRUE(PumpUntil([&] { return proc.Count(kMsgMouseLeave) > 0; }, 3000)) << "no WM_MOUSELEAVE";

  host_.EnableWindow(hwnd, false);
  const int downs = proc.Count(kMsgLButtonDown);
  click(230, 170);
  PumpFor(300);
  EXPECT_EQ(proc.Count(kMsgLButtonDown), downs) << "a disabled window takes no clicks";
  host_.EnableWindow(hwnd, true);
  host_.DestroyNativeWindow(hwnd);
}

TEST_F(WinHostTest, PaintDrawsTheDirtyPartIntoTheBackBuffer) {
  TestProc proc(host_);
  std::vector<Rect> dirties;
  Color fill = 0xFF2080F0;
  proc.handler = [&](WindowHandle h, MsgId msg, WParam, LParam, LResult& result) {
    if (msg != kMsgPaint) return false;
    host_.Paint(h, [&](ICanvas& canvas, const Rect& dirty) {
      dirties.push_back(dirty);
      canvas.FillRect({0, 0, canvas.GetSize().cx, canvas.GetSize().cy}, fill);
    });
    result = 0;
    return true;
  };
  WindowHandle hwnd = Create(proc);
  ASSERT_TRUE(hwnd);
  host_.ShowWindow(hwnd, kSwShowNormal);
  ASSERT_TRUE(PumpUntil([&] { return host_.PaintCount(hwnd) >= 1; }));
  ASSERT_TRUE(host_.BackBuffer(hwnd));
  EXPECT_EQ(dirties.front(), (Rect{0, 0, 200, 120}));
  EXPECT_EQ(host_.BackBuffer(hwnd)->PixelAt(150, 100), 0xFF2080F0u);

  fill = 0xFFF02020;
  const Rect part{10, 10, 50, 40};
  host_.Invalidate(hwnd, &part);
  const int paints = host_.PaintCount(hwnd);
  ASSERT_TRUE(PumpUntil([&] { return host_.PaintCount(hwnd) > paints; }));
  EXPECT_EQ(dirties.back(), part);
  EXPECT_EQ(host_.BackBuffer(hwnd)->PixelAt(20, 20), 0xFFF02020u);
  EXPECT_EQ(host_.BackBuffer(hwnd)->PixelAt(150, 100), 0xFF2080F0u) << "outside the dirty part nothing changes";
  host_.DestroyNativeWindow(hwnd);
}

TEST_F(WinHostTest, LayeredWindowShowsItsPixelsWithPerPixelAlpha) {
  TestProc proc(host_);
  Color fill = 0xFF0000FF;
  std::vector<Rect> dirties;
  proc.handler = [&](WindowHandle h, MsgId msg, WParam, LParam, LResult& result) {
    if (msg != kMsgPaint) return false;
    host_.Paint(h, [&](ICanvas& canvas, const Rect& dirty) {
      dirties.push_back(dirty);
      canvas.FillRect({0, 0, 100, 120}, fill);  // opaque left half; the right half stays clear
    });
    result = 0;
    return true;
  };
  WindowHandle hwnd = Create(proc, {300, 300, 500, 420}, kWsExLayered);
  ASSERT_TRUE(hwnd);
  host_.ShowWindow(hwnd, kSwShowNormal);
  ASSERT_TRUE(PumpUntil([&] { return host_.PaintCount(hwnd) >= 1; }));
  EXPECT_EQ(dirties.back(), (Rect{0, 0, 200, 120}));
  auto screenPixel = [](int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
  };
  // The X server shows the window's pixels a while after the update.
  PumpUntil([&] { return screenPixel(340, 360) == RGB(0, 0, 255); }, 3000);
  EXPECT_EQ(screenPixel(340, 360), RGB(0, 0, 255)) << "the opaque part is on screen";

  // A part repainted later: the draw is told exactly that part (the system's
  // paint rectangle of a layered window cannot be trusted), and only it
  // changes on screen.
  fill = 0xFFFF0000;
  const Rect part{0, 0, 50, 50};
  host_.Invalidate(hwnd, &part);
  const int paints = host_.PaintCount(hwnd);
  ASSERT_TRUE(PumpUntil([&] { return host_.PaintCount(hwnd) > paints; }));
  EXPECT_EQ(dirties.back(), part);
  PumpUntil([&] { return screenPixel(310, 310) == RGB(255, 0, 0); }, 3000);
  EXPECT_EQ(screenPixel(310, 310), RGB(255, 0, 0));
  EXPECT_EQ(screenPixel(340, 400), RGB(0, 0, 255));
  EXPECT_EQ(host_.FailedPresents(), 0);
  host_.DestroyNativeWindow(hwnd);
}

}  // namespace
}  // namespace SkinUI
