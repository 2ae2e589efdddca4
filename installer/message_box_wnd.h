#pragma once
// CMessageBoxWnd, the window behind ShowMessageBox. Declared here so that tests
// can run it on a host of their own; the program calls ShowMessageBox.
#include <string>

#include "installer/message_box.h"
#include "ui/core/window_impl_base.h"

namespace installer {

// The exit question's parameters, as ShowExitQuestion shows them.
MsgBoxParams ExitQuestionParams(SkinUI::WindowHandle owner);

class CMessageBoxWnd : public SkinUI::WindowImplBaseNew {
 public:
  // `params` must outlive the box (it is read while the box is built).
  explicit CMessageBoxWnd(const MsgBoxParams& params);
  ~CMessageBoxWnd() override;

  // Registers the skin package, creates the box over the owner, centres it and
  // runs it modally; returns the result bits once the box has gone. Once per
  // object.
  int Run();
  int GetResult() const { return m_nResult; }

 protected:
  std::wstring_view GetWindowClassName() const override;
  std::wstring GetSkinFile() override;
  void InitWindow() override;
  void OnClick(SkinUI::NotifyMsg& msg) override;
  bool ResponseDefaultKeyEvent(SkinUI::WParam key) override;

 private:
  // Adds `bits` and posts kMsgClose with `closeCode`. Only the first ending
  // counts: input that arrives while that close is on its way changes nothing.
  void End(int bits, int closeCode);

  SkinUI::CControlUI* m_pCloseBtn = nullptr;
  SkinUI::CControlUI* m_pButtons[2] = {nullptr, nullptr};
  SkinUI::CControlUI* m_pTextLabel = nullptr;
  SkinUI::CControlUI* m_pCaptionLabel = nullptr;
  int m_nResult = 0;
  bool m_bEnded = false;
  const MsgBoxParams& m_params;
};

}  // namespace installer
