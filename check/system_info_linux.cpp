// The headless probe: reports the machine that tests configure.
#include "check/system_info.h"

#include "common/log/log.h"

namespace {
// The process-wide cache of the Windows class, and the version the
// headless build pretends to run.
int g_osType = 0;
FakeOsVersion g_osVersion;
}  // namespace

CGetSystemInfo& CGetSystemInfo::GetMutableInstance() {
  static CGetSystemInfo instance;
  return instance;
}

void CGetSystemInfo::SetFakeMachineForTesting(const FakeMachine& machine) {
  fake_ = machine;
  vecCPUName.clear();
  vecVideoController.clear();
}

bool CGetSystemInfo::Init() {
  ++initCount_;
  bComInit = true;
  return fake_.initOk;
}

bool CGetSystemInfo::GetCPUName() {
  for (const auto& name : fake_.cpus) {
    vecCPUName.push_back(name);
    PLOG_INFO << "CPU:" << name;
  }
  return true;
}

bool CGetSystemInfo::GetVideo_Controller() {
  for (const auto& name : fake_.videos) {
    vecVideoController.push_back(name);
    PLOG_INFO << "video:" << name;
  }
  return true;
}

uint64_t CGetSystemInfo::GetMemorySize() { return fake_.memory; }

void CGetSystemInfo::Uninit() { bComInit = false; }

void SetOsVersionForTesting(const FakeOsVersion& version) {
  g_osVersion = version;
  g_osType = 0;
}

int Global_GetOSType() {
  if (g_osType) return g_osType;
  g_osType = OsTypeFor(g_osVersion.major, g_osVersion.minor, g_osVersion.productType,
                       g_osVersion.is64);
  return g_osType;
}
