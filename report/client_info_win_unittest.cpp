// The machine identity over the real Windows interfaces (run under Wine): the
// identity probe is copied under installer file names and run as its own
// process, so the channel, the version resource and the identifier come from
// real files.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <thread>

#include "common/base/file_util.h"
#include "common/base/path.h"
#include "report/client_info.h"
#include "report/client_version.h"
#include "report/os_version.h"
#include "report/smbios.h"
#include "report/smbios_reader_win.h"
#include "report/version_resource.h"

namespace {

std::wstring BesideTest(const wchar_t* name) {
  std::wstring path = base::ModuleFilePath();
  base::RemoveFileSpec(path);
  base::Append(path, name);
  return path;
}

class TempDir {
 public:
  TempDir() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"qira-identity-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempDir() {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(path_.c_str());
  }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// Runs `exe` with an output file argument and returns its name=value lines.
std::map<std::string, std::string> RunProbe(const std::wstring& exe, const std::wstring& out) {
  std::wstring command = L"\"" + exe + L"\" \"" + out + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::map<std::string, std::string> values;
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
    return values;
  }
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 120000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::ifstream in(out.c_str());
  std::string line;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

bool IsPcid(const std::string& text) { return std::regex_match(text, std::regex("[0-9a-f]{32}")); }

TEST(VersionResourceTest, RealResources) {
  struct Case { const wchar_t* exe; uint64_t number; const char* text; };
  const Case cases[] = {
      {L"identity_probe_1234.exe", (1ull << 48) + (2ull << 32) + (3ull << 16) + 4, "1.2.3.4"},
      {L"identity_probe_max.exe", ~0ull, "65535.65535.65535.65535"},
  };
  for (const Case& c : cases) {
    const auto fixed = identity::ReadFixedFileVersion(BesideTest(c.exe));
    ASSERT_TRUE(fixed.has_value()) << c.exe;
    const uint64_t number = identity::ClientVersionOf(fixed);
    EXPECT_EQ(number, c.number);
    char text[identity::kVersionTextSize];
    identity::FormatVersionText(number, text);
    EXPECT_STREQ(text, c.text);
  }
  // This test program carries no version resource; a missing file has none either.
  EXPECT_FALSE(identity::ReadFixedFileVersion(base::ModuleFilePath()).has_value());
  EXPECT_FALSE(identity::ReadFixedFileVersion(BesideTest(L"no-such-file.exe")).has_value());
}

TEST(OsVersionTest, NtdllProductVersion) {
  OsVersion v;
  ASSERT_TRUE(GetOsVersion(v));
  EXPECT_GE(v.major, 6);
  EXPECT_TRUE(IsVistaOrLater());
  std::printf("ntdll product version %u.%u.%u.%u\n", v.major, v.minor, v.build, v.revision);
}

// Start-up's record in this process, and the probe under installer file names
// in processes of their own: one identifier for the machine in every run.
TEST(ClientInfoWinTest, CollectUnderInstallerFileNames) {
  ClientInfo& self = ClientInfo::Instance();
  ASSERT_TRUE(self.Collect());
  EXPECT_EQ(self.appid, 28);
  EXPECT_EQ(self.unionid, 1110);  // identity_win_tests.exe carries no channel
  EXPECT_EQ(self.clientversion, 0u);
  EXPECT_STREQ(self.versionText, "0.0.0.0");
  ASSERT_TRUE(IsPcid(self.pcid)) << self.pcid;

  TempDir dir;
  struct Case { const wchar_t* probe; const wchar_t* name; const char* unionid; const char* version; };
  const Case cases[] = {
      {L"identity_probe_1234.exe", L"QIRASetup_b12348.exe", "1234", "1.2.3.4"},
      {L"identity_probe_1234.exe", L"QIRASetup_b1c.exe", "1", "1.2.3.4"},
      {L"identity_probe_max.exe", L"QIRASetup_b1C.exe", "1110", "65535.65535.65535.65535"},
      {L"identity_probe_max.exe", L"QIRASetup.exe", "1110", "65535.65535.65535.65535"},
  };
  for (const Case& c : cases) {
    const std::wstring exe = dir.path() + L"\\" + c.name;
    ASSERT_TRUE(CopyFileW(BesideTest(c.probe).c_str(), exe.c_str(), FALSE)) << GetLastError();
    auto values = RunProbe(exe, dir.path() + L"\\out.txt");
    EXPECT_EQ(values["collected"], "1");
    EXPECT_EQ(values["appid"], "28");
    EXPECT_EQ(values["unionid"], c.unionid);
    EXPECT_EQ(values["versionText"], c.version);
    EXPECT_EQ(values["pcid"], self.pcid);
    std::printf("%ls: Collect %s us\n", c.name, values["collect_us"].c_str());
  }
  const auto max = RunProbe(BesideTest(L"identity_probe_max.exe"), dir.path() + L"\\max.txt");
  EXPECT_EQ(max.at("clientversion"), "18446744073709551615");
}

TEST(SmbiosReaderWinTest, FirmwareTableAndWmiRoutes) {
  const auto table = identity::ReadSmbiosFromFirmwareTable();
  ASSERT_TRUE(table.has_value());
  std::printf("firmware table: %zu bytes, text \"%s\"\n", table->size(),
              identity::SmbiosText(*table).c_str());

  // On a thread of its own the WMI route initialises COM multithreaded and
  // reads the same table.
  std::optional<std::vector<uint8_t>> wmi;
  std::thread([&] { wmi = identity::ReadSmbiosFromWmi(); }).join();
  if (wmi) {
    EXPECT_EQ(identity::SmbiosText(*wmi), identity::SmbiosText(*table));
  } else {
    std::printf("WMI route gave no table on this system\n");
  }
  // A thread that already uses single-threaded COM, like the start-up thread: the route fails.
  std::optional<std::vector<uint8_t>> sta = std::vector<uint8_t>{};
  std::thread([&] {
    const HRESULT hr = CoInitialize(nullptr);
    sta = identity::ReadSmbiosFromWmi();
    if (SUCCEEDED(hr)) CoUninitialize();
  }).join();
  EXPECT_FALSE(sta.has_value());
}

}  // namespace
