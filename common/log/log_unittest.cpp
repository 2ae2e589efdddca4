#include "common/log/log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/base/strings.h"

namespace plog {
namespace {

namespace fs = std::filesystem;

struct Klass {
  static std::string Label() { return FunctionLabel(__PRETTY_FUNCTION__); }
  Klass() { ctor = FunctionLabel(__PRETTY_FUNCTION__); }
  std::string Lambda() {
    return [] { return FunctionLabel(__PRETTY_FUNCTION__); }();
  }
  std::string ctor;
};

TEST(LogFormatTest, FunctionLabelIsQualifiedName) {
  EXPECT_EQ(Klass::Label(), "plog::{anonymous}::Klass::Label");
  EXPECT_EQ(Klass().ctor, "plog::{anonymous}::Klass::Klass");
  EXPECT_EQ(Klass().Lambda(), "plog::{anonymous}::Klass::Lambda::lambda");
  const std::pair<const char*, const char*> cases[] = {
      {"int wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)", "wWinMain"},
      {"bool CWebInstWnd::RequestConfig(int)", "CWebInstWnd::RequestConfig"},
      {"plogext::CLifeSpanLog::CLifeSpanLog()", "plogext::CLifeSpanLog::CLifeSpanLog"},
      {"std::vector<std::pair<int, int> > ns::C::f(int) const", "ns::C::f"},
      {"const char* ns::g()", "ns::g"},
      {"void C::operator()(int)", "C::operator()"},
      {"T ns::h(T) [with T = int]", "ns::h"},
  };
  for (auto [pretty, label] : cases) EXPECT_EQ(FunctionLabel(pretty), label) << pretty;
}

Record Fixed(Severity sev, const char* msg) {
  Record r(sev, "int wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)", 42);
  r.SetTimeForTesting({2024, 5, 6, 9, 3, 7, 42});
  r.SetThreadIdForTesting(5120);
  r << msg;
  return r;
}

TEST(LogFormatTest, LineLayoutByteForByte) {
  EXPECT_EQ(FormatRecord(Fixed(warning, "App instance exist")),
            "2024-05-06 09:03:07.042 WARN  [5120] [wWinMain@42] App instance exist\r\n");
  EXPECT_EQ(FormatRecord(Fixed(error, "a\nb")),
            "2024-05-06 09:03:07.042 ERROR [5120] [wWinMain@42] a\r\nb\r\n");
  EXPECT_EQ(FormatRecord(Fixed(none, "Log init")),
            "2024-05-06 09:03:07.042 NONE  [5120] [wWinMain@42] Log init\r\n");
}

TEST(LogFormatTest, MessageInsertion) {
  Record r(info, "void f()", 1);
  const char* null = nullptr;
  r << "n=" << 42 << " " << null << " " << L"宽" << std::string(" x") << std::wstring(L"y") << -7LL
    << ' ' << 1.5;
  EXPECT_EQ(r.message(), "n=42 (null) 宽 xy-7 1.5");
}

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qira_log_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "log");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::wstring LogPath() const { return base::Utf8ToWide((dir_ / "log" / "setup.exe.log").string()); }
  std::string Read() const {
    std::ifstream in(dir_ / "log" / "setup.exe.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

TEST_F(LogFileTest, ByteOrderMarkOnlyForEmptyFileAndRunsAppend) {
  { std::ofstream(dir_ / "log" / "setup.exe.log"); }  // empty existing file
  {
    FileAppender a(LogPath());
    a.write(Fixed(none, "Log init"));
  }
  {
    FileAppender a(LogPath());
    a.write(Fixed(none, "Log init"));
  }
  const std::string line = "2024-05-06 09:03:07.042 NONE  [5120] [wWinMain@42] Log init\r\n";
  EXPECT_EQ(Read(), "\xEF\xBB\xBF" + line + line);
}

TEST_F(LogFileTest, NoFileWhenFolderMissing) {
  fs::remove_all(dir_ / "log");
  FileAppender a(LogPath());
  a.write(Fixed(info, "x"));
  fs::create_directories(dir_ / "log");  // too late: the run stays without a file
  a.write(Fixed(info, "y"));
  EXPECT_FALSE(fs::exists(dir_ / "log" / "setup.exe.log"));
}

TEST_F(LogFileTest, SecondWriterIsShutOut) {
  FileAppender first(LogPath());
  first.write(Fixed(info, "first"));
  FileAppender second(LogPath());
  second.write(Fixed(info, "second"));
  first.write(Fixed(info, "third"));
  const std::string text = Read();
  EXPECT_NE(text.find("first"), std::string::npos);
  EXPECT_NE(text.find("third"), std::string::npos);
  EXPECT_EQ(text.find("second"), std::string::npos);
}

TEST(LoggerTest, DebugAndVerboseAreNeverWritten) {
  Logger logger(verbose);
  EXPECT_TRUE(logger.checkSeverity(info));
  EXPECT_TRUE(logger.checkSeverity(none));
  EXPECT_FALSE(logger.checkSeverity(debug));
  EXPECT_FALSE(logger.checkSeverity(verbose));
  Logger errorsOnly(error);
  EXPECT_FALSE(errorsOnly.checkSeverity(warning));
}

}  // namespace
}  // namespace plog
