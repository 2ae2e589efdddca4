#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "report/system_identity_sources.h"

namespace identity {
namespace {

// "aa:bb:cc:dd:ee:ff" -> bytes; empty for anything else.
std::vector<uint8_t> ParseAddress(const std::string& text) {
  std::vector<uint8_t> bytes;
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, ':')) {
    if (part.size() != 2) return {};
    bytes.push_back(static_cast<uint8_t>(std::stoul(part, nullptr, 16)));
  }
  return bytes;
}

class SysfsNetworkAdapters : public INetworkAdapters {
 public:
  std::vector<std::wstring> DeviceInstanceIds() override { return {}; }
  std::optional<std::vector<uint8_t>> PermanentAddress(const std::wstring&) override {
    return std::nullopt;
  }
  std::vector<std::vector<uint8_t>> ListedAddresses() override {
    std::vector<std::pair<long, std::vector<uint8_t>>> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/net", ec)) {
      if (entry.path().filename() == "lo") continue;
      std::ifstream indexFile(entry.path() / "ifindex"), addressFile(entry.path() / "address");
      long index = 0;
      std::string address;
      if (!(indexFile >> index) || !(addressFile >> address)) continue;
      try {
        found.emplace_back(index, ParseAddress(address));
      } catch (const std::exception&) {
        found.emplace_back(index, std::vector<uint8_t>());
      }
    }
    std::sort(found.begin(), found.end());
    std::vector<std::vector<uint8_t>> addresses;
    for (auto& [index, address] : found) addresses.push_back(std::move(address));
    return addresses;
  }
};

}  // namespace

std::unique_ptr<INetworkAdapters> MakeSystemNetworkAdapters() {
  return std::make_unique<SysfsNetworkAdapters>();
}

}  // namespace identity
