#include "ui/core/window_wnd.h"
#include "ui/platform/headless_host.h"

namespace SkinUI {

IWindowHost& PlatformWindowHost() {
  static HeadlessHost host(HeadlessHost::Clock::kReal);
  return host;
}

}  // namespace SkinUI
