#pragma once
// Text field. This build draws its text and keeps its flags; typing is taken
// only when it is not read-only. Every change of the text, including one made
// by the program, sends "textchanged".
#include "ui/control/container.h"

namespace SkinUI {

class CRichEditUI : public CContainerUI, public IMessageFilterUI {
 public:
  CRichEditUI();
  ~CRichEditUI() override;
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  void SetText(std::wstring_view text) override;
  bool IsReadOnly() const { return m_bReadOnly; }
  void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly; }
  bool IsFocusable() const override { return true; }
  void SetManager(SkinManager* manager, CControlUI* parent, bool init) override;

  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void PaintText(ICanvas& canvas) override;
  void DoEvent(EventUI& event) override;
  // Characters typed while focused and writable.
  LResult MessageHandler(MsgId msg, WParam wParam, LParam lParam, bool& bHandled) override;

 private:
  bool m_bReadOnly = false;
  bool m_bMultiLine = false;
  bool m_bRich = true;
  bool m_bWantTab = true;
  bool m_bWantReturn = false;
  bool m_bWantCtrlReturn = false;
  bool m_bAutoHScroll = false;
  int m_iFont = -1;
  Color m_dwTextColor = 0;
  Rect m_rcTextInset;
  SkinManager* m_pFilterManager = nullptr;
};

}  // namespace SkinUI
