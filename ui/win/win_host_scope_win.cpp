#include "ui/win/win_host_scope.h"

#include "ui/core/window_wnd.h"
#include "ui/win/win_host.h"

namespace SkinUI {

WinHostScope::WinHostScope(void* instance)
    : host_(std::make_unique<WinHost>(instance)), previous_(SetDefaultWindowHost(host_.get())) {}

WinHostScope::~WinHostScope() {
  SetDefaultWindowHost(previous_);
  host_.reset();
}

}  // namespace SkinUI
