#include "installer/web_inst_wnd.h"

#include "check/system_info.h"
#include "common/base/strings.h"
#include "common/log/log.h"
#include "installer/message_box.h"
#include "installer/shell_open.h"
#include "report/client_info.h"

using namespace SkinUI;
using namespace installer;

installer::WindowSettings installer::WindowSettings::FromBuild() {
  return {QIRA_REQUIRE_HOST, base::Utf8ToWide(QIRA_LICENSE_URL), base::Utf8ToWide(QIRA_CONTACT_URL)};
}

// Rows of this actions; the pages that follow add theirs in table order.
SKINUI_BEGIN_NOTIFY_MAP(CWebInstWnd, CNotifyPump)
  SKINUI_ON_NOTIFY(L"click", L"btn_close", &CWebInstWnd::OnCloseClick)
  SKINUI_ON_NOTIFY(L"click", L"btn_min", &CWebInstWnd::OnMinClick)
  SKINUI_ON_NOTIFY(L"link", L"txt_lic", &CWebInstWnd::OnLicenseLink)
  SKINUI_ON_NOTIFY(L"tabselect", L"tab_main", &CWebInstWnd::OnMainTabSelect)
  SKINUI_ON_NOTIFY(L"click", L"btn_recheck", &CWebInstWnd::OnRecheckClick)
  SKINUI_ON_NOTIFY(L"click", L"btn_recheck2", &CWebInstWnd::OnRecheckClick)
  SKINUI_ON_NOTIFY(L"click", L"btn_contact", &CWebInstWnd::OnContactClick)
SKINUI_END_NOTIFY_MAP()

CWebInstWnd::CWebInstWnd(WindowSettings settings, std::unique_ptr<IEventReporter> reporter)
    : m_settings(std::move(settings)),
      m_pReporter(reporter ? std::move(reporter) : std::make_unique<RecordingReporter>()),
      m_openUrl(&OpenUrl) {}

CWebInstWnd::~CWebInstWnd() {
  // The workers join here at the latest, before the members they use go.
  m_worker.Stop();
  m_pReporter->Stop();
  std::lock_guard<std::mutex> guard(m_pendingLock);
  for (auto* task : m_pending) delete task;
  m_pending.clear();
}

void CWebInstWnd::SetUrlOpenerForTesting(std::function<void(const std::wstring&)> opener) {
  m_openUrl = std::move(opener);
}

void CWebInstWnd::RunOnUiThread(std::function<void()> task) {
  auto* copy = new std::function<void()>(std::move(task));
  std::lock_guard<std::mutex> guard(m_pendingLock);
  if (m_bDestroyed || !m_hWnd) {
    delete copy;
    return;
  }
  m_pending.insert(copy);
  if (!Host().Post(m_hWnd, kMsgRunOnUiThread, reinterpret_cast<WParam>(copy), 1)) {
    m_pending.erase(copy);
    delete copy;
  }
}

LResult CWebInstWnd::HandleCustomMessage(MsgId msg, WParam wParam, LParam lParam, bool& bHandled) {
  if (msg != kMsgRunOnUiThread) {
    bHandled = false;
    return 0;
  }
  bHandled = true;
  auto* task = reinterpret_cast<std::function<void()>*>(wParam);
  {
    std::lock_guard<std::mutex> guard(m_pendingLock);
    if (m_pending.erase(task) == 0) return 0;  // not ours, or already freed
  }
  (*task)();
  if (lParam != 0) delete task;
  return 0;
}

void CWebInstWnd::PostClose(int code) {
  if (m_hWnd && Host().IsWindow(m_hWnd)) PostMessage(kMsgClose, static_cast<WParam>(code), 0);
}

int CWebInstWnd::CloseCode() const {
  const bool finished = m_pTabMain && m_pTabBottom && m_pTabMain->GetCurrentPage() == 3 &&
                        m_pTabBottom->GetCurrentPage() == 2;
  return finished ? 1 : 2;
}

void CWebInstWnd::Notify(NotifyMsg& msg) { NotifyPump(msg); }

bool CWebInstWnd::ResponseDefaultKeyEvent(WParam) { return false; }

void CWebInstWnd::InitWindow() {
  m_worker.Start();
  m_pReporter->Initialize(ClientInfo::Instance());

  m_pTabMain = Find<CTabLayoutUI>(L"tab_main");
  m_pEditInstallPath = Find<CRichEditUI>(L"edit_install_path");
  m_pTabBottom = Find<CTabLayoutUI>(L"tab_bottom");
  m_pLblDlPrecent = Find<CLabelUI>(L"lbl_dl_precent");
  m_pLblDlSpeed = Find<CLabelUI>(L"lbl_dl_speed");
  m_pLblDlStat = Find<CLabelUI>(L"lbl_dl_stat");
  m_pLblDlSize = Find<CLabelUI>(L"lbl_dl_size");
  m_pProgDownload = Find<CProgressUI>(L"prog_download");
  m_pLblInstPrecent = Find<CLabelUI>(L"lbl_inst_precent");
  m_pTabDlOp = Find<CTabLayoutUI>(L"tab_dl_op");
  m_pBtnGoStep1 = Find<CButtonUI>(L"btn_go_step1");
  m_pTabCheckBottom = Find<CTabLayoutUI>(L"tab_check_bottom");
  if (!m_pTabMain || !m_pTabCheckBottom || !m_pBtnGoStep1)
    PLOG_ERROR << "window markup lacks its pages: " << GetBuildError();

  if (m_pBtnGoStep1) m_pBtnGoStep1->SetEnabled(false);
  StartSequence(L"seq_introduce_check");
  if (m_pTabCheckBottom) m_pTabCheckBottom->SelectPage(0);
  PostMachineCheck();
  m_pReporter->ReportEvent(kEventWindowInit);
}

int CWebInstWnd::CheckSystemEnvCfgInfo() {
  const ClientInfo& info = ClientInfo::Instance();
  check::CheckServices services;
  services.requirementsUrl = check::RequirementsUrl(m_settings.requireHost);
  services.query = {info.appid, info.unionid, info.versionText};
  return check::CheckSystemEnvCfgInfo(m_check, CGetSystemInfo::GetMutableInstance(), services);
}

void CWebInstWnd::PostMachineCheck() {
  m_worker.Post([this] {
    m_check.nCheckResult = CheckSystemEnvCfgInfo();
    RunOnUiThread([this] { OnCheckResult(); });
  });
}

void CWebInstWnd::OnCheckResult() {
  PLOG_INFO << "check result " << m_check.nCheckResult;
  switch (m_check.nCheckResult) {
    case check::CHECK_OK:
      BuildModelList();
      StartSequence(L"seq_introduce0");
      if (m_pTabMain) m_pTabMain->SelectPage(1);
      break;
    case check::CHECK_NO_MODEL:
      m_pReporter->ReportEvent(kEventNoModel);
      if (m_pTabCheckBottom) m_pTabCheckBottom->SelectPage(2);
      break;
    default:
      m_pReporter->ReportEvent(kEventCheckFailed);
      if (m_pTabCheckBottom) m_pTabCheckBottom->SelectPage(1);
      break;
  }
}

void CWebInstWnd::OnRecheckClick(NotifyMsg&) {
  if (m_pTabCheckBottom) m_pTabCheckBottom->SelectPage(0);
  PostMachineCheck();
}

void CWebInstWnd::OnMainTabSelect(NotifyMsg& msg) {
  switch (static_cast<int>(msg.wParam)) {
    case 2:
      StopSequence(L"seq_introduce0");
      StartSequence(L"seq_introduce1");
      break;
    case 3:
      if (auto* custom = Find<CCheckBoxUI>(L"chk_custom_install"); custom && custom->IsSelected())
        CollapseCustomInstall();
      StopSequence(L"seq_introduce1");
      StartSequence(L"seq_introduce2");
      break;
    default:
      break;
  }
}

void CWebInstWnd::CollapseCustomInstall() {
  const Size size = m_pm.Attributes().initSize;
  if (auto* panel = m_pm.FindByName(L"vl_custom_install")) panel->SetVisible(false);
  Host().SetWindowPos(m_hWnd, 0, 0, size.cx, size.cy,
                      kSwpNoMove | kSwpNoZOrder | kSwpNoActivate | kSwpFrameChanged);
  if (CControlUI* root = m_pm.GetRoot()) root->SetAttribute(L"style", L"bg");
}

void CWebInstWnd::StartSequence(const wchar_t* name) {
  if (auto* seq = Find<CSequenceUI>(name)) seq->Start();
}

void CWebInstWnd::StopSequence(const wchar_t* name) {
  if (auto* seq = Find<CSequenceUI>(name)) seq->Stop(true);
}

void CWebInstWnd::OpenUrlOnWorker(std::wstring url) {
  m_worker.Post([this, url = std::move(url)] { m_openUrl(url); });
}

void CWebInstWnd::OnLicenseLink(NotifyMsg&) { OpenUrlOnWorker(m_settings.licenseUrl); }
void CWebInstWnd::OnContactClick(NotifyMsg&) { OpenUrlOnWorker(m_settings.contactUrl); }

void CWebInstWnd::OnCloseClick(NotifyMsg&) {
  m_pReporter->ReportEvent(kEventCloseClicked);
  PostClose(CloseCode());
}

void CWebInstWnd::OnMinClick(NotifyMsg&) { SendMessage(kMsgSysCommand, kScMinimize, 0); }

LResult CWebInstWnd::OnSysCommand(WParam wParam, LParam lParam, bool& bHandled) {
  if ((wParam & 0xFFF0) == kScClose) PostClose(CloseCode());
  return WindowImplBaseNew::OnSysCommand(wParam, lParam, bHandled);
}

LResult CWebInstWnd::OnClose(WParam wParam, LParam, bool& bHandled) {
  bHandled = false;  // by default the close goes on and destroys the window
  if (wParam == 1) return 0;
  auto* closeButton = Find<CButtonUI>(L"btn_close");
  if (closeButton && !closeButton->IsEnabled()) return 0;
  if (ShowExitQuestion(m_hWnd) == kMsgBoxButton1) bHandled = true;  // "取消": stay
  return 0;
}

LResult CWebInstWnd::OnDestroy(WParam, LParam, bool& bHandled) {
  m_bCancel.exchange(true);
  if (m_worker.ThreadId() != 0) m_worker.Stop();
  m_pReporter->ReportEvent(kEventWindowDestroyed);
  m_pReporter->Stop();
  {
    // Results the worker posted before it stopped die with the window, unrun.
    std::lock_guard<std::mutex> guard(m_pendingLock);
    m_bDestroyed = true;
    for (auto* task : m_pending) delete task;
    m_pending.clear();
  }
  bHandled = false;
  return 0;
}

void CWebInstWnd::OnFinalMessage(WindowHandle hwnd) {
  WindowImplBaseNew::OnFinalMessage(hwnd);
  Host().PostQuitMessage(0);
}
