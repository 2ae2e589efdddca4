#pragma once
// CWebInstWnd: the installer's one main window. It is built from
// "Xml\inst\wnd.xml", turns notifications into actions through its map, runs
// blocking work on its window worker, takes results back through
// RunOnUiThread, and decides how the window may be closed.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "check/machine_check.h"
#include "report/event_reporter.h"
#include "report/task_worker.h"
#include "ui/skin_ui.h"

namespace installer {

// Addresses the window uses; the defaults are the build's settings.
struct WindowSettings {
  std::string requireHost;  // base URL of the requirements service
  std::wstring licenseUrl;
  std::wstring contactUrl;
  static WindowSettings FromBuild();
};

// Usage event ids reported by the window.
enum UsageEvent : int {
  kEventWindowInit = 900001,
  kEventCloseClicked = 900002,
  kEventWindowDestroyed = 900003,
  kEventNextStep = 901001,
  kEventCheckFailed = 901104,
  kEventNoModel = 901105,
};

}  // namespace installer

// Not in a namespace: its records carry the label "CWebInstWnd::Function".
class CWebInstWnd : public SkinUI::WindowImplBaseNew, public SkinUI::CNotifyPump {
 public:
  // The private message that runs a callable posted by RunOnUiThread.
  static constexpr SkinUI::MsgId kMsgRunOnUiThread = 0x8400;

  explicit CWebInstWnd(installer::WindowSettings settings = installer::WindowSettings::FromBuild(),
                       std::unique_ptr<IEventReporter> reporter = nullptr);
  ~CWebInstWnd() override;

  // Hands `task` to the UI thread; returns at once, from any thread. The task
  // runs in posting order, or never when the window is gone by then.
  void RunOnUiThread(std::function<void()> task);
  // Posts WM_CLOSE with `code` when the window exists. Code 1 closes without
  // asking; any other code asks first while "btn_close" is enabled.
  void PostClose(int code);
  // 1 on the launch panel (page 3, panel 2), otherwise 2.
  int CloseCode() const;

  // The machine check, run by the check task on the window worker.
  int CheckSystemEnvCfgInfo();

  const check::CheckState& CheckStateForTesting() const { return m_check; }
  const std::vector<SkinUI::COptionUI*>& ModelOptions() const { return vecModelOption; }
  IEventReporter& Reporter() { return *m_pReporter; }
  // Replaces how links are opened (on the worker); for tests.
  void SetUrlOpenerForTesting(std::function<void(const std::wstring&)> opener);

 protected:
  std::wstring_view GetWindowClassName() const override { return L"QIRAWebInstWndCls"; }
  void OnFinalMessage(SkinUI::WindowHandle hwnd) override;
  void InitWindow() override;
  SkinUI::LResult OnClose(SkinUI::WParam wParam, SkinUI::LParam lParam, bool& bHandled) override;
  SkinUI::LResult OnDestroy(SkinUI::WParam wParam, SkinUI::LParam lParam, bool& bHandled) override;
  SkinUI::LResult OnSysCommand(SkinUI::WParam wParam, SkinUI::LParam lParam, bool& bHandled) override;
  SkinUI::LResult HandleCustomMessage(SkinUI::MsgId msg, SkinUI::WParam wParam, SkinUI::LParam lParam,
                                      bool& bHandled) override;
  std::wstring GetSkinFile() override { return L"Xml\\inst\\wnd.xml"; }
  bool ResponseDefaultKeyEvent(SkinUI::WParam key) override;
  void Notify(SkinUI::NotifyMsg& msg) override;

 private:
  SKINUI_DECLARE_NOTIFY_MAP()

  // Map actions.
  void OnCloseClick(SkinUI::NotifyMsg& msg);
  void OnMinClick(SkinUI::NotifyMsg& msg);
  void OnLicenseLink(SkinUI::NotifyMsg& msg);
  void OnMainTabSelect(SkinUI::NotifyMsg& msg);
  void OnRecheckClick(SkinUI::NotifyMsg& msg);
  void OnContactClick(SkinUI::NotifyMsg& msg);

  // The check task and its result handler (UI thread).
  void PostMachineCheck();
  void OnCheckResult();
  // Version page: one option per fitting variant.
  void BuildModelList();
  // Options page: the custom panel folded away, the window at its initial size.
  void CollapseCustomInstall();
  void OpenUrlOnWorker(std::wstring url);
  void StartSequence(const wchar_t* name);
  void StopSequence(const wchar_t* name);

  template <typename T>
  T* Find(const wchar_t* name) const {
    return dynamic_cast<T*>(m_pm.FindByName(name));
  }

  installer::WindowSettings m_settings;
  TaskWorker m_worker;
  std::unique_ptr<IEventReporter> m_pReporter;
  std::function<void(const std::wstring&)> m_openUrl;

  // Control references, looked up once at initialisation.
  SkinUI::CTabLayoutUI* m_pTabMain = nullptr;
  SkinUI::CRichEditUI* m_pEditInstallPath = nullptr;
  SkinUI::CTabLayoutUI* m_pTabBottom = nullptr;
  SkinUI::CLabelUI* m_pLblDlPrecent = nullptr;
  SkinUI::CLabelUI* m_pLblDlSpeed = nullptr;
  SkinUI::CLabelUI* m_pLblDlStat = nullptr;
  SkinUI::CLabelUI* m_pLblDlSize = nullptr;
  SkinUI::CProgressUI* m_pProgDownload = nullptr;
  SkinUI::CLabelUI* m_pLblInstPrecent = nullptr;
  SkinUI::CTabLayoutUI* m_pTabDlOp = nullptr;
  SkinUI::CButtonUI* m_pBtnGoStep1 = nullptr;
  SkinUI::CTabLayoutUI* m_pTabCheckBottom = nullptr;

  // Machine-check state: vecModelEvn, vecModelEvnIdx, nCheckResult, stAppConfig.
  check::CheckState m_check;
  std::vector<SkinUI::COptionUI*> vecModelOption;  // owned by "vl_models"
  std::wstring strInstallPath;
  bool bSpaceEnough = false;
  bool bLicenseAgreed = true;
  std::atomic<bool> m_bCancel{false};

  // Callables posted to the UI thread and not yet run; freed unrun when the
  // window is destroyed first.
  std::mutex m_pendingLock;
  std::set<std::function<void()>*> m_pending;
  bool m_bDestroyed = false;  // guarded by m_pendingLock
};
