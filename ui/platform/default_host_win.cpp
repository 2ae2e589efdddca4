#include "common/log/log.h"
#include "ui/core/window_wnd.h"
#include "ui/platform/headless_host.h"

namespace SkinUI {

// The user32 host is installed by a WinHostScope that start-up makes once GDI+
// runs. A window made without one still works on this in-memory host, but
// nothing reaches the screen: say so once.
IWindowHost& PlatformWindowHost() {
  static HeadlessHost host(HeadlessHost::Clock::kReal);
  static const bool logged = [] {
    PLOG_ERROR << "no window host installed (SkinUI::WinHostScope): windows are not shown";
    return true;
  }();
  (void)logged;
  return host;
}

}  // namespace SkinUI
