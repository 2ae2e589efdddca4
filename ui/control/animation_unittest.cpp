// The animated controls on the headless host's virtual clock: which frame of
// the strip is drawn at which opacity and when, loop limits, stop and start,
// the GIF's timers and visibility, and the check page of the shipped
// skin with its animations running.
#include "ui/control/animation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "ui/control/container.h"
#include "ui/package/resource_package.h"
#include "ui/testing/gif_writer.h"
#include "ui/testing/skin_test_util.h"
#include "ui/testing/zip_writer.h"

namespace SkinUI {
namespace {

using testing::TestWindow;
using testing::UsePackage;

class AnimationTest : public ::testing::Test {
 protected:
  void Open(const std::string& body, std::vector<std::pair<std::string, std::string>> files = {}) {
    files.push_back({"xml/t.xml", "<Window size=\"800,600\">" + body + "</Window>"});
    files.push_back({"img/seq.png", testing::FakePng(36816, 12, false)});
    files.push_back({"img/fade.png", testing::FakePng(3835, 398, false)});
    files.push_back({"img/strip.png", testing::FakePng(1000, 50)});
    UsePackage(files);
    ASSERT_TRUE(wnd.CreateOn(host));
    SkinManager::PumpPending(host);
  }
  // Runs every timer due up to virtual time `t` at the moment it is due.
  void RunTo(uint32_t t) {
    uint32_t due = 0;
    while (host.NextTimerDue(due) && due <= t) {
      host.AdvanceClock(due - host.TickCount());
      SkinManager::PumpPending(host);
    }
    host.AdvanceClock(t - host.TickCount());
    SkinManager::PumpPending(host);
  }
  // The image draws of the last frame from the given image, in drawing order.
  std::vector<DrawRecord> Draws(const wchar_t* image) {
    std::vector<DrawRecord> out;
    for (const DrawRecord& r : host.LastFrame(wnd.GetHWND())) {
      if (r.kind == DrawRecord::Kind::kImage && r.image == image) out.push_back(r);
    }
    return out;
  }
  template <typename T>
  T* Get(std::wstring_view name) {
    return static_cast<T*>(wnd.Find(name));
  }
  // The window repaints everything on each paint here, so the last frame shows
  // every control.
  void RepaintAll() {
    host.Invalidate(wnd.GetHWND(), nullptr);
    SkinManager::PumpPending(host);
  }

  HeadlessHost host{HeadlessHost::Clock::kVirtual};
  TestWindow wnd{L"xml/t.xml"};
};

TEST_F(AnimationTest, SequenceShowsFrameKAtKTimesThePeriodAndStopsOnFrame0AfterItsLoops) {
  Open(R"(<VerticalLayout><Sequence name="seq" width="767" height="12" bkcolor="#E90505"
          bkimage="img/seq.png" imagecount="48" elapse="40" loopcount="2"/><Control/></VerticalLayout>)");
  auto* seq = Get<CSequenceUI>(L"seq");
  const uint32_t t0 = host.TickCount();
  seq->Start();
  for (uint32_t k = 0; k < 96; ++k) {
    SCOPED_TRACE(k);
    RunTo(t0 + k * 40);
    RepaintAll();
    const auto draws = Draws(L"img/seq.png");
    ASSERT_EQ(draws.size(), 1u);
    const int32_t left = static_cast<int32_t>(k % 48) * 767;
    EXPECT_EQ(draws[0].source, (Rect{left, 0, left + 767, 12}));
    EXPECT_EQ(draws[0].alpha, 255);
    EXPECT_EQ(draws[0].rect, seq->GetPos());
    if (k > 0) {
      RunTo(t0 + k * 40 + 39);  // still frame k just before the next tick
      EXPECT_EQ(seq->GetCurrentFrame(), static_cast<int>(k % 48));
    }
  }
  RunTo(t0 + 96 * 40);
  EXPECT_EQ(seq->GetCurrentFrame(), 0);
  EXPECT_EQ(seq->GetLoopsDone(), 2);
  const int paints = host.PaintCount(wnd.GetHWND());
  RunTo(t0 + 200 * 40);  // the timer has stopped: nothing moves, nothing repaints
  EXPECT_EQ(seq->GetCurrentFrame(), 0);
  EXPECT_EQ(host.PaintCount(wnd.GetHWND()), paints);
  // The background colour is filled under the strip.
  RepaintAll();
  const auto fills = testing::RecordsOf(host.LastFrame(wnd.GetHWND()), DrawRecord::Kind::kFill);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills[0].color, 0xFFE90505u);
}

TEST_F(AnimationTest, SequenceStopWithAndWithoutResetThenStart) {
  Open(R"(<VerticalLayout><Sequence name="seq" width="767" height="12" bkimage="img/seq.png"
          imagecount="48" elapse="40"/><Control/></VerticalLayout>)");
  auto* seq = Get<CSequenceUI>(L"seq");
  uint32_t t = host.TickCount();
  seq->Start();
  RunTo(t += 5 * 40);
  EXPECT_EQ(seq->GetCurrentFrame(), 5);

  seq->Stop(false);  // keeps frame 5 showing
  RunTo(t += 1000);
  EXPECT_EQ(seq->GetCurrentFrame(), 5);
  seq->Start();  // resumes there
  RunTo(t += 40);
  EXPECT_EQ(seq->GetCurrentFrame(), 6);

  seq->Stop(true);  // back to frame 0, repainted at once
  SkinManager::PumpPending(host);
  auto draws = Draws(L"img/seq.png");
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].source.left, 0);
  RunTo(t += 1000);
  EXPECT_EQ(seq->GetCurrentFrame(), 0);
  seq->Start();
  RunTo(t += 39);
  EXPECT_EQ(seq->GetCurrentFrame(), 0);
  RunTo(t += 1);
  EXPECT_EQ(seq->GetCurrentFrame(), 1);

  // Without a window nothing happens.
  CSequenceUI loose;
  loose.SetAttribute(L"imagecount", L"4");
  loose.Start();
  loose.Stop(true);
  EXPECT_EQ(loose.GetCurrentFrame(), 0);
}

TEST_F(AnimationTest, SequenceFrameSourcesAndWholeImageCases) {
  Open(R"(<VerticalLayout>
      <Sequence name="narrow" height="50" bkimage="file='img/strip.png' source='100,0,500,50'" imagecount="4" elapse="10"/>
      <Sequence name="single" height="50" bkimage="img/strip.png" imagecount="1" elapse="10"/>
      <Sequence name="bare" height="50" imagecount="4" elapse="10"/>
      <Control/></VerticalLayout>)");
  auto* narrow = Get<CSequenceUI>(L"narrow");
  narrow->Start();
  Get<CSequenceUI>(L"single")->Start();
  Get<CSequenceUI>(L"bare")->Start();
  uint32_t t = host.TickCount();
  std::vector<int32_t> lefts;
  for (int k = 0; k < 5; ++k) {
    RunTo(t + static_cast<uint32_t>(k) * 10);
    RepaintAll();
    std::vector<DrawRecord> draws = Draws(L"img/strip.png");
    ASSERT_EQ(draws.size(), 2u);
    // Only the 400-pixel source is split: 100-pixel frames from x = 100.
    EXPECT_EQ(draws[0].source.Width(), 100);
    EXPECT_EQ(draws[0].source.top, 0);
    EXPECT_EQ(draws[0].source.bottom, 50);
    lefts.push_back(draws[0].source.left);
    // One frame: the image is drawn whole, as any background.
    EXPECT_EQ(draws[1].source, (Rect{0, 0, 1000, 50}));
    EXPECT_EQ(draws[1].rect, Get<CControlUI>(L"single")->GetPos());
  }
  EXPECT_EQ(lefts, (std::vector<int32_t>{100, 200, 300, 400, 100}));
}

// The fading sequence of the skin's introduction pictures: 5 frames held
// 3000 ms, fade step 25 every 100 ms.
class FadeTest : public AnimationTest {
 protected:
  void OpenFade(const char* extra = "") {
    Open(std::string(R"(<VerticalLayout><FadeSequence name="fade" width="767" height="398" bkimage="img/fade.png"
          imagecount="5" elapse="3000" )") + extra + R"(/><Control/></VerticalLayout>)");
    fade = Get<CFadeSequenceUI>(L"fade");
    t0 = host.TickCount();
    fade->Start();
  }
  // (frame, opacity) pairs drawn by the fading sequence at time t0 + `at`.
  std::vector<std::pair<int, int>> DrawnAt(uint32_t at) {
    RunTo(t0 + at);
    RepaintAll();
    std::vector<std::pair<int, int>> out;
    for (const DrawRecord& r : Draws(L"img/fade.png")) {
      EXPECT_EQ(r.source.Width(), 767);
      out.push_back({r.source.left / 767, r.alpha});
    }
    return out;
  }
  using Drawn = std::vector<std::pair<int, int>>;

  CFadeSequenceUI* fade = nullptr;
  uint32_t t0 = 0;
};

TEST_F(FadeTest, HoldThenFadeStepsThenTheNextFrameEvery4100Ms) {
  OpenFade();
  EXPECT_EQ(DrawnAt(0), (Drawn{{0, 255}}));
  EXPECT_EQ(DrawnAt(2999), (Drawn{{0, 255}}));
  for (int j = 1; j <= 10; ++j) {  // 3000 ms: 25, then +25 every 100 ms up to 250
    SCOPED_TRACE(j);
    EXPECT_EQ(DrawnAt(3000 + static_cast<uint32_t>(j - 1) * 100), (Drawn{{0, 255 - 25 * j}, {1, 25 * j}}));
  }
  EXPECT_EQ(DrawnAt(4000), (Drawn{{1, 255}}));  // level 275: the next frame alone
  EXPECT_EQ(DrawnAt(4100), (Drawn{{1, 255}}));  // it becomes current and is held
  EXPECT_EQ(fade->GetCurrentFrame(), 1);
  EXPECT_EQ(fade->GetFadeLevel(), 0);
  EXPECT_EQ(DrawnAt(7099), (Drawn{{1, 255}}));
  EXPECT_EQ(DrawnAt(7100), (Drawn{{1, 230}, {2, 25}}));
  // After frame 4 it fades to frame 0 and goes on (no loop limit).
  EXPECT_EQ(DrawnAt(4 * 4100 + 3000), (Drawn{{4, 230}, {0, 25}}));
  EXPECT_EQ(DrawnAt(5 * 4100), (Drawn{{0, 255}}));
  EXPECT_EQ(fade->GetCurrentFrame(), 0);
  EXPECT_EQ(DrawnAt(5 * 4100 + 3000), (Drawn{{0, 230}, {1, 25}}));
}

TEST_F(FadeTest, LoopCountOneEndsOnTheLastFrame) {
  OpenFade(R"(loopcount="1")");
  for (int k = 0; k < 4; ++k) {  // frames 0 to 3 each fade to the next
    SCOPED_TRACE(k);
    EXPECT_EQ(DrawnAt(static_cast<uint32_t>(k) * 4100 + 3000), (Drawn{{k, 230}, {k + 1, 25}}));
  }
  EXPECT_EQ(DrawnAt(4 * 4100), (Drawn{{4, 255}}));
  // Frame 4 has been held: no fade starts, and it stays.
  EXPECT_EQ(DrawnAt(4 * 4100 + 3000), (Drawn{{4, 255}}));
  uint32_t due = 0;
  EXPECT_FALSE(host.NextTimerDue(due));
  EXPECT_EQ(DrawnAt(10 * 4100), (Drawn{{4, 255}}));
  EXPECT_EQ(fade->GetLoopsDone(), 1);
}

TEST_F(FadeTest, StopAndStartDuringAFade) {
  OpenFade();
  EXPECT_EQ(DrawnAt(3300), (Drawn{{0, 155}, {1, 100}}));
  fade->Stop(false);
  EXPECT_EQ(DrawnAt(5000), (Drawn{{0, 155}, {1, 100}}));  // frozen mid-fade
  // Started again: the level stays and the blend shows until the hold ends,
  // then the fade starts over from one step.
  fade->Start();
  t0 = host.TickCount();
  EXPECT_EQ(DrawnAt(2999), (Drawn{{0, 155}, {1, 100}}));
  EXPECT_EQ(DrawnAt(3000), (Drawn{{0, 230}, {1, 25}}));
  fade->Stop(true);
  SkinManager::PumpPending(host);
  EXPECT_EQ(fade->GetFadeLevel(), 0);
  EXPECT_EQ(fade->GetCurrentFrame(), 0);
  t0 = host.TickCount();
  EXPECT_EQ(DrawnAt(10000), (Drawn{{0, 255}}));
}

TEST_F(AnimationTest, GifTimerPeriodsAndResumingAfterHideAndShow) {
  const std::string gif = testing::MakeGif({{0, 1}, {3, 1}, {3, 1}, {3, 1}, {3, 1}});  // first delay 0
  Open(R"(<VerticalLayout><Gif name="gif" gif="img/a.gif" width="1" height="1"/><Control/></VerticalLayout>)",
       {{"img/a.gif", gif}});
  auto* ctl = Get<CGifUI>(L"gif");
  ASSERT_EQ(ctl->GetFrameCount(), 5u);
  // Set up with a current delay of 0: the timer runs at 100 ms.
  uint32_t due = 0;
  ASSERT_TRUE(host.NextTimerDue(due));
  EXPECT_EQ(due - host.TickCount(), 100u);
  SkinManager::PumpPending(host);
  const size_t before = ctl->GetCurrentFrame();
  RunTo(host.TickCount() + 100);  // each tick repaints, each paint draws one frame and moves on
  EXPECT_EQ(ctl->GetCurrentFrame(), (before + 1) % 5);
  RunTo(host.TickCount() + 100);
  const size_t reached = ctl->GetCurrentFrame();

  ctl->SetVisible(false);
  SkinManager::PumpPending(host);
  EXPECT_FALSE(host.NextTimerDue(due));  // hidden: its timers stop
  RunTo(host.TickCount() + 5000);
  EXPECT_EQ(ctl->GetCurrentFrame(), reached);

  ctl->SetVisible(true);  // the current frame's own delay, 30 ms
  ASSERT_TRUE(host.NextTimerDue(due));
  EXPECT_EQ(due - host.TickCount(), 30u);
  SkinManager::PumpPending(host);  // the repaint of showing draws the frame it had reached
  EXPECT_EQ(ctl->GetCurrentFrame(), (reached + 1) % 5);
  const auto canvases = testing::RecordsOf(host.LastFrame(wnd.GetHWND()), DrawRecord::Kind::kCanvas);
  ASSERT_EQ(canvases.size(), 1u);
  EXPECT_EQ(canvases[0].rect, ctl->GetPos());
  EXPECT_EQ(canvases[0].alpha, 255);
}

TEST_F(AnimationTest, GifUnderAHiddenPageDoesNotRepaint) {
  Open(R"(<TabLayout name="tab"><VerticalLayout><Gif name="gif" gif="img/a.gif" width="1" height="1"/></VerticalLayout>
          <Label text="other page"/></TabLayout>)",
       {{"img/a.gif", testing::MakeGif({{3, 1}, {3, 1}})}});
  RunTo(host.TickCount() + 300);
  const size_t frame = Get<CGifUI>(L"gif")->GetCurrentFrame();
  Get<CTabLayoutUI>(L"tab")->SelectPage(1);
  SkinManager::PumpPending(host);
  const int paints = host.PaintCount(wnd.GetHWND());
  RunTo(host.TickCount() + 3000);
  EXPECT_EQ(host.PaintCount(wnd.GetHWND()), paints);
  Get<CTabLayoutUI>(L"tab")->SelectPage(0);
  SkinManager::PumpPending(host);
  EXPECT_EQ(Get<CGifUI>(L"gif")->GetCurrentFrame(), (frame + 1) % 2);
}

TEST_F(AnimationTest, UndecodableGifDrawsNothingAndRunsNoTimer) {
  Open(R"(<VerticalLayout><Gif name="gif" gif="img/bad.gif" width="10" height="10"/>
          <Gif name="none" gif="img/missing.gif" width="10" height="10"/><Control/></VerticalLayout>)",
       {{"img/bad.gif", "GIF89a not really"}});
  SkinManager::PumpPending(host);
  EXPECT_EQ(Get<CGifUI>(L"gif")->GetFrameCount(), 0u);
  EXPECT_EQ(Get<CGifUI>(L"none")->GetFrameCount(), 0u);
  uint32_t due = 0;
  EXPECT_FALSE(host.NextTimerDue(due));
  EXPECT_TRUE(testing::RecordsOf(host.LastFrame(wnd.GetHWND()), DrawRecord::Kind::kCanvas).empty());
}

// The shipped skin: the check page runs its introduction pictures and the
// check bar at the skin's timing.
TEST(SkinAnimationTest, CheckPageAnimationsOfTheShippedSkin) {
  std::ifstream in(QIRA_SKIN_ZIP, std::ios::binary);
  std::vector<uint8_t> zip(std::istreambuf_iterator<char>(in), {});
  ReleaseResourcePackage();
  ASSERT_TRUE(RegisterResourcePackage(zip));
  HeadlessHost host(HeadlessHost::Clock::kVirtual);
  TestWindow wnd(L"Xml\\inst\\wnd.xml");
  ASSERT_TRUE(wnd.CreateOn(host));
  SkinManager::PumpPending(host);
  auto* gif = static_cast<CGifUI*>(
      static_cast<CContainerUI*>(
          static_cast<CContainerUI*>(wnd.Find(L"tab_check_bottom"))->GetItemAt(0))
          ->GetItemAt(1));
  ASSERT_EQ(gif->GetFrameCount(), 31u);
  uint32_t due = 0;
  ASSERT_TRUE(host.NextTimerDue(due));
  EXPECT_EQ(due - host.TickCount(), 30u);

  auto* intro = static_cast<CFadeSequenceUI*>(wnd.Find(L"seq_introduce_check"));
  EXPECT_EQ(intro->GetFrameCount(), 5);
  EXPECT_EQ(intro->GetPeriod(), 3000);
  const uint32_t t0 = host.TickCount();
  intro->Start();
  auto runTo = [&](uint32_t t) {
    while (host.NextTimerDue(due) && due <= t) {
      host.AdvanceClock(due - host.TickCount());
      SkinManager::PumpPending(host);
    }
    host.AdvanceClock(t - host.TickCount());
    SkinManager::PumpPending(host);
  };
  const size_t gifStart = gif->GetCurrentFrame();
  runTo(t0 + 3000 + 400);  // mid-fade: frame 0 at 130, frame 1 at 125
  host.Invalidate(wnd.GetHWND(), nullptr);
  SkinManager::PumpPending(host);
  std::vector<std::pair<int32_t, int>> drawn;
  for (const DrawRecord& r : host.LastFrame(wnd.GetHWND())) {
    if (r.kind == DrawRecord::Kind::kImage && r.image == L"img\\inst\\seq_introduce.png") {
      drawn.push_back({r.source.left, r.alpha});
      EXPECT_EQ(r.rect.Width(), 767);
      EXPECT_EQ(r.rect.Height(), 398);
    }
  }
  EXPECT_EQ(drawn, (std::vector<std::pair<int32_t, int>>{{0, 130}, {767, 125}}));
  // 3400 ms of 30 ms ticks: the bar has gone round its 31 frames several times.
  EXPECT_NE(gif->GetCurrentFrame(), gifStart);
  runTo(t0 + 4100);
  EXPECT_EQ(intro->GetCurrentFrame(), 1);
  wnd.Close();
  SkinManager::PumpPending(host);
}

}  // namespace
}  // namespace SkinUI
