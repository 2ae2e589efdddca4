#pragma once
// CControlUI: the windowless control every element of the tree derives from.
// Owned by its parent container (the root by its manager); UI thread only.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/base/geometry.h"
#include "ui/core/notify.h"
#include "ui/markup/image_spec.h"
#include "ui/platform/renderer.h"

namespace SkinUI {

class SkinManager;

class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // Class query ("ControlUI") and interface query by element-style name
  // ("Control"); GetInterface returns null for an interface it does not have.
  virtual std::wstring_view GetClass() const;
  virtual void* GetInterface(std::wstring_view name);

  const std::wstring& GetName() const { return m_strName; }
  void SetName(std::wstring_view name) { m_strName = name; }
  virtual const std::wstring& GetText() const { return m_strText; }
  virtual void SetText(std::wstring_view text);
  uintptr_t GetTag() const { return m_nTag; }
  void SetTag(uintptr_t tag) { m_nTag = tag; }

  // Tree.
  SkinManager* GetManager() const { return m_pManager; }
  CControlUI* GetParent() const { return m_pParent; }
  // Binds the control (and its children) to a manager; with `init` the
  // control is also initialised in that window (DoInit).
  virtual void SetManager(SkinManager* manager, CControlUI* parent, bool init);
  virtual int GetChildCount() const { return 0; }
  virtual CControlUI* GetChildAt(int /*index*/) const { return nullptr; }
  // Virtual window name: the nearest one set on this control or its parents.
  std::wstring GetVirtualWnd() const;

  // State.
  virtual bool IsVisible() const { return m_bVisible; }
  // Visible itself and every parent visible.
  bool IsVisibleInTree() const;
  virtual void SetVisible(bool visible);
  virtual bool IsEnabled() const { return m_bEnabled; }
  virtual void SetEnabled(bool enabled);
  bool IsMouseEnabled() const { return m_bMouseEnabled; }
  void SetMouseEnabled(bool enabled) { m_bMouseEnabled = enabled; }
  virtual bool IsFocusable() const { return false; }
  bool IsFocused() const { return m_bFocused; }
  void SetFocus();

  // Layout.
  const Rect& GetPos() const { return m_rcItem; }
  virtual void SetPos(const Rect& rc);
  int32_t GetFixedWidth() const { return m_cxyFixed.cx; }
  int32_t GetFixedHeight() const { return m_cxyFixed.cy; }
  void SetFixedWidth(int32_t cx);
  void SetFixedHeight(int32_t cy);
  int32_t GetMinWidth() const { return m_cxyMin.cx; }
  int32_t GetMinHeight() const { return m_cxyMin.cy; }
  int32_t GetMaxWidth() const { return m_cxyMax.cx; }
  int32_t GetMaxHeight() const { return m_cxyMax.cy; }
  const Rect& GetPadding() const { return m_rcPadding; }
  void SetPadding(const Rect& padding);
  // The size this control asks of its parent: 0 on an axis means "give me a
  // share". `available` is the room the parent has for it.
  virtual Size EstimateSize(Size available);
  // Clamps a size to the min/max bounds (a bound of 0 is no bound).
  Size ClampSize(Size size) const;
  // Marks the window's layout stale and repaints.
  void NeedUpdate();
  void NeedParentUpdate() { NeedUpdate(); }
  void Invalidate();

  // Drawing properties.
  Color GetBkColor() const { return m_dwBackColor; }
  void SetBkColor(Color color);
  const ImageSpec& GetBkImage() const { return m_bkImage; }
  void SetBkImage(const ImageSpec& spec);
  const StatusImages& GetStatusImages() const { return m_statusImages; }

  // Attributes: true when the name is known to the class (the value may still
  // be malformed and set nothing).
  virtual bool SetAttribute(std::wstring_view name, std::wstring_view value);
  // Applies name="value" pairs in order (also "style"); unknown names are
  // reported to the manager's build observer.
  void ApplyAttributeList(std::wstring_view list);

  // Input. Event runs the control's own handling (DoEvent).
  void Event(EventUI& event);
  virtual void DoEvent(EventUI& event);
  // Listeners that see this control's notifications before the window.
  std::vector<std::function<void(NotifyMsg&)>> OnNotify;

  // Hit testing: the deepest visible control under `pt` (children before
  // their container, the last child first); with `mouseOnly`, only controls
  // that take mouse input count.
  virtual CControlUI* FindControlAt(Point pt, bool mouseOnly);

  // Painting, in this order: background colour, background image, state
  // images, text, border.
  virtual void DoPaint(ICanvas& canvas, const Rect& dirty);
  virtual void PaintBkColor(ICanvas& canvas);
  virtual void PaintBkImage(ICanvas& canvas);
  virtual void PaintStatusImage(ICanvas& canvas);
  virtual void PaintText(ICanvas& canvas);
  virtual void PaintBorder(ICanvas& canvas);
  // Draws an image spec into this control's rectangle (optionally replacing
  // its source rectangle and fade); false when the image is not available.
  bool DrawImage(ICanvas& canvas, const ImageSpec& spec, const std::optional<Rect>& source = std::nullopt,
                 std::optional<uint8_t> alpha = std::nullopt);

  // Called once the control is attached to a window's manager.
  virtual void DoInit() {}

  // Control timers through the manager; false without a window.
  bool SetTimer(uint32_t id, uint32_t ms);
  void KillTimer(uint32_t id);
  void KillTimers();

 protected:
  // Sends a notification from this control through its manager.
  void SendNotice(std::wstring_view type, WParam wParam = 0, LParam lParam = 0);
  // Reports a malformed value to the build observer.
  void ReportMalformed(std::wstring_view name, std::wstring_view value);

  SkinManager* m_pManager = nullptr;
  CControlUI* m_pParent = nullptr;
  std::wstring m_strName;
  std::wstring m_strText;
  std::wstring m_strVirtualWnd;
  std::wstring m_strToolTip;
  std::wstring m_strUserData;
  uintptr_t m_nTag = 0;
  bool m_bVisible = true;
  bool m_bEnabled = true;
  bool m_bMouseEnabled = false;
  bool m_bFocused = false;
  Rect m_rcItem;
  Rect m_rcPadding;
  Size m_cxyFixed;
  Size m_cxyMin;
  Size m_cxyMax;
  Color m_dwBackColor = 0;
  Color m_dwBorderColor = 0;
  int32_t m_nBorderSize = 0;
  ImageSpec m_bkImage;
  StatusImages m_statusImages;
  int m_nStyleDepth = 0;  // guards against styles that apply themselves
};

}  // namespace SkinUI
