#pragma once
// CNotifyPump: dispatch of notifications through a static map of the class
// and its bases. A map is an array of rows ending with a row without handler.
//
//   class CMyWnd : public WindowImplBaseNew, public CNotifyPump {
//     SKINUI_DECLARE_NOTIFY_MAP()
//     void OnCloseClick(NotifyMsg& msg);
//   };
//   SKINUI_BEGIN_NOTIFY_MAP(CMyWnd, CNotifyPump)
//     SKINUI_ON_NOTIFY(L"click", L"btn_close", &CMyWnd::OnCloseClick)
//   SKINUI_END_NOTIFY_MAP()
#include <map>
#include <string>
#include <string_view>

#include "ui/core/notify.h"

namespace SkinUI {

class CNotifyPump;

using NotifyMsgHandler = void (CNotifyPump::*)(NotifyMsg&);
using NotifyParamHandler = LResult (CNotifyPump::*)(WParam, LParam);

enum class NotifyHandlerKind { kEnd, kMessage, kParams };

struct NotifyMapEntry {
  const wchar_t* type;
  const wchar_t* control;  // "" matches any control, as the fallback of its type
  NotifyHandlerKind kind;
  NotifyMsgHandler onMessage;
  NotifyParamHandler onParams;
};

struct NotifyMap {
  const NotifyMap* base;  // the base class's map, or null
  const NotifyMapEntry* entries;
};

class CNotifyPump {
 public:
  virtual ~CNotifyPump() = default;

  // Sub-pumps for notifications that name a virtual window (case-insensitive).
  bool AddVirtualWnd(std::wstring_view name, CNotifyPump* pump);
  bool RemoveVirtualWnd(std::wstring_view name);
  // Dispatches through the sub-pump of the message's virtual window, then
  // the map chain; true when some row took it.
  bool NotifyPump(NotifyMsg& msg);

 protected:
  virtual const NotifyMap* GetNotifyMap() const { return &notifyMap_; }
  static const NotifyMapEntry notifyMapEntries_[];
  static const NotifyMap notifyMap_;

 private:
  std::map<std::wstring, CNotifyPump*> m_virtualWnds;  // key: folded name
};

}  // namespace SkinUI

#define SKINUI_DECLARE_NOTIFY_MAP()                                        \
 protected:                                                                \
  const ::SkinUI::NotifyMap* GetNotifyMap() const override { return &notifyMap_; } \
  static const ::SkinUI::NotifyMapEntry notifyMapEntries_[];               \
  static const ::SkinUI::NotifyMap notifyMap_;                             \
                                                                           \
 private:

#define SKINUI_BEGIN_NOTIFY_MAP(theClass, baseClass)                                  \
  const ::SkinUI::NotifyMap theClass::notifyMap_ = {&baseClass::notifyMap_,          \
                                                    &theClass::notifyMapEntries_[0]}; \
  const ::SkinUI::NotifyMapEntry theClass::notifyMapEntries_[] = {
#define SKINUI_ON_NOTIFY(type, control, handler)                                  \
  {type, control, ::SkinUI::NotifyHandlerKind::kMessage,                          \
   static_cast<::SkinUI::NotifyMsgHandler>(handler), nullptr},
#define SKINUI_ON_NOTIFY_PARAMS(type, control, handler)                          \
  {type, control, ::SkinUI::NotifyHandlerKind::kParams, nullptr,                 \
   static_cast<::SkinUI::NotifyParamHandler>(handler)},
#define SKINUI_ON_NOTIFY_TYPE(type, handler) SKINUI_ON_NOTIFY(type, L"", handler)
#define SKINUI_END_NOTIFY_MAP()                                              \
  { nullptr, nullptr, ::SkinUI::NotifyHandlerKind::kEnd, nullptr, nullptr } \
  }                                                                          \
  ;
