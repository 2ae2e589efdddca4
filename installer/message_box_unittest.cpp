// The message box on the headless host with the shipped skin: what it shows,
// how each input ends it, and the two ready-made boxes through the default
// host.
#include "installer/message_box.h"

#include <gtest/gtest.h>

#include <functional>

#include "installer/message_box_wnd.h"
#include "skin/embedded_skin.h"
#include "ui/control/control.h"
#include "ui/package/resource_package.h"
#include "ui/testing/skin_test_util.h"

namespace installer {
namespace {

using SkinUI::HeadlessHost;
using SkinUI::Point;
using SkinUI::WindowHandle;

// A box whose initialisation also queues the test's input, so the input
// reaches it through its own modal loop.
class ScriptedBox : public CMessageBoxWnd {
 public:
  using Script = std::function<void(ScriptedBox&, HeadlessHost&)>;
  ScriptedBox(const MsgBoxParams& params, HeadlessHost& host, Script script)
      : CMessageBoxWnd(params), host_(host), script_(std::move(script)) {
    SetHost(&host);
  }

  SkinUI::CControlUI* Find(std::wstring_view name) { return m_pm.FindByName(name); }
  Point CentreOf(std::wstring_view name) {
    m_pm.UpdateLayout();
    const SkinUI::Rect& r = Find(name)->GetPos();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // What InitWindow left, seen before any input.
  bool shown0 = false, shown1 = false, captionShown = false, textShown = false, closeEnabled = false;
  std::wstring text0, styleFocus;
  std::vector<SkinUI::WParam> closeCodes;

 protected:
  void InitWindow() override {
    CMessageBoxWnd::InitWindow();
    shown0 = Find(L"btn0")->IsVisible();
    shown1 = Find(L"btn1")->IsVisible();
    captionShown = Find(L"lbl_caption")->IsVisible();
    textShown = Find(L"lbl_text")->IsVisible();
    closeEnabled = Find(L"btn_close")->IsEnabled();
    text0 = Find(L"btn0")->GetText();
    if (m_pm.GetFocus()) styleFocus = m_pm.GetFocus()->GetName();
    script_(*this, host_);
  }
  SkinUI::LResult HandleMessage(SkinUI::MsgId msg, SkinUI::WParam w, SkinUI::LParam l) override {
    if (msg == SkinUI::kMsgClose) closeCodes.push_back(w);
    return CMessageBoxWnd::HandleMessage(msg, w, l);
  }

 private:
  HeadlessHost& host_;
  Script script_;
};

class MessageBoxTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SkinUI::ReleaseResourcePackage();
    const auto package = skin::EmbeddedPackage();
    ASSERT_TRUE(SkinUI::RegisterResourcePackage({package.data(), package.size()}));
  }
  void SetUp() override {
    host.SetIdleTimeout(2000);  // a box that never ends fails instead of hanging
    ASSERT_TRUE(owner.CreateOn(host));
  }

  HeadlessHost host{HeadlessHost::Clock::kVirtual};
  SkinUI::testing::TestWindow owner{L"xml\\msgbox.xml"};
};

TEST_F(MessageBoxTest, EndingTableOfTheExitQuestion) {
  using Input = std::function<void(ScriptedBox&, HeadlessHost&)>;
  auto click = [](const wchar_t* name) -> Input {
    return [name](ScriptedBox& box, HeadlessHost& host) { host.PostClick(box.GetHWND(), box.CentreOf(name)); };
  };
  auto key = [](uint32_t vk) -> Input {
    return [vk](ScriptedBox& box, HeadlessHost& host) { host.PostKey(box.GetHWND(), vk); };
  };
  struct Case {
    const char* what;
    Input input;
    int result;
    SkinUI::WParam closeCode;
  };
  const Case cases[] = {
      {"first button", click(L"btn0"), kMsgBoxButton0, 1},
      {"second button", click(L"btn1"), kMsgBoxButton1, 1},
      {"close button", click(L"btn_close"), kMsgBoxClosed, 2},
      {"Enter takes the default, 取消", key(SkinUI::kVkReturn), kMsgBoxButton1, 1},
      {"Escape with the close button enabled", key(SkinUI::kVkEscape), kMsgBoxClosed, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const MsgBoxParams params = ExitQuestionParams(owner.GetHWND());
    ScriptedBox box(params, host, c.input);
    EXPECT_EQ(box.Run(), c.result);
    EXPECT_EQ(box.closeCodes, std::vector<SkinUI::WParam>{c.closeCode});
    EXPECT_TRUE(box.shown0 && box.shown1 && box.captionShown && box.textShown && box.closeEnabled);
    EXPECT_EQ(box.text0, L"确认");
    EXPECT_EQ(box.styleFocus, L"btn1");  // the default button has the focus
    EXPECT_FALSE(host.IsWindow(box.GetHWND()));
    EXPECT_TRUE(host.IsWindowEnabled(owner.GetHWND()));
    EXPECT_EQ(host.GetFocus(), owner.GetHWND());
  }
}

TEST_F(MessageBoxTest, InputThatDoesNotEndTheBox) {
  // Close button disabled: Escape is not taken and Alt+F4 is swallowed; the
  // box is still there for the click that follows.
  MsgBoxParams params = ExitQuestionParams(owner.GetHWND());
  params.closeEnabled = false;
  ScriptedBox box(params, host, [](ScriptedBox& b, HeadlessHost& h) {
    h.PostKey(b.GetHWND(), SkinUI::kVkEscape);
    h.PostAltF4(b.GetHWND());
    h.PostClick(b.GetHWND(), b.CentreOf(L"btn_close"));  // disabled: no click
    h.PostClick(b.GetHWND(), b.CentreOf(L"btn0"));
  });
  EXPECT_EQ(box.Run(), kMsgBoxButton0);
  EXPECT_FALSE(box.closeEnabled);
  EXPECT_EQ(box.closeCodes, std::vector<SkinUI::WParam>{1});
}

TEST_F(MessageBoxTest, OnlyTheFirstEndingCounts) {
  // Enter and then Escape before the box has gone: the user chose 取消.
  const MsgBoxParams params = ExitQuestionParams(owner.GetHWND());
  ScriptedBox box(params, host, [](ScriptedBox& b, HeadlessHost& h) {
    h.PostKey(b.GetHWND(), SkinUI::kVkReturn);
    h.PostKey(b.GetHWND(), SkinUI::kVkEscape);
    h.PostClick(b.GetHWND(), b.CentreOf(L"btn0"));
  });
  EXPECT_EQ(box.Run(), kMsgBoxButton1);
}

TEST_F(MessageBoxTest, OneButtonBox) {
  MsgBoxParams params;
  params.owner = owner.GetHWND();
  params.text = L"只有一个按钮";
  params.button0 = L"确认";
  params.button1 = L"";  // empty counts as none
  params.closeEnabled = true;
  ScriptedBox box(params, host, [](ScriptedBox& b, HeadlessHost& h) { h.PostKey(b.GetHWND(), SkinUI::kVkReturn); });
  EXPECT_EQ(box.Run(), kMsgBoxButton0);
  EXPECT_TRUE(box.shown0);
  EXPECT_FALSE(box.shown1);
  EXPECT_FALSE(box.captionShown);  // no caption given
  EXPECT_TRUE(box.textShown);
  EXPECT_EQ(box.styleFocus, L"btn0");
}

TEST_F(MessageBoxTest, DefaultNamingAButtonWithoutTextIsHarmless) {
  MsgBoxParams params;
  params.owner = owner.GetHWND();
  params.button0 = L"确认";
  params.defaultButton = 1;  // no second button
  ScriptedBox box(params, host, [](ScriptedBox& b, HeadlessHost& h) {
    h.PostKey(b.GetHWND(), SkinUI::kVkReturn);  // no default: not taken
    h.PostClick(b.GetHWND(), b.CentreOf(L"btn0"));
  });
  EXPECT_EQ(box.Run(), kMsgBoxButton0);
  EXPECT_TRUE(box.styleFocus.empty());
}

// The ready-made boxes run on the process default host. The owner's timer
// fires inside the box's modal loop, after the box has painted: it looks at
// the box (the focused window) and answers it.
class Answering : public SkinUI::testing::TestWindow {
 public:
  Answering(HeadlessHost& host, uint32_t vk) : TestWindow(L"xml\\msgbox.xml"), host_(host), vk_(vk) {}
  WindowHandle box = nullptr;
  std::wstring boxClass;
  SkinUI::Rect boxRect, ownerRect;
  std::vector<SkinUI::DrawRecord> boxFrame;
  bool ownerEnabledMeanwhile = true;

 protected:
  SkinUI::LResult HandleMessage(SkinUI::MsgId msg, SkinUI::WParam w, SkinUI::LParam l) override {
    if (msg == SkinUI::kMsgTimer && w == 77) {
      host_.KillTimer(GetHWND(), 77);
      box = host_.GetFocus();
      boxClass = host_.ClassName(box);
      boxRect = host_.GetWindowRect(box);
      ownerRect = host_.GetWindowRect(GetHWND());
      boxFrame = host_.LastFrame(box);
      ownerEnabledMeanwhile = host_.IsWindowEnabled(GetHWND());
      host_.PostKey(box, vk_);
      return 0;
    }
    return TestWindow::HandleMessage(msg, w, l);
  }

 private:
  HeadlessHost& host_;
  uint32_t vk_;
};

class ReadyBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.SetIdleTimeout(2000);
    previous = SkinUI::SetDefaultWindowHost(&host);
  }
  void TearDown() override { SkinUI::SetDefaultWindowHost(previous); }
  HeadlessHost host{HeadlessHost::Clock::kVirtual};
  SkinUI::IWindowHost* previous = nullptr;
};

TEST_F(ReadyBoxTest, ExitQuestionEnterStaysEscapeCloses) {
  for (auto [vk, want] : {std::pair{SkinUI::kVkReturn, 2}, std::pair{SkinUI::kVkEscape, 4}}) {
    Answering owner(host, vk);
    ASSERT_TRUE(owner.CreateOn(host));
    host.SetTimer(owner.GetHWND(), 77, 50);
    EXPECT_EQ(ShowExitQuestion(owner.GetHWND()), want);
    ASSERT_TRUE(owner.box);
    EXPECT_NE(owner.box, owner.GetHWND());
    EXPECT_FALSE(owner.ownerEnabledMeanwhile);
    EXPECT_EQ(owner.boxClass, L"QIRAMsgBoxWndCls");
    EXPECT_EQ(owner.boxRect.Width(), 333);
    EXPECT_EQ(owner.boxRect.Height(), 203);
    // Centred over the owner.
    EXPECT_NEAR(owner.boxRect.left + owner.boxRect.right, owner.ownerRect.left + owner.ownerRect.right, 1);
    EXPECT_NEAR(owner.boxRect.top + owner.boxRect.bottom, owner.ownerRect.top + owner.ownerRect.bottom, 1);
    EXPECT_EQ(SkinUI::testing::TextRecords(owner.boxFrame, L"您确定退出应用安装程序？").size(), 1u);
    EXPECT_EQ(SkinUI::testing::TextRecords(owner.boxFrame, L"提示").size(), 1u);
    EXPECT_TRUE(host.IsWindowEnabled(owner.GetHWND()));
    EXPECT_EQ(host.GetFocus(), owner.GetHWND());
  }
}

TEST_F(ReadyBoxTest, MemoryErrorShowsGigabytesAndOneButton) {
  Answering owner(host, SkinUI::kVkReturn);
  ASSERT_TRUE(owner.CreateOn(host));
  host.SetTimer(owner.GetHWND(), 77, 50);
  EXPECT_EQ(ShowMemoryError(owner.GetHWND(), (uint64_t{16} << 30) + 12345), kMsgBoxButton0);
  EXPECT_EQ(SkinUI::testing::TextRecords(owner.boxFrame, L"内存需要最少 16 GB.").size(), 1u);
  EXPECT_EQ(SkinUI::testing::TextRecords(owner.boxFrame, L"QIRA环境检测错误").size(), 1u);
  EXPECT_EQ(SkinUI::testing::TextRecords(owner.boxFrame, L"确认").size(), 1u);
  EXPECT_TRUE(SkinUI::testing::TextRecords(owner.boxFrame, L"取消").empty());
}

}  // namespace
}  // namespace installer
