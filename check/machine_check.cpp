#include "check/machine_check.h"

#include <fmt/format.h>

#include <algorithm>
#include <exception>

#include "app/http_request.h"
#include "check/matching.h"
#include "check/system_info.h"
#include "common/base/strings.h"
#include "common/log/log.h"

namespace check {
namespace {

constexpr const char* kCheck = "CWebInstWnd::CheckSystemEnvCfgInfo";
constexpr const char* kRequires = "CWebInstWnd::RequestModelEvnConfig";
constexpr const char* kConfig = "CWebInstWnd::RequestConfig";

// Balances the probe's Init whatever way the check ends.
class ProbeSession {
 public:
  explicit ProbeSession(CGetSystemInfo& probe) : probe_(probe) {}
  ~ProbeSession() { probe_.Uninit(); }
  ProbeSession(const ProbeSession&) = delete;
  ProbeSession& operator=(const ProbeSession&) = delete;

 private:
  CGetSystemInfo& probe_;
};

int Fail(const char* text, int code) {
  PLOG_AS(plog::error, kCheck) << text;
  return code;
}

}  // namespace

std::string RequirementsUrl(const std::string& host) { return host + "/api/int_qira_requires"; }

std::string ConfigUrl(const std::wstring& downloadConfig, const ConfigQuery& q) {
  return fmt::format("{}?a={}&u={}&v={}&t={}", base::WideToAnsi(downloadConfig), q.appid, q.unionid,
                     q.versionText, 0);
}

bool RequestModelEvnConfig(CheckState& state, const std::string& url) {
  const http::Response r = http::Get(url);
  if (r.error != 0) {
    PLOG_AS(plog::error, kRequires) << r.errorMessage;
    return false;
  }
  try {
    state.vecModelEvn = ParseRequirements(r.body);
  } catch (const std::exception& e) {
    PLOG_AS(plog::error, kRequires) << e.what();
    return false;
  }
  return true;
}

bool RequestConfig(CheckState& state, int index, const ConfigQuery& query) {
  const std::string url = ConfigUrl(state.vecModelEvn.at(static_cast<size_t>(index)).download_config,
                                    query);
  const http::Response r = http::Get(url);
  if (r.error != 0) {
    PLOG_AS(plog::error, kConfig) << r.errorMessage;
    return false;
  }
  try {
    state.stAppConfig = ParseAppConfig(r.body);
  } catch (const std::exception& e) {
    PLOG_AS(plog::error, kConfig) << e.what();
    return false;
  }
  return true;
}

bool GetRequestModelEvnIdx(CheckState& state, std::vector<std::wstring> cpus,
                           std::vector<std::wstring> videos) {
  state.vecModelEvnIdx = FittingModels(state.vecModelEvn, cpus, videos);
  return !state.vecModelEvnIdx.empty();
}

int CheckSystemEnvCfgInfo(CheckState& state, CGetSystemInfo& probe,
                          const CheckServices& services) {
  ProbeSession session(probe);
  const int os = Global_GetOSType();
  if (os != kOsWin10x86 && os != kOsWin10x64) return Fail("Global_GetOSType FAIL", CHECK_OS_UNSUPPORTED);
  if (!RequestModelEvnConfig(state, services.requirementsUrl))
    return Fail("RequestModelEvnConfig FAIL", CHECK_REQUEST_FAILED);
  if (!probe.Init())
    return Fail("CGetSystemInfo::GetMutableInstance().Init() FAIL", CHECK_PROBE_FAILED);

  probe.GetCPUName();
  probe.GetVideo_Controller();
  std::vector<std::wstring> cpus = probe.CpuNames();
  std::vector<std::wstring> videos = probe.VideoNames();
  for (const auto& name : cpus) PLOG_AS(plog::info, kCheck) << "CPU:" << name;
  for (const auto& name : videos) PLOG_AS(plog::info, kCheck) << "VIDEO:" << name;

  if (!GetRequestModelEvnIdx(state, std::move(cpus), std::move(videos)))
    return Fail("GetRequestModelEvnIdx FAIL", CHECK_NO_MODEL);

  uint64_t need = 0;
  for (int i : state.vecModelEvnIdx)
    need = std::max(need, state.vecModelEvn[static_cast<size_t>(i)].memory);
  if (probe.GetMemorySize() < need) return Fail("GetMemorySize FAIL", CHECK_MEMORY_SHORT);

  if (!RequestConfig(state, state.vecModelEvnIdx.front(), services.query))
    return Fail("RequestConfig FAIL", CHECK_REQUEST_FAILED);
  return CHECK_OK;
}

}  // namespace check
