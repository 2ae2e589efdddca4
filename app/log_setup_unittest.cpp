#include "app/log_setup.h"

#include <gtest/gtest.h>

#include <filesystem>


namespace app {
namespace {

namespace fs = std::filesystem;

TEST(LogSetupTest, LogFileBesideExecutableOnlyWhenFolderExists) {
  const fs::path dir = fs::temp_directory_path() / "qira_log_setup";
  fs::create_directories(dir);
  const std::wstring exe = (dir / "setup.exe").wstring();
  const std::wstring expected = (dir / "log" / "setup.exe.log").wstring();
  EXPECT_EQ(LogFilePathFor(exe), expected);
  EXPECT_EQ(LogFilePathFor(L"C:\\does\\not\\exist\\setup.exe"), L"");
  EXPECT_EQ(LogFilePathFor((dir / "missing" / "x.exe").wstring()), L"");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace app
