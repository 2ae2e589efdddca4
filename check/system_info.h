#pragma once
// What the machine check decides on: processor and display adapter names (WMI),
// total physical memory, and the class of the running Windows version.
#include <cstdint>
#include <string>
#include <vector>

// One per process. Init, the queries and Uninit run on the checking worker
// thread (Init joins the multithreaded apartment, so never on the UI thread);
// GetMemorySize may be called from any thread.
class CGetSystemInfo {
 public:
  static CGetSystemInfo& GetMutableInstance();

  // Initialises COM and connects to ROOT\CIMV2; true when queries can run.
  bool Init();
  // Append every Win32_Processor / Win32_VideoController "Name"; true when the
  // query ran.
  bool GetCPUName();
  bool GetVideo_Controller();
  // Total physical memory in bytes; 0 when the system cannot say.
  uint64_t GetMemorySize();
  // Releases the WMI references and balances Init's COM initialisation.
  void Uninit();

  const std::vector<std::wstring>& CpuNames() const { return vecCPUName; }
  const std::vector<std::wstring>& VideoNames() const { return vecVideoController; }

  // The Linux build has no WMI: what its probe reports is set by tests.
  struct FakeMachine {
    bool initOk = true;
    std::vector<std::wstring> cpus;
    std::vector<std::wstring> videos;
    uint64_t memory = 16ull << 30;
  };
  void SetFakeMachineForTesting(const FakeMachine& machine);
  int InitCountForTesting() const { return initCount_; }

 private:
  CGetSystemInfo() = default;

  bool bComInit = false;
  void* pLocator = nullptr;   // IWbemLocator on Windows
  void* pServices = nullptr;  // IWbemServices on Windows
  std::vector<std::wstring> vecCPUName;
  std::vector<std::wstring> vecVideoController;
  FakeMachine fake_;  // Linux build only
  int initCount_ = 0;
};

// The Windows class of the table below (0 when not recognised). 64-bit means the
// Windows installation, not this 32-bit process.
int Global_GetOSType();

// The class for a version: 10.0 gives 0x10000 (32-bit) or 0x20000 (64-bit);
// 6.0 distinguishes servers (product type 3).
int OsTypeFor(unsigned major, unsigned minor, unsigned productType, bool is64);

inline constexpr int kOsWin10x86 = 0x10000;
inline constexpr int kOsWin10x64 = 0x20000;

// Linux build only: the version its Global_GetOSType reports.
struct FakeOsVersion {
  unsigned major = 10, minor = 0, productType = 1;
  bool is64 = true;
};
void SetOsVersionForTesting(const FakeOsVersion& version);
