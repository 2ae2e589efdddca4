#include "ui/core/window_impl_base.h"

#include "common/base/strings.h"
#include "common/log/log.h"
#include "ui/base/values.h"
#include "ui/control/control.h"
#include "ui/markup/markup_builder.h"

namespace SkinUI {

WindowImplBaseNew::WindowImplBaseNew() = default;

WindowImplBaseNew::~WindowImplBaseNew() {
  m_pm.RemovePreMessageFilter(this);
  m_pm.RemoveNotifier(this);
}

uint32_t WindowImplBaseNew::GetClassStyle() const { return kCsHRedraw | kCsVRedraw | kCsDblClks; }

void WindowImplBaseNew::OnFinalMessage(WindowHandle hwnd) {
  m_pm.RemovePreMessageFilter(this);
  m_pm.RemoveNotifier(this);
  m_pm.ReleaseRoot();
  CWindowWnd::OnFinalMessage(hwnd);
}

void WindowImplBaseNew::Notify(NotifyMsg& msg) {
  struct Route {
    const wchar_t* type;
    void (WindowImplBaseNew::*handler)(NotifyMsg&);
  };
  static const Route kRoutes[] = {
      {L"windowinit", &WindowImplBaseNew::OnWindowInit},   {L"killfocus", &WindowImplBaseNew::OnKillFocus},
      {L"setfocus", &WindowImplBaseNew::OnSetFocus},       {L"click", &WindowImplBaseNew::OnClick},
      {L"dbclick", &WindowImplBaseNew::OnDbClick},         {L"selectchanged", &WindowImplBaseNew::OnSelectChanged},
      {L"itemselect", &WindowImplBaseNew::OnItemSelect},   {L"itemclick", &WindowImplBaseNew::OnItemClick},
      {L"itemdbclick", &WindowImplBaseNew::OnItemDbClick}, {L"headerclick", &WindowImplBaseNew::OnHeaderClick},
      {L"headercheck", &WindowImplBaseNew::OnHeaderCheck}, {L"textchanged", &WindowImplBaseNew::OnTextChanged},
      {L"link", &WindowImplBaseNew::OnLink},
  };
  for (const Route& route : kRoutes) {
    if (EqualsNoCase(msg.strType, route.type)) {
      (this->*route.handler)(msg);
      return;
    }
  }
}

LResult WindowImplBaseNew::MessageHandler(MsgId msg, WParam wParam, LParam, bool& bHandled) {
  bHandled = false;
  if (msg == kMsgKeyDown && (wParam == kVkReturn || wParam == kVkEscape)) {
    bHandled = ResponseDefaultKeyEvent(wParam);
  }
  return 0;
}

bool WindowImplBaseNew::ResponseDefaultKeyEvent(WParam) { return false; }

LResult WindowImplBaseNew::HandleMessage(MsgId msg, WParam wParam, LParam lParam) {
  LResult result = 0;
  bool handled = true;
  switch (msg) {
    case kMsgCreate: result = OnCreate(wParam, lParam, handled); break;
    case kMsgClose: result = OnClose(wParam, lParam, handled); break;
    case kMsgDestroy: result = OnDestroy(wParam, lParam, handled); break;
    case kMsgTimer: result = OnTimer(wParam, lParam, handled); break;
    case kMsgSysCommand: result = OnSysCommand(wParam, lParam, handled); break;
    case kMsgNcActivate: result = OnNcActivate(wParam, lParam, handled); break;
    case kMsgNcCalcSize: result = OnNcCalcSize(wParam, lParam, handled); break;
    case kMsgNcPaint: result = OnNcPaint(wParam, lParam, handled); break;
    case kMsgNcHitTest: result = OnNcHitTest(wParam, lParam, handled); break;
    case kMsgGetMinMaxInfo: result = OnGetMinMaxInfo(wParam, lParam, handled); break;
    case kMsgSize: result = OnSize(wParam, lParam, handled); break;
    case kMsgLButtonDown: result = OnLButtonDown(wParam, lParam, handled); break;
    default: handled = false; break;
  }
  if (handled) return result;
  handled = true;
  result = HandleCustomMessage(msg, wParam, lParam, handled);
  if (handled) return result;
  if (m_pm.MessageHandler(msg, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

LResult WindowImplBaseNew::HandleCustomMessage(MsgId, WParam, LParam, bool& bHandled) {
  bHandled = false;
  return 0;
}

LResult WindowImplBaseNew::OnCreate(WParam, LParam, bool& bHandled) {
  IWindowHost& host = Host();
  uint32_t style = host.GetStyle(m_hWnd);
  style = (style & ~kWsCaption) | kWsClipSiblings | kWsClipChildren;
  host.SetStyle(m_hWnd, style);
  Rect client = host.GetClientRect(m_hWnd);
  host.SetWindowPos(m_hWnd, 0, 0, client.Width(), client.Height(),
                    kSwpNoMove | kSwpNoZOrder | kSwpNoActivate | kSwpFrameChanged);

  m_pm.Init(&host, m_hWnd);
  m_pm.AddPreMessageFilter(this);

  const std::wstring skin = GetSkinFile();
  std::unique_ptr<CControlUI> root;
  if (!skin.empty()) {
    CMarkupBuilder builder(GetControlFactory());
    root = builder.BuildRoot(skin, m_pm);
    m_strBuildError = builder.GetLastErrorMessage();
    if (!root) {
      PLOG_ERROR << "window skin " << skin << " built no control tree: " << m_strBuildError;
    }
  }
  m_pm.AttachDialog(std::move(root));
  m_pm.AddNotifier(this);
  InitWindow();
  bHandled = true;
  return 0;
}

LResult WindowImplBaseNew::OnClose(WParam, LParam, bool& bHandled) {
  bHandled = false;
  return 0;
}

LResult WindowImplBaseNew::OnDestroy(WParam, LParam, bool& bHandled) {
  bHandled = false;
  return 0;
}

LResult WindowImplBaseNew::OnTimer(WParam, LParam, bool& bHandled) {
  bHandled = false;
  return 0;
}

LResult WindowImplBaseNew::OnSysCommand(WParam wParam, LParam lParam, bool& bHandled) {
  bHandled = true;
  if ((wParam & 0xFFF0) == kScClose) return 0;
  return Host().DefaultProc(m_hWnd, kMsgSysCommand, wParam, lParam);
}

LResult WindowImplBaseNew::OnNcActivate(WParam wParam, LParam, bool& bHandled) {
  if (Host().IsIconic(m_hWnd)) {
    bHandled = false;
    return 0;
  }
  return wParam == 0 ? 1 : 0;
}

LResult WindowImplBaseNew::OnNcCalcSize(WParam, LParam, bool&) { return 0; }

LResult WindowImplBaseNew::OnNcPaint(WParam, LParam, bool&) { return 0; }

LResult WindowImplBaseNew::OnNcHitTest(WParam, LParam lParam, bool&) {
  IWindowHost& host = Host();
  if (host.IsZoomed(m_hWnd)) return kHtClient;
  const Rect& box = m_pm.Attributes().sizeBox;
  if (box == Rect{}) return kHtClient;
  const Rect window = host.GetWindowRect(m_hWnd);
  Point screen = PointFromParam(lParam);
  Point pt{screen.x - window.left, screen.y - window.top};
  const int32_t w = window.Width(), h = window.Height();
  const bool left = pt.x < box.left, right = pt.x >= w - box.right;
  const bool top = pt.y < box.top, bottom = pt.y >= h - box.bottom;
  if (top && left) return kHtTopLeft;
  if (top && right) return kHtTopRight;
  if (bottom && left) return kHtBottomLeft;
  if (bottom && right) return kHtBottomRight;
  if (top) return kHtTop;
  if (bottom) return kHtBottom;
  if (left) return kHtLeft;
  if (right) return kHtRight;
  return kHtClient;
}

LResult WindowImplBaseNew::OnGetMinMaxInfo(WParam, LParam lParam, bool&) {
  auto* info = reinterpret_cast<MinMaxInfo*>(lParam);
  if (!info) return 0;
  const Rect work = Host().GetWorkArea(m_hWnd);
  info->ptMaxPosition = {work.left, work.top};
  info->ptMaxSize = {work.Width(), work.Height()};
  const Size& maxInfo = m_pm.Attributes().maxInfo;
  info->ptMaxTrackSize = (maxInfo.cx > 0 && maxInfo.cy > 0) ? Point{maxInfo.cx, maxInfo.cy}
                                                            : Point{work.Width(), work.Height()};
  const Size& minInfo = m_pm.Attributes().minInfo;
  if (minInfo.cx > 0 || minInfo.cy > 0) info->ptMinTrackSize = {minInfo.cx, minInfo.cy};
  return 0;
}

LResult WindowImplBaseNew::OnSize(WParam, LParam, bool& bHandled) {
  const Size& corner = m_pm.Attributes().roundCorner;
  if (corner.cx > 0 || corner.cy > 0) Host().SetRoundRegion(m_hWnd, corner);
  bHandled = false;  // the manager lays out again
  return 0;
}

LResult WindowImplBaseNew::OnLButtonDown(WParam, LParam lParam, bool& bHandled) {
  Point pt = PointFromParam(lParam);
  if (m_pm.InCaption(pt) && !m_pm.FindControlAt(pt, true)) {
    Host().Send(m_hWnd, kMsgNcLButtonDown, static_cast<WParam>(kHtCaption), lParam);
    return 0;
  }
  bHandled = false;
  return 0;
}

}  // namespace SkinUI
