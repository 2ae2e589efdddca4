#include "ui/testing/skin_test_util.h"

#include "common/base/strings.h"
#include "ui/control/control.h"
#include "ui/package/resource_package.h"
#include "ui/testing/zip_writer.h"

namespace SkinUI::testing {

void PrintTo(const Seen& seen, std::ostream* out) {
  *out << "{" << base::WideToUtf8(seen.type) << ", " << base::WideToUtf8(seen.sender) << ", " << seen.wParam << ", "
       << seen.lParam << "}";
}

void UsePackage(const std::vector<std::pair<std::string, std::string>>& files) {
  ReleaseResourcePackage();
  RegisterResourcePackage(MakeZip(files));
}

bool TestWindow::CreateOn(HeadlessHost& host, WindowHandle owner) {
  SetHost(&host);
  return Create(owner, L"test", kWsPopup | kWsSysMenu | kWsMinimizeBox | kWsVisible, 0, {100, 100, 400, 300}) !=
         nullptr;
}

Point TestWindow::CentreOf(std::wstring_view name) {
  m_pm.UpdateLayout();
  CControlUI* control = Find(name);
  if (!control) return {-1, -1};
  const Rect& r = control->GetPos();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void TestWindow::Notify(NotifyMsg& msg) {
  seen.push_back({msg.strType, msg.pSender ? msg.pSender->GetName() : L"", msg.wParam, msg.lParam});
  WindowImplBaseNew::Notify(msg);
  NotifyPump(msg);
}

bool TestWindow::ResponseDefaultKeyEvent(WParam key) {
  defaultKeys.push_back(key);
  return takeDefaultKeys;
}

void TestWindow::OnFinalMessage(WindowHandle hwnd) {
  ++finalCalls;
  WindowImplBaseNew::OnFinalMessage(hwnd);
}

std::vector<DrawRecord> RecordsOf(const std::vector<DrawRecord>& frame, DrawRecord::Kind kind) {
  std::vector<DrawRecord> out;
  for (const DrawRecord& r : frame) {
    if (r.kind == kind) out.push_back(r);
  }
  return out;
}

std::vector<DrawRecord> TextRecords(const std::vector<DrawRecord>& frame, std::wstring_view text) {
  std::vector<DrawRecord> out;
  for (const DrawRecord& r : frame) {
    if (r.kind == DrawRecord::Kind::kText && r.text == text) out.push_back(r);
  }
  return out;
}

}  // namespace SkinUI::testing
