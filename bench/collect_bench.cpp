// Wall time of ClientInfo::Collect on the start-up thread (single-threaded COM
// already initialised), and of each identity source on its own, under Wine or
// Windows. Windows build only: scripts/bench.d/identity.sh runs it under Wine.
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>

#include "report/adapter_address.h"
#include "report/client_info.h"
#include "report/identity_buffer.h"
#include "report/system_identity_sources.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
double Milliseconds(F&& f) {
  const auto start = Clock::now();
  f();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
  const HRESULT com = CoInitialize(nullptr);
  bool collected = false;
  const double collect = Milliseconds([&] { collected = ClientInfo::Instance().Collect(); });
  const double again = Milliseconds([] { ClientInfo::Instance().Collect(); });

  identity::SystemIdentitySources system;
  identity::IdentitySources s = system.get();
  size_t adapterBytes = 0, tableBytes = 0;
  const double adapters = Milliseconds([&] { adapterBytes = identity::AdapterAddressPiece(s.adapters).size(); });
  const double cpuid = Milliseconds([&] { identity::CpuidPiece(s.cpuid); });
  const double smbios = Milliseconds([&] {
    const auto table = s.smbios.ReadTable();
    tableBytes = table ? table->size() : 0;
  });
  std::printf("collect: first Collect %.1f ms (%s), second %.3f ms; sources alone: adapters %.1f ms "
              "(%zu bytes), CPUID %.3f ms, SMBIOS %.1f ms (%zu-byte table); pcid %s\n",
              collect, collected ? "ok" : "MD5 FAILED", again, adapters, adapterBytes, cpuid, smbios,
              tableBytes, ClientInfo::Instance().pcid);
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
