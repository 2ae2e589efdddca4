#pragma once
// Push button, option (radio-style, grouped) and check box.
#include "ui/control/label.h"

namespace SkinUI {

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  bool IsFocusable() const override { return true; }
  bool IsHot() const { return m_bHot; }
  bool IsPushed() const { return m_bPushed; }
  bool IsCaptured() const { return m_bCaptured; }
  void SetEnabled(bool enabled) override;
  void SetVisible(bool visible) override;

  // Sends "click" when the button is visible (with its parents) and enabled;
  // returns whether it did.
  virtual bool Activate();

  void DoEvent(EventUI& event) override;
  void PaintStatusImage(ICanvas& canvas) override;

  // Name of the state image drawn now ("normal", "hot", ...).
  virtual std::wstring CurrentStatusName() const;

 protected:
  Color CurrentTextColor() const override;

  bool m_bHot = false;
  bool m_bPushed = false;
  bool m_bCaptured = false;
};

class COptionUI : public CButtonUI {
 public:
  COptionUI();
  ~COptionUI() override;
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  bool IsSelected() const { return m_bSelected; }
  // Nothing when the state does not change. Otherwise stores it; selecting an
  // option of a group unselects the others of the group (same notify flag);
  // then "selectchanged" when `notify`; then repaints.
  virtual void SetSelected(bool selected, bool notify = true);
  const std::wstring& GetGroup() const { return m_strGroup; }
  void SetGroup(std::wstring_view group);

  // Changes the selection (grouped: select; no group: toggle), then "click".
  bool Activate() override;
  void SetManager(SkinManager* manager, CControlUI* parent, bool init) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  std::wstring CurrentStatusName() const override;

 protected:
  Color CurrentTextColor() const override;

  bool m_bSelected = false;
  std::wstring m_strGroup;
};

class CCheckBoxUI : public COptionUI {
 public:
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;
};

}  // namespace SkinUI
