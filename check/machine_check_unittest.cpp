#include "check/machine_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>

#include "check/system_info.h"
#include "common/log/log.h"
#include "tools/devserver/dev_server.h"

namespace check {
namespace {

namespace fs = std::filesystem;

// Keeps every record written while a test runs.
class MemoryAppender : public plog::IAppender {
 public:
  void write(const plog::Record& r) override {
    std::lock_guard<std::mutex> g(lock_);
    lines_.push_back(std::string(plog::SeverityName(r.severity())) + " [" + r.function() + "] " +
                     r.message());
  }
  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> g(lock_);
    return std::exchange(lines_, {});
  }

 private:
  std::mutex lock_;
  std::vector<std::string> lines_;
};

const char* kConfig = R"({"app":{"space_req":1073741824,"main_exe":"QIRA.exe","installer":
  {"name":"setup.exe","url":"http://127.0.0.1/setup.exe","size":10,"md5":"00112233445566778899aabbccddeeff"}}})";

class MachineCheckTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static MemoryAppender appender;
    appender_ = &appender;
    plog::init(plog::info, &appender);
  }

  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qira_check_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_ / "config");
    devserver::Options o;
    o.catalog = dir_;
    server_ = std::make_unique<devserver::DevServer>(o);
    ASSERT_TRUE(server_->Start());
    WriteConfig("std", kConfig);
    WriteConfig("pro", kConfig);
    SetOsVersionForTesting({});
    CGetSystemInfo::FakeMachine m;
    m.cpus = {L"Intel(R) Core(TM) i7-9700 CPU @ 3.00GHz"};
    m.videos = {L"NVIDIA GeForce RTX 3060"};
    m.memory = 16ull << 30;
    CGetSystemInfo::GetMutableInstance().SetFakeMachineForTesting(m);
    services_.requirementsUrl = RequirementsUrl(server_->BaseUrl());
    services_.query = {28, 1110, "1.0.0.5"};
    appender_->Take();
  }
  void TearDown() override {
    server_.reset();
    fs::remove_all(dir_);
  }

  void Write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  void WriteConfig(const std::string& name, const std::string& text) {
    Write(dir_ / "config" / (name + ".json"), text);
  }
  // A variant with the given processor pattern and memory need.
  std::string Variant(const std::string& title, const std::string& cpu, uint64_t memory,
                      const std::string& config = "std") {
    return R"({"title":")" + title + R"(","cpu":[")" + cpu + R"("],"memory":)" +
           std::to_string(memory) + R"(,"download_config":")" + server_->BaseUrl() + "/config/" +
           config + R"("})";
  }
  void WriteRequires(const std::vector<std::string>& variants) {
    std::string list;
    for (const auto& v : variants) list += (list.empty() ? "" : ",") + v;
    Write(dir_ / "requires.json", R"({"requires":[)" + list + "]}");
  }
  int Check() { return CheckSystemEnvCfgInfo(state_, CGetSystemInfo::GetMutableInstance(), services_); }
  bool Logged(const std::string& line) {
    for (const auto& l : appender_->Take())
      if (l == line) return true;
    return false;
  }

  static MemoryAppender* appender_;
  fs::path dir_;
  std::unique_ptr<devserver::DevServer> server_;
  CheckServices services_;
  CheckState state_;
};
MemoryAppender* MachineCheckTest::appender_ = nullptr;

const std::string kCheckLabel = "[CWebInstWnd::CheckSystemEnvCfgInfo] ";

TEST_F(MachineCheckTest, FittingVariantsGiveOkAndLoadTheFirstConfiguration) {
  WriteRequires({Variant("A", "amd", 1), Variant("B", "i7-9\\\\d{3}", 8ull << 30, "std"),
                 Variant("C", "radeon", 1), Variant("D", "", 16ull << 30, "pro")});
  EXPECT_EQ(Check(), CHECK_OK);
  EXPECT_EQ(state_.vecModelEvnIdx, (std::vector<int>{1, 3}));
  EXPECT_EQ(state_.stAppConfig.main_exe, L"QIRA.exe");
  // The configuration of variant 1 was asked for with the exact query.
  const auto requests = server_->Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].path, "/api/int_qira_requires");
  EXPECT_EQ(requests[0].query, "");
  EXPECT_EQ(requests[1].path, "/config/std");
  EXPECT_EQ(requests[1].query, "a=28&u=1110&v=1.0.0.5&t=0");
}

TEST_F(MachineCheckTest, EachFailureHasItsCodeAndLogLine) {
  // Memory: the most demanding fitting variant decides; equal memory passes.
  WriteRequires({Variant("A", "i7", 8ull << 30), Variant("B", "i7", 32ull << 30),
                 Variant("C", "amd", 64ull << 30)});
  EXPECT_EQ(Check(), CHECK_MEMORY_SHORT);
  EXPECT_TRUE(Logged("ERROR " + kCheckLabel + "GetMemorySize FAIL"));
  WriteRequires({Variant("A", "i7", 16ull << 30)});
  EXPECT_EQ(Check(), CHECK_OK);

  WriteRequires({Variant("A", "amd", 1)});
  EXPECT_EQ(Check(), CHECK_NO_MODEL);
  EXPECT_TRUE(Logged("ERROR " + kCheckLabel + "GetRequestModelEvnIdx FAIL"));
  WriteRequires({});
  EXPECT_EQ(Check(), CHECK_NO_MODEL);

  WriteRequires({Variant("A", "i7", 1, "missing")});  // configuration answers 404
  EXPECT_EQ(Check(), CHECK_REQUEST_FAILED);
  EXPECT_TRUE(Logged("ERROR " + kCheckLabel + "RequestConfig FAIL"));

  CGetSystemInfo::FakeMachine broken;
  broken.initOk = false;
  CGetSystemInfo::GetMutableInstance().SetFakeMachineForTesting(broken);
  WriteRequires({Variant("A", "i7", 1)});
  EXPECT_EQ(Check(), CHECK_PROBE_FAILED);
  EXPECT_TRUE(Logged("ERROR " + kCheckLabel + "CGetSystemInfo::GetMutableInstance().Init() FAIL"));
}

TEST_F(MachineCheckTest, OldWindowsStopsBeforeAnyRequest) {
  WriteRequires({Variant("A", "i7", 1)});
  SetOsVersionForTesting({6, 3, 1, true});  // Windows 8.1
  EXPECT_EQ(Check(), CHECK_OS_UNSUPPORTED);
  EXPECT_TRUE(Logged("ERROR " + kCheckLabel + "Global_GetOSType FAIL"));
  EXPECT_TRUE(server_->Requests().empty());
}

TEST_F(MachineCheckTest, ErrorStatusWithValidDocumentIsUsed) {
  devserver::Fault f;
  f.status = 500;
  f.body = R"({"requires":[)" + Variant("A", "i7", 1) + "]}";
  server_->SetFault("/api/int_qira_requires", f);
  EXPECT_EQ(Check(), CHECK_OK);
}

TEST_F(MachineCheckTest, FailingRecheckKeepsEarlierListButFails) {
  WriteRequires({Variant("A", "i7", 1), Variant("B", "i7", 2)});
  ASSERT_EQ(Check(), CHECK_OK);
  devserver::Fault f;
  f.status = 404;
  f.body = "<html>not found</html>";
  server_->SetFault("/api/int_qira_requires", f);
  EXPECT_EQ(Check(), CHECK_REQUEST_FAILED);
  EXPECT_TRUE(Logged("ERROR " + kCheckLabel + "RequestModelEvnConfig FAIL"));
  EXPECT_EQ(state_.vecModelEvn.size(), 2u);
}

TEST_F(MachineCheckTest, DroppedOrMalformedAnswersAreRequestFailures) {
  WriteRequires({Variant("A", "i7", 1)});
  const char* faults[] = {
      "/api/int_qira_requires=drop",
      "/api/int_qira_requires=200:{\"requires\":[{\"title\":1}]}",
      "/api/int_qira_requires=200:{\"requires\":[]} trailing",
      "/config/std=drop",
      "/config/std=200:{\"app\":[]}",
  };
  for (const char* fault : faults) {
    server_->ClearFaults();
    ASSERT_TRUE(server_->AddFaultFromText(fault)) << fault;
    const AppConfig before = state_.stAppConfig;
    EXPECT_EQ(Check(), CHECK_REQUEST_FAILED) << fault;
    EXPECT_EQ(state_.stAppConfig.main_exe, before.main_exe) << fault;  // record kept
  }
  EXPECT_FALSE(server_->AddFaultFromText("no-slash=500"));
  EXPECT_FALSE(server_->AddFaultFromText("/x=abc"));
}

TEST_F(MachineCheckTest, UnreachableServiceIsARequestFailure) {
  services_.requirementsUrl = "http://127.0.0.1:1/api/int_qira_requires";
  EXPECT_EQ(Check(), CHECK_REQUEST_FAILED);
  const auto lines = appender_->Take();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("ERROR [CWebInstWnd::RequestModelEvnConfig] ", 0), 0u) << lines[0];
}

TEST(ConfigUrlTest, QueryIsAppendedWhateverTheAddressHolds) {
  const ConfigQuery q{28, 1110, "1.0.0.5"};
  EXPECT_EQ(ConfigUrl(L"http://h/cfg", q), "http://h/cfg?a=28&u=1110&v=1.0.0.5&t=0");
  EXPECT_EQ(ConfigUrl(L"http://h/cfg?x=1", q), "http://h/cfg?x=1?a=28&u=1110&v=1.0.0.5&t=0");
}

}  // namespace
}  // namespace check
