// A console program that collects the application information record the way
// start-up does and writes it to the file named by its argument, one
// "name=value" line each, with the wall time of Collect in microseconds. Used
// by the identity tests (under other file names, with different version
// resources) and by the start-up benchmark.
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>

#include "report/client_info.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  // As at start-up: single-threaded COM is already in place when Collect runs.
  const HRESULT com = CoInitialize(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const bool collected = ClientInfo::Instance().Collect();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  const ClientInfo& info = ClientInfo::Instance();
  FILE* out = _wfopen(argv[1], L"w");
  if (!out) return 3;
  std::fprintf(out, "collected=%d\nappid=%u\nunionid=%u\nclientversion=%llu\nversionText=%s\npcid=%s\n"
               "collect_us=%lld\n",
               collected ? 1 : 0, static_cast<unsigned>(info.appid), static_cast<unsigned>(info.unionid),
               static_cast<unsigned long long>(info.clientversion), info.versionText, info.pcid,
               static_cast<long long>(
                   std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()));
  std::fclose(out);
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
