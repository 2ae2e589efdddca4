#pragma once
// Notifications from controls to their window, control events, and the
// observer interfaces of the control tree.
#include <cstdint>
#include <string>

#include "ui/base/geometry.h"
#include "ui/base/messages.h"

namespace SkinUI {

class CControlUI;

// One notification: what happened ("click", "selectchanged", ...) to which
// control, when, and where the mouse was.
struct NotifyMsg {
  std::wstring strType;
  std::wstring strVirtualWnd;  // empty unless the manager uses virtual windows
  CControlUI* pSender = nullptr;
  uint32_t nTimestamp = 0;  // tick count when sent
  Point ptMouse;            // the manager's last mouse position
  WParam wParam = 0;
  LParam lParam = 0;
};

class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(NotifyMsg& msg) = 0;
};

// Sees a window message before the framework handles it.
class IMessageFilterUI {
 public:
  virtual ~IMessageFilterUI() = default;
  virtual LResult MessageHandler(MsgId msg, WParam wParam, LParam lParam, bool& bHandled) = 0;
};

// Input and life events the manager hands to a control.
enum class EventType {
  kMouseMove,
  kMouseEnter,
  kMouseLeave,
  kButtonDown,
  kButtonUp,
  kDblClick,
  kKeyDown,
  kSetFocus,
  kKillFocus,
  kTimer,
  kSetCursor,
};

struct EventUI {
  EventType type = EventType::kMouseMove;
  CControlUI* pSender = nullptr;
  uint32_t nTimestamp = 0;
  Point ptMouse;
  uint32_t chKey = 0;  // virtual key of kKeyDown
  WParam wParam = 0;   // kTimer: the control's own timer id
  LParam lParam = 0;
};

// Reports of a markup build, for tools and tests that check a skin: unknown
// elements and attributes, styles used but not defined, image references and
// includes that are not in the package.
class IBuildObserver {
 public:
  virtual ~IBuildObserver() = default;
  virtual void UnknownElement(const std::wstring& /*file*/, const std::wstring& /*element*/) {}
  virtual void UnknownAttribute(const std::wstring& /*controlClass*/, const std::wstring& /*name*/) {}
  virtual void UndefinedStyle(const std::wstring& /*name*/) {}
  virtual void MissingInclude(const std::wstring& /*path*/) {}
  virtual void ImageReference(const std::wstring& /*path*/, bool /*found*/) {}
  virtual void MalformedValue(const std::wstring& /*attribute*/, const std::wstring& /*value*/) {}
};

}  // namespace SkinUI
