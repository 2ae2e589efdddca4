// Shows a window file of the skin package on the real user32 host with the
// GDI+ renderer, as the installer would, for screenshots, clicks and figures.
//
//   qira_skinpreview FILE [STEP...] [--size W,H] [--hold MS] [--boxes N]
//                    [--bench RUNS] [--cpu MS]
//
// FILE is a package path ("Xml\inst\wnd.xml", "xml\msgbox.xml"). Steps, in
// order, before the window is shown:
//   NAME=INDEX          select a page of a TabLayout
//   +NAME  -NAME        show, hide a control
//   NAME.ATTR=VALUE     set an attribute (NAME "@root" is the root control)
//   start:NAME          start a (fading) sequence
//   pausefade:NAME=N    start a fading sequence and stop it once its fade
//                       level reaches N, frozen mid-fade
//   option:PARENT:STYLE=TEXT   add an option with that style and text
// The window is centred on the work area and shown; once it has painted the
// program prints "window X Y W H" and a line "control NAME L T R B VISIBLE"
// per named control (screen coordinates; an unnamed GIF as "@GifUI"), then
// "ready". Clicks on buttons
// print "click NAME", Enter and Escape "key VK"; Escape also closes the window.
//   --hold MS    stay up for MS milliseconds (default 10000), then exit 0
//   --boxes N    after showing, open the exit question over the window N
//                times in a row; each prints "box X Y W H", its controls as
//                "boxcontrol NAME L T R B", "boxready", and once closed
//                "result I BITS focus=0|1 enabled=0|1"; then "boxes done"
//   --bench RUNS time full repaints and print the figures, then exit
//   --cpu MS     run for MS milliseconds and print the process's CPU time
// The exit code is 0, or 1 when a step named no control, a present failed, or
// the window did not build.
#include "ui/win/gdiplus_include.h"  // <windows.h> without the macros that clash with the framework

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "common/base/strings.h"
#include "installer/message_box_wnd.h"
#include "skin/embedded_skin.h"
#include "ui/base/values.h"
#include "ui/control/animation.h"
#include "ui/control/button.h"
#include "ui/control/container.h"
#include "ui/core/skin_manager.h"
#include "ui/core/window_impl_base.h"
#include "ui/package/resource_package.h"
#include "ui/win/gdiplus_canvas.h"
#include "ui/win/gdiplus_session.h"
#include "ui/win/win_host.h"
#include "ui/win/win_host_scope.h"

namespace skinpreview {
namespace {

using namespace SkinUI;

constexpr uintptr_t kHoldTimer = 2001;
constexpr uintptr_t kPauseTimer = 2002;
constexpr MsgId kMsgRunBoxes = kMsgApp + 51;
constexpr MsgId kMsgBoxShown = kMsgApp + 52;

void Out(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string Utf8(std::wstring_view text) { return base::WideToUtf8(std::wstring(text)); }

std::string RectText(const Rect& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
         std::to_string(r.bottom);
}

Rect ToScreen(const Rect& client, const Rect& window) {
  return {client.left + window.left, client.top + window.top, client.right + window.left,
          client.bottom + window.top};
}

struct Options {
  std::wstring file;
  std::vector<std::wstring> steps;
  Size size;
  int holdMs = 10000;
  int boxes = 0;
  int benchRuns = 0;
  int cpuMs = 0;
};

bool ParseOptions(int argc, wchar_t** argv, Options& o) {
  if (argc < 2) return false;
  o.file = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::wstring arg = argv[i];
    auto number = [&](int& target) {
      if (i + 1 >= argc) return false;
      target = _wtoi(argv[++i]);
      return true;
    };
    if (arg == L"--hold") {
      if (!number(o.holdMs)) return false;
    } else if (arg == L"--boxes") {
      if (!number(o.boxes)) return false;
    } else if (arg == L"--bench") {
      if (!number(o.benchRuns)) return false;
    } else if (arg == L"--cpu") {
      if (!number(o.cpuMs)) return false;
    } else if (arg == L"--size") {
      if (i + 1 >= argc) return false;
      auto size = ParseSize(argv[++i]);
      if (!size) return false;
      o.size = *size;
    } else {
      o.steps.push_back(arg);
    }
  }
  return true;
}

// The exit question that reports where it is once it is up, so a script can
// click it.
class ReportingBox : public installer::CMessageBoxWnd {
 public:
  explicit ReportingBox(const installer::MsgBoxParams& params) : CMessageBoxWnd(params) {}

 protected:
  void InitWindow() override {
    CMessageBoxWnd::InitWindow();
    PostMessage(kMsgBoxShown);  // handled in the modal loop, once centred and shown
  }
  LResult HandleCustomMessage(MsgId msg, WParam wParam, LParam lParam, bool& bHandled) override {
    if (msg != kMsgBoxShown) return CMessageBoxWnd::HandleCustomMessage(msg, wParam, lParam, bHandled);
    UpdateWindow(static_cast<HWND>(m_hWnd));
    const Rect window = Host().GetWindowRect(m_hWnd);
    Out("box " + std::to_string(window.left) + " " + std::to_string(window.top) + " " +
        std::to_string(window.Width()) + " " + std::to_string(window.Height()));
    m_pm.UpdateLayout();
    for (const wchar_t* name : {L"btn0", L"btn1", L"btn_close", L"lbl_caption", L"lbl_text"}) {
      if (CControlUI* c = m_pm.FindByName(name)) {
        Out("boxcontrol " + Utf8(name) + " " + RectText(ToScreen(c->GetPos(), window)));
      }
    }
    Out("boxready");
    return 0;
  }
};

class PreviewWnd : public WindowImplBaseNew {
 public:
  PreviewWnd(const Options& options, WinHost& host) : options_(options), host_(host) {}
  bool failed = false;
  int paintsAtClose = 0;

  bool ApplySteps() {
    for (const std::wstring& step : options_.steps) {
      if (!ApplyStep(step)) {
        Out("step failed: " + Utf8(step));
        failed = true;
      }
    }
    if (options_.size.cx > 0) ResizeClient(options_.size.cx, options_.size.cy);
    m_pm.UpdateLayout(true);
    return !failed;
  }

  void Report() {
    const Rect window = Host().GetWindowRect(m_hWnd);
    Out("window " + std::to_string(window.left) + " " + std::to_string(window.top) + " " +
        std::to_string(window.Width()) + " " + std::to_string(window.Height()));
    m_pm.UpdateLayout();
    if (m_pm.GetRoot()) ReportControls(m_pm.GetRoot(), window);
    Out("ready");
  }

  // The first GIF control of the tree (the check bar has no name).
  CControlUI* FindGif(CControlUI* from = nullptr) {
    if (!from) from = m_pm.GetRoot();
    if (!from) return nullptr;
    if (from->GetInterface(L"Gif")) return from;
    for (int i = 0; i < from->GetChildCount(); ++i) {
      if (CControlUI* found = FindGif(from->GetChildAt(i))) return found;
    }
    return nullptr;
  }

  void StartModes() {
    if (!pauses_.empty()) Host().SetTimer(m_hWnd, kPauseTimer, 10);
    if (options_.boxes > 0) PostMessage(kMsgRunBoxes);
    Host().SetTimer(m_hWnd, kHoldTimer, static_cast<uint32_t>(std::max(options_.holdMs, 1)));
  }

 protected:
  std::wstring_view GetWindowClassName() const override { return L"QIRASkinPreviewWndCls"; }
  std::wstring GetSkinFile() override { return options_.file; }
  void OnFinalMessage(WindowHandle hwnd) override {
    WindowImplBaseNew::OnFinalMessage(hwnd);
    Host().PostQuitMessage(0);
  }
  void OnClick(NotifyMsg& msg) override {
    if (msg.pSender) Out("click " + Utf8(msg.pSender->GetName()));
  }
  // Escape closes the preview, so a script can end it through the keyboard
  // focus it expects the window to have.
  bool ResponseDefaultKeyEvent(WParam key) override {
    Out("key " + std::to_string(key));
    if (key == kVkEscape) Close(0);
    return true;
  }
  LResult HandleCustomMessage(MsgId msg, WParam wParam, LParam lParam, bool& bHandled) override {
    if (msg == kMsgTimer && wParam == kHoldTimer) {
      Host().KillTimer(m_hWnd, kHoldTimer);
      paintsAtClose = host_.PaintCount(m_hWnd);
      Host().DestroyNativeWindow(m_hWnd);
      return 0;
    }
    if (msg == kMsgTimer && wParam == kPauseTimer) {
      CheckPauses();
      return 0;
    }
    if (msg == kMsgRunBoxes) {
      RunBoxes();
      return 0;
    }
    return WindowImplBaseNew::HandleCustomMessage(msg, wParam, lParam, bHandled);
  }

 private:
  struct Pause {
    CFadeSequenceUI* sequence;
    int level;
    bool done;
  };

  CControlUI* Find(std::wstring_view name) {
    return name == L"@root" ? m_pm.GetRoot() : m_pm.FindByName(name);
  }

  bool ApplyStep(const std::wstring& step) {
    if (step.empty()) return false;
    if (step[0] == L'+' || step[0] == L'-') {
      CControlUI* c = Find(step.substr(1));
      if (c) c->SetVisible(step[0] == L'+');
      return c != nullptr;
    }
    if (step.rfind(L"start:", 0) == 0) {
      auto* seq = static_cast<CSequenceUI*>(Find(step.substr(6)) ? Find(step.substr(6))->GetInterface(L"Sequence")
                                                                : nullptr);
      if (seq) seq->Start();
      return seq != nullptr;
    }
    const size_t eq = step.find(L'=');
    if (eq == std::wstring::npos) return false;
    const std::wstring left = step.substr(0, eq), value = step.substr(eq + 1);
    if (left.rfind(L"pausefade:", 0) == 0) {
      CControlUI* c = Find(left.substr(10));
      auto* fade = c ? static_cast<CFadeSequenceUI*>(c->GetInterface(L"FadeSequence")) : nullptr;
      if (!fade) return false;
      fade->Start();
      pauses_.push_back({fade, _wtoi(value.c_str()), false});
      return true;
    }
    if (left.rfind(L"option:", 0) == 0) {
      const size_t colon = left.find(L':', 7);
      if (colon == std::wstring::npos) return false;
      CControlUI* parent = Find(left.substr(7, colon - 7));
      auto* container = parent ? static_cast<CContainerUI*>(parent->GetInterface(L"Container")) : nullptr;
      if (!container) return false;
      auto option = std::make_unique<COptionUI>();
      COptionUI* raw = container->AddChild(std::move(option));
      if (!raw) return false;
      raw->SetAttribute(L"style", left.substr(colon + 1));
      raw->SetText(value);
      return true;
    }
    const size_t dot = left.find(L'.');
    if (dot != std::wstring::npos) {
      CControlUI* c = Find(left.substr(0, dot));
      if (c) c->SetAttribute(left.substr(dot + 1), value);
      return c != nullptr;
    }
    CControlUI* c = Find(left);
    auto* tab = c ? static_cast<CTabLayoutUI*>(c->GetInterface(L"TabLayout")) : nullptr;
    return tab && tab->SelectPage(_wtoi(value.c_str()));
  }

  // Named controls, and animated ones without a name under their class
  // ("@GifUI"), since the check bar has none.
  void ReportControls(CControlUI* control, const Rect& window) {
    std::wstring name = control->GetName();
    if (name.empty() && control->GetInterface(L"Gif")) name = L"@" + std::wstring(control->GetClass());
    if (!name.empty()) {
      Out("control " + Utf8(name) + " " + RectText(ToScreen(control->GetPos(), window)) + " " +
          (control->IsVisibleInTree() ? "1" : "0"));
    }
    for (int i = 0; i < control->GetChildCount(); ++i) ReportControls(control->GetChildAt(i), window);
  }

  void CheckPauses() {
    bool pending = false;
    for (Pause& p : pauses_) {
      if (p.done) continue;
      if (p.sequence->GetFadeLevel() >= p.level) {
        p.sequence->Stop(false);
        p.done = true;
        Out("paused " + Utf8(p.sequence->GetName()) + " " + std::to_string(p.sequence->GetFadeLevel()) + " " +
            std::to_string(p.sequence->GetCurrentFrame()));
      } else {
        pending = true;
      }
    }
    if (!pending) Host().KillTimer(m_hWnd, kPauseTimer);
  }

  void RunBoxes() {
    for (int i = 0; i < options_.boxes; ++i) {
      const installer::MsgBoxParams params = installer::ExitQuestionParams(m_hWnd);
      ReportingBox box(params);
      const int bits = box.Run();
      Out("result " + std::to_string(i) + " " + std::to_string(bits) +
          " focus=" + (Host().GetFocus() == m_hWnd ? "1" : "0") +
          " enabled=" + (Host().IsWindowEnabled(m_hWnd) ? "1" : "0"));
    }
    Out("boxes done");
  }

  const Options& options_;
  WinHost& host_;
  std::vector<Pause> pauses_;
};

double Ms(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename F>
std::pair<double, double> Time(int runs, F&& f) {  // mean, best in ms
  double total = 0, best = 1e9;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    total += Ms(a, b);
    best = std::min(best, Ms(a, b));
  }
  return {total / runs, best};
}

int Bench(WinHost& host, PreviewWnd& wnd, int runs) {
  const WindowHandle hwnd = wnd.GetHWND();
  const Rect client = host.GetClientRect(hwnd);
  const Size size{client.Width(), client.Height()};
  const auto full = Time(runs, [&] {
    host.Invalidate(hwnd, nullptr);
    UpdateWindow(static_cast<HWND>(hwnd));
  });
  // The parts the check page's animations repaint: the check bar (every
  // 30 ms) and the introduction picture (every 100 ms while it fades).
  auto partRepaint = [&](const CControlUI* control) {
    const Rect part = control ? control->GetPos() : Rect{};
    return Time(runs, [&] {
      host.Invalidate(hwnd, &part);
      UpdateWindow(static_cast<HWND>(hwnd));
    });
  };
  const auto bar = partRepaint(wnd.FindGif());
  const auto picture = partRepaint(wnd.GetManager().FindByName(L"seq_introduce_check"));
  GdiplusCanvas offscreen(size);
  const Rect all{0, 0, size.cx, size.cy};
  const auto draw = Time(runs, [&] {
    offscreen.Clear(all);
    wnd.GetManager().PaintTo(offscreen, all);
    offscreen.Flush();
  });
  const auto present = Time(runs, [&] { PresentLayered(hwnd, offscreen, all); });
  const Rect barRect = wnd.FindGif() ? wnd.FindGif()->GetPos() : Rect{};
  const auto barDraw = Time(runs, [&] {
    offscreen.Clear(barRect);
    offscreen.PushClip(barRect);
    wnd.GetManager().PaintTo(offscreen, barRect);
    offscreen.PopClip();
    offscreen.Flush();
  });
  const auto barPresent = Time(runs, [&] { PresentLayered(hwnd, offscreen, barRect); });
  const auto fill = Time(runs, [&] {
    offscreen.FillRect(all, 0xFFFFFFFF);
    offscreen.Flush();
  });
  std::printf("installer window %dx%d, %d runs each\n", size.cx, size.cy, runs);
  std::printf("full repaint (invalidate, WM_PAINT, draw tree, UpdateLayeredWindow): mean %.2f ms, best %.2f ms\n",
              full.first, full.second);
  std::printf("  draw of the control tree only:      mean %.2f ms, best %.2f ms\n", draw.first, draw.second);
  std::printf("repaint of the check bar (a GIF frame):           mean %.2f ms, best %.2f ms\n", bar.first,
              bar.second);
  std::printf("repaint of the introduction picture (a fade step): mean %.2f ms, best %.2f ms\n", picture.first,
              picture.second);
  std::printf("  UpdateLayeredWindow only:           mean %.2f ms, best %.2f ms\n", present.first, present.second);
  std::printf("  check bar: draw only %.2f ms, UpdateLayeredWindow of its part only %.2f ms (means)\n", barDraw.first,
              barPresent.first);
  std::printf("reference, one opaque fill of the buffer: mean %.2f ms\n", fill.first);
  std::printf("full repaint / reference fill: %.1f\n", fill.first > 0 ? full.first / fill.first : 0.0);
  std::fflush(stdout);
  return host.FailedPresents() == 0 ? 0 : 1;
}

uint64_t ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& t) {
    return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
  };
  return ms(kernel) + ms(user);
}

int Run(const Options& options) {
  GdiplusSession gdiplus;
  if (!gdiplus.Started()) return 2;
  WinHostScope scope;  // after GDI+, before any window; gone before GDI+ stops
  const auto package = skin::EmbeddedPackage();
  if (!RegisterResourcePackage({package.data(), package.size()})) {
    Out("the skin package is missing or empty");
    return 2;
  }
  PreviewWnd wnd(options, scope.Host());
  if (!wnd.Create(nullptr, L"QIRA skin preview", kWsPopup | kWsSysMenu | kWsMinimizeBox, 0)) return 2;
  if (!wnd.GetManager().GetRoot()) {
    Out("no control tree: " + wnd.GetBuildError());
    return 1;
  }
  wnd.ApplySteps();
  wnd.CenterWindow();
  wnd.ShowWindow(true, true);
  UpdateWindow(static_cast<HWND>(wnd.GetHWND()));
  wnd.Report();

  int rc = 0;
  if (options.benchRuns > 0) {
    rc = Bench(scope.Host(), wnd, options.benchRuns);
  } else {
    const uint64_t cpuBefore = ProcessCpuMs();
    const int paintsBefore = scope.Host().PaintCount(wnd.GetHWND());
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    wnd.StartModes();
    SkinManager::MessageLoop(scope.Host());
    if (options.cpuMs > 0) {
      LARGE_INTEGER end;
      QueryPerformanceCounter(&end);
      const double wall = Ms(start, end);
      const double cpu = static_cast<double>(ProcessCpuMs() - cpuBefore);
      const int paints = wnd.paintsAtClose - paintsBefore;
      std::printf("cpu %.0f ms over %.0f ms wall: %.1f%% of one core; %d frames shown (%.1f per second)\n", cpu,
                  wall, wall > 0 ? 100.0 * cpu / wall : 0, paints, wall > 0 ? 1000.0 * paints / wall : 0);
      std::fflush(stdout);
    }
  }
  if (scope.Host().FailedPresents() > 0) {
    Out("failed presents: " + std::to_string(scope.Host().FailedPresents()));
    rc = 1;
  }
  if (wnd.failed) rc = 1;
  ReleaseResourcePackage();
  return rc;
}

}  // namespace
}  // namespace skinpreview

int wmain(int argc, wchar_t** argv) {
  skinpreview::Options options;
  if (!skinpreview::ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: qira_skinpreview FILE [STEP...] [--size W,H] [--hold MS] [--boxes N] "
                         "[--bench RUNS] [--cpu MS]\n");
    return 2;
  }
  if (options.cpuMs > 0) options.holdMs = options.cpuMs;
  return skinpreview::Run(options);
}
