#include "ui/win/gdiplus_session.h"

#include "common/log/log.h"
#include "ui/win/gdiplus_include.h"

namespace SkinUI {

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::Status status = Gdiplus::GdiplusStartup(&token, &input, nullptr);
  if (status != Gdiplus::Ok) {
    PLOG_ERROR << "GdiplusStartup failed, status " << static_cast<int>(status);
    return;
  }
  token_ = static_cast<uintptr_t>(token);
}

GdiplusSession::~GdiplusSession() {
  if (token_) Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(token_));
}

}  // namespace SkinUI
