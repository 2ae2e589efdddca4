#pragma once
// GDI+ for the length of a scope. GDI+ must be running before a renderer,
// image, font or canvas of this folder is made, and every one of them must be
// gone before the session ends. The installer starts GDI+ itself; test and
// tool programs hold one of these.
#include <cstdint>

namespace SkinUI {

class GdiplusSession {
 public:
  GdiplusSession();  // start-up input version 1, no debug callback
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  bool Started() const { return token_ != 0; }

 private:
  uintptr_t token_ = 0;
};

}  // namespace SkinUI
