// The installer window's flow on the headless host, against the development
// server on loopback.
#include "installer/web_inst_wnd.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "check/system_info.h"
#include "skin/embedded_skin.h"
#include "tools/devserver/dev_server.h"
#include "ui/platform/headless_host.h"

namespace installer {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace SkinUI;

const char* kConfig = R"({"app":{"space_req":1073741824,"main_exe":"QIRA.exe","installer":
  {"name":"setup.exe","url":"http://127.0.0.1/setup.exe","size":10,"md5":"00112233445566778899aabbccddeeff"}}})";

class WebInstWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterResourcePackage(skin::EmbeddedPackage());
    dir_ = fs::temp_directory_path() /
           ("qira_wnd_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_ / "config");
    std::ofstream(dir_ / "config" / "std.json") << kConfig;
    devserver::Options o;
    o.catalog = dir_;
    server_ = std::make_unique<devserver::DevServer>(o);
    ASSERT_TRUE(server_->Start());
    SetOsVersionForTesting({});
    CGetSystemInfo::FakeMachine m;
    m.cpus = {L"Intel(R) Core(TM) i7-9700 CPU @ 3.00GHz"};
    m.videos = {L"NVIDIA GeForce RTX 3060"};
    m.memory = 16ull << 30;
    CGetSystemInfo::GetMutableInstance().SetFakeMachineForTesting(m);
  }
  void TearDown() override {
    wnd_.reset();
    server_.reset();
    fs::remove_all(dir_);
  }

  HeadlessHost& Host() { return static_cast<HeadlessHost&>(DefaultWindowHost()); }

  std::string Variant(const std::string& title, const std::string& cpu, uint64_t memory) {
    return R"({"title":")" + title + R"(","cpu":[")" + cpu + R"("],"memory":)" +
           std::to_string(memory) + R"(,"download_config":")" + server_->BaseUrl() + R"(/config/std"})";
  }
  void WriteRequires(const std::vector<std::string>& variants) {
    std::string list;
    for (const auto& v : variants) list += (list.empty() ? "" : ",") + v;
    std::ofstream(dir_ / "requires.json") << R"({"requires":[)" + list + "]}";
  }

  // Creates the window as start-up does; the machine check starts at once.
  void Open(std::string requireHost = "") {
    WindowSettings s{requireHost.empty() ? server_->BaseUrl() : requireHost, L"http://lic/",
                     L"http://contact/"};
    wnd_ = std::make_unique<CWebInstWnd>(s);
    wnd_->SetUrlOpenerForTesting([this](const std::wstring& url) {
      std::lock_guard<std::mutex> g(lock_);
      opened_.push_back(url);
    });
    ASSERT_NE(wnd_->Create(nullptr, L"QIRA 助手安装程序", kWsPopup | kWsSysMenu | kWsMinimizeBox, 0),
              nullptr);
    hwnd_ = wnd_->GetHWND();
  }

  // Runs the UI thread's messages until `done` holds or 10 s pass.
  bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
      Message msg;
      while (Host().PeekMessage(msg)) {
        if (msg.message == kMsgQuit) {
          quit_ = true;
          continue;
        }
        Host().DispatchMessage(msg);
      }
      if (done()) return true;
      std::this_thread::sleep_for(1ms);
    }
    return false;
  }

  // Runs the UI thread's messages for a while (for "nothing more happens").
  void PumpFor(std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    PumpUntil([&] { return std::chrono::steady_clock::now() >= end; });
  }

  CControlUI* Find(const wchar_t* name) { return wnd_->GetManager().FindByName(name); }
  int Page(const wchar_t* tab) { return dynamic_cast<CTabLayoutUI*>(Find(tab))->GetCurrentPage(); }
  std::vector<int> Events() { return static_cast<RecordingReporter&>(wnd_->Reporter()).Events(); }
  void Click(const wchar_t* name) {
    const Rect r = Find(name)->GetPos();
    Host().PostClick(hwnd_, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  bool Gone() { return !Host().IsWindow(hwnd_); }

  fs::path dir_;
  std::unique_ptr<devserver::DevServer> server_;
  std::unique_ptr<CWebInstWnd> wnd_;
  WindowHandle hwnd_ = nullptr;
  bool quit_ = false;
  std::mutex lock_;
  std::vector<std::wstring> opened_;
};

TEST_F(WebInstWndTest, FittingVariantsShowTheVersionPage) {
  WriteRequires({Variant("QIRA 标准版", "i7", 8589934591), Variant("不合适", "amd", 1),
                 Variant("QIRA 专业版", "intel", 16ull << 30)});
  Open();
  EXPECT_EQ(Page(L"tab_main"), 0);
  EXPECT_FALSE(Find(L"btn_go_step1")->IsEnabled());
  ASSERT_TRUE(PumpUntil([&] { return Page(L"tab_main") == 1; }));

  const auto& options = wnd_->ModelOptions();
  ASSERT_EQ(options.size(), 2u);
  EXPECT_EQ(options[0]->GetText(), L"<f 5>QIRA 标准版</f><n><y 28>需要内存 7 GB.</y>");
  EXPECT_EQ(options[1]->GetText(), L"<f 5>QIRA 专业版</f><n><y 28>需要内存 16 GB.</y>");
  EXPECT_EQ(options[0]->GetTag(), 0u);
  EXPECT_EQ(options[1]->GetTag(), 2u);
  EXPECT_TRUE(options[0]->IsEnabled());
  EXPECT_FALSE(options[1]->IsEnabled());  // equal memory is not strictly more
  EXPECT_TRUE(options[0]->IsSelected());
  EXPECT_FALSE(options[1]->IsSelected());
  EXPECT_EQ(options[0]->GetGroup(), L"opt_model");
  EXPECT_EQ(options[0]->GetParent(), Find(L"vl_models"));
  EXPECT_TRUE(Find(L"btn_go_step1")->IsEnabled());
  EXPECT_EQ(Events(), std::vector<int>{kEventWindowInit});
  EXPECT_EQ(wnd_->CloseCode(), 2);
}

TEST_F(WebInstWndTest, NoFittingVariantThenRecheckSucceeds) {
  WriteRequires({Variant("A", "amd", 1)});
  Open();
  ASSERT_TRUE(PumpUntil([&] { return Page(L"tab_check_bottom") == 2; }));
  EXPECT_EQ(Page(L"tab_main"), 0);
  EXPECT_EQ(Events(), (std::vector<int>{kEventWindowInit, kEventNoModel}));

  // "联系我们" twice: two pages, in order, opened on the worker.
  Click(L"btn_contact");
  Click(L"btn_contact");
  ASSERT_TRUE(PumpUntil([&] {
    std::lock_guard<std::mutex> g(lock_);
    return opened_.size() == 2;
  }));
  EXPECT_EQ(opened_[0], L"http://contact/");

  WriteRequires({Variant("A", "amd", 1), Variant("B", "i7", 1)});
  devserver::Fault slow;
  slow.delayMs = 500;
  slow.remaining = 1;
  server_->SetFault("/api/int_qira_requires", slow);
  Click(L"btn_recheck2");
  // "Checking" again while the service answers, then the version page.
  ASSERT_TRUE(PumpUntil([&] { return Page(L"tab_check_bottom") == 0; }));
  ASSERT_TRUE(PumpUntil([&] { return Page(L"tab_main") == 1; }));
  EXPECT_EQ(wnd_->ModelOptions().size(), 1u);
  EXPECT_EQ(wnd_->ModelOptions()[0]->GetTag(), 1u);
  EXPECT_EQ(Events(), (std::vector<int>{kEventWindowInit, kEventNoModel}));
}

TEST_F(WebInstWndTest, UnreachableServiceShowsTheFailedPanel) {
  Open("http://127.0.0.1:1");
  ASSERT_TRUE(PumpUntil([&] { return Page(L"tab_check_bottom") == 1; }));
  EXPECT_EQ(wnd_->CheckStateForTesting().nCheckResult, check::CHECK_REQUEST_FAILED);
  EXPECT_EQ(Events(), (std::vector<int>{kEventWindowInit, kEventCheckFailed}));
  Click(L"btn_recheck");
  ASSERT_TRUE(PumpUntil([&] { return Events().size() == 3; }));
  EXPECT_EQ(Page(L"tab_check_bottom"), 1);
  EXPECT_EQ(Events().back(), kEventCheckFailed);
}

TEST_F(WebInstWndTest, ExitQuestionAnsweredEachWay) {
  WriteRequires({Variant("A", "amd", 1)});
  Open();
  ASSERT_TRUE(PumpUntil([&] { return Page(L"tab_check_bottom") == 2; }));
  // The answer runs on the UI thread, inside the box's modal loop: it waits,
  // re-posting itself, until the box has the focus, then presses `key` there.
  uint32_t key = 0;
  std::function<void()> press = [&] {
    const WindowHandle focus = Host().GetFocus();
    if (focus && focus != hwnd_) Host().PostKey(focus, key);
    else wnd_->RunOnUiThread(press);
  };
  auto answer = [&](uint32_t k) {
    key = k;
    wnd_->RunOnUiThread(press);
  };
  Click(L"btn_close");
  answer(kVkReturn);  // "取消" is the default: the window stays
  ASSERT_TRUE(PumpUntil([&] { return Events().size() == 3; }));
  PumpFor(300ms);  // nothing more happens
  EXPECT_FALSE(Gone());
  EXPECT_EQ(Events(), (std::vector<int>{kEventWindowInit, kEventNoModel, kEventCloseClicked}));
  EXPECT_TRUE(Host().IsWindowEnabled(hwnd_));

  Host().PostAltF4(hwnd_);  // the system close asks too, without 900002
  answer(kVkEscape);        // Escape: the box's close, so the window closes
  ASSERT_TRUE(PumpUntil([&] { return Gone() && quit_; }));
  EXPECT_EQ(Events(), (std::vector<int>{kEventWindowInit, kEventNoModel, kEventCloseClicked,
                                        kEventWindowDestroyed}));
}

TEST_F(WebInstWndTest, LaunchPanelClosesWithoutAsking) {
  WriteRequires({Variant("A", "i7", 1)});
  Open();
  ASSERT_TRUE(PumpUntil([&] { return Page(L"tab_main") == 1; }));
  dynamic_cast<CTabLayoutUI*>(Find(L"tab_main"))->SelectPage(3);
  dynamic_cast<CTabLayoutUI*>(Find(L"tab_bottom"))->SelectPage(2);
  EXPECT_EQ(wnd_->CloseCode(), 1);
  Click(L"btn_close");
  ASSERT_TRUE(PumpUntil([&] { return Gone() && quit_; }));
  EXPECT_EQ(Events().back(), kEventWindowDestroyed);
}

TEST_F(WebInstWndTest, DestroyWaitsForTheRunningCheckAndDropsItsResult) {
  WriteRequires({Variant("A", "i7", 1)});
  devserver::Fault slow;
  slow.delayMs = 1500;
  server_->SetFault("/api/int_qira_requires", slow);
  Open();
  std::this_thread::sleep_for(200ms);  // the check is waiting for the service
  const auto t0 = std::chrono::steady_clock::now();
  wnd_->PostClose(1);
  ASSERT_TRUE(PumpUntil([&] { return Gone(); }));
  EXPECT_GT(std::chrono::steady_clock::now() - t0, 1s);  // joined the worker mid-check
  EXPECT_EQ(Events(), (std::vector<int>{kEventWindowInit, kEventWindowDestroyed}));
  EXPECT_TRUE(static_cast<RecordingReporter&>(wnd_->Reporter()).Stopped());

  bool ran = false;
  wnd_->RunOnUiThread([&] { ran = true; });  // after destruction: never runs
  PumpFor(300ms);
  EXPECT_FALSE(ran);
}

TEST_F(WebInstWndTest, EscapeAndEnterDoNothingInTheMainWindow) {
  WriteRequires({Variant("A", "amd", 1)});
  Open();
  ASSERT_TRUE(PumpUntil([&] { return Page(L"tab_check_bottom") == 2; }));
  Host().PostKey(hwnd_, kVkEscape);
  Host().PostKey(hwnd_, kVkReturn);
  PumpFor(300ms);
  EXPECT_FALSE(Gone());
  EXPECT_EQ(Events().size(), 2u);
}

}  // namespace
}  // namespace installer
