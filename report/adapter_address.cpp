#include "report/adapter_address.h"

#include <algorithm>

namespace identity {
namespace {

constexpr std::wstring_view kPciPrefix = L"PCI";
constexpr std::wstring_view kVirtualPrefix = L"{1A3E09BE-1E45-494B-9174-D7385B45BBF5}";
constexpr std::wstring_view kNdisInterface = L"#{ad498944-762f-11d0-8dcb-00c04fc3358c}";
constexpr size_t kMaxDevicePath = 259;
constexpr size_t kAddressSize = 6;
constexpr size_t kMaxListedAddress = 8;

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Upper(text[i]) != Upper(prefix[i])) return false;
  return true;
}

}  // namespace

bool IsAdapterCandidate(std::wstring_view instanceId) {
  return StartsWithNoCase(instanceId, kPciPrefix) || StartsWithNoCase(instanceId, kVirtualPrefix);
}

std::wstring AdapterDevicePath(std::wstring_view instanceId) {
  std::wstring path = L"\\\\.\\";
  for (wchar_t c : instanceId) path += c == L'\\' ? L'#' : c;
  path += kNdisInterface;
  return path.size() <= kMaxDevicePath ? path : std::wstring();
}

std::vector<uint8_t> AdapterAddressPiece(INetworkAdapters& adapters) {
  std::vector<uint8_t> smallest;
  bool counted = false;
  for (const std::wstring& id : adapters.DeviceInstanceIds()) {
    if (!IsAdapterCandidate(id)) continue;
    const std::wstring path = AdapterDevicePath(id);
    if (path.empty()) continue;
    const std::optional<std::vector<uint8_t>> answer = adapters.PermanentAddress(path);
    if (!answer) continue;
    std::vector<uint8_t> address(kAddressSize, 0);
    std::copy_n(answer->begin(), std::min(answer->size(), kAddressSize), address.begin());
    if (!counted || address < smallest) smallest = address;  // bytewise, unsigned
    counted = true;
  }
  if (counted) return smallest;
  for (const std::vector<uint8_t>& address : adapters.ListedAddresses())
    if (!address.empty())
      return {address.begin(), address.begin() + std::min(address.size(), kMaxListedAddress)};
  return {};
}

}  // namespace identity
