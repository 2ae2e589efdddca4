#pragma once
// The skinned modal message box ("xml\msgbox.xml"), used for the exit question
// and the memory error instead of the system message box.
#include <cstdint>

#include "ui/base/messages.h"

namespace installer {

// What the caller fills in; read while the box is built.
struct MsgBoxParams {
  SkinUI::WindowHandle owner = nullptr;  // disabled while the box is shown
  const wchar_t* caption = nullptr;      // "lbl_caption" when not null
  const wchar_t* text = nullptr;         // "lbl_text" when not null
  const wchar_t* button0 = nullptr;      // "btn0" shown when not null and not empty
  const wchar_t* button1 = nullptr;      // "btn1" shown when not null and not empty
  int defaultButton = 0;                 // 0 or 1: gets "btn_msgbox_def" and the focus
  bool closeEnabled = false;             // enables "btn_close"
};

// Result bits.
enum MsgBoxResult : int {
  kMsgBoxButton0 = 1,
  kMsgBoxButton1 = 2,
  kMsgBoxClosed = 4,  // the close button or Escape
};

// Shows the box modally over its owner on the UI thread and returns the
// result bits once it has closed (0 when it closed some other way).
int ShowMessageBox(const MsgBoxParams& params);

// "提示" / "您确定退出应用安装程序？" / "确认" "取消", "取消" default, close enabled.
int ShowExitQuestion(SkinUI::WindowHandle owner);
// "QIRA环境检测错误" / "内存需要最少 {} GB." (memory >> 30) / "确认", close enabled.
int ShowMemoryError(SkinUI::WindowHandle owner, uint64_t memoryBytes);

}  // namespace installer
