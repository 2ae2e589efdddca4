// The manager: name registration and removal, notification delivery, control
// timers.
#include "ui/core/skin_manager.h"

#include <gtest/gtest.h>

#include "ui/control/button.h"
#include "ui/control/container.h"
#include "ui/testing/skin_test_util.h"

namespace SkinUI {
namespace {

using testing::Seen;
using testing::TestWindow;
using testing::UsePackage;

std::vector<Seen> Without(std::vector<Seen> seen, std::wstring_view type) {
  std::erase_if(seen, [&](const Seen& s) { return s.type == type; });
  return seen;
}

TEST(NameRegistrationTest, LaterInTheDepthFirstWalkWins) {
  UsePackage({{"xml/t.xml", R"(<Window size="300,200">
    <VerticalLayout name="root">
      <Label name="dup" text="first"/>
      <HorizontalLayout name="dup"><Label name="dup" text="inner"/></HorizontalLayout>
      <VerticalLayout name="box"><Label name="twin" text="child"/></VerticalLayout>
      <Label name="twin" text="sibling"/>
      <VerticalLayout name="nest"><Label name="nest" text="child of nest"/></VerticalLayout>
    </VerticalLayout></Window>)"}});
  HeadlessHost host(HeadlessHost::Clock::kVirtual);
  TestWindow wnd(L"xml/t.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  // Children come before their container, so the container named "dup" is
  // met after its child and after the earlier sibling.
  EXPECT_EQ(wnd.Find(L"dup")->GetClass(), L"HorizontalLayoutUI");
  EXPECT_EQ(wnd.Find(L"twin")->GetText(), L"sibling");
  EXPECT_EQ(wnd.Find(L"nest")->GetClass(), L"VerticalLayoutUI");
  EXPECT_EQ(wnd.Find(L"nobody"), nullptr);
  EXPECT_EQ(wnd.Find(L"ROOT"), nullptr);  // names are case-sensitive
}

TEST(NameRegistrationTest, RemovingAControlDropsOnlyItsOwnEntry) {
  UsePackage({{"xml/t.xml", R"(<Window size="300,200"><VerticalLayout name="root">
      <Label name="a" text="1"/><Label name="a" text="2"/><Button name="b"/></VerticalLayout></Window>)"}});
  HeadlessHost host(HeadlessHost::Clock::kVirtual);
  TestWindow wnd(L"xml/t.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  auto* root = static_cast<CContainerUI*>(wnd.Find(L"root"));
  CControlUI* first = root->GetItemAt(0);
  CControlUI* second = wnd.Find(L"a");
  ASSERT_EQ(second->GetText(), L"2");
  root->Remove(first);  // not the registered one: the entry stays
  EXPECT_EQ(wnd.Find(L"a"), second);
  root->Remove(second);
  EXPECT_EQ(wnd.Find(L"a"), nullptr);

  // A control added later is registered at once; its name set afterwards is not.
  auto* added = root->AddChild(std::make_unique<CButtonUI>());
  added->SetName(L"late");
  EXPECT_EQ(wnd.Find(L"late"), nullptr);
  auto named = std::make_unique<CButtonUI>();
  named->SetName(L"early");
  CButtonUI* raw = root->AddChild(std::move(named));
  EXPECT_EQ(wnd.Find(L"early"), raw);
}

class RecordingNotifier : public INotifyUI {
 public:
  explicit RecordingNotifier(std::vector<std::wstring>& log, std::wstring tag) : log_(log), tag_(std::move(tag)) {}
  void Notify(NotifyMsg& msg) override { log_.push_back(tag_ + L":" + msg.strType); }

 private:
  std::vector<std::wstring>& log_;
  std::wstring tag_;
};

TEST(NotificationTest, ListenersFirstThenNotifiersInRegistrationOrder) {
  SkinManager pm;
  auto root = std::make_unique<CVerticalLayoutUI>();
  auto* button = root->AddChild(std::make_unique<CButtonUI>());
  pm.AttachDialog(std::move(root));
  std::vector<std::wstring> log;
  RecordingNotifier one(log, L"one"), two(log, L"two");
  pm.AddNotifier(&one);
  pm.AddNotifier(&two);
  EXPECT_FALSE(pm.AddNotifier(&one));
  button->OnNotify.push_back([&](NotifyMsg& msg) { log.push_back(L"listener:" + msg.strType); });
  button->Activate();
  EXPECT_EQ(log, (std::vector<std::wstring>{L"listener:click", L"one:click", L"two:click"}));
}

TEST(NotificationTest, DelayedNoticesArriveAfterTheCurrentMessageAndLoseRemovedSenders) {
  UsePackage({{"xml/t.xml", R"(<Window size="300,200"><VerticalLayout name="root">
      <Button name="stay"/><Button name="go"/></VerticalLayout></Window>)"}});
  HeadlessHost host(HeadlessHost::Clock::kVirtual);
  TestWindow wnd(L"xml/t.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  SkinManager::PumpPending(host);
  wnd.seen.clear();
  SkinManager& pm = wnd.GetManager();
  pm.SendNotice(wnd.Find(L"stay"), L"later1", 1, 0, true);
  pm.SendNotice(wnd.Find(L"go"), L"later2", 2, 0, true);
  pm.SendNotice(wnd.Find(L"stay"), L"now", 3, 0, false);
  EXPECT_EQ(wnd.seen, (std::vector<Seen>{{L"now", L"stay", 3, 0}}));
  static_cast<CContainerUI*>(wnd.Find(L"root"))->Remove(wnd.Find(L"go"));
  SkinManager::PumpPending(host);
  EXPECT_EQ(Without(wnd.seen, L"windowinit"), (std::vector<Seen>{{L"now", L"stay", 3, 0}, {L"later1", L"stay", 1, 0}}));
}

TEST(NotificationTest, WindowInitIsSentOnceAtTheFirstPaint) {
  UsePackage({{"xml/t.xml", R"(<Window size="300,200"><VerticalLayout name="root"/></Window>)"}});
  HeadlessHost host(HeadlessHost::Clock::kVirtual);
  TestWindow wnd(L"xml/t.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  EXPECT_TRUE(wnd.seen.empty());
  SkinManager::PumpPending(host);
  host.Invalidate(wnd.GetHWND(), nullptr);
  SkinManager::PumpPending(host);
  EXPECT_EQ(host.PaintCount(wnd.GetHWND()), 2);
  EXPECT_EQ(wnd.seen, (std::vector<Seen>{{L"windowinit", L"root", 0, 0}}));
}

// A control that counts its timer events with their times.
class TickingControl : public CControlUI {
 public:
  explicit TickingControl(HeadlessHost& host) : host_(host) {}
  void DoEvent(EventUI& event) override {
    if (event.type == EventType::kTimer && event.wParam == 7) {
      ticks.push_back(host_.TickCount());
      return;
    }
    CControlUI::DoEvent(event);
  }
  std::vector<uint32_t> ticks;

 private:
  HeadlessHost& host_;
};

class ControlTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UsePackage({{"xml/t.xml", R"(<Window size="300,200"><VerticalLayout name="root"/></Window>)"}});
    ASSERT_TRUE(wnd.CreateOn(host));
    auto owned = std::make_unique<TickingControl>(host);
    owned->SetName(L"ticker");
    ticker = static_cast<CContainerUI*>(wnd.Find(L"root"))->AddChild(std::move(owned));
    SkinManager::PumpPending(host);
    wnd.seen.clear();
  }
  // Runs the virtual clock for `ms`, handling every message on the way.
  void Run(uint32_t ms) {
    const uint32_t end = host.TickCount() + ms;
    for (;;) {
      SkinManager::PumpPending(host);
      uint32_t due = 0;
      if (!host.NextTimerDue(due) || due > end) break;
      host.AdvanceClock(due - host.TickCount());
    }
    host.AdvanceClock(end - host.TickCount());
    SkinManager::PumpPending(host);
  }

  HeadlessHost host{HeadlessHost::Clock::kVirtual};
  TestWindow wnd{L"xml/t.xml"};
  TickingControl* ticker = nullptr;
};

TEST_F(ControlTimerTest, RestartingARunningTimerKeepsItsFirstPeriod) {
  SkinManager& pm = wnd.GetManager();
  EXPECT_TRUE(pm.SetControlTimer(ticker, 7, 100));
  EXPECT_FALSE(pm.SetControlTimer(ticker, 7, 30));  // still running: unchanged
  Run(300);
  EXPECT_EQ(ticker->ticks, (std::vector<uint32_t>{100, 200, 300}));

  const auto nativeId = pm.NativeTimerId(ticker, 7);
  EXPECT_TRUE(pm.KillControlTimer(ticker, 7));
  Run(200);
  EXPECT_EQ(ticker->ticks.size(), 3u);
  EXPECT_TRUE(pm.SetControlTimer(ticker, 7, 50));  // killed: the new period applies
  EXPECT_EQ(pm.NativeTimerId(ticker, 7), nativeId);
  Run(100);
  EXPECT_EQ(ticker->ticks, (std::vector<uint32_t>{100, 200, 300, 550, 600}));
}

TEST_F(ControlTimerTest, NativeIdsCountUpModulo255AndSkipHeldIds) {
  SkinManager& pm = wnd.GetManager();
  std::vector<std::unique_ptr<CControlUI>> others;
  ASSERT_TRUE(pm.SetControlTimer(ticker, 7, 10));
  EXPECT_EQ(pm.NativeTimerId(ticker, 7), 1u);
  for (uint32_t id = 100; id < 100 + 253; ++id) ASSERT_TRUE(pm.SetControlTimer(ticker, id, 10)) << id;
  EXPECT_EQ(pm.NativeTimerId(ticker, 100 + 252), 254u);
  ASSERT_TRUE(pm.SetControlTimer(ticker, 1, 10));
  EXPECT_EQ(pm.NativeTimerId(ticker, 1), 0u);  // (254 + 1) mod 255
  EXPECT_FALSE(pm.SetControlTimer(ticker, 2, 10));  // every native id is held
  pm.KillControlTimers(ticker);
}

TEST_F(ControlTimerTest, UnconsumedTimerBecomesANotificationAndRemovalStopsTimers) {
  SkinManager& pm = wnd.GetManager();
  ASSERT_TRUE(pm.SetControlTimer(ticker, 9, 100));
  Run(100);
  EXPECT_EQ(wnd.seen, (std::vector<Seen>{{L"timer", L"ticker", 9, 0}}));
  static_cast<CContainerUI*>(wnd.Find(L"root"))->Remove(ticker);
  uint32_t due = 0;
  EXPECT_FALSE(host.NextTimerDue(due));
  Run(500);
  EXPECT_EQ(wnd.seen.size(), 1u);
}

TEST(WindowlessManagerTest, TimersNeedAWindow) {
  SkinManager pm;
  auto root = std::make_unique<CVerticalLayoutUI>();
  CControlUI* raw = root.get();
  pm.AttachDialog(std::move(root));
  EXPECT_FALSE(pm.SetControlTimer(raw, 1, 10));
}

}  // namespace
}  // namespace SkinUI
