// Windows on the headless host: creation steps, message routing, caption
// drag, default keys, the modal loop, the notification map, destruction and
// posting from other threads.
#include <gtest/gtest.h>

#include <thread>

#include "ui/control/button.h"
#include "ui/core/notify_pump.h"
#include "ui/testing/skin_test_util.h"

namespace SkinUI {
namespace {

using testing::Seen;
using testing::TestWindow;
using testing::UsePackage;

const char kWindow[] = R"(<Window size="300,200" caption="0,0,0,40" maxinfo="300,260" bktrans="1">
    <VerticalLayout name="root"><HorizontalLayout height="40"><Label name="title" text="t"/>
    <Button name="btn_close" width="24"/></HorizontalLayout>
    <Button name="btn0" height="30"/><Button name="btn1" height="30"/><Control/></VerticalLayout></Window>)";

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { UsePackage({{"xml/w.xml", kWindow}}); }
  HeadlessHost host{HeadlessHost::Clock::kVirtual};
};

TEST_F(WindowTest, CreationMakesAFramelessSkinnedWindow) {
  TestWindow wnd(L"xml/w.xml");
  wnd.SetHost(&host);
  ASSERT_TRUE(wnd.Create(nullptr, L"title", kWsOverlappedWindow | kWsVisible, 0, {0, 0, 100, 100}));
  const WindowHandle hwnd = wnd.GetHWND();
  EXPECT_EQ(host.GetStyle(hwnd) & kWsCaption, 0u);
  EXPECT_NE(host.GetStyle(hwnd) & kWsClipChildren, 0u);
  EXPECT_NE(host.GetExStyle(hwnd) & kWsExLayered, 0u);  // bktrans
  EXPECT_EQ(host.GetClientRect(hwnd), (Rect{0, 0, 300, 200}));  // the markup's size
  EXPECT_EQ(wnd.initCalls, 1);
  EXPECT_TRUE(wnd.Find(L"btn_close"));
  EXPECT_EQ(host.ClassName(hwnd), L"SkinTestWndCls");

  MinMaxInfo info{};
  host.Send(hwnd, kMsgGetMinMaxInfo, 0, reinterpret_cast<LParam>(&info));
  EXPECT_EQ(info.ptMaxTrackSize.x, 300);
  EXPECT_EQ(info.ptMaxTrackSize.y, 260);
  EXPECT_EQ(host.Send(hwnd, kMsgNcCalcSize, 1, 0), 0);
  EXPECT_EQ(host.Send(hwnd, kMsgNcHitTest, 0, MakePointParam(5, 5)), kHtClient);
}

TEST_F(WindowTest, MissingSkinGivesAWindowWithoutTree) {
  TestWindow wnd(L"xml/none.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  EXPECT_EQ(wnd.GetManager().GetRoot(), nullptr);
  EXPECT_EQ(wnd.GetBuildError(), "xml/none.xml: not in the skin package");
  EXPECT_EQ(wnd.initCalls, 1);
}

TEST_F(WindowTest, CaptionBandDragsOnlyWhereNoMouseControlLies) {
  TestWindow wnd(L"xml/w.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  SkinManager::PumpPending(host);
  const WindowHandle hwnd = wnd.GetHWND();
  host.PostLButtonDown(hwnd, wnd.CentreOf(L"title"));  // a label takes no mouse input
  host.PostLButtonUp(hwnd, wnd.CentreOf(L"title"));
  host.PostClick(hwnd, wnd.CentreOf(L"btn_close"));
  host.PostClick(hwnd, wnd.CentreOf(L"btn0"));  // below the band
  SkinManager::PumpPending(host);
  EXPECT_EQ(host.MoveStarts(hwnd), 1);
  std::erase_if(wnd.seen, [](const Seen& s) { return s.type == L"windowinit"; });
  EXPECT_EQ(wnd.seen, (std::vector<Seen>{{L"click", L"btn_close"}, {L"click", L"btn0"}}));
}

TEST_F(WindowTest, EnterAndEscapeReachTheDefaultKeyHandlerFirst) {
  TestWindow wnd(L"xml/w.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  static_cast<CButtonUI*>(wnd.Find(L"btn0"))->SetFocus();
  host.PostKey(wnd.GetHWND(), kVkEscape);
  host.PostKey(wnd.GetHWND(), kVkReturn);  // not taken: the focused button gets it
  SkinManager::PumpPending(host);
  wnd.takeDefaultKeys = true;
  host.PostKey(wnd.GetHWND(), kVkReturn);  // taken: no click
  SkinManager::PumpPending(host);
  EXPECT_EQ(wnd.defaultKeys, (std::vector<WParam>{kVkEscape, kVkReturn, kVkReturn}));
  std::erase_if(wnd.seen, [](const Seen& s) { return s.type == L"windowinit"; });
  EXPECT_EQ(wnd.seen, (std::vector<Seen>{{L"click", L"btn0"}}));
}

TEST_F(WindowTest, SystemCloseIsSwallowedAndMinimiseGoesToTheSystem) {
  TestWindow wnd(L"xml/w.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  host.PostAltF4(wnd.GetHWND());
  SkinManager::PumpPending(host);
  EXPECT_TRUE(host.IsWindow(wnd.GetHWND()));
  wnd.SendMessage(kMsgSysCommand, kScMinimize, 0);
  EXPECT_TRUE(host.IsIconic(wnd.GetHWND()));
  wnd.Close(7);
  SkinManager::PumpPending(host);
  EXPECT_FALSE(host.IsWindow(wnd.GetHWND()));
  EXPECT_EQ(wnd.finalCalls, 1);
}

TEST_F(WindowTest, ModalLoopDisablesTheOwnerUntilTheBoxHasGone) {
  TestWindow owner(L"xml/w.xml");
  ASSERT_TRUE(owner.CreateOn(host));
  TestWindow box(L"xml/w.xml");
  box.SetHost(&host);
  ASSERT_TRUE(box.Create(owner.GetHWND(), L"", kWsPopup, 0, {0, 0, 10, 10}));
  box.CenterWindow();
  // Work area 1920 x 1040 centred over the owner at 100,100 (300 x 200).
  EXPECT_EQ(host.GetWindowRect(box.GetHWND()), (Rect{100, 100, 400, 300}));

  bool ownerEnabledDuringBox = true;
  auto* btn0 = static_cast<CButtonUI*>(box.Find(L"btn0"));
  btn0->OnNotify.push_back([&](NotifyMsg& msg) {
    if (msg.strType != L"click") return;
    ownerEnabledDuringBox = host.IsWindowEnabled(owner.GetHWND());
    box.Close(1);
  });
  // Input queued for the owner while the box is up is dropped.
  host.PostClick(owner.GetHWND(), owner.CentreOf(L"btn1"));
  host.PostClick(box.GetHWND(), box.CentreOf(L"btn0"));
  const int result = box.ShowModal();
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(ownerEnabledDuringBox);
  EXPECT_TRUE(host.IsWindowEnabled(owner.GetHWND()));
  EXPECT_EQ(host.GetFocus(), owner.GetHWND());
  EXPECT_FALSE(host.IsWindow(box.GetHWND()));
  for (const Seen& s : owner.seen) EXPECT_NE(s.type, L"click");
}

TEST_F(WindowTest, QuitInsideTheModalLoopEndsItAndIsPostedAgain) {
  TestWindow owner(L"xml/w.xml");
  ASSERT_TRUE(owner.CreateOn(host));
  TestWindow box(L"xml/w.xml");
  box.SetHost(&host);
  ASSERT_TRUE(box.Create(owner.GetHWND(), L"", kWsPopup, 0, {}));
  host.PostQuitMessage(3);
  box.ShowModal();
  EXPECT_TRUE(host.IsWindow(box.GetHWND()));
  EXPECT_TRUE(host.IsWindowEnabled(owner.GetHWND()));
  Message msg;
  EXPECT_FALSE(host.GetMessage(msg));  // the outer loop sees the quit
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(WindowTest, DestroyingAnOwnerDestroysItsOwnedWindowsFirst) {
  std::vector<std::wstring> order;
  struct Tracking : TestWindow {
    Tracking(std::vector<std::wstring>& o, std::wstring n) : TestWindow(L"xml/w.xml"), order(o), name(std::move(n)) {}
    LResult HandleMessage(MsgId msg, WParam w, LParam l) override {
      if (msg == kMsgDestroy) order.push_back(name + L":destroy");
      return TestWindow::HandleMessage(msg, w, l);
    }
    void OnFinalMessage(WindowHandle hwnd) override {
      order.push_back(name + L":final");
      TestWindow::OnFinalMessage(hwnd);
    }
    std::vector<std::wstring>& order;
    std::wstring name;
  };
  Tracking owner(order, L"owner"), owned(order, L"owned");
  ASSERT_TRUE(owner.CreateOn(host));
  ASSERT_TRUE(owned.CreateOn(host, owner.GetHWND()));
  host.DestroyNativeWindow(owner.GetHWND());
  EXPECT_EQ(order, (std::vector<std::wstring>{L"owned:destroy", L"owned:final", L"owner:destroy", L"owner:final"}));
  EXPECT_EQ(host.WindowCount(), 0u);
  EXPECT_FALSE(host.Post(owner.GetHWND(), kMsgUser, 0, 0));
}

TEST_F(WindowTest, PostsFromOtherThreadsArriveInPostingOrder) {
  struct Receiver : TestWindow {
    Receiver() : TestWindow(L"xml/w.xml") {}
    LResult HandleMessage(MsgId msg, WParam w, LParam l) override {
      if (msg == kMsgApp + 5) {
        got.push_back(static_cast<int>(w));
        return 0;
      }
      return TestWindow::HandleMessage(msg, w, l);
    }
    std::vector<int> got;
  } wnd;
  ASSERT_TRUE(wnd.CreateOn(host));
  std::thread worker([&] {
    for (int i = 0; i < 1000; ++i) host.Post(wnd.GetHWND(), kMsgApp + 5, static_cast<WParam>(i), 0);
    host.PostQuitMessage(0);
  });
  SkinManager::MessageLoop(host);
  worker.join();
  ASSERT_EQ(wnd.got.size(), 1000u);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(wnd.got[static_cast<size_t>(i)], i);
}

// A pump with its own map, chained to a base map.
class BasePump : public CNotifyPump {
 public:
  std::vector<std::wstring> log;
  void OnBaseClick(NotifyMsg& msg) { log.push_back(L"base:" + msg.pSender->GetName()); }
  SKINUI_DECLARE_NOTIFY_MAP()
};
SKINUI_BEGIN_NOTIFY_MAP(BasePump, CNotifyPump)
SKINUI_ON_NOTIFY(L"click", L"btn1", &BasePump::OnBaseClick)
SKINUI_ON_NOTIFY(L"link", L"", &BasePump::OnBaseClick)
SKINUI_END_NOTIFY_MAP()

class DerivedPump : public BasePump {
 public:
  void OnAnyClick(NotifyMsg& msg) { log.push_back(L"any:" + msg.pSender->GetName()); }
  void OnLaterAny(NotifyMsg& msg) { log.push_back(L"later:" + msg.pSender->GetName()); }
  void OnExact(NotifyMsg& msg) { log.push_back(L"exact:" + msg.pSender->GetName()); }
  LResult OnParams(WParam w, LParam l) {
    log.push_back(L"params:" + std::to_wstring(w) + L"," + std::to_wstring(l));
    return 0;
  }
  void OnGhost(NotifyMsg&) { log.push_back(L"ghost"); }
  SKINUI_DECLARE_NOTIFY_MAP()
};
SKINUI_BEGIN_NOTIFY_MAP(DerivedPump, BasePump)
SKINUI_ON_NOTIFY(L"click", L"no_such_control", &DerivedPump::OnGhost)
SKINUI_ON_NOTIFY_TYPE(L"click", &DerivedPump::OnAnyClick)
SKINUI_ON_NOTIFY(L"click", L"btn0", &DerivedPump::OnExact)
SKINUI_ON_NOTIFY_TYPE(L"click", &DerivedPump::OnLaterAny)
SKINUI_ON_NOTIFY_PARAMS(L"tabselect", L"tab", &DerivedPump::OnParams)
SKINUI_END_NOTIFY_MAP()

TEST(NotifyPumpTest, ExactRowsFallbacksAndTheMapChain) {
  CButtonUI btn0, btn1, tab, ghost;
  btn0.SetName(L"btn0");
  btn1.SetName(L"btn1");
  tab.SetName(L"tab");
  ghost.SetName(L"other");
  DerivedPump pump;
  auto send = [&](CControlUI& sender, const wchar_t* type, WParam w = 0, LParam l = 0) {
    NotifyMsg msg;
    msg.strType = type;
    msg.pSender = &sender;
    msg.wParam = w;
    msg.lParam = l;
    return pump.NotifyPump(msg);
  };
  EXPECT_TRUE(send(btn0, L"click"));          // exact row, though fallbacks come before it
  EXPECT_TRUE(send(btn1, L"click"));          // the own map's fallback (the later one) before the base map
  EXPECT_TRUE(send(tab, L"tabselect", 2, 0));
  EXPECT_TRUE(send(ghost, L"link"));          // only the base map has a row
  EXPECT_FALSE(send(ghost, L"selectchanged"));
  EXPECT_FALSE(send(btn0, L"CLICK"));         // types compare exactly
  EXPECT_EQ(pump.log, (std::vector<std::wstring>{L"exact:btn0", L"later:btn1", L"params:2,0", L"base:other"}));
}

TEST(NotifyPumpTest, VirtualWindowsGoToTheirSubPumpFirst) {
  DerivedPump outer;
  BasePump inner;
  outer.AddVirtualWnd(L"Page", &inner);
  CButtonUI btn1;
  btn1.SetName(L"btn1");
  NotifyMsg msg;
  msg.strType = L"click";
  msg.pSender = &btn1;
  msg.strVirtualWnd = L"page";
  EXPECT_TRUE(outer.NotifyPump(msg));
  EXPECT_EQ(inner.log, (std::vector<std::wstring>{L"base:btn1"}));
  EXPECT_TRUE(outer.log.empty());
}

}  // namespace
}  // namespace SkinUI
