#pragma once
// The machine check: is this computer able to run the product, and which
// variants fit it. Runs on the installer window's worker thread.
#include <cstdint>
#include <string>
#include <vector>

#include "check/documents.h"

class CGetSystemInfo;

namespace check {

enum CheckResult {
  CHECK_OS_UNSUPPORTED = 1,
  CHECK_PROBE_FAILED = 2,
  CHECK_REQUEST_FAILED = 3,
  CHECK_NO_MODEL = 4,
  CHECK_MEMORY_SHORT = 5,
  CHECK_OK = 6,
};

// The values the configuration request carries (from the application record).
struct ConfigQuery {
  uint32_t appid = 0;
  uint32_t unionid = 0;
  std::string versionText;
};

// What the check leaves in the installer window. Written by the check task and
// read by the UI thread only after the result has been handed over.
struct CheckState {
  std::vector<ModelEvnConfig> vecModelEvn;  // last successful requirements list
  std::vector<int> vecModelEvnIdx;          // fitting variants, ascending
  int nCheckResult = 0;                     // 0 until the first check ends
  AppConfig stAppConfig;                    // configuration of the chosen variant
};

// Where the check asks.
struct CheckServices {
  std::string requirementsUrl;  // full URL of the requirements list
  ConfigQuery query;
};

// "<host>/api/int_qira_requires".
std::string RequirementsUrl(const std::string& host);
// "<download_config>?a=..&u=..&v=..&t=0", the address taken in the ANSI code
// page, a second "?" even when it already has a query, nothing URL-encoded.
std::string ConfigUrl(const std::wstring& downloadConfig, const ConfigQuery& query);

// Replaces vecModelEvn on success; logs and keeps the old list on failure.
bool RequestModelEvnConfig(CheckState& state, const std::string& url);
// Replaces the whole stAppConfig with variant `index`'s configuration; on
// failure logs and keeps the previous record. `index` must be valid.
bool RequestConfig(CheckState& state, int index, const ConfigQuery& query);
// Rebuilds vecModelEvnIdx; true when any variant fits.
bool GetRequestModelEvnIdx(CheckState& state, std::vector<std::wstring> cpus,
                           std::vector<std::wstring> videos);

// The whole check in its fixed order; returns the result code. The probe's
// Uninit runs at the end in every case.
int CheckSystemEnvCfgInfo(CheckState& state, CGetSystemInfo& probe,
                          const CheckServices& services);

}  // namespace check
