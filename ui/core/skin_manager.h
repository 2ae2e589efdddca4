#pragma once
// SkinManager: one per native window. Holds the control tree's root, the name
// map, the notifiers and the delayed notifications, the control timers, the
// fonts, styles, default attribute lists and images of the window's markup,
// the window attributes, and turns native input into control events.
// UI thread only.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/base/geometry.h"
#include "ui/base/messages.h"
#include "ui/core/notify.h"
#include "ui/platform/renderer.h"
#include "ui/platform/window_host.h"

namespace SkinUI {

class CControlUI;
class COptionUI;

// Window attributes of a markup file's root element.
struct WindowAttributes {
  Size initSize;
  Rect caption;  // left inset, top, right inset, bottom of the draggable band
  Size maxInfo;
  Size minInfo;
  Rect sizeBox;
  Size roundCorner;
  bool layered = false;  // "bktrans"
  bool showDirty = false;
  uint8_t alpha = 255;
  bool takeFocus = false;
  Color defaultFontColor = 0xFF000000;
  Color disabledFontColor = 0xFFA7A6AA;
  Color linkFontColor = 0xFF0000FF;
  Color linkHoverFontColor = 0xFFD3215F;
  Color selectedColor = 0xFFBAE4FF;
};

class SkinManager {
 public:
  // Message posted to the window to deliver queued notifications.
  static constexpr MsgId kMsgDelayedNotify = kMsgApp + 1;

  SkinManager();
  ~SkinManager();
  SkinManager(const SkinManager&) = delete;
  SkinManager& operator=(const SkinManager&) = delete;

  // Binds the manager to a host and native window. A null window gives a
  // windowless manager: layout, notifications and drawing to a given canvas
  // work, timers do not. The renderer comes from the host unless set.
  void Init(IWindowHost* host, WindowHandle hwnd);
  void SetRenderer(IRenderer* renderer) { m_pRenderer = renderer; }
  IWindowHost* GetHost() const { return m_pHost; }
  WindowHandle GetPaintWindow() const { return m_hWnd; }
  IRenderer* GetRenderer() const;

  // The tree. AttachDialog takes the root, initialises it in this window and
  // registers every name. Replacing the root destroys the old tree.
  bool AttachDialog(std::unique_ptr<CControlUI> root);
  CControlUI* GetRoot() const { return m_pRoot.get(); }
  // Releases the whole tree (its timers stop, its names leave the map).
  void ReleaseRoot();
  // Binds a subtree to this manager, initialises it and registers its names
  // (depth first, children before their container); a later entry for a name
  // replaces an earlier one.
  void InitControls(CControlUI* control, CControlUI* parent);
  // Enters the names of a subtree into the name map (the walk of InitControls).
  void RegisterNames(CControlUI* control);
  // A control is leaving the tree: its timers stop, queued notifications from
  // it are dropped, its name leaves the map if it is the registered one, and
  // the manager forgets it as hot, pushed or focused control.
  void ReapObjects(CControlUI* control);

  CControlUI* FindByName(std::wstring_view name) const;
  // Visible control under a client point; `mouseOnly`: only mouse-enabled ones.
  CControlUI* FindControlAt(Point pt, bool mouseOnly = true) const;

  // Notifications.
  void SendNotice(CControlUI* sender, std::wstring_view type, WParam wParam = 0, LParam lParam = 0,
                  bool later = false);
  bool AddNotifier(INotifyUI* notifier);
  bool RemoveNotifier(INotifyUI* notifier);
  void SetUseVirtualWnd(bool use) { m_bUsedVirtualWnd = use; }
  bool UsesVirtualWnd() const { return m_bUsedVirtualWnd; }

  // Pre-message filters, consulted by TranslateMessage before dispatch.
  bool AddPreMessageFilter(IMessageFilterUI* filter);
  bool RemovePreMessageFilter(IMessageFilterUI* filter);
  bool PreMessageHandler(const Message& msg, LResult& result);

  // Control timers. SetControlTimer restarts a killed record with its native
  // id and the new period; a running one keeps its period (false). A new
  // record takes native id (counter + 1) mod 255, skipping ids held by other
  // records.
  bool SetControlTimer(CControlUI* control, uint32_t id, uint32_t ms);
  bool KillControlTimer(CControlUI* control, uint32_t id);
  void KillControlTimers(CControlUI* control);
  void KillAllControlTimers();
  // Native timer id of a control timer record, if any (for tests and tools).
  std::optional<uintptr_t> NativeTimerId(const CControlUI* control, uint32_t id) const;

  // Focus and option groups.
  CControlUI* GetFocus() const { return m_pFocus; }
  void SetFocus(CControlUI* control);
  void AddOptionGroup(const std::wstring& group, COptionUI* option);
  void RemoveOptionGroup(const std::wstring& group, COptionUI* option);
  const std::vector<COptionUI*>* GetOptionGroup(const std::wstring& group) const;

  // Fonts of the markup, numbered from 0 in order of definition.
  int AddFont(const FontSpec& spec, bool isDefault);
  int GetFontCount() const { return static_cast<int>(m_fonts.size()); }
  // The font of an index; an invalid index (or -1) gives the default font.
  IFont* GetFont(int index);
  const FontSpec& GetFontSpec(int index) const;
  // A font with the given spec, made once and kept (for text tags).
  IFont* GetFontFor(const FontSpec& spec);
  int GetDefaultFontIndex() const { return m_nDefaultFont; }

  // Styles: the first definition of a name stays.
  bool AddStyle(const std::wstring& name, const std::wstring& list);
  const std::wstring* GetStyle(std::wstring_view name) const;
  const std::map<std::wstring, std::wstring, std::less<>>& GetStyles() const { return m_styles; }
  // Default attribute lists per control class ("Button" ...); a later
  // definition replaces an earlier one.
  void AddDefaultAttributeList(const std::wstring& className, const std::wstring& list);
  const std::wstring* GetDefaultAttributeList(std::wstring_view className) const;

  // Images: read from the resource package and decoded on first use, kept per
  // window (a failure is remembered too). Null when not available.
  std::shared_ptr<IImage> GetImage(std::wstring_view path);
  // Pre-registers an image under a name ("Image" element).
  void AddImage(const std::wstring& name, const std::wstring& path);

  // Window attributes.
  WindowAttributes& Attributes() { return m_attrs; }
  const WindowAttributes& Attributes() const { return m_attrs; }
  // Sets the initial size; resizes the window while it has no tree yet.
  void SetInitSize(Size size);
  void SetLayered(bool layered);
  // Client rectangle: the window's, or the initial size without a window.
  Rect GetClientRect() const;
  // Whether a client point lies in the caption band.
  bool InCaption(Point pt) const;
  Point GetMousePos() const { return m_ptLastMousePos; }

  // Layout and painting.
  void NeedUpdate();
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
  // Lays the tree out in the client rectangle now if it is stale (or always,
  // with `force`).
  void UpdateLayout(bool force = false);
  void Invalidate(const Rect& rect);
  // Draws the tree on a canvas (layout first). Used by the paint handler and
  // by tools that render off-screen.
  void PaintTo(ICanvas& canvas, const Rect& dirty);

  // Markup build diagnostics.
  void SetBuildObserver(IBuildObserver* observer) { m_pObserver = observer; }
  IBuildObserver* GetBuildObserver() const { return m_pObserver; }

  // Native messages of the window: true when handled (result in `result`).
  bool MessageHandler(MsgId msg, WParam wParam, LParam lParam, LResult& result);

  // The message loop's pre-translation: runs the pre-message filters of the
  // manager of the message's window; true when one of them handled it.
  static bool TranslateMessage(const Message& msg);
  // Runs a message loop until the quit message; returns its exit code.
  static int MessageLoop(IWindowHost& host);
  // Handles every message waiting now (posted, paints, due timers).
  static size_t PumpPending(IWindowHost& host);

 private:
  struct TimerRecord {
    CControlUI* control = nullptr;
    uint32_t localId = 0;
    WindowHandle hwnd = nullptr;
    uintptr_t nativeId = 0;
    bool killed = false;
  };
  struct FontEntry {
    FontSpec spec;
    std::shared_ptr<IFont> font;
  };

  void DeliverNotice(NotifyMsg& msg, bool toListeners);
  void DeliverDelayed();
  void SetHot(CControlUI* control, Point pt);
  void SendEvent(CControlUI* control, EventType type, Point pt, WParam wParam = 0, uint32_t key = 0);
  bool OnTimer(WParam nativeId);
  void Paint();
  static std::wstring ImageKey(std::wstring_view path);

  IWindowHost* m_pHost = nullptr;
  IRenderer* m_pRenderer = nullptr;
  WindowHandle m_hWnd = nullptr;
  std::unique_ptr<CControlUI> m_pRoot;
  std::unordered_map<std::wstring, CControlUI*> m_mapNames;
  std::vector<INotifyUI*> m_notifiers;
  std::deque<NotifyMsg> m_delayedNotify;
  bool m_bDelayedPosted = false;
  std::vector<IMessageFilterUI*> m_preFilters;
  std::vector<TimerRecord> m_timers;
  uint32_t m_nTimerCounter = 0;
  std::map<std::wstring, std::vector<COptionUI*>, std::less<>> m_optionGroups;
  std::vector<FontEntry> m_fonts;
  int m_nDefaultFont = -1;
  FontEntry m_builtinFont;
  std::vector<FontEntry> m_derivedFonts;
  std::map<std::wstring, std::wstring, std::less<>> m_styles;
  std::map<std::wstring, std::wstring, std::less<>> m_defaults;
  std::map<std::wstring, std::shared_ptr<IImage>> m_images;  // key: folded path
  std::map<std::wstring, std::wstring> m_imageAliases;
  WindowAttributes m_attrs;
  Point m_ptLastMousePos;
  CControlUI* m_pFocus = nullptr;
  CControlUI* m_pEventHover = nullptr;
  CControlUI* m_pEventClick = nullptr;
  bool m_bUsedVirtualWnd = false;
  bool m_bUpdateNeeded = true;
  bool m_bFirstLayout = true;
  IBuildObserver* m_pObserver = nullptr;
};

}  // namespace SkinUI
