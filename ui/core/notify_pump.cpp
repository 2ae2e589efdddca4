#include "ui/core/notify_pump.h"

#include "ui/control/control.h"

namespace SkinUI {
namespace {

std::wstring Fold(std::wstring_view name) {
  std::wstring out(name);
  for (wchar_t& c : out) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  }
  return out;
}

}  // namespace

const NotifyMapEntry CNotifyPump::notifyMapEntries_[] = {
    {nullptr, nullptr, NotifyHandlerKind::kEnd, nullptr, nullptr}};
const NotifyMap CNotifyPump::notifyMap_ = {nullptr, &CNotifyPump::notifyMapEntries_[0]};

bool CNotifyPump::AddVirtualWnd(std::wstring_view name, CNotifyPump* pump) {
  if (!pump || name.empty()) return false;
  return m_virtualWnds.emplace(Fold(name), pump).second;
}

bool CNotifyPump::RemoveVirtualWnd(std::wstring_view name) { return m_virtualWnds.erase(Fold(name)) > 0; }

bool CNotifyPump::NotifyPump(NotifyMsg& msg) {
  if (!msg.strVirtualWnd.empty()) {
    auto it = m_virtualWnds.find(Fold(msg.strVirtualWnd));
    if (it != m_virtualWnds.end() && it->second != this && it->second->NotifyPump(msg)) return true;
  }
  static const std::wstring kNoName;
  const std::wstring& sender = msg.pSender ? msg.pSender->GetName() : kNoName;
  for (const NotifyMap* map = GetNotifyMap(); map; map = map->base) {
    const NotifyMapEntry* taken = nullptr;
    const NotifyMapEntry* fallback = nullptr;
    for (const NotifyMapEntry* row = map->entries; row && row->kind != NotifyHandlerKind::kEnd; ++row) {
      if (msg.strType != row->type) continue;
      if (sender == row->control) {
        taken = row;
        break;
      }
      if (row->control[0] == L'\0') fallback = row;
    }
    if (!taken) taken = fallback;
    if (!taken) continue;
    if (taken->kind == NotifyHandlerKind::kMessage) taken->onMessage(*this, msg);
    else taken->onParams(*this, msg.wParam, msg.lParam);
    return true;
  }
  return false;
}

}  // namespace SkinUI
