#pragma once
// The user32 window host for the length of a scope, installed as the process
// default (DefaultWindowHost) while it lives. Start-up makes one right after
// GDI+ has started and before any window exists, and lets it go before GDI+
// shuts down: the host's renderer holds GDI+ objects, so it cannot be a
// function-static that outlives GDI+. Windows still open when the scope ends
// are destroyed with it. UI thread only.
#include <memory>

namespace SkinUI {

class IWindowHost;
class WinHost;

class WinHostScope {
 public:
  // `instance` is the module (HINSTANCE) the window classes belong to; null
  // means the executable. GDI+ must be running.
  explicit WinHostScope(void* instance = nullptr);
  // Puts back the default that was installed before.
  ~WinHostScope();
  WinHostScope(const WinHostScope&) = delete;
  WinHostScope& operator=(const WinHostScope&) = delete;

  WinHost& Host() { return *host_; }

 private:
  std::unique_ptr<WinHost> host_;
  IWindowHost* previous_ = nullptr;
};

}  // namespace SkinUI
