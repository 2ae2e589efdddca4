#pragma once
// Containers: the children list with inset and child padding, and the three
// layouts (vertical, horizontal, tab).
#include <memory>
#include <vector>

#include "ui/control/control.h"

namespace SkinUI {

class IContainerUI {
 public:
  virtual ~IContainerUI() = default;
  virtual CControlUI* GetItemAt(int index) const = 0;
  virtual int GetItemIndex(const CControlUI* control) const = 0;
  virtual int GetCount() const = 0;
  // Takes ownership; the control is registered with the manager at once.
  virtual bool Add(std::unique_ptr<CControlUI> control) = 0;
  virtual bool AddAt(std::unique_ptr<CControlUI> control, int index) = 0;
  // Destroys the control.
  virtual bool Remove(CControlUI* control) = 0;
  virtual void RemoveAll() = 0;
};

class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI() = default;
  ~CContainerUI() override;

  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(const CControlUI* control) const override;
  int GetCount() const override { return static_cast<int>(m_items.size()); }
  bool Add(std::unique_ptr<CControlUI> control) override;
  bool AddAt(std::unique_ptr<CControlUI> control, int index) override;
  bool Remove(CControlUI* control) override;
  void RemoveAll() override;
  // Adds and returns the control, typed.
  template <typename T>
  T* AddChild(std::unique_ptr<T> control) {
    T* raw = control.get();
    return Add(std::move(control)) ? raw : nullptr;
  }

  int GetChildCount() const override { return GetCount(); }
  CControlUI* GetChildAt(int index) const override { return GetItemAt(index); }
  void SetManager(SkinManager* manager, CControlUI* parent, bool init) override;

  const Rect& GetInset() const { return m_rcInset; }
  void SetInset(const Rect& inset);
  int32_t GetChildPadding() const { return m_iChildPadding; }
  void SetChildPadding(int32_t padding);

  // The base container gives every visible child the inner rectangle.
  void SetPos(const Rect& rc) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoPaint(ICanvas& canvas, const Rect& dirty) override;

 protected:
  // Called when a child was inserted at `index` (before it is initialised).
  virtual void OnChildAdded(int /*index*/, CControlUI* /*child*/) {}
  Rect InnerRect() const { return m_rcItem.Deflated(m_rcInset); }

  std::vector<std::unique_ptr<CControlUI>> m_items;
  Rect m_rcInset;
  int32_t m_iChildPadding = 0;
};

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;
  void SetPos(const Rect& rc) override;
};

class CHorizontalLayoutUI : public CContainerUI {
 public:
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;
  void SetPos(const Rect& rc) override;
};

class CTabLayoutUI : public CContainerUI {
 public:
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  // False (no change) for an index out of range; true without a notification
  // for the current index; otherwise shows that page only, lays out again and
  // sends "tabselect" (wParam new index, lParam previous index).
  bool SelectPage(int index);
  int GetCurrentPage() const { return m_iCurSel; }

  bool Remove(CControlUI* control) override;
  void RemoveAll() override;
  void SetPos(const Rect& rc) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;

 protected:
  void OnChildAdded(int index, CControlUI* child) override;

 private:
  void ShowOnly(int index);

  int m_iCurSel = 0;
};

}  // namespace SkinUI
