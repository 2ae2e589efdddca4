#include "app/log_setup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/base/strings.h"

namespace app {
namespace {

namespace fs = std::filesystem;

TEST(LogSetupTest, LogFileBesideExecutableOnlyWhenFolderExists) {
  const fs::path dir = fs::temp_directory_path() / "qira_log_setup";
  fs::create_directories(dir);
  const std::wstring exe = base::Utf8ToWide((dir / "setup.exe").string());
  const std::wstring expected = base::Utf8ToWide(dir.string()) + L"/log/setup.exe.log";
  EXPECT_EQ(LogFilePathFor(exe), expected);
  EXPECT_EQ(LogFilePathFor(L"C:\\does\\not\\exist\\setup.exe"), L"");
  EXPECT_EQ(LogFilePathFor(base::Utf8ToWide((dir / "missing" / "x.exe").string())), L"");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace app
