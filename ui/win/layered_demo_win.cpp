// A real layered window drawn by the Windows host and the GDI+ renderer with
// the skin's own images and fonts: the installer card with its transparent
// shadow margin, the title row, an introduction picture half-way through a
// cross-fade, a 40% black band with white text, a nine-part blue button and
// a red error line. Two uses:
//   layered_demo.exe IMG_DIR --hold MS   shows the window centred on the work
//       area for MS milliseconds, animating the fade, and prints its position
//       ("window X Y W H") for the screenshot test;
//   layered_demo.exe IMG_DIR --bench N   times N full repaints of the window
//       and prints the figures.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/win/gdiplus_canvas.h"
#include "ui/win/gdiplus_include.h"
#include "ui/win/gdiplus_session.h"
#include "ui/win/win_host.h"

namespace SkinUI {
namespace {

constexpr wchar_t kClass[] = L"QIRALayeredDemoWndCls";
constexpr wchar_t kTitle[] = L"QIRA layered demo";
constexpr Size kWindowSize{819, 574};
constexpr uintptr_t kFadeTimer = 1001;
constexpr uintptr_t kHoldTimer = 1;

std::vector<uint8_t> ReadFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Scene {
  std::shared_ptr<IImage> bg, logo, title, intro, button;
  std::shared_ptr<IFont> font12, font14, font16;
  uint8_t fade = 128;  // opacity of the next introduction frame
};

bool LoadScene(IRenderer& renderer, const std::wstring& dir, Scene& scene) {
  auto load = [&](const wchar_t* name) {
    return renderer.DecodeImage(ReadFile(dir + L"\\" + name), name);
  };
  scene.bg = load(L"common\\bg.png");
  scene.logo = load(L"common\\logo.png");
  scene.title = load(L"common\\title.png");
  scene.intro = load(L"inst\\seq_introduce.png");
  scene.button = load(L"common\\btn_blue_radius4.png");
  FontSpec spec;
  spec.size = 12;
  scene.font12 = renderer.CreateFont(spec);
  spec.size = 14;
  scene.font14 = renderer.CreateFont(spec);
  spec.size = 16;
  scene.font16 = renderer.CreateFont(spec);
  return scene.bg && scene.logo && scene.title && scene.intro && scene.button && scene.font12;
}

// The installer card at its natural 819x574, drawn the way the controls do.
void DrawScene(ICanvas& canvas, const Scene& s) {
  auto whole = [](const IImage& image) { return Rect{0, 0, image.Width(), image.Height()}; };
  canvas.DrawImage(*s.bg, {{0, 0, 819, 574}, whole(*s.bg), {}, 255, true});
  canvas.DrawImage(*s.logo, {{26, 20, 50, 44}, whole(*s.logo), {}, 255, true});
  canvas.DrawImage(*s.title, {{58, 22, 156, 43}, whole(*s.title), {}, 255, true});
  const Rect picture{26, 66, 793, 464};
  canvas.DrawImage(*s.intro, {picture, {0, 0, 767, 398}, {}, static_cast<uint8_t>(255 - s.fade), true});
  canvas.DrawImage(*s.intro, {picture, {767, 0, 1534, 398}, {}, s.fade, true});
  canvas.FillRect({26, 424, 793, 464}, 0x66000000);
  canvas.DrawText(L"正在检测您的电脑配置，请稍候…", {26, 424, 793, 464}, *s.font16, 0xFFFFFFFF,
                  kTextCenter | kTextVCenter | kTextSingleLine);
  const Rect button{334, 484, 486, 518};
  canvas.DrawImage(*s.button, {button, {0, 0, 60, 34}, {6, 6, 6, 6}, 255, true});
  canvas.DrawText(L"确认，下一步", button, *s.font14, 0xFFFFFFFF, kTextCenter | kTextVCenter | kTextSingleLine);
  canvas.DrawText(L"所需空间不足，请更换安装位置", {26, 530, 400, 552}, *s.font12, 0xFFFF4D4F,
                  kTextLeft | kTextVCenter | kTextSingleLine);
  canvas.DrawText(L"QIRA 助手安装程序", {500, 530, 793, 552}, *s.font12, 0xFF333333,
                  kTextRight | kTextVCenter | kTextSingleLine);
}

class DemoWindow : public IWindowProc {
 public:
  DemoWindow(WinHost& host, Scene& scene) : host_(host), scene_(scene) {}

  LResult WindowProc(WindowHandle hwnd, MsgId msg, WParam wParam, LParam lParam) override {
    switch (msg) {
      case kMsgNcCalcSize:
        return 0;
      case kMsgPaint:
        host_.Paint(hwnd, [&](ICanvas& canvas, const Rect&) { DrawScene(canvas, scene_); });
        return 0;
      case kMsgTimer:
        if (wParam == kFadeTimer) {
          scene_.fade = static_cast<uint8_t>((scene_.fade + 25) % 250);
          host_.Invalidate(hwnd, nullptr);
        } else if (wParam == kHoldTimer) {
          host_.DestroyNativeWindow(hwnd);
        }
        return 0;
      case kMsgNcDestroy:
        host_.PostQuitMessage(0);
        return 0;
      default:
        return host_.DefaultProc(hwnd, msg, wParam, lParam);
    }
  }

 private:
  WinHost& host_;
  Scene& scene_;
};

WindowHandle CreateCentred(WinHost& host, DemoWindow& proc) {
  const Rect work = host.GetWorkArea(nullptr);
  const int32_t x = std::max(work.left, work.left + (work.Width() - kWindowSize.cx) / 2);
  const int32_t y = std::max(work.top, work.top + (work.Height() - kWindowSize.cy) / 2);
  WindowCreateInfo info;
  info.className = kClass;
  info.title = kTitle;
  info.style = kWsPopup | kWsSysMenu | kWsMinimizeBox | kWsClipSiblings | kWsClipChildren;
  info.exStyle = kWsExLayered;
  info.rect = {x, y, x + kWindowSize.cx, y + kWindowSize.cy};
  return host.CreateNativeWindow(info, &proc);
}

double Ms(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figures {
  double mean = 0, best = 1e9;
  void Add(double ms, int n) {
    mean += ms / n;
    best = std::min(best, ms);
  }
};

template <typename F>
Figures Time(int runs, F&& f) {
  Figures figures;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    figures.Add(Ms(a, b), runs);
  }
  return figures;
}

int Bench(WinHost& host, WindowHandle hwnd, Scene& scene, int runs) {
  // Full repaint through the real path: invalidate all, WM_PAINT, draw into
  // the back buffer, UpdateLayeredWindow.
  const int paintsBefore = host.PaintCount(hwnd);
  const Figures full = Time(runs, [&] {
    host.Invalidate(hwnd, nullptr);
    UpdateWindow(static_cast<HWND>(hwnd));
  });
  const int paints = host.PaintCount(hwnd) - paintsBefore;
  // One frame of an animation strip: only a 767x12 band is dirty.
  const Rect strip{26, 452, 793, 464};
  const Figures band = Time(runs, [&] {
    host.Invalidate(hwnd, &strip);
    UpdateWindow(static_cast<HWND>(hwnd));
  });
  GdiplusCanvas offscreen(kWindowSize);
  const Figures draw = Time(runs, [&] {
    offscreen.Clear({0, 0, kWindowSize.cx, kWindowSize.cy});
    DrawScene(offscreen, scene);
    offscreen.Flush();
  });
  const Figures present = Time(runs, [&] { PresentLayered(hwnd, offscreen, {0, 0, kWindowSize.cx, kWindowSize.cy}); });
  // Reference in the same run: one opaque fill of the whole back buffer.
  const Figures fill = Time(runs, [&] {
    offscreen.FillRect({0, 0, kWindowSize.cx, kWindowSize.cy}, 0xFFFFFFFF);
    offscreen.Flush();
  });
  std::printf("layered window %dx%d, %d runs each\n", kWindowSize.cx, kWindowSize.cy, runs);
  std::printf("full repaint (WM_PAINT, draw, UpdateLayeredWindow): mean %.2f ms, best %.2f ms (%d frames shown)\n",
              full.mean, full.best, paints);
  std::printf("repaint of a 767x12 band (an animation frame):      mean %.2f ms, best %.2f ms\n", band.mean,
              band.best);
  std::printf("  draw of the scene only:                            mean %.2f ms, best %.2f ms\n", draw.mean,
              draw.best);
  std::printf("  UpdateLayeredWindow only:                          mean %.2f ms, best %.2f ms\n", present.mean,
              present.best);
  std::printf("reference, one opaque fill of the buffer:            mean %.2f ms\n", fill.mean);
  std::printf("full repaint / reference fill: %.1f\n", fill.mean > 0 ? full.mean / fill.mean : 0.0);
  std::printf("failed presents: %d\n", host.FailedPresents());
  return host.FailedPresents() == 0 ? 0 : 1;
}

int Run(const std::wstring& dir, bool bench, int amount) {
  GdiplusSession gdiplus;
  if (!gdiplus.Started()) return 2;
  WinHost host;
  Scene scene;
  if (!LoadScene(host.Renderer(), dir, scene)) {
    std::fprintf(stderr, "skin images not found under %ls\n", dir.c_str());
    return 2;
  }
  if (!host.RegisterWindowClass({kClass, kCsHRedraw | kCsVRedraw | kCsDblClks})) return 2;
  DemoWindow proc(host, scene);
  WindowHandle hwnd = CreateCentred(host, proc);
  if (!hwnd) return 2;
  host.ShowWindow(hwnd, kSwShowNormal);
  UpdateWindow(static_cast<HWND>(hwnd));
  const Rect r = host.GetWindowRect(hwnd);
  std::printf("window %d %d %d %d\n", r.left, r.top, r.Width(), r.Height());
  std::fflush(stdout);
  if (bench) {
    const int rc = Bench(host, hwnd, scene, amount);
    host.DestroyNativeWindow(hwnd);
    return rc;
  }
  host.SetTimer(hwnd, kHoldTimer, static_cast<uint32_t>(amount));
  if (std::getenv("QIRA_DEMO_ANIMATE")) host.SetTimer(hwnd, kFadeTimer, 100);
  Message msg;
  while (host.GetMessage(msg)) host.DispatchMessage(msg);
  return host.FailedPresents() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace SkinUI

int wmain(int argc, wchar_t** argv) {
  if (argc != 4 || (std::wcscmp(argv[2], L"--hold") != 0 && std::wcscmp(argv[2], L"--bench") != 0)) {
    std::fprintf(stderr, "usage: layered_demo IMG_DIR --hold MS | --bench RUNS\n");
    return 2;
  }
  const int amount = std::max(1, _wtoi(argv[3]));
  return SkinUI::Run(argv[1], std::wcscmp(argv[2], L"--bench") == 0, amount);
}
