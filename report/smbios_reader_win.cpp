#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemidl.h>

#include "report/os_version.h"
#include "report/smbios_reader_win.h"
#include "report/system_identity_sources.h"

namespace identity {
namespace {

constexpr DWORD kRawSmbiosProvider = 0x52534D42;  // 'RSMB'
constexpr size_t kRawSmbiosHeader = 8;            // method, major, minor, revision, length

using GetSystemFirmwareTableFn = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);

// An owned COM interface reference.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T** put() { return &p_; }
  void** put_void() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : s_(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(s_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return s_; }

 private:
  BSTR s_;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &v_; }

 private:
  VARIANT v_;
};

// COM in the multithreaded apartment for the life of the object, when it can be had.
class MtaSession {
 public:
  MtaSession() : hr_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~MtaSession() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  MtaSession(const MtaSession&) = delete;
  MtaSession& operator=(const MtaSession&) = delete;
  bool ok() const { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

GetSystemFirmwareTableFn FirmwareTableFunction() {
  return reinterpret_cast<GetSystemFirmwareTableFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemFirmwareTable")));
}

std::optional<std::vector<uint8_t>> CopyByteArray(VARIANT* value) {
  if (V_VT(value) != (VT_ARRAY | VT_UI1) || !V_ARRAY(value)) return std::nullopt;
  SAFEARRAY* array = V_ARRAY(value);
  LONG lower = 0, upper = -1;
  if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
    return std::nullopt;
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) return std::nullopt;
  const size_t count = upper >= lower ? static_cast<size_t>(upper - lower + 1) : 0;
  std::vector<uint8_t> bytes(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + count);
  SafeArrayUnaccessData(array);
  return bytes;
}

class WindowsSmbiosReader : public ISmbiosReader {
 public:
  std::optional<std::vector<uint8_t>> ReadTable() override {
    // Windows versions up to 5.x would read the legacy BIOS area from physical
    // memory first; the installer runs on Windows 10 and 11 only, so WMI is the
    // only fallback.
    if (IsVistaOrLater() && FirmwareTableFunction()) return ReadSmbiosFromFirmwareTable();
    return ReadSmbiosFromWmi();
  }
};

}  // namespace

std::optional<std::vector<uint8_t>> ReadSmbiosFromFirmwareTable() {
  const GetSystemFirmwareTableFn function = FirmwareTableFunction();
  if (!function) return std::nullopt;
  const UINT size = function(kRawSmbiosProvider, 0, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::vector<uint8_t> raw(size);
  const UINT returned = function(kRawSmbiosProvider, 0, raw.data(), size);
  if (returned == 0 || returned > size || returned < kRawSmbiosHeader) return std::nullopt;
  return std::vector<uint8_t>(raw.begin() + kRawSmbiosHeader, raw.begin() + returned);
}

std::optional<std::vector<uint8_t>> ReadSmbiosFromWmi() {
  MtaSession com;
  if (!com.ok()) return std::nullopt;
  ComRef<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              locator.put_void())))
    return std::nullopt;
  ComRef<IWbemServices> services;
  Bstr ns(L"ROOT\\WMI");
  if (FAILED(locator->ConnectServer(ns.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                    services.put())))
    return std::nullopt;
  if (FAILED(CoSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                               RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                               EOAC_NONE)))
    return std::nullopt;
  ComRef<IEnumWbemClassObject> objects;
  Bstr className(L"MSSMBios_RawSMBiosTables");
  if (FAILED(services->CreateInstanceEnum(className.get(), 0, nullptr, objects.put())))
    return std::nullopt;
  ComRef<IWbemClassObject> object;
  ULONG count = 0;
  if (objects->Next(WBEM_INFINITE, 1, object.put(), &count) != WBEM_S_NO_ERROR || count != 1)
    return std::nullopt;
  Variant major, minor, data;
  object->Get(L"SmbiosMajorVersion", 0, major.get(), nullptr, nullptr);
  object->Get(L"SmbiosMinorVersion", 0, minor.get(), nullptr, nullptr);
  if (FAILED(object->Get(L"SMBiosData", 0, data.get(), nullptr, nullptr))) return std::nullopt;
  return CopyByteArray(data.get());
}

std::unique_ptr<ISmbiosReader> MakeSystemSmbiosReader() {
  return std::make_unique<WindowsSmbiosReader>();
}

}  // namespace identity
