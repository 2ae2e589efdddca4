#include "installer/message_box.h"

#include <fmt/xchar.h>

#include "common/log/log.h"
#include "installer/message_box_wnd.h"
#include "skin/embedded_skin.h"
#include "ui/control/control.h"
#include "ui/package/resource_package.h"

namespace installer {
namespace {

constexpr wchar_t kSkinFile[] = L"xml\\msgbox.xml";

bool HasText(const wchar_t* text) { return text && *text; }

}  // namespace

CMessageBoxWnd::CMessageBoxWnd(const MsgBoxParams& params) : m_params(params) {}

CMessageBoxWnd::~CMessageBoxWnd() = default;

std::wstring_view CMessageBoxWnd::GetWindowClassName() const { return L"QIRAMsgBoxWndCls"; }

std::wstring CMessageBoxWnd::GetSkinFile() { return kSkinFile; }

int CMessageBoxWnd::Run() {
  // The package registered at start-up has the same size, so this keeps it.
  // A program without the resource keeps whatever package it registered.
  const auto package = skin::EmbeddedPackage();
  if (!package.empty()) {
    SkinUI::RegisterResourcePackage({package.data(), package.size()});
  } else {
    PLOG_WARNING << "the program carries no skin package; the message box uses the registered one";
  }
  if (!Create(m_params.owner, L"", SkinUI::kWsVisible | SkinUI::kWsOverlappedWindow, 0)) {
    PLOG_ERROR << "message box window not created";
    return 0;
  }
  CenterWindow();
  ShowModal();
  return m_nResult;
}

void CMessageBoxWnd::InitWindow() {
  m_pCaptionLabel = m_pm.FindByName(L"lbl_caption");
  m_pTextLabel = m_pm.FindByName(L"lbl_text");
  m_pCloseBtn = m_pm.FindByName(L"btn_close");
  const wchar_t* texts[2] = {m_params.button0, m_params.button1};
  for (int i = 0; i < 2; ++i) {
    if (!HasText(texts[i])) continue;
    m_pButtons[i] = m_pm.FindByName(fmt::format(L"btn{}", i));
    if (!m_pButtons[i]) continue;
    m_pButtons[i]->SetText(texts[i]);
    m_pButtons[i]->SetVisible(true);
  }
  if (m_params.caption && m_pCaptionLabel) {
    m_pCaptionLabel->SetText(m_params.caption);
    m_pCaptionLabel->SetVisible(true);
  }
  if (m_params.text && m_pTextLabel) {
    m_pTextLabel->SetText(m_params.text);
    m_pTextLabel->SetVisible(true);
  }
  if (m_pCloseBtn) m_pCloseBtn->SetEnabled(m_params.closeEnabled);
  const int def = m_params.defaultButton;
  SkinUI::CControlUI* defButton = (def == 0 || def == 1) ? m_pButtons[def] : nullptr;
  if (!defButton) {
    PLOG_WARNING << "message box default button " << def << " has no text";
    return;
  }
  defButton->SetAttribute(L"style", L"btn_msgbox_def");
  defButton->SetFocus();
}

void CMessageBoxWnd::End(int bits, int closeCode) {
  if (m_bEnded) return;
  m_bEnded = true;
  m_nResult |= bits;
  Close(closeCode);
}

void CMessageBoxWnd::OnClick(SkinUI::NotifyMsg& msg) {
  if (!msg.pSender) return;
  if (msg.pSender == m_pCloseBtn) {
    End(kMsgBoxClosed, 2);
  } else if (msg.pSender == m_pButtons[0]) {
    End(kMsgBoxButton0, 1);
  } else if (msg.pSender == m_pButtons[1]) {
    End(kMsgBoxButton1, 1);
  }
}

bool CMessageBoxWnd::ResponseDefaultKeyEvent(SkinUI::WParam key) {
  if (key == SkinUI::kVkEscape) {
    if (!m_pCloseBtn || !m_pCloseBtn->IsEnabled()) return false;
    End(kMsgBoxClosed, 2);
    return true;
  }
  if (key == SkinUI::kVkReturn) {
    const int def = m_params.defaultButton;
    if ((def != 0 && def != 1) || !m_pButtons[def]) return false;
    End(def + 1, 1);
    return true;
  }
  return false;
}

int ShowMessageBox(const MsgBoxParams& params) {
  CMessageBoxWnd box(params);
  return box.Run();
}

MsgBoxParams ExitQuestionParams(SkinUI::WindowHandle owner) {
  MsgBoxParams params;
  params.owner = owner;
  params.caption = L"提示";
  params.text = L"您确定退出应用安装程序？";
  params.button0 = L"确认";
  params.button1 = L"取消";
  params.defaultButton = 1;
  params.closeEnabled = true;
  return params;
}

int ShowExitQuestion(SkinUI::WindowHandle owner) { return ShowMessageBox(ExitQuestionParams(owner)); }

int ShowMemoryError(SkinUI::WindowHandle owner, uint64_t memoryBytes) {
  const std::wstring text = fmt::format(L"内存需要最少 {} GB.", memoryBytes >> 30);
  MsgBoxParams params;
  params.owner = owner;
  params.caption = L"QIRA环境检测错误";
  params.text = text.c_str();
  params.button0 = L"确认";
  params.defaultButton = 0;
  params.closeEnabled = true;
  return ShowMessageBox(params);
}

}  // namespace installer
