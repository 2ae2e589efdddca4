#pragma once
// WindowImplBaseNew: the skinned window base. On creation it makes the window
// frameless, binds its SkinManager, builds the control tree from its skin
// file, registers itself as notifier and pre-message filter, and calls
// InitWindow. It routes notifications to one virtual handler per type and
// answers the native messages a frameless skinned window needs.
#include <string>

#include "ui/control/control_factory.h"
#include "ui/core/notify.h"
#include "ui/core/skin_manager.h"
#include "ui/core/window_wnd.h"

namespace SkinUI {

class WindowImplBaseNew : public CWindowWnd, public INotifyUI, public IMessageFilterUI {
 public:
  WindowImplBaseNew();
  ~WindowImplBaseNew() override;

  SkinManager& GetManager() { return m_pm; }
  // The build error of the skin file, empty when it built.
  const std::string& GetBuildError() const { return m_strBuildError; }

  // INotifyUI: routes by type (case-insensitive) to the handlers below.
  void Notify(NotifyMsg& msg) override;
  // IMessageFilterUI: Enter and Escape key presses go to ResponseDefaultKeyEvent.
  LResult MessageHandler(MsgId msg, WParam wParam, LParam lParam, bool& bHandled) override;

 protected:
  uint32_t GetClassStyle() const override;
  void OnFinalMessage(WindowHandle hwnd) override;
  virtual void InitWindow() {}
  // The markup file of the window; empty builds no tree.
  virtual std::wstring GetSkinFile() = 0;
  // Controls for elements the framework does not know; null by default.
  virtual IControlFactory* GetControlFactory() { return nullptr; }
  // Enter (kVkReturn) or Escape (kVkEscape): true when taken.
  virtual bool ResponseDefaultKeyEvent(WParam key);

  // Notification handlers.
  virtual void OnWindowInit(NotifyMsg&) {}
  virtual void OnKillFocus(NotifyMsg&) {}
  virtual void OnSetFocus(NotifyMsg&) {}
  virtual void OnClick(NotifyMsg&) {}
  virtual void OnDbClick(NotifyMsg&) {}
  virtual void OnSelectChanged(NotifyMsg&) {}
  virtual void OnItemSelect(NotifyMsg&) {}
  virtual void OnItemClick(NotifyMsg&) {}
  virtual void OnItemDbClick(NotifyMsg&) {}
  virtual void OnHeaderClick(NotifyMsg&) {}
  virtual void OnHeaderCheck(NotifyMsg&) {}
  virtual void OnTextChanged(NotifyMsg&) {}
  virtual void OnLink(NotifyMsg&) {}

  // Message handlers; each sets bHandled false to pass the message on.
  LResult HandleMessage(MsgId msg, WParam wParam, LParam lParam) override;
  virtual LResult HandleCustomMessage(MsgId msg, WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnCreate(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnClose(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnDestroy(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnTimer(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnSysCommand(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnNcActivate(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnNcCalcSize(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnNcPaint(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnNcHitTest(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnGetMinMaxInfo(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnSize(WParam wParam, LParam lParam, bool& bHandled);
  virtual LResult OnLButtonDown(WParam wParam, LParam lParam, bool& bHandled);

  SkinManager m_pm;

 private:
  std::string m_strBuildError;
};

}  // namespace SkinUI
