#pragma once
// Helpers for tests of the framework and of windows built on it: fixture
// packages, a skinned test window on a headless host, and lookups of what a
// paint recorded.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ui/core/notify_pump.h"
#include "ui/core/window_impl_base.h"
#include "ui/platform/headless_host.h"

namespace SkinUI::testing {

// Registers a package of the given files (replacing any registered one, even
// of the same size).
void UsePackage(const std::vector<std::pair<std::string, std::string>>& files);

// What a notification said, with the sender's name at the time.
struct Seen {
  std::wstring type;
  std::wstring sender;
  WParam wParam = 0;
  LParam lParam = 0;
  friend bool operator==(const Seen&, const Seen&) = default;
};
void PrintTo(const Seen& seen, std::ostream* out);

// A skinned window of class "SkinTestWndCls" that records every notification
// and then dispatches it through its (empty) notification map.
class TestWindow : public WindowImplBaseNew, public CNotifyPump {
 public:
  explicit TestWindow(std::wstring skinFile) : skinFile_(std::move(skinFile)) {}

  // Creates the window on `host` as a visible popup.
  bool CreateOn(HeadlessHost& host, WindowHandle owner = nullptr);
  CControlUI* Find(std::wstring_view name) { return m_pm.FindByName(name); }
  // Client-coordinate centre of a control.
  Point CentreOf(std::wstring_view name);

  std::vector<Seen> seen;
  std::vector<WParam> defaultKeys;
  bool takeDefaultKeys = false;
  int initCalls = 0;
  int finalCalls = 0;

  void Notify(NotifyMsg& msg) override;

 protected:
  std::wstring_view GetWindowClassName() const override { return L"SkinTestWndCls"; }
  std::wstring GetSkinFile() override { return skinFile_; }
  void InitWindow() override { ++initCalls; }
  bool ResponseDefaultKeyEvent(WParam key) override;
  void OnFinalMessage(WindowHandle hwnd) override;

 private:
  std::wstring skinFile_;
};

// Draw records of a frame with the given kind.
std::vector<DrawRecord> RecordsOf(const std::vector<DrawRecord>& frame, DrawRecord::Kind kind);
// The text records whose text equals `text`.
std::vector<DrawRecord> TextRecords(const std::vector<DrawRecord>& frame, std::wstring_view text);

}  // namespace SkinUI::testing
