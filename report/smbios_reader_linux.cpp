#include <fstream>
#include <iterator>

#include "report/system_identity_sources.h"

namespace identity {
namespace {

// The kernel's copy of the structure table; readable by root only.
class SysfsSmbiosReader : public ISmbiosReader {
 public:
  std::optional<std::vector<uint8_t>> ReadTable() override {
    std::ifstream in("/sys/firmware/dmi/tables/DMI", std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> table((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || table.empty()) return std::nullopt;
    return table;
  }
};

}  // namespace

std::unique_ptr<ISmbiosReader> MakeSystemSmbiosReader() {
  return std::make_unique<SysfsSmbiosReader>();
}

}  // namespace identity
