// The real probe under Windows (here: Wine's WMI, in a 32-bit Windows 10 prefix).
#include "check/system_info.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(SystemInfoWinTest, ProbeReportsProcessorAdapterMemoryAndVersion) {
  EXPECT_EQ(Global_GetOSType(), kOsWin10x86);
  CGetSystemInfo& probe = CGetSystemInfo::GetMutableInstance();
  EXPECT_GT(probe.GetMemorySize(), 64ull << 20);
  std::vector<std::wstring> cpus, videos;
  bool init = false, again = false;
  // The probe joins the multithreaded apartment: run it on its own thread, as
  // the machine check does, twice (the second Init meets RPC_E_TOO_LATE).
  std::thread worker([&] {
    init = probe.Init();
    probe.GetCPUName();
    probe.GetVideo_Controller();
    cpus = probe.CpuNames();
    videos = probe.VideoNames();
    probe.Uninit();
    again = probe.Init();
    probe.Uninit();
  });
  worker.join();
  EXPECT_TRUE(init);
  EXPECT_TRUE(again);
  ASSERT_FALSE(cpus.empty());
  EXPECT_FALSE(cpus[0].empty());
  EXPECT_FALSE(videos.empty());
}

}  // namespace
