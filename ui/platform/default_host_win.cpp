#include "ui/core/window_wnd.h"
#include "ui/platform/headless_host.h"

namespace SkinUI {

// Until the user32 host and the GDI+ renderer exist, the Windows build runs
// its windows on the in-memory host: the program links and its logic runs,
// but nothing is shown on screen.
IWindowHost& DefaultWindowHost() {
  static HeadlessHost host(HeadlessHost::Clock::kReal);
  return host;
}

}  // namespace SkinUI
