#pragma once
// Native window messages, styles and key codes as the framework sees them. The
// numbers are those of user32, so the Windows host passes messages through
// unchanged and the headless host produces the same ones.
#include <cstdint>

#include "ui/base/geometry.h"

namespace SkinUI {

using MsgId = uint32_t;
using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

// Opaque native window: the HWND on Windows, a host-issued token elsewhere.
using WindowHandle = void*;

struct Message {
  WindowHandle hwnd = nullptr;
  MsgId message = 0;
  WParam wParam = 0;
  LParam lParam = 0;
  uint32_t time = 0;
  Point pt;
};

// Layout of MINMAXINFO (WM_GETMINMAXINFO's lParam points to one).
struct MinMaxInfo {
  Point ptReserved;
  Point ptMaxSize;
  Point ptMaxPosition;
  Point ptMinTrackSize;
  Point ptMaxTrackSize;
};

enum : MsgId {
  kMsgNull = 0x0000,
  kMsgCreate = 0x0001,
  kMsgDestroy = 0x0002,
  kMsgMove = 0x0003,
  kMsgSize = 0x0005,
  kMsgActivate = 0x0006,
  kMsgSetFocus = 0x0007,
  kMsgKillFocus = 0x0008,
  kMsgEnable = 0x000A,
  kMsgPaint = 0x000F,
  kMsgClose = 0x0010,
  kMsgQuit = 0x0012,
  kMsgEraseBkgnd = 0x0014,
  kMsgShowWindow = 0x0018,
  kMsgSetCursor = 0x0020,
  kMsgGetMinMaxInfo = 0x0024,
  kMsgNcCreate = 0x0081,
  kMsgNcDestroy = 0x0082,
  kMsgNcCalcSize = 0x0083,
  kMsgNcHitTest = 0x0084,
  kMsgNcPaint = 0x0085,
  kMsgNcActivate = 0x0086,
  kMsgNcLButtonDown = 0x00A1,
  kMsgKeyDown = 0x0100,
  kMsgKeyUp = 0x0101,
  kMsgChar = 0x0102,
  kMsgSysKeyDown = 0x0104,
  kMsgSysKeyUp = 0x0105,
  kMsgSysCommand = 0x0112,
  kMsgTimer = 0x0113,
  kMsgMouseMove = 0x0200,
  kMsgLButtonDown = 0x0201,
  kMsgLButtonUp = 0x0202,
  kMsgLButtonDblClk = 0x0203,
  kMsgRButtonDown = 0x0204,
  kMsgRButtonUp = 0x0205,
  kMsgMouseWheel = 0x020A,
  kMsgCaptureChanged = 0x0215,
  kMsgMouseHover = 0x02A1,
  kMsgMouseLeave = 0x02A3,
  kMsgUser = 0x0400,
  kMsgApp = 0x8000,
};

// WM_SYSCOMMAND commands.
enum : uint32_t {
  kScSize = 0xF000,
  kScMove = 0xF010,
  kScMinimize = 0xF020,
  kScMaximize = 0xF030,
  kScClose = 0xF060,
  kScRestore = 0xF120,
};

// WM_NCHITTEST results.
enum : int32_t {
  kHtClient = 1,
  kHtCaption = 2,
  kHtLeft = 10,
  kHtRight = 11,
  kHtTop = 12,
  kHtTopLeft = 13,
  kHtTopRight = 14,
  kHtBottom = 15,
  kHtBottomLeft = 16,
  kHtBottomRight = 17,
};

// Window styles, extended styles and class styles.
enum : uint32_t {
  kWsOverlapped = 0x00000000,
  kWsPopup = 0x80000000,
  kWsChild = 0x40000000,
  kWsMinimize = 0x20000000,
  kWsVisible = 0x10000000,
  kWsDisabled = 0x08000000,
  kWsClipSiblings = 0x04000000,
  kWsClipChildren = 0x02000000,
  kWsMaximize = 0x01000000,
  kWsCaption = 0x00C00000,
  kWsBorder = 0x00800000,
  kWsDlgFrame = 0x00400000,
  kWsSysMenu = 0x00080000,
  kWsThickFrame = 0x00040000,
  kWsMinimizeBox = 0x00020000,
  kWsMaximizeBox = 0x00010000,
  kWsOverlappedWindow = 0x00CF0000,
  kWsExLayered = 0x00080000,
  kWsExToolWindow = 0x00000080,
  kCsVRedraw = 0x0001,
  kCsHRedraw = 0x0002,
  kCsDblClks = 0x0008,
};

// ShowWindow commands.
enum : int32_t {
  kSwHide = 0,
  kSwShowNormal = 1,
  kSwShowMinimized = 2,
  kSwMaximize = 3,
  kSwShowNoActivate = 4,
  kSwShow = 5,
  kSwMinimize = 6,
  kSwRestore = 9,
};

// SetWindowPos flags.
enum : uint32_t {
  kSwpNoSize = 0x0001,
  kSwpNoMove = 0x0002,
  kSwpNoZOrder = 0x0004,
  kSwpNoActivate = 0x0010,
  kSwpFrameChanged = 0x0020,
};

// Virtual keys the framework reacts to.
enum : uint32_t {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkF4 = 0x73,
};

// Mouse-message lParam: x in the low 16 bits, y in the high 16, both signed.
inline constexpr LParam MakePointParam(int32_t x, int32_t y) {
  return static_cast<LParam>(static_cast<uint32_t>(static_cast<uint16_t>(x)) |
                             (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}
inline constexpr Point PointFromParam(LParam l) {
  return {static_cast<int16_t>(static_cast<uint32_t>(l) & 0xFFFF),
          static_cast<int16_t>((static_cast<uint32_t>(l) >> 16) & 0xFFFF)};
}

}  // namespace SkinUI
