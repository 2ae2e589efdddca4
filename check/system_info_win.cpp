#include "check/system_info.h"

#include <windows.h>
#include <objbase.h>
#include <wbemidl.h>

#include "common/log/log.h"

namespace {

// The process-wide cache of the Windows class; written only by the checking thread.
int g_osType = 0;

// The first call happens during static start-up, so the instance exists before
// the entry function runs.
CGetSystemInfo& g_systemInfo = CGetSystemInfo::GetMutableInstance();

IWbemLocator* Locator(void* p) { return static_cast<IWbemLocator*>(p); }
IWbemServices* Services(void* p) { return static_cast<IWbemServices*>(p); }

// Runs one WQL query and appends every instance's string "Name".
bool QueryNames(IWbemServices* services, const wchar_t* query, std::vector<std::wstring>& out,
                const char* prefix, const char* label) {
  if (!services) return false;
  IEnumWbemClassObject* items = nullptr;
  BSTR language = SysAllocString(L"WQL");
  BSTR text = SysAllocString(query);
  const HRESULT hr = services->ExecQuery(
      language, text, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &items);
  SysFreeString(language);
  SysFreeString(text);
  if (FAILED(hr) || !items) return false;
  for (;;) {
    IWbemClassObject* object = nullptr;
    ULONG returned = 0;
    items->Next(WBEM_INFINITE, 1, &object, &returned);
    if (returned == 0 || !object) break;
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(object->Get(L"Name", 0, &value, nullptr, nullptr)) && value.vt == VT_BSTR) {
      std::wstring name(value.bstrVal ? value.bstrVal : L"",
                        value.bstrVal ? SysStringLen(value.bstrVal) : 0);
      out.push_back(name);
      PLOG_AS(plog::info, label) << prefix << name;
    }
    VariantClear(&value);
    object->Release();
  }
  items->Release();
  return true;
}

}  // namespace

CGetSystemInfo& CGetSystemInfo::GetMutableInstance() {
  static CGetSystemInfo instance;
  return instance;
}

bool CGetSystemInfo::Init() {
  ++initCount_;
  const HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(init)) return false;
  bComInit = true;
  const HRESULT security =
      CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                           RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
  if (FAILED(security) && security != RPC_E_TOO_LATE) return false;
  IWbemLocator* locator = nullptr;
  CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                   reinterpret_cast<void**>(&locator));
  pLocator = locator;
  if (!locator) return false;
  IWbemServices* services = nullptr;
  BSTR ns = SysAllocString(L"ROOT\\CIMV2");
  locator->ConnectServer(ns, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services);
  SysFreeString(ns);
  pServices = services;
  if (!services) return false;
  return SUCCEEDED(CoSetProxyBlanket(services, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                     RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                     EOAC_NONE));
}

bool CGetSystemInfo::GetCPUName() {
  return QueryNames(Services(pServices), L"SELECT * FROM Win32_Processor", vecCPUName, "CPU:",
                    "CGetSystemInfo::GetCPUName");
}

bool CGetSystemInfo::GetVideo_Controller() {
  return QueryNames(Services(pServices), L"SELECT * FROM Win32_VideoController",
                    vecVideoController, "video:", "CGetSystemInfo::GetVideo_Controller");
}

uint64_t CGetSystemInfo::GetMemorySize() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;  // 64
  if (!GlobalMemoryStatusEx(&status)) return 0;
  return status.ullTotalPhys;
}

void CGetSystemInfo::Uninit() {
  if (pServices) {
    Services(pServices)->Release();
    pServices = nullptr;
  }
  if (pLocator) {
    Locator(pLocator)->Release();
    pLocator = nullptr;
  }
  if (bComInit) CoUninitialize();
  bComInit = false;
}

void CGetSystemInfo::SetFakeMachineForTesting(const FakeMachine&) {}

int Global_GetOSType() {
  if (g_osType) return g_osType;
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  bool is64 = false;
  if (HMODULE kernel = GetModuleHandleW(L"kernel32")) {
    auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL wow = FALSE;
    if (isWow64 && isWow64(GetCurrentProcess(), &wow) && wow) is64 = true;
  }
  HMODULE ntdll = LoadLibraryW(L"ntdll.dll");
  if (!ntdll) return g_osType;
  using RtlGetNtVersionNumbersFn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  auto getVersion = reinterpret_cast<RtlGetNtVersionNumbersFn>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetNtVersionNumbers")));
  if (!getVersion) {
    FreeLibrary(ntdll);
    return 0;
  }
  DWORD major = 0, minor = 0, build = 0;
  getVersion(&major, &minor, &build);
  FreeLibrary(ntdll);
  unsigned productType = 0;
  if (major == 6 && minor == 0) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;  // 284
    if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) productType = info.wProductType;
  }
  g_osType = OsTypeFor(major, minor, productType, is64);
  return g_osType;
}
