// libFuzzer target: HexToBytes takes any text without failing, decodes
// (length + 1) / 2 bytes, and round-trips through BytesToHex.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/base/digest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const VaroBase::Digest bytes = VaroBase::HexToBytes(text);
  if (bytes.size() != (size + 1) / 2) std::abort();
  const std::string hex = VaroBase::BytesToHex(bytes);
  if (hex.size() != bytes.size() * 2) std::abort();
  if (VaroBase::HexToBytes(hex) != bytes) std::abort();
  if (!VaroBase::DigestEqual(bytes, VaroBase::HexToBytes(hex))) std::abort();
  return 0;
}
