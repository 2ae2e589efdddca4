#include <windows.h>
#include <iphlpapi.h>
#include <setupapi.h>

#include "report/system_identity_sources.h"

namespace identity {
namespace {

// {4D36E972-E325-11CE-BFC1-08002BE10318}: the network adapter setup class.
constexpr GUID kNetClass = {0x4D36E972, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
constexpr DWORD kIoctlNdisQueryGlobalStats = 0x00170002;
constexpr DWORD kOid8023PermanentAddress = 0x01010101;
constexpr DWORD kInstanceIdChars = 256;

class DeviceInfoSet {
 public:
  explicit DeviceInfoSet(HDEVINFO set) : set_(set) {}
  ~DeviceInfoSet() {
    if (set_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(set_);
  }
  DeviceInfoSet(const DeviceInfoSet&) = delete;
  DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;
  HDEVINFO get() const { return set_; }

 private:
  HDEVINFO set_;
};

class DeviceHandle {
 public:
  explicit DeviceHandle(HANDLE handle) : handle_(handle) {}
  ~DeviceHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  DeviceHandle(const DeviceHandle&) = delete;
  DeviceHandle& operator=(const DeviceHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class WindowsNetworkAdapters : public INetworkAdapters {
 public:
  std::vector<std::wstring> DeviceInstanceIds() override {
    std::vector<std::wstring> ids;
    DeviceInfoSet set(SetupDiGetClassDevsW(&kNetClass, nullptr, nullptr, DIGCF_PRESENT));
    if (set.get() == INVALID_HANDLE_VALUE) return ids;
    for (DWORD index = 0;; ++index) {
      SP_DEVINFO_DATA device = {};
      device.cbSize = sizeof device;
      if (!SetupDiEnumDeviceInfo(set.get(), index, &device)) break;
      wchar_t id[kInstanceIdChars] = {};
      if (!SetupDiGetDeviceInstanceIdW(set.get(), &device, id, kInstanceIdChars, nullptr)) break;
      ids.emplace_back(id);
    }
    return ids;
  }

  std::optional<std::vector<uint8_t>> PermanentAddress(const std::wstring& devicePath) override {
    DeviceHandle device(CreateFileW(devicePath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    if (device.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    DWORD oid = kOid8023PermanentAddress;
    uint8_t address[8] = {};
    DWORD returned = 0;
    if (!DeviceIoControl(device.get(), kIoctlNdisQueryGlobalStats, &oid, sizeof oid, address,
                         sizeof address, &returned, nullptr))
      return std::nullopt;
    return std::vector<uint8_t>(address, address + std::min<DWORD>(returned, sizeof address));
  }

  std::vector<std::vector<uint8_t>> ListedAddresses() override {
    std::vector<std::vector<uint8_t>> addresses;
    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return addresses;
    std::vector<uint8_t> buffer(size);
    auto* list = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (GetAdaptersInfo(list, &size) != NO_ERROR) return addresses;
    for (const IP_ADAPTER_INFO* adapter = list; adapter; adapter = adapter->Next) {
      const UINT length = std::min<UINT>(adapter->AddressLength, sizeof adapter->Address);
      addresses.emplace_back(adapter->Address, adapter->Address + length);
    }
    return addresses;
  }
};

}  // namespace

std::unique_ptr<INetworkAdapters> MakeSystemNetworkAdapters() {
  return std::make_unique<WindowsNetworkAdapters>();
}

}  // namespace identity
