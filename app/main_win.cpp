// Process entry point of the installer: start-up steps strictly in order, the
// message loop, and tear-down in reverse. Always returns 0.
#include <windows.h>
#include <objbase.h>
#include <gdiplus.h>

#include "app/log_setup.h"
#include "common/log/log.h"
#include "installer/web_inst_wnd.h"
#include "report/client_info.h"
#include "skin/embedded_skin.h"
#include "ui/skin_ui.h"
#include "ui/win/win_host_scope.h"

namespace {

// Owns the GDI+ start-up token for the length of the run.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  ~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

// COM on the UI thread; uninitialised only when the initialisation succeeded.
class ComSession {
 public:
  ComSession() : hr_(CoInitialize(nullptr)) {}
  ~ComSession() {
    if (hr_ == S_OK || hr_ == S_FALSE) CoUninitialize();
  }
  ComSession(const ComSession&) = delete;
  ComSession& operator=(const ComSession&) = delete;

 private:
  HRESULT hr_;
};

// Closes the single-instance event when the entry function returns.
class GuardHandle {
 public:
  ~GuardHandle() {
    if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  HANDLE handle = nullptr;
};

// Steps 3 to 13, each owner released in reverse order of creation.
int RunInstaller(HINSTANCE instance) {
  ComSession com;                    // 3
  GdiplusSession gdiplus;            // 4
  ClientInfo::Instance().Collect();  // 5
  SkinUI::SetResourceInstance(instance);  // 6
  SkinUI::WinHostScope host(instance);    // the user32 host, while GDI+ runs
  CWebInstWnd window;          // 7
  SkinUI::RegisterResourcePackage(skin::EmbeddedPackage());  // 8
  // 9: creation builds the control tree and starts the machine check.
  if (window.Create(nullptr, L"QIRA 助手安装程序", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0)) {
    window.CenterWindow();        // 10
    window.ShowWindow(true, true);  // 11
    SkinUI::SkinManager::MessageLoop(SkinUI::DefaultWindowHost());  // 12
  } else {
    PLOG_ERROR << "the installer window could not be created";
  }
  SkinUI::ReleaseResourcePackage();  // 13, then the window, host, GDI+ and COM
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  app::InitLogging();  // 1
  GuardHandle guard;   // 2  the single-instance check attaches here; 14 closes it
  RunInstaller(instance);
  return 0;  // 15; 16 "Log uninit" is written as statics are destroyed
}
