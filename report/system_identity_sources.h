#pragma once
// The real sources of the machine identity on this platform.
#include <memory>

#include "report/identity_sources.h"

namespace identity {

std::unique_ptr<ICpuid> MakeSystemCpuid();
// Windows: SetupAPI, the NDIS query and GetAdaptersInfo. Linux: no setup-class
// devices; the adapter list is /sys/class/net (loopback left out) in index order.
std::unique_ptr<INetworkAdapters> MakeSystemNetworkAdapters();
// Windows: the firmware table ('RSMB'), or WMI where that function is missing
// or the system is older than Vista. Linux: /sys/firmware/dmi/tables/DMI.
std::unique_ptr<ISmbiosReader> MakeSystemSmbiosReader();
// The running executable and its version resource.
std::unique_ptr<IProgramFile> MakeSystemProgramFile();
// VaroBase's MD5: one provider, one hash, one HashData call.
std::unique_ptr<IDigester> MakeSystemDigester();

// Owns one of each real source.
class SystemIdentitySources {
 public:
  SystemIdentitySources();
  IdentitySources get() { return {*program_, *adapters_, *cpuid_, *smbios_, *digester_}; }

 private:
  std::unique_ptr<IProgramFile> program_;
  std::unique_ptr<INetworkAdapters> adapters_;
  std::unique_ptr<ICpuid> cpuid_;
  std::unique_ptr<ISmbiosReader> smbios_;
  std::unique_ptr<IDigester> digester_;
};

}  // namespace identity
