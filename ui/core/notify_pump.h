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

// A row's handler is a plain function that reaches the member handler of the
// class that declared it: a static_cast from the pump base down to that class,
// then an ordinary member call. (Casting the member pointer up to the base
// instead would call it through a base that is not the handler's class.)
using NotifyMsgHandler = void (*)(CNotifyPump& pump, NotifyMsg& msg);
using NotifyParamHandler = LResult (*)(CNotifyPump& pump, WParam wParam, LParam lParam);

namespace detail {
template <typename M>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
  using type = C;
};
template <auto M>
void CallMessageHandler(CNotifyPump& pump, NotifyMsg& msg) {
  using C = typename MemberOf<decltype(M)>::type;
  (static_cast<C&>(pump).*M)(msg);
}
template <auto M>
LResult CallParamHandler(CNotifyPump& pump, WParam wParam, LParam lParam) {
  using C = typename MemberOf<decltype(M)>::type;
  return (static_cast<C&>(pump).*M)(wParam, lParam);
}
}  // namespace detail

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
   &::SkinUI::detail::CallMessageHandler<handler>, nullptr},
#define SKINUI_ON_NOTIFY_PARAMS(type, control, handler)                          \
  {type, control, ::SkinUI::NotifyHandlerKind::kParams, nullptr,                 \
   &::SkinUI::detail::CallParamHandler<handler>},
#define SKINUI_ON_NOTIFY_TYPE(type, handler) SKINUI_ON_NOTIFY(type, L"", handler)
#define SKINUI_END_NOTIFY_MAP()                                              \
  { nullptr, nullptr, ::SkinUI::NotifyHandlerKind::kEnd, nullptr, nullptr } \
  }                                                                          \
  ;
